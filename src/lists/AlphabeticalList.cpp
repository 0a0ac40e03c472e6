#include "AlphabeticalList.h"

#include "ListRows.h"
#include "PrintHelpers.h"
#include "core/SharedState.h"
#include "platform/Redraw.h"
#include "platform/NumberText.h"
#include "platform/Printer.h"
#include "platform/Strings.h"

namespace {

void pageHead()
{
    ListHeadStyle style;
    style.Title = QStringLiteral("Alphabetische Teilnehmerliste");
    style.RaceNameLimit = 98;
    style.ShortNameFirst = true;
    style.HeadPictures = true;
    ListPageHead(style);

    Printer &p = printer();
    p.FontName = QStringLiteral("Arial");
    p.FontSize = 10;
    p.FontBold = true;
    p.FontItalic = false;
    const struct {
        double x;
        QString text;
    } heads[] = {
        {20, QStringLiteral("St.Nr.")},
        {34, QStringLiteral("Name")},
        {79, QStringLiteral("Verein/Mannschaft")},
        {130, Rec.EvalByClass != 0 ? QStringLiteral("Klasse") : QStringLiteral("Gruppe")},
    };
    for (const auto &h : heads) {
        p.CurrentX = h.x;
        p.CurrentY = 38;
        p.Print(h.text);
    }
    p.FontBold = false;
}

void entryRow(int slot, double row)
{
    Printer &p = printer();
    const double y = ListRowY(row);
    p.FontName = QStringLiteral("Arial");
    p.FontBold = false;
    p.FontItalic = false;
    auto cell = [&](double x, const QString &text) {
        p.CurrentX = x;
        p.CurrentY = y;
        p.FontSize = 9;
        p.Print(text);
    };
    cell(20, rightChars(blanks(4) + num::plainNumberText(Race.SlotStartNo[slot]), 4));
    // Each cut before the next column also where wide capitals would reach it.
    p.FontSize = 9;
    cell(34, FitToColumn(leftChars(Rec.AthleteName, 26), 34, 79));
    const QString club = SlotClubText(slot);
    if (!club.isEmpty())
        cell(79, FitToColumn(leftChars(club, 25), 79, 130));
    // Inside the row's frame.
    if (Rec.EvalByClass == 1)
        cell(130, FitToColumn(SlotDesignation(slot), 130, 190));
    else if (Rec.EvalByClass == 0)
        cell(130, FitToColumn(SlotGroupName(slot), 130, 190));

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

    SortedTextList &list = PrintSortList();
    list.clear();
    for (int slot = 1; slot <= MaxSlots; ++slot) {
        Rec.CurrentAthleteId = Race.SlotAthleteId[slot];
        if (Rec.CurrentAthleteId == 0)
            continue;
        ReadSlotAthlete(slot);
        if (Rec.AthleteName.isEmpty())
            continue;
        list.add(Rec.AthleteName + blanks(3) + num::plainNumberText(slot));
    }
    letWindowSystemRedraw();
    letWindowSystemRedraw();

    Printer &p = printer();
    ListPrint.PageNo = 0;
    p.setJobTitle(QStringLiteral("Alphabetische Teilnehmerliste"), Rec.RaceName);
    pageHead();
    double row = 0;
    for (const QString &line : list.lines()) {
        const int slot = SortLineSlot(line);
        if (slot == 0)
            continue;
        Work.CurrentSlot = slot;
        ReadSlotAthlete(slot);
        row += 1;
        // At least ten rows on a page.
        if (p.CurrentY > 265 && row > 10) {
            row = 1;
            p.NewPage();
            pageHead();
        }
        entryRow(slot, row);
    }
    p.EndDoc();
}
