#include "AlphabeticalList.h"

#include "ListRows.h"
#include "PrintHelpers.h"
#include "core/SharedState.h"
#include "platform/Printer.h"

namespace {

void pageHead()
{
    ListPageHead(PictureListHead(QStringLiteral("Alphabetische Teilnehmerliste")));

    PrintColumnHeads(
        10, 38,
        {{20, QStringLiteral("St.Nr.")},
         {34, QStringLiteral("Name")},
         {79, QStringLiteral("Verein/Mannschaft")},
         {130, Rec.EvalByClass != 0 ? QStringLiteral("Klasse") : QStringLiteral("Gruppe")}});
}

void entryRow(int slot, double row)
{
    Printer &p = printer();
    const double y = ListRowY(row);
    p.FontName = QStringLiteral("Arial");
    p.FontBold = false;
    p.FontItalic = false;
    p.FontSize = 9;
    PrintNumberNameClub(slot, y, 25, 130);
    // Inside the row's frame.
    if (Rec.EvalByClass == 1)
        PrintAt(130, y, FitToColumn(SlotDesignation(slot), 130, 190));
    else if (Rec.EvalByClass == 0)
        PrintAt(130, y, FitToColumn(SlotGroupName(slot), 130, 190));

    // The row's frame; it leaves the position at its bottom-right corner,
    // where the next row's page test reads it.
    p.DrawWidth = 2;
    p.FillColor = App.ColourTable[8];
    p.Line(20, 39.5 + 4.5 * row, 190, 39.5 + 4.5 * (row + 1), 0, LineShape::Box);
}

} // namespace

void PrintAlphabeticalList()
{
    const RecordFile::ReadScope athletes(Channels.AthleteFile);
    PrintRun run;

    // By name alone.
    const std::vector<int> entries = SortedEntrySlots([](int) { return QString(); });

    Printer &p = printer();
    ListPrint.PageNo = 0;
    p.setJobTitle(QStringLiteral("Alphabetische Teilnehmerliste"), Rec.RaceName);
    pageHead();
    // At least ten rows on a page.
    PrintEntryRows(
        entries, [&p](double row) { return p.CurrentY > 265 && row > 10; }, pageHead,
        entryRow);
    p.EndDoc();
}
