#include "NotClassifiedList.h"

#include "ListRows.h"
#include "PrintHelpers.h"
#include "core/SharedState.h"
#include "platform/NumberText.h"
#include "platform/Printer.h"

namespace {

constexpr int RowsPerPage = 52;

void pageHead()
{
    ListHeadStyle style;
    style.Title = QStringLiteral("Nicht in der Wertung");
    style.RaceNameLimit = 110;
    ListPageHead(style);

    const bool twoRuns = Rec.TwoRuns == 1;
    std::vector<ColumnHead> heads = NumberNameSexYearHeads(100);
    heads.push_back(
        {125, Rec.EvalByClass != 0 ? QStringLiteral("Klasse") : QStringLiteral("Gruppe")});
    heads.push_back({155, twoRuns ? QStringLiteral("1.Dg.") : QStringLiteral("Grund")});
    heads.push_back({175, twoRuns ? QStringLiteral("2.Dg.") : QString()});
    PrintColumnHeads(11, 37, heads);
}

void entryRow(int slot, double row)
{
    Printer &p = printer();
    const double y = ListRowY(row);
    p.FontName = QStringLiteral("Arial");
    p.FontSize = 9;
    p.FontItalic = false;
    p.FontBold = false;
    PrintNumberNameSexYear(slot, y, 100);
    // The plain class name of the class number, not the cell's designation.
    PrintAt(125, y,
            FitToColumn(Rec.EvalByClass != 0 ? SlotClassName(slot) : SlotGroupName(slot), 125,
                        145));
    PrintAt(145, y, Race.SlotGuest[slot] == 1 ? QStringLiteral("G") : QStringLiteral("-"));
    p.FontBold = true;
    if (Race.SlotStatus1[slot] > 0)
        PrintAt(155, y, StatusName(Race.SlotStatus1[slot]));
    if (Race.SlotStatus2[slot] > 0)
        PrintAt(175, y, StatusName(Race.SlotStatus2[slot]));
    p.FontBold = false;
}

} // namespace

void PrintNotClassifiedList()
{
    PrintNotClassifiedList(PrintButtonSwitch());
}

void PrintNotClassifiedList(const PrintButtonSwitch &button)
{
    const RecordFile::ReadScope athletes(Channels.AthleteFile);
    PrintRun run(button);

    // By start number; only entries with a run status other than "ok".
    const std::vector<int> entries = SortedEntrySlots(
        [](int slot) { return num::formatNumber(Race.SlotStartNo[slot], u"0###"); },
        [](int slot) { return Race.SlotStatus1[slot] + Race.SlotStatus2[slot] != 0; });
    if (entries.empty())
        return;

    Printer &p = printer();
    ListPrint.PageNo = 0;
    p.setJobTitle(QStringLiteral("Nicht in der Wertung"), Rec.RaceName);
    pageHead();
    PrintEntryRows(
        entries, [](double row) { return row > RowsPerPage; }, pageHead, entryRow);
    p.EndDoc();
}
