#include "ParticipantList.h"

#include <QDate>

#include "ListRows.h"
#include "PrintHelpers.h"
#include "core/SharedState.h"
#include "platform/Colours.h"
#include "platform/DateText.h"
#include "platform/Redraw.h"
#include "platform/NumberText.h"
#include "platform/Printer.h"
#include "platform/Strings.h"
#include "race/Ranking.h"

namespace {

// The class start order or the group the list runs by.
int groupOf(int slot)
{
    return Rec.EvalByClass == 1 ? Race.SlotClassOrder[slot] : Race.SlotGroup[slot];
}

QString sortLine(int slot)
{
    return num::formatNumber(groupOf(slot), u"0##")
        + num::formatNumber(Race.SlotStartNo[slot], u"0###") + Rec.AthleteName + blanks(3)
        + num::plainNumberText(slot);
}

void pageHead()
{
    ListHeadStyle style;
    style.Title = QStringLiteral("Teilnehmerliste");
    style.RaceNameLimit = 98;
    style.ShortNameFirst = true;
    style.HeadPictures = true;
    style.StartsRowCounter = true;
    ListPageHead(style);

    Printer &p = printer();
    p.FontSize = 10;
    p.FontBold = true;
    const struct {
        double x;
        const char16_t *text;
    } heads[] = {
        {20, u"St.Nr."}, {34, u"Name"}, {79, u"Verein/Mannschaft"}, {113, u"Jahrg."},
        {133, u"Status"},
    };
    for (const auto &h : heads) {
        p.CurrentX = h.x;
        p.CurrentY = 38;
        p.Print(QString::fromUtf16(h.text));
    }
    p.FontBold = false;
}

void newPage()
{
    printer().NewPage();
    pageHead();
}

void band(int slot)
{
    Printer &p = printer();
    const double r = ListPrint.RowCounter;
    GreyBand(20, 42 + 4.5 * r - 2.1, 170, 42 + 4.5 * r + 2.5, colourValue(192, 192, 192));
    p.FontSize = 11;
    p.FontBold = false;
    p.FontItalic = true;
    p.CurrentX = 79;
    p.CurrentY = ListRowY(r);
    // The position stays on the band's line.
    p.Print(FitToColumn((Rec.EvalByClass == 1 ? SlotDesignation(slot) : SlotGroupName(slot))
                            + u' ',
                        79, 170),
            PrintEnd::StayOnLine);
    p.FontItalic = false;
}

void entryRow(int slot)
{
    Printer &p = printer();
    const double y = ListRowY(ListPrint.RowCounter);
    p.FontBold = false;
    p.FontItalic = false;
    p.FontSize = 9;
    auto cell = [&](double x, const PrintItem &item) {
        p.CurrentX = x;
        p.CurrentY = y;
        p.Print(item);
    };
    cell(20, rightChars(blanks(4) + num::plainNumberText(Race.SlotStartNo[slot]), 4));
    // Each cut before the next column also where wide capitals would reach it.
    cell(34, FitToColumn(leftChars(Rec.AthleteName, 26), 34, 79));
    const QString club = SlotClubText(slot);
    if (!club.isEmpty())
        cell(79, FitToColumn(leftChars(club, 20), 79, 113));
    const QDate birth = dates::dateFromOle(Rec.AthleteBirthDate);
    if (birth.isValid())
        cell(113, birth.year());
    p.FontSize = 8;
    p.CurrentX = 133;
    p.CurrentY = y;
    p.Print({StatusName(Race.SlotStatus1[slot]), StatusName(Race.SlotStatus2[slot])});
}

} // namespace

void PrintParticipantList()
{
    const RecordFile::ReadScope athletes(Channels.AthleteFile);
    PrintRun run;

    SortedTextList &list = PrintSortList();
    list.clear();
    for (int slot = 1; slot <= MaxSlots; ++slot) {
        if (Race.SlotAthleteId[slot] == 0)
            continue;
        ReadSlotAthlete(slot);
        if (Rec.AthleteName.isEmpty())
            continue;
        list.add(sortLine(slot));
    }
    letWindowSystemRedraw();
    letWindowSystemRedraw();

    Printer &p = printer();
    ListPrint.PageNo = 0;
    p.setJobTitle(QStringLiteral("Teilnehmerliste"), Rec.RaceName);
    pageHead();

    int bands = 0;
    // Entries of order (or group) 0 come first and get no band.
    int group = 0;
    ListPrint.RowCounter = 0;
    for (const QString &line : list.lines()) {
        const int slot = SortLineSlot(line);
        if (slot == 0)
            continue;
        Ranking.ClassFirstFlag[slot] = 0;
        if (groupOf(slot) != group) {
            group = groupOf(slot);
            Ranking.ClassFirstFlag[slot] = 1;
        }
        ReadSlotAthlete(slot);

        if (Ranking.ClassFirstFlag[slot] == 1) {
            // The first band stands on row 1, every later one leaves an
            // empty row after the class before it.
            if (bands == 0)
                ListPrint.RowCounter -= 1;
            ++bands;
            ListPrint.RowCounter += 2;
            if (p.CurrentY > 240 && ListPrint.RowCounter > 10)
                newPage();
            band(slot);
        }

        ListPrint.RowCounter += 1;
        if (p.CurrentY > 265 && ListPrint.RowCounter > 10) {
            newPage();
            // The class running on is named again at the top of the page.
            if (group != 0) {
                band(slot);
                ListPrint.RowCounter += 1;
            }
        }
        entryRow(slot);
    }

    p.EndDoc();
}
