#include "ClassStartOrder.h"

#include <cmath>

#include "platform/NumberText.h"
#include "platform/Strings.h"

ClassStartOrderState StartOrder;
static const bool registered = registerStateReset([] { StartOrder = ClassStartOrderState{}; });

namespace {

bool named(int k)
{
    return !Race.ClassNames[k].isEmpty();
}

} // namespace

int gridClass(int index)
{
    return index / GridColumns + 1;
}

int gridSex(int index)
{
    return index & 1;
}

int gridGuest(int index)
{
    return (index >> 1) & 1;
}

int gridBoarder(int index)
{
    return (index >> 2) & 1;
}

int &cellOrderOf(int index)
{
    return Race.ClassCellOrder[gridClass(index)][gridSex(index)][gridGuest(index)]
                              [gridBoarder(index)];
}

int columnLeft(int column)
{
    return GridLeft + ColumnStep * column;
}

int rowTop(int row)
{
    return GridTop + RowStep * row;
}

int cellLeft(int index)
{
    return columnLeft(index % GridColumns);
}

int cellTop(int index)
{
    return rowTop(index / GridColumns);
}

QString defaultDesignation(int index)
{
    QString d = Race.ClassNames[gridClass(index)];
    if (Rec.EvalBySex == 1)
        d += gridSex(index) == 1 ? QStringLiteral(" männlich") : QStringLiteral(" weiblich");
    if (gridGuest(index) == 1 && Rec.EvalGuestsApart == 1)
        d += QStringLiteral(" Gäste");
    if (gridBoarder(index) == 1 && Rec.EvalBoarders == 1)
        d += QStringLiteral(" Boarder");
    return d;
}

bool cellInUse(int index)
{
    if (gridSex(index) == 1 && Rec.EvalBySex != 1)
        return false;
    if (gridGuest(index) == 1 && Rec.EvalGuestsApart != 1)
        return false;
    if (gridBoarder(index) == 1 && Rec.EvalBoarders != 1)
        return false;
    return true;
}

// The grid is laid out by class number, so a grid index is always the class
// cell code by which the designations are read everywhere else, also when a
// class in the middle of the table has no name (its row stays empty).
void readClassStartOrder()
{
    for (int i = 0; i < CellCount; ++i) {
        if (!named(gridClass(i))) {
            StartOrder.ClassStartOrder[std::size_t(i)] = 0;
            continue;
        }
        StartOrder.ClassStartOrder[std::size_t(i)] = num::toInt16(cellOrderOf(i));
        QString &designation = Race.ClassDesignations[std::size_t(i)];
        if (designation.isEmpty())
            designation = defaultDesignation(i);
    }
}

void writeBackClassStartOrder()
{
    for (int i = 0; i < CellCount; ++i)
        if (named(gridClass(i)))
            cellOrderOf(i) = StartOrder.ClassStartOrder[std::size_t(i)];
}

void clearClassStartOrder()
{
    StartOrder.ClassStartOrder.fill(0);
    for (int i = 0; i < CellCount; ++i)
        if (named(gridClass(i)))
            Race.ClassDesignations[std::size_t(i)] = defaultDesignation(i);
}

bool NumberUnsetClassCells()
{
    if (Rec.EvalByClass != 1)
        return false;
    bool anyCell = false;
    for (int i = 0; i < CellCount; ++i) {
        if (!named(gridClass(i)) || !cellInUse(i))
            continue;
        if (cellOrderOf(i) != 0)
            return false;
        anyCell = true;
    }
    if (!anyCell)
        return false;
    int number = 0;
    for (int i = 0; i < CellCount; ++i) {
        if (!named(gridClass(i)) || !cellInUse(i))
            continue;
        cellOrderOf(i) = ++number;
        QString &designation = Race.ClassDesignations[std::size_t(i)];
        if (designation.isEmpty())
            designation = defaultDesignation(i);
    }
    return true;
}

int nextClassStartOrder()
{
    int highest = 0;
    for (const std::int16_t n : StartOrder.ClassStartOrder)
        if (n > highest)
            highest = n;
    return highest >= HighestStartOrder ? 0 : highest + 1;
}

bool startOrderFromText(const QString &text, int *value)
{
    if (trimBlanks(text).isEmpty()) {
        *value = 0;
        return true;
    }
    bool ok = false;
    const double v = num::decimalCommaValue(text, &ok);
    if (!ok || v != std::floor(v) || v < 0 || v > HighestStartOrder)
        return false;
    *value = int(v);
    return true;
}
