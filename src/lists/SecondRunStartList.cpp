#include "SecondRunStartList.h"

#include <QDate>

#include "Form8.h"
#include "ListRows.h"
#include "PrintHelpers.h"
#include "core/SharedState.h"
#include "platform/DateText.h"
#include "platform/Form.h"
#include "platform/NumberText.h"
#include "platform/Printer.h"
#include "platform/Strings.h"
#include "race/Form13.h"
#include "race/Ranking.h"

namespace {

constexpr int RowsPerPage = 52;

// The ranking group the list runs by: the class start order or the group.
int groupOf(int slot)
{
    return Rec.EvalByClass == 1 ? Race.SlotClassOrder[slot] : Race.SlotGroup[slot];
}

// Places 1 to 15 (and the entries the run-1 ranking left out, rank 0 and
// time 0) before 50000, the faster the later; places 16 on after it, the
// faster the earlier.
QString sortLine(int slot)
{
    const double time = Ranking.SlotAdjTime1[slot];
    const double value = Ranking.SlotRank[slot] < 16 ? 50000 - time : 50000 + time;
    return num::formatNumber(groupOf(slot), u"0##") + u' '
        + num::formatNumber(value, u"00000.00") + Rec.AthleteName + blanks(3)
        + num::plainNumberText(slot);
}

void pageHead()
{
    ListHeadStyle style;
    style.Title = QStringLiteral("Startliste 2.Durchgang");
    style.RaceNameLimit = 110;
    style.StartsRowCounter = true;
    ListPageHead(style);

    Printer &p = printer();
    p.FontSize = 11;
    p.FontBold = true;
    const struct {
        double x;
        QString text;
    } heads[] = {
        {20, QStringLiteral("StartNr.")},
        {45, QStringLiteral("Name")},
        {90, QStringLiteral("m/w")},
        {100, QStringLiteral("Jahr")},
        {110, Rec.EvalByClass == 1 ? QStringLiteral("Klasse") : QStringLiteral("Gruppe")},
        {170, QStringLiteral("Status")},
    };
    for (const auto &h : heads) {
        p.CurrentX = h.x;
        p.CurrentY = 37;
        p.Print(h.text);
    }
    p.FontBold = false;
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
    auto cell = [&](double x, const PrintItem &item) {
        p.CurrentX = x;
        p.CurrentY = y;
        p.Print(item);
    };
    cell(20, Race.SlotStartNo[slot]);
    cell(45, FitToColumn(Rec.AthleteName, 45, 90));
    cell(90, Rec.AthleteSex == 1 ? QStringLiteral("m") : QStringLiteral("w"));
    const QDate birth = dates::dateFromOle(Rec.AthleteBirthDate);
    if (birth.isValid())
        cell(100, birth.year());
    cell(110, FitToColumn(Rec.EvalByClass == 1 ? SlotDesignation(slot) : SlotGroupName(slot),
                          110, 170));
    cell(170, FitToColumn(StatusName(Race.SlotStatus1[slot]), 170, 200));
}

} // namespace

void PrintSecondRunStartList()
{
    const RecordFile::ReadScope athletes(Channels.AthleteFile);
    PrintRun run(isLoaded<Form8>() ? &form<Form8>().Command2 : nullptr);

    // A ranking window the user has open shows the ranking.
    RankAfterRun1();
    RefreshRankingWindow();

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
    p.setJobTitle(QStringLiteral("Startliste 2.Durchgang"), Rec.RaceName);
    pageHead();

    int group = -1;
    ListPrint.RowCounter = 0;
    for (const QString &line : list.lines()) {
        const int slot = SortLineSlot(line);
        if (slot == 0)
            continue;
        ReadSlotAthlete(slot);
        if (groupOf(slot) != group) {
            // A class or group opens with a rule on a row of its own.
            group = groupOf(slot);
            nextRow(2);
            p.Line(20, 42 + 4.5 * ListPrint.RowCounter, 190, 42 + 4.5 * ListPrint.RowCounter);
        }
        nextRow();
        entryRow(slot);
    }

    p.EndDoc();
}
