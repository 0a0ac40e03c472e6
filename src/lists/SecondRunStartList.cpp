#include "SecondRunStartList.h"

#include "ListRows.h"
#include "PrintHelpers.h"
#include "core/SharedState.h"
#include "platform/NumberText.h"
#include "platform/Printer.h"
#include "race/RankingRefresh.h"
#include "race/Ranking.h"

namespace {

constexpr int RowsPerPage = 52;

// Places 1 to 15 (and the entries the run-1 ranking left out, rank 0 and
// time 0) before 50000, the faster the later; places 16 on after it, the
// faster the earlier.
QString keyPrefix(int slot)
{
    const double time = Ranking.SlotAdjTime1[slot];
    const double value = Ranking.SlotRank[slot] < 16 ? 50000 - time : 50000 + time;
    return num::formatNumber(SlotListGroup(slot), u"0##") + u' '
        + num::formatNumber(value, u"00000.00");
}

void pageHead()
{
    ListHeadStyle style;
    style.Title = QStringLiteral("Startliste 2.Durchgang");
    style.RaceNameLimit = 110;
    style.StartsRowCounter = true;
    ListPageHead(style);

    std::vector<ColumnHead> heads = NumberNameSexYearHeads(90);
    heads.push_back(
        {110, Rec.EvalByClass == 1 ? QStringLiteral("Klasse") : QStringLiteral("Gruppe")});
    heads.push_back({170, QStringLiteral("Status")});
    PrintColumnHeads(11, 37, heads);
}

// The next row of the page; past the last one the list goes on on a new
// page, whose head starts the rows at 1. A separator needs the row of its
// class's first entry under it on the same page.
void nextRow(int rowsNeeded = 1)
{
    ListPrint.RowCounter += 1;
    if (ListPrint.RowCounter + rowsNeeded - 1 > RowsPerPage) {
        printer().NewPage();
        pageHead();
    }
}

void entryRow(int slot)
{
    Printer &p = printer();
    const double y = ListRowY(ListPrint.RowCounter);
    p.FontSize = 9;
    p.FontBold = false;
    PrintNumberNameSexYear(slot, y, 90);
    PrintAt(110, y, FitToColumn(SlotClassOrGroup(slot), 110, 170));
    PrintAt(170, y, FitToColumn(StatusName(Race.SlotStatus1[slot]), 170, 200));
}

} // namespace

void PrintSecondRunStartList()
{
    PrintSecondRunStartList(PrintButtonSwitch());
}

void PrintSecondRunStartList(const PrintButtonSwitch &button)
{
    const RecordFile::ReadScope athletes(Channels.AthleteFile);
    PrintRun run(button);

    // A ranking window the user has open shows the ranking.
    RankAfterRun1();
    RefreshRankingWindow();

    const std::vector<int> entries = SortedEntrySlots(keyPrefix);

    Printer &p = printer();
    ListPrint.PageNo = 0;
    p.setJobTitle(QStringLiteral("Startliste 2.Durchgang"), Rec.RaceName);
    pageHead();

    int group = -1;
    ListPrint.RowCounter = 0;
    for (const int slot : entries) {
        ReadSlotAthlete(slot);
        if (SlotListGroup(slot) != group) {
            // A class or group opens with a rule on a row of its own.
            group = SlotListGroup(slot);
            nextRow(2);
            p.Line(20, 42 + 4.5 * ListPrint.RowCounter, 190, 42 + 4.5 * ListPrint.RowCounter);
        }
        nextRow();
        entryRow(slot);
    }

    p.EndDoc();
}
