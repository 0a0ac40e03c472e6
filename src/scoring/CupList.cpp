#include "CupList.h"

#include <QDate>
#include <algorithm>

#include "CupEvaluation.h"
#include "core/RecordFiles.h"
#include "core/SharedState.h"
#include "lists/CupTable.h"
#include "lists/ListRows.h"
#include "lists/PrintHelpers.h"
#include "platform/Colours.h"
#include "platform/DateText.h"
#include "platform/NumberText.h"
#include "platform/Printer.h"
#include "platform/Redraw.h"
#include "platform/Strings.h"

CupColumnLayout::CupColumnLayout(int columns)
{
    if (columns <= 5)
        return;
    compact = true;
    step = 144.0 / columns;
    headSize = std::clamp(11 * step / 28, 6.0, 11.0);
    cellSize = std::clamp(9 * step / 28, 6.0, 9.0);
}

namespace {

// Where the name and the club of a row begin, and the column after them.
constexpr double NameX = 36, YearX = 96;
// The title ends before the logo at x 205.
constexpr double TitleLimit = 205 - 22 - CellGap;
// Class headings end inside the rows' frames.
constexpr double FrameRight = 272;

class CupListJob {
public:
    explicit CupListJob(const CupListRequest &request)
        : request(request), layout(CupTable.CupRaceCount)
    {
        columns = std::clamp(CupTable.CupRaceCount, 0, CupColumns);
    }
    void run();

private:
    double y() const { return 40 + 4 * r; }
    void pageHead();
    void classHeading(int cell, bool continued);
    void row(int i, int rank);
    QString nameAndClub() const;
    void printEndingAt(const QString &text, double right);

    const CupListRequest &request;
    Printer &p = printer();
    CupColumnLayout layout;
    int columns = 0;
    double r = 0;
};

void CupListJob::run()
{
    PrintRun printRun;
    OpenAthleteAndClubFilesIfClosed();
    p.Orientation = 2;
    p.setJobTitle(QStringLiteral("Ergebnisliste ") + request.cupName);
    ListPrint.PageNo = 0;
    pageHead();

    const int n = int(request.keys.size());
    int cell = -1;
    bool anyCell = false;
    int counter = 0, tieRank = 0, lastTotal = 0;
    for (int k = 0; k < n; ++k) {
        const int i = CupRowOfKey(request.keys[k]);
        if (i == 0)
            continue;
        const int rowCell = CupTable.CupClassCell[std::size_t(i)];
        if (!anyCell || rowCell != cell) {
            anyCell = true;
            cell = rowCell;
            counter = 0;
            tieRank = 0;
            if ((request.separatePages && r > 10) || r > 30) {
                p.NewPage();
                letWindowSystemRedraw();
                pageHead();
            }
            classHeading(cell, false);
        }

        const int total = CupTable.CupPoints[std::size_t(i)][0];
        ++counter;
        if (counter == 1 || total != lastTotal)
            tieRank = counter;
        lastTotal = total;
        row(i, tieRank);

        r += 1;
        if (p.CurrentY > 160 && r > 38 && k < n - 1) {
            p.NewPage();
            letWindowSystemRedraw();
            pageHead();
            const int next = CupRowOfKey(request.keys[k + 1]);
            if (next != 0 && CupTable.CupClassCell[std::size_t(next)] == cell)
                classHeading(cell, true);
        }
    }

    p.EndDoc();
    letWindowSystemRedraw();
    p.Orientation = 1;
}

void CupListJob::pageHead()
{
    r = 0;
    // The cup's name in the race name's place, and no title under it.
    ListHeadStyle style;
    style.Name = QStringLiteral("Ergebnisliste ") + request.cupName;
    style.NameY = 15;
    style.RaceNameLimit = TitleLimit;
    style.PageNumberX = 260;
    style.FrameRight = 275;
    ListPageHead(style);

    PrintLogo(205, 11);

    p.FontSize = 11;
    auto head = [this](double x, const QString &text) {
        p.CurrentX = x;
        p.CurrentY = 32;
        p.Print(text);
    };
    head(22, QStringLiteral("Rang"));
    head(36, QStringLiteral("Name / Klasse"));
    head(96, QStringLiteral("Jahrg."));
    p.FontSize = layout.headSize;
    for (int c = 1; c <= columns; ++c) {
        head(layout.headX(c), QString::number(c) + QStringLiteral(". Lauf"));
        head(layout.pointsX(c), QStringLiteral("Pkte"));
    }
    p.FontSize = 11;
    head(255, QStringLiteral("Ges. Pkte"));
}

void CupListJob::classHeading(int cell, bool continued)
{
    r += 1;
    p.CurrentX = 36;
    p.CurrentY = y();
    p.FontSize = 12;
    p.FontBold = true;
    if (continued) {
        const QString more = QStringLiteral("  - Fortsetzung");
        p.FontBold = false;
        const double moreWidth = p.TextWidth(more);
        p.FontBold = true;
        p.Print(FitToColumn(CupClassName(cell), NameX, FrameRight - moreWidth),
                PrintEnd::StayOnLine);
        p.FontBold = false;
        p.Print(more);
    } else {
        p.Print(FitToColumn(CupClassName(cell), NameX, FrameRight));
    }
    p.FontBold = false;
    r += 1.7;
}

QString CupListJob::nameAndClub() const
{
    const QString name = trimBlanks(Rec.AthleteName);
    // The first club, else the third; the second does not count here.
    int club = Rec.AthleteClub1;
    if (club < 1 || club > Rec.ClubCount)
        club = Rec.AthleteClub3;
    if (club < 1 || club > Rec.ClubCount)
        return name;
    Rec.CurrentClubNo = club;
    ReadClubRecord();
    const QString clubName = trimBlanks(Rec.ClubShortName);
    if (clubName.isEmpty())
        return name;
    // The cell's width, not a count of characters, cuts the club first and,
    // when the name alone is too wide, the name.
    return name + QStringLiteral(", ") + clubName;
}

void CupListJob::printEndingAt(const QString &text, double right)
{
    p.CurrentX = right - p.TextWidth(text);
    p.CurrentY = y();
    p.Print(text);
}

void CupListJob::row(int i, int rank)
{
    const auto row = std::size_t(i);
    const int athlete = CupTable.CupAthleteNo[row];
    if (athlete >= 1 && athlete <= Rec.AthleteCount) {
        Rec.CurrentAthleteId = athlete;
        ReadAthleteRecord();
    } else {
        ClearAthleteFields();
    }

    p.FontSize = 9;
    p.FontBold = true;
    p.CurrentX = 25;
    p.CurrentY = y();
    p.Print(num::plainNumberText(rank));

    p.FontBold = false;
    p.CurrentX = NameX;
    p.CurrentY = y();
    p.Print(FitToColumn(nameAndClub(), NameX, YearX));

    // A birth date not given is 1.1.1900 and prints as 1900.
    const QDate birth = dates::dateFromOle(Rec.AthleteBirthDate);
    if (birth.isValid()) {
        p.CurrentX = 96;
        p.CurrentY = y();
        p.Print(QString::number(birth.year()));
    }

    p.FontSize = layout.cellSize;
    for (int c = 1; c <= columns; ++c) {
        const auto col = std::size_t(c);
        const int status = CupTable.CupStatus[row][col];
        const double time = CupTable.CombiTimes[row][col];
        QString text;
        double x = layout.timeX(c);
        if (status > 0) {
            text = status < int(App.StatusNames.size()) ? App.StatusNames[std::size_t(status)]
                                                         : num::plainNumberText(status);
            x = layout.statusX(c);
        } else if (time == 0) {
            text = QStringLiteral("-");
        } else {
            text = PrintedTime(time);
        }
        if (layout.compact) {
            printEndingAt(trimBlanks(text), layout.cellEndX(c));
        } else {
            p.CurrentX = x;
            p.CurrentY = y();
            p.Print(text);
        }

        p.CurrentX = layout.pointsX(c);
        p.CurrentY = y();
        p.Print(CupTable.CupDropped[row][col] == 1
                    ? QStringLiteral("X")
                    : num::plainNumberText(CupTable.CupPoints[row][col]));
    }

    p.FontSize = 9;
    p.CurrentX = 265;
    p.CurrentY = y();
    p.Print(num::plainNumberText(CupTable.CupPoints[row][0]));

    p.DrawWidth = 2;
    p.Line(23, 39.6 + 4 * r, 272, 43.6 + 4 * r, colourValue(80, 80, 80), LineShape::Box);
}

} // namespace

void PrintCupList(const CupListRequest &request)
{
    const RecordFile::ReadScope athletes(Channels.AthleteFile);
    CupListJob job(request);
    job.run();
}
