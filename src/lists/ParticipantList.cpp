#include "ParticipantList.h"

#include "ListRows.h"
#include "PrintHelpers.h"
#include "core/SharedState.h"
#include "platform/NumberText.h"
#include "platform/Printer.h"
#include "race/Ranking.h"

namespace {

// The class start order or the group the list runs by.
int groupOf(int slot)
{
    return Rec.EvalByClass == 1 ? Race.SlotClassOrder[slot] : Race.SlotGroup[slot];
}

// By class (or group), then start number.
QString keyPrefix(int slot)
{
    return num::formatNumber(groupOf(slot), u"0##")
        + num::formatNumber(Race.SlotStartNo[slot], u"0###");
}

void pageHead()
{
    ListHeadStyle style = PictureListHead(QStringLiteral("Teilnehmerliste"));
    style.StartsRowCounter = true;
    ListPageHead(style);

    PrintColumnHeads(10, 38,
                     {{20, QStringLiteral("St.Nr.")},
                      {34, QStringLiteral("Name")},
                      {79, QStringLiteral("Verein/Mannschaft")},
                      {113, QStringLiteral("Jahrg.")},
                      {133, QStringLiteral("Status")}});
}

void newPage()
{
    printer().NewPage();
    pageHead();
}

void band(int slot)
{
    PrintClassBand(slot, ListPrint.RowCounter, 20, 79, 170);
}

void entryRow(int slot)
{
    Printer &p = printer();
    const double y = ListRowY(ListPrint.RowCounter);
    p.FontBold = false;
    p.FontItalic = false;
    p.FontSize = 9;
    PrintNumberNameClub(slot, y, 20, 113);
    PrintBirthYear(113, y);
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

    const std::vector<int> entries = SortedEntrySlots(keyPrefix);

    Printer &p = printer();
    ListPrint.PageNo = 0;
    p.setJobTitle(QStringLiteral("Teilnehmerliste"), Rec.RaceName);
    pageHead();

    int bands = 0;
    // Entries of order (or group) 0 come first and get no band.
    int group = 0;
    ListPrint.RowCounter = 0;
    for (const int slot : entries) {
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
