#include "ResultList.h"

#include <QDate>
#include <QHash>
#include <memory>
#include <vector>

#include "CombinationFile.h"
#include "CupTable.h"
#include "Form8.h"
#include "PrintHelpers.h"
#include "core/NumberTimeText.h"
#include "core/RecordFiles.h"
#include "core/SharedState.h"
#include "platform/Colours.h"
#include "platform/DateText.h"
#include "platform/Form.h"
#include "platform/NumberText.h"
#include "platform/Printer.h"
#include "platform/Strings.h"
#include "race/Form13.h"
#include "race/Ranking.h"

namespace {

// y of row r of a page, in mm.
double rowY(double row) { return 40 + 4.5 * row; }

struct Column {
    double x;
    QString head;
    double maxWidth = 0;    // 0: the head is printed as it stands
};

// Where one layout puts its columns (0: the column is not printed).
struct Layout {
    bool combination = false;
    double startNoX = 0, nameX = 0, clubX = 0, yearX = 0;
    double time1X = 0, time2X = 0, totalX = 0;
    std::vector<Column> heads;
};

Layout normalLayout()
{
    Layout l;
    l.startNoX = 20;
    l.nameX = 34;
    l.clubX = 79;
    l.yearX = 113;
    l.time1X = 125;
    l.heads = {{6, QStringLiteral("Rang")}, {20, QStringLiteral("St.Nr.")},
               {34, QStringLiteral("Name")}, {79, QStringLiteral("Verein/Mannschaft")},
               {113, QStringLiteral("Jahrg.")}, {133, QStringLiteral("Zeit")}};
    if (Rec.TwoRuns == 1) {
        l.time2X = 144;
        l.totalX = 165;
        l.heads.push_back({150, QStringLiteral("Zeit2")});
        l.heads.push_back({166, QStringLiteral("Summe")});
    }
    return l;
}

Layout combinationLayout()
{
    Layout l;
    l.combination = true;
    l.nameX = 20;
    l.clubX = 65;
    l.yearX = 98;
    l.time1X = 114;
    l.time2X = 140;
    l.totalX = 165;
    l.heads = {{6, QStringLiteral("Rang")}, {20, QStringLiteral("Name")},
               {65, QStringLiteral("Verein/Mannschaft")}, {98, QStringLiteral("Jahrg.")},
               // Race names are the user's: kept off the next head.
               {114, CupTable.CombiRaceNames[1], 140 - 114 - CellGap},
               {140, CupTable.CombiRaceNames[2], 166 - 140 - CellGap},
               {166, QStringLiteral("Summe")}};
    return l;
}

// The per-race times of the combination file, joined to the entries by the
// athlete number the file stores: slots are renumbered when an entry is
// removed, so slot i of the race need no longer be entry i of the file.
class CombinationTimes {
public:
    explicit CombinationTimes(int linesRead) : linesRead_(linesRead)
    {
        for (int i = CupRows; i >= 1; --i)
            if (CupTable.CupAthleteNo[i] != 0)
                firstRow_.insert(CupTable.CupAthleteNo[i], i);
    }

    // The file's entry of the athlete in `slot`; 0 when the file has none.
    int rowOf(int slot) const
    {
        const int athlete = Race.SlotAthleteId[slot];
        if (athlete == 0)
            return 0;
        // An athlete entered twice has the same times in both entries; the
        // entry of the same number is taken when it still matches.
        if (slot <= CupRows && CupTable.CupAthleteNo[slot] == athlete)
            return slot;
        return firstRow_.value(athlete, 0);
    }

    // Whether the file held the line of that time (a short file may not).
    bool has(int row, int column) const
    {
        return row > 0 && CombinationTimeLine(row, column) <= linesRead_;
    }

private:
    int linesRead_;
    QHash<int, int> firstRow_;
};

class ResultListJob {
public:
    void run();

private:
    void pageHead();
    void band(int slot);
    void athleteRow(int slot);
    void printTime(double seconds, double x);
    QString bestTimeTitle(int slot, double *size) const;
    const QString &clubName(int club);

    Printer &p = printer();
    Layout layout;
    std::unique_ptr<CombinationTimes> combiTimes;
    QString title;
    double row = 0;
    // The short names of the clubs read so far in this job, by club number;
    // a race has far fewer clubs than entries.
    std::vector<QString> clubNames;
    std::vector<bool> clubRead;
    int lastClub = 0;
};

// The hourglass while the job is built; the caller's pointer afterwards.
struct HourglassWhile {
    HourglassWhile() : before(hourglass()) { setHourglass(true); }
    ~HourglassWhile() { setHourglass(before); }
    bool before;
};

// The club of the club result list: the one chosen in the print window, and
// only when the ranking was restricted to it, so that the title never names
// a club the rows do not belong to (ticked with no club chosen is the whole
// race).
int clubOfClubResult(int rankedClub)
{
    if (!isLoaded<Form8>())
        return 0;
    Form8 &f = form<Form8>();
    if (f.Check1.Value() == 0)
        return 0;
    const int club = f.Combo3.ListIndex() + 1;
    if (club < 1 || club > Rec.ClubCount || club != rankedClub)
        return 0;
    return club;
}

void ResultListJob::run()
{
    HourglassWhile hourglass;

    // A ranking window the user has open shows the ranking printed; else
    // the list needs none.
    const int rankedClub = Ranking.ClubFilter;
    if (isLoaded<Form13>()) {
        ComputeProvisionalResult();
        RefreshRankingWindow();
    } else {
        ComputeRankingWithoutWindow();
    }

    OpenAthleteAndClubFilesIfClosed();

    if (CombinationFileExists()) {
        const int lines = ReadCombinationFile();
        combiTimes = std::make_unique<CombinationTimes>(lines);
        layout = combinationLayout();
    } else {
        layout = normalLayout();
    }

    title = layout.combination ? QStringLiteral("Ergebnisliste Kombination")
                               : QStringLiteral("Ergebnisliste");
    if (const int club = clubOfClubResult(rankedClub)) {
        Rec.CurrentClubNo = club;
        ReadClubRecord();
        title += u' ' + trimBlanks(Rec.ClubShortName);
    }
    p.setJobTitle(title, Rec.RaceName);

    ListPrint.PageNo = 0;
    row = 0;
    pageHead();

    int bands = 0;
    for (int position = 1; position <= MaxSlots; ++position) {
        const int slot = Ranking.RankOrder[position];
        if (slot < 1 || slot > MaxSlots)
            break;
        if (Race.SlotStatus1[slot] + Race.SlotStatus2[slot] > 0)
            continue;
        Rec.CurrentAthleteId = Race.SlotAthleteId[slot];
        if (Rec.CurrentAthleteId >= 1 && Rec.CurrentAthleteId <= Rec.AthleteCount)
            ReadAthleteRecord();
        else
            ClearAthleteFields();

        if (Ranking.ClassFirstFlag[slot] != 0) {
            // The first band stands on row 1, every later one leaves an
            // empty row after the class before it.
            if (bands == 0)
                row -= 1;
            ++bands;
            row += 2;
            if (p.CurrentY > 240 && row > 10) {
                p.NewPage();
                pageHead();
                row = 1;
            }
            band(slot);
        }

        row += 1;
        if (p.CurrentY > 265 && row > 10) {
            // The class running on is named again at the top of the page.
            p.NewPage();
            pageHead();
            row = 1;
            band(slot);
            row = 2;
        }
        athleteRow(slot);
    }

    // The club fields are left as reading every row's club would leave them.
    if (lastClub != 0) {
        Rec.CurrentClubNo = lastClub;
        ReadClubRecord();
    }
    p.EndDoc();
}

const QString &ResultListJob::clubName(int club)
{
    if (std::size_t(club) >= clubRead.size()) {
        clubNames.resize(club + 1);
        clubRead.resize(club + 1, false);
    }
    if (!clubRead[club]) {
        Rec.CurrentClubNo = club;
        ReadClubRecord();
        clubNames[club] = trimBlanks(Rec.ClubShortName);
        clubRead[club] = true;
    }
    lastClub = club;
    return clubNames[club];
}

void ResultListJob::pageHead()
{
    ListHeadStyle style;
    style.Title = title;
    style.RaceNameLimit = 98;
    style.ShortNameFirst = true;
    style.HeadPictures = true;
    style.PageNumberSize = layout.combination ? 9 : 8;
    // A club's name in the title ends before the logo.
    style.TitleEnd = 120;
    ListPageHead(style);

    p.FontSize = 10;
    p.FontBold = true;
    p.FontItalic = false;
    for (const Column &c : layout.heads) {
        p.CurrentX = c.x;
        p.CurrentY = 38;
        p.Print(c.maxWidth > 0 ? FitToWidth(c.head, c.maxWidth) : c.head);
    }
    p.FontBold = false;

    PrintLogo(120, 11);
}

void ResultListJob::band(int slot)
{
    GreyBand(4, 42 + 4.5 * row - 2.1, 200, 42 + 4.5 * row + 2.5, colourValue(192, 192, 192));

    QString text;
    if (Rec.EvalByClass == 1) {
        const int cell = Race.SlotClassCell[slot];
        if (cell >= 0 && cell < CellCount)
            text = Race.ClassDesignations[cell];
    } else {
        const int group = Race.SlotGroup[slot];
        if (group >= 0 && group <= NameCount)
            text = Race.GroupNames[group];
    }
    p.FontSize = 11;
    p.FontItalic = true;
    p.FontBold = false;
    p.CurrentX = layout.combination ? 65 : 79;
    p.CurrentY = rowY(row);
    p.Print(FitToColumn(text + u' ', p.CurrentX, 200), PrintEnd::StayOnLine);
    p.FontItalic = false;
}

void ResultListJob::printTime(double seconds, double x)
{
    Work.HmsInput = seconds;
    SecondsToHms();
    FormatHms();
    p.CurrentX = x;
    p.CurrentY = rowY(row);
    p.Print(Work.WorkText);
}

QString ResultListJob::bestTimeTitle(int slot, double *size) const
{
    *size = 8;
    const double total = Ranking.SlotTotalTime[slot];
    const bool female = Rec.AthleteSex == 0 && total == Ranking.BestTimeFemale;
    const bool male = Rec.AthleteSex == 1 && total == Ranking.BestTimeMale;
    if (!female && !male)
        return {};
    switch (Rec.BestTimeTitle) {
    case 1: return QStringLiteral("Bestzeit");
    case 2: return QStringLiteral("Tagesbestzeit");
    case 3: return female ? QStringLiteral("Ortsmeisterin") : QStringLiteral("Ortsmeister");
    case 4:
        *size = 6.5;
        return female ? QStringLiteral("Vereinsmeisterin") : QStringLiteral("Vereinsmeister");
    default: return {};
    }
}

void ResultListJob::athleteRow(int slot)
{
    const double y = rowY(row);
    p.FontBold = false;
    p.FontItalic = false;
    p.FontSize = 10;

    p.CurrentX = 6;
    p.CurrentY = y;
    p.Print(rightChars(blanks(3) + num::plainNumberText(Ranking.SlotRank[slot]), 3) + u'.');

    if (layout.startNoX > 0) {
        const QString number = num::plainNumberText(Race.SlotStartNo[slot]);
        p.CurrentX = layout.startNoX;
        p.CurrentY = y;
        p.Print(number.size() < 4 ? blanks(4 - number.size()) + number : number);
    }

    p.CurrentX = layout.nameX;
    p.CurrentY = y;
    p.Print(FitToWidth(leftChars(trimBlanks(Rec.AthleteName), 26),
                       layout.clubX - layout.nameX - CellGap));

    int club = 0;
    switch (Race.SlotClub[slot]) {
    case 1: club = Rec.AthleteClub1; break;
    case 2: club = Rec.AthleteClub2; break;
    case 3: club = Rec.AthleteClub3; break;
    default: break;
    }
    if (club >= 1 && club <= Rec.ClubCount) {
        const QString &name = clubName(club);
        if (!name.isEmpty()) {
            p.CurrentX = layout.clubX;
            p.CurrentY = y;
            p.Print(FitToWidth(leftChars(name, 20), layout.yearX - layout.clubX - CellGap));
        }
    }

    p.FontSize = 9;
    const QDate birth = dates::dateFromOle(Rec.AthleteBirthDate);
    if (birth.isValid()) {
        p.CurrentX = layout.yearX;
        p.CurrentY = y;
        p.Print(QStringLiteral("%1").arg(birth.year(), 4, 10, QLatin1Char('0')));
    }

    if (layout.combination) {
        const int entry = combiTimes->rowOf(slot);
        if (combiTimes->has(entry, 1))
            printTime(CupTable.CombiTimes[entry][1], layout.time1X);
        if (combiTimes->has(entry, 2))
            printTime(CupTable.CombiTimes[entry][2], layout.time2X);
        printTime(Ranking.SlotTotalTime[slot], layout.totalX);
    } else {
        printTime(Ranking.SlotAdjTime1[slot], layout.time1X);
        if (Rec.TwoRuns == 1) {
            printTime(Ranking.SlotAdjTime2[slot], layout.time2X);
            printTime(Ranking.SlotTotalTime[slot], layout.totalX);
        }
    }

    if (Rec.BestTimeTitle != 0) {
        double size = 8;
        const QString text = bestTimeTitle(slot, &size);
        if (!text.isEmpty()) {
            p.FontSize = size;
            p.CurrentX = 180;
            p.CurrentY = y;
            p.Print(text);
        }
    }
}

} // namespace

void PrintResultList()
{
    const RecordFile::ReadScope athletes(Channels.AthleteFile);
    const RecordFile::ReadScope clubs(Channels.ClubFile);
    ResultListJob job;
    job.run();
}
