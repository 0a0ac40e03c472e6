#include "CoverSheet.h"

#include "PrintHelpers.h"
#include "core/SharedState.h"
#include "platform/Clock.h"
#include "platform/DateText.h"
#include "platform/NumberText.h"
#include "platform/Pictures.h"
#include "platform/Printer.h"
#include "platform/Strings.h"
#include "platform/TextFile.h"
#include "race/Form21.h"

namespace {

constexpr int StatusNotAtStart = 1, StatusNotInFinish = 2, StatusDisqualified = 3;

enum class Column { Left, Right };

// A label ending at x 58 (153) in bold, its value from x 60 (155).
void printPair(double y, Column column, const QString &label, const PrintItem &value)
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
    Work.WorkText = value.text();
    p.Print(value);
}

QString dateText(double ole)
{
    return dates::germanDateText(ole);
}

void printRaceData()
{
    const RecordState &r = Rec;
    printPair(125, Column::Left, QStringLiteral("Ort:"), r.RacePlace);
    printPair(125, Column::Right, QStringLiteral("Datum:"), dateText(r.RaceDate));
    printPair(130, Column::Left, QStringLiteral("Zeit:"), r.StartTimeText);
    printPair(130, Column::Right, QStringLiteral("Durchführender Verein:"), r.HostClub);
    printPair(135, Column::Left, QStringLiteral("Veranstalter:"), r.Organiser);
    if (num::numericValue(r.NumberOfGates) >= 1)
        printPair(135, Column::Right, QStringLiteral("Anzahl der Tore:"), r.NumberOfGates);
    if (!r.RaceDirector.isEmpty())
        printPair(140, Column::Left, QStringLiteral("Rennleiter:"), r.RaceDirector);
    if (!r.CourseSetter.isEmpty())
        printPair(140, Column::Right, QStringLiteral("Kurssetzung:"), r.CourseSetter);
    printPair(145, Column::Left, QStringLiteral("Startrichter:"), r.StartReferee);
    printPair(145, Column::Right, QStringLiteral("Zielrichter:"), r.FinishReferee);
    printPair(150, Column::Left, QStringLiteral("Zeitnehmung/Auswertung:"), r.TimingOfficial);
    printPair(150, Column::Right, QStringLiteral("Chefkampfrichter:"), r.ChiefJudge);
}

void printBanners(Form21 &banners)
{
    Printer &p = printer();
    for (int k = 0; k < BannerCount; ++k) {
        if (banners.Check1(k).Value() == 0)
            continue;
        const QString file = App.DataDir + trimBlanks(banners.Text1(k).Text());
        if (!fileExists(file))
            continue;
        // A file that is no picture is left out like a missing one.
        const QImage picture = loadPicture(file);
        if (picture.isNull())
            continue;
        banners.Image2.setPicture(picture);
        letWindowSystemRedraw();
        const double x = num::numericValue(banners.Text2(k).Text());
        const double y = num::numericValue(banners.Text3(k).Text());
        const double percent = num::numericValue(banners.Text4(k).Text());
        const QSizeF own = banners.MeasuredSizeMm();
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

void PrintCoverSheet()
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
    p.Print(App.OrganisationName);

    PrintLogo(150, 11);

    p.DrawWidth = 5;
    p.Line(20, 30, 185, 30);

    p.CurrentY = 40;
    p.FontSize = 30;
    p.FontBold = true;
    Work.WorkText = trimBlanks(Rec.RaceShortName).isEmpty() ? Rec.RaceName : Rec.RaceShortName;
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
    printPair(160, Column::Left, QStringLiteral("Läufer am Start:"), counts.started);
    printPair(160, Column::Right, QStringLiteral("Läufer im Ziel:"), counts.finished);
    printPair(165, Column::Left, QStringLiteral("Disqualifiziert:"), counts.disqualified);
    printPair(165, Column::Right, QStringLiteral("Läufer nicht im Ziel:"), counts.notInFinish);

    // The banner rows; reaching them loads the banner window hidden.
    Form21 &banners = form<Form21>();
    bool bannerBand = false;
    for (int k = 0; k < BannerCount; ++k)
        if (banners.Check1(k).Value() == 1)
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
    Work.WorkText = trimBlanks(Rec.RacePlace) + QStringLiteral(", am ")
        + dates::germanDateText(dates::oleFromDate(sysclock::today()));
    PrintRightAligned();

    // After every text and line, so a banner placed over them covers them.
    printBanners(banners);

    p.EndDoc();
    setHourglass(false);
}
