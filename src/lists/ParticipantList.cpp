#include "ParticipantList.h"

#include "ListRows.h"
#include "PrintHelpers.h"
#include "core/SharedState.h"
#include "platform/NumberText.h"
#include "platform/Printer.h"
#include "race/Ranking.h"

namespace {

// By class (or group), then start number.
QString keyPrefix(int slot)
{
    return num::formatNumber(SlotListGroup(slot), u"0##")
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

    // Entries of order (or group) 0 come first and get no band.
    int group = 0;
    ListPrint.RowCounter = 0;
    BandedRows rows(ListPrint.RowCounter, newPage, band);
    for (const int slot : entries) {
        Ranking.ClassFirstFlag[slot] = 0;
        if (SlotListGroup(slot) != group) {
            group = SlotListGroup(slot);
            Ranking.ClassFirstFlag[slot] = 1;
        }
        ReadSlotAthlete(slot);
        rows.next(slot, Ranking.ClassFirstFlag[slot] == 1, group != 0);
        entryRow(slot);
    }

    p.EndDoc();
}
