#include "CoverSheetPage.h"

#include "PrintHelpers.h"
#include "core/SharedState.h"
#include "platform/Clock.h"
#include "platform/DateText.h"
#include "platform/NumberText.h"
#include "platform/Pictures.h"
#include "platform/Printer.h"
#include "platform/Redraw.h"
#include "platform/Strings.h"
#include "platform/TextFile.h"

namespace {

constexpr int StatusNotAtStart = 1, StatusNotInFinish = 2, StatusDisqualified = 3;

// The width of the line under the head, which the race name stays within.
constexpr double RaceNameWidth = 185 - 20;

enum class Column { Left, Right };

// Where the values of a column must end: the left column's before the right
// column's label on the same line, the right column's inside the page.
constexpr double RightValueEnd = 200;

// A label ending at x 58 (153) in bold, its value from x 60 (155), cut to
// end before valueEnd.
void printPair(double y, Column column, const QString &label, const PrintItem &value,
               double valueEnd)
{
    Printer &p = printer();
    const bool left = column == Column::Left;
    p.FontBold = true;
    p.CurrentY = y;
    p.CurrentX = left ? 58 : 153;
    p.FontSize = 12;
    Work.WorkText = label;
    PrintRightAligned();
    p.FontBold = false;
    p.CurrentY = y;
    p.CurrentX = left ? 60 : 155;
    Work.WorkText = FitToColumn(value.text(), p.CurrentX, valueEnd);
    p.Print(Work.WorkText);
}

// One line of pairs; a pair not shown is left out.
struct PairLine {
    double y;
    QString leftLabel;
    PrintItem leftValue;
    bool leftShown;
    QString rightLabel;
    PrintItem rightValue;
    bool rightShown;
};

void printPairs(const PairLine &line)
{
    Printer &p = printer();
    double leftEnd = RightValueEnd;
    if (line.rightShown) {
        p.FontSize = 12;
        p.FontBold = true;
        leftEnd = 153 - p.TextWidth(line.rightLabel);
    }
    if (line.leftShown)
        printPair(line.y, Column::Left, line.leftLabel, line.leftValue, leftEnd);
    if (line.rightShown)
        printPair(line.y, Column::Right, line.rightLabel, line.rightValue, RightValueEnd);
}

QString dateText(double ole)
{
    return dates::germanDateText(ole);
}

void printRaceData()
{
    const RecordState &r = Rec;
    printPairs({125, QStringLiteral("Ort:"), r.RacePlace, true, QStringLiteral("Datum:"),
                dateText(r.RaceDate), true});
    printPairs({130, QStringLiteral("Zeit:"), r.StartTimeText, true,
                QStringLiteral("Durchführender Verein:"), r.HostClub, true});
    printPairs({135, QStringLiteral("Veranstalter:"), r.Organiser, true,
                QStringLiteral("Anzahl der Tore:"), r.NumberOfGates,
                num::numericValue(r.NumberOfGates) >= 1});
    printPairs({140, QStringLiteral("Rennleiter:"), r.RaceDirector, !r.RaceDirector.isEmpty(),
                QStringLiteral("Kurssetzung:"), r.CourseSetter, !r.CourseSetter.isEmpty()});
    printPairs({145, QStringLiteral("Startrichter:"), r.StartReferee, true,
                QStringLiteral("Zielrichter:"), r.FinishReferee, true});
    printPairs({150, QStringLiteral("Zeitnehmung/Auswertung:"), r.TimingOfficial, true,
                QStringLiteral("Chefkampfrichter:"), r.ChiefJudge, true});
}

void printBanners(const BannerTable &banners)
{
    Printer &p = printer();
    for (const BannerEntry &banner : banners) {
        if (banner.Shown == 0)
            continue;
        const QString file = App.DataDir + trimBlanks(banner.FileName);
        if (!fileExists(file))
            continue;
        // A file that is no picture is left out like a missing one.
        const QImage picture = loadPicture(file);
        if (picture.isNull())
            continue;
        const double x = num::numericValue(banner.Right);
        const double y = num::numericValue(banner.Down);
        const double percent = num::numericValue(banner.SizePercent);
        const QSizeF own = pictureSizeMm(picture);
        p.PaintPicture(picture, x, y, own.width() * percent / 100,
                       own.height() * percent / 100);
    }
}

} // namespace

FieldCounts CountField()
{
    FieldCounts c;
    for (int s = 1; s <= MaxSlots; ++s) {
        if (Race.SlotStartNo[s] == 0)
            continue;
        const int s1 = Race.SlotStatus1[s], s2 = Race.SlotStatus2[s];
        auto either = [s1, s2](int status) { return s1 == status || s2 == status; };
        if (either(StatusNotAtStart))
            continue;
        ++c.started;
        if (either(StatusDisqualified))
            ++c.disqualified;
        else if (either(StatusNotInFinish))
            ++c.notInFinish;
        else
            ++c.finished;
    }
    return c;
}

void PrintCoverSheetPage(const BannerTable &banners)
{
    Printer &p = printer();
    setHourglass(true);
    p.setJobTitle(QStringLiteral("Titelblatt"), Rec.RaceName);

    p.FontName = QStringLiteral("Times");
    p.CurrentX = 20;
    p.CurrentY = 20;
    p.FontSize = 24;
    p.FontBold = false;
    p.FontItalic = false;
    // Ends before the logo.
    p.Print(FitToColumn(App.OrganisationName, 20, 150));

    PrintLogo(150, 11);

    p.DrawWidth = 5;
    p.Line(20, 30, 185, 30);

    p.CurrentY = 40;
    p.FontSize = 30;
    p.FontBold = true;
    Work.WorkText = trimBlanks(Rec.RaceShortName).isEmpty() ? Rec.RaceName : Rec.RaceShortName;
    // A name wider than the head line is set smaller, one point at a time,
    // as the list heads do.
    while (p.FontSize > 1 && p.TextWidth(Work.WorkText) > RaceNameWidth)
        p.FontSize -= 1;
    Work.WorkText = FitToWidth(Work.WorkText, RaceNameWidth);
    PrintCentred();

    p.FontBold = true;
    p.FontName = QStringLiteral("Times");
    p.FontSize = 48;
    p.CurrentY = 70;
    Work.WorkText = QStringLiteral("Offizielle");
    PrintCentred();
    p.CurrentY = 87;
    Work.WorkText = QStringLiteral("Ergebnisliste");
    PrintCentred();

    p.FontSize = 12;
    printRaceData();

    const FieldCounts counts = CountField();
    printPairs({160, QStringLiteral("Läufer am Start:"), counts.started, true,
                QStringLiteral("Läufer im Ziel:"), counts.finished, true});
    printPairs({165, QStringLiteral("Disqualifiziert:"), counts.disqualified, true,
                QStringLiteral("Läufer nicht im Ziel:"), counts.notInFinish, true});

    bool bannerBand = false;
    for (const BannerEntry &banner : banners)
        if (banner.Shown == 1)
            bannerBand = true;
    // Without the sponsor band the signatures move down into its place.
    const float d = bannerBand ? 0.0f : 20.0f;

    p.FontSize = 10;
    p.FontBold = false;
    p.CurrentY = d + 210;
    Work.WorkText = QStringLiteral("Für die Rennleitung");
    PrintCentredLeftHalf();
    p.CurrentY = d + 210;
    Work.WorkText = QStringLiteral("Für den Chefkampfrichter");
    PrintCentredRightHalf();

    p.DrawWidth = 3;
    p.Line(20, d + 209, 93, d + 209);
    p.Line(123, d + 209, 185, d + 209);

    p.DrawWidth = 5;
    if (bannerBand)
        p.Line(20, 228, 185, 228);

    p.FontBold = true;
    p.FontName = QStringLiteral("Times");
    p.CurrentY = 229;
    p.FontSize = 8;
    if (bannerBand) {
        Work.WorkText = QStringLiteral("Mit freundlicher Unterstützung von");
        PrintCentred();
    }

    p.CurrentX = 185;
    p.CurrentY = 278;
    p.FontSize = 8;
    p.FontBold = false;
    p.FontItalic = true;
    const QString printed = QStringLiteral(", am ")
        + dates::germanDateText(dates::oleFromDate(sysclock::today()));
    // The place gives way, so that the date of printing stays whole.
    Work.WorkText = FitToWidth(trimBlanks(Rec.RacePlace), 185 - 20 - p.TextWidth(printed))
        + printed;
    PrintRightAligned();

    // After every text and line, so a banner placed over them covers them.
    printBanners(banners);

    p.EndDoc();
    setHourglass(false);
}
