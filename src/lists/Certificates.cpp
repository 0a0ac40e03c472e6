#include "Certificates.h"

#include <algorithm>
#include <array>

#include "PrintHelpers.h"
#include "core/NumberTimeText.h"
#include "core/ProgramPictures.h"
#include "core/RecordFiles.h"
#include "core/SharedState.h"
#include "platform/Clock.h"
#include "platform/DateText.h"
#include "platform/NumberText.h"
#include "platform/Printer.h"
#include "platform/Redraw.h"
#include "platform/Strings.h"
#include "race/RankingRefresh.h"
#include "race/Ranking.h"

namespace {

// Where each pictogram goes on the page (mm), by CertificatePictogram.
struct PictogramPlace {
    double x, y, width, height;
};
constexpr PictogramPlace PictogramPlaces[8] = {
    {50, 105, 100, 65},   // skier
    {52, 98, 100, 80},    // snowboarder
    {54, 105, 100, 75},   // sledger
    {56, 97, 90, 84},     // running child
    {80, 97, 40, 84},     // female runner
    {80, 97, 34, 84},     // male runner
    {56, 97, 80, 84},     // running pair
    {70, 97, 60, 84},     // cyclist
};

// The eight pictograms, decoded once: they are compiled into the program and
// never change. An opaque picture is kept in the 32-bit form the PDF writer
// would otherwise convert it to on every certificate (each is a job, and so
// a document, of its own); the pixels stay the same.
const QImage &pictogram(int k)
{
    static const std::array<QImage, 8> pictures = [] {
        std::array<QImage, 8> decoded;
        for (int n = 1; n <= 8; ++n) {
            QImage picture = PictogramPicture(n);
            if (!picture.isNull() && !picture.hasAlphaChannel())
                picture = picture.convertToFormat(QImage::Format_RGB32);
            decoded[std::size_t(n - 1)] = picture;
        }
        return decoded;
    }();
    return pictures[std::size_t(k)];
}

void setFont(double size, bool bold, bool italic)
{
    Printer &p = printer();
    p.FontSize = size;
    p.FontBold = bold;
    p.FontItalic = italic;
}

// Every text keeps 20 mm off both edges of the sheet.
constexpr double TextLimitMm = 170;
constexpr double OrganisationLeftMm = 20;
constexpr double LogoLeftMm = 150;

// The font one point smaller while the text is wider than the limit (as the
// race name of the list heads is fitted); never below 1 pt. A width that is
// no number leaves the size as it is.
void fitFontSize(const QString &text, double limitMm)
{
    Printer &p = printer();
    while (p.FontSize > 1 && p.TextWidth(text) > limitMm)
        p.FontSize = std::max(1.0, double(p.FontSize) - 1);
}

// Centred on the page at y, in the current font, made smaller when it would
// leave the page; the font size of the next text is the one set before.
void printCentredAt(double y, const QString &text)
{
    Printer &p = printer();
    const auto size = p.FontSize;
    p.CurrentY = y;
    Work.WorkText = text;
    fitFontSize(text, TextLimitMm);
    PrintCentred();
    p.FontSize = size;
}

// The title beside a best time. Whoever has a best time gets it; the sex
// only chooses the wording, and the two champion titles have no word for an
// athlete whose sex is not set.
QString bestTimeTitle()
{
    const int sex = Rec.AthleteSex;
    switch (Rec.BestTimeTitle) {
    case 1: return QStringLiteral("Bestzeit");
    case 2: return QStringLiteral("Tagesbestzeit");
    case 3:
        return sex == 0 ? QStringLiteral("Ortsmeisterin")
             : sex == 1 ? QStringLiteral("Ortsmeister")
                        : QString();
    case 4:
        return sex == 0 ? QStringLiteral("Vereinsmeisterin")
             : sex == 1 ? QStringLiteral("Vereinsmeister")
                        : QString();
    default: return {};
    }
}

// "Zeit: ", the total time (padded by FormatHms in the current font), the
// best-time title when due, and the class or group of the entry.
QString resultLine(int slot)
{
    const double total = Ranking.SlotTotalTime[slot];
    Work.HmsInput = total;
    SecondsToHms();
    FormatHms();
    QString line = QStringLiteral("Zeit: ") + Work.WorkText;

    if (total != 0 && (total == Ranking.BestTimeFemale || total == Ranking.BestTimeMale))
        line += blanks(3) + bestTimeTitle();

    // As in the result list: evaluation by classes names the class cell,
    // anything else the group.
    line += blanks(8);
    if (Rec.EvalByClass == 1) {
        const int cell = Race.SlotClassCell[slot];
        line += QStringLiteral("Klasse: ");
        if (cell >= 0 && cell < CellCount)
            line += Race.ClassDesignations[cell];
    } else {
        const int group = Race.SlotGroup[slot];
        line += QStringLiteral("Gruppe: ");
        if (group >= 0 && group <= NameCount)
            line += Race.GroupNames[group];
    }
    return line;
}

void printCertificate(int slot, const CertificateRequest &request)
{
    Printer &p = printer();
    p.setJobTitle(QStringLiteral("Urkunde"), Rec.RaceName);

    p.FontName = QStringLiteral("Times");
    p.CurrentX = OrganisationLeftMm;
    p.CurrentY = 20;
    setFont(24, false, false);
    // A long name ends before the logo, or within the page without one.
    const bool logo = !LogoPicture().isNull();
    fitFontSize(App.OrganisationName,
                logo ? LogoLeftMm - 2 - OrganisationLeftMm : TextLimitMm);
    p.Print(App.OrganisationName);

    PrintLogo(LogoLeftMm, 11);

    p.DrawWidth = 5;
    p.Line(20, 30, 185, 30, 0);

    setFont(30, true, false);
    printCentredAt(40, trimBlanks(Rec.RaceShortName).isEmpty() ? Rec.RaceName
                                                               : Rec.RaceShortName);

    p.FontName = QStringLiteral("Fraktur BT");
    setFont(85, true, false);
    printCentredAt(65, QStringLiteral("Urkunde"));
    p.FontName = QStringLiteral("Times");

    // A value outside the eight pictograms prints none; a picture that
    // cannot be had is null and paints nothing.
    const int k = Rec.CertificatePictogram;
    if (k >= 0 && k < 8) {
        const PictogramPlace &at = PictogramPlaces[k];
        p.PaintPicture(pictogram(k), at.x, at.y, at.width, at.height);
    }

    setFont(30, true, true);
    Rec.CurrentAthleteId = Race.SlotAthleteId[slot];
    if (Rec.CurrentAthleteId >= 1 && Rec.CurrentAthleteId <= Rec.AthleteCount)
        ReadAthleteRecord();
    else
        ClearAthleteFields();
    printCentredAt(180, trimBlanks(Rec.AthleteName));

    if (!request.alternativeText) {
        setFont(14, false, false);
        printCentredAt(195, QStringLiteral("belegte den"));
        setFont(32, false, false);
        printCentredAt(205, num::plainNumberText(Ranking.SlotRank[slot])
                                + QStringLiteral(". Rang"));
        // The time is padded in the face and size of its line.
        setFont(18, false, false);
        printCentredAt(225, resultLine(slot));
    } else {
        setFont(18, false, false);
        printCentredAt(200, request.text1);
        printCentredAt(210, request.text2);
        printCentredAt(220, request.text3);
    }

    // The day of printing, not the day of the race.
    setFont(14, false, false);
    printCentredAt(240, QStringLiteral("am: ")
                            + dates::germanDateText(dates::oleFromDate(sysclock::today())));

    p.DrawWidth = 3;
    p.Line(20, 260, 75, 260, 0);
    p.Line(130, 260, 185, 260, 0);
    p.DrawWidth = 5;
    p.Line(20, 275, 185, 275, 0);

    p.EndDoc();
}

// The hourglass while the certificates print; the caller's pointer after.
struct HourglassWhile {
    HourglassWhile() : before(hourglass()) { setHourglass(true); }
    ~HourglassWhile() { setHourglass(before); }
    bool before;
};

} // namespace

void PrintCertificates(const CertificateRequest &request)
{
    const RecordFile::ReadScope athletes(Channels.AthleteFile);
    HourglassWhile hourglass;
    // Nothing marked: nothing printed, and the ranking stays as it was.
    if (request.markedLines.isEmpty())
        return;
    OpenAthleteAndClubFilesIfClosed();

    // The final ranking of the whole race, whatever printout ranked last: the
    // start list of the second run leaves run-1 ranks and no totals, a club's
    // result list the ranks within that club. As the result list does, a
    // ranking window the user has open shows it.
    {
        const WholeRaceRanking wholeRace;
        if (RankingWindowLoaded()) {
            ComputeProvisionalResult();
            RefreshRankingWindow();
        } else {
            ComputeRankingWithoutWindow();
        }
    }

    // Each certificate is a job of its own; they may overlap, so the PDF
    // printer writes several at once. All are out when this returns.
    const OverlappingPrintJobs overlapping;
    for (const QString &line : request.markedLines) {
        Work.CurrentSlot = num::numericValue(rightChars(line, 4));
        // A line that names no entry slot prints nothing.
        const double slot = Work.CurrentSlot;
        if (!(slot >= 1 && slot <= MaxSlots) || slot != double(int(slot)))
            continue;
        // An entry the ranking does not classify has no rank to certify.
        if (Ranking.SlotRank[int(slot)] < 1)
            continue;
        printCertificate(int(slot), request);
    }
}
