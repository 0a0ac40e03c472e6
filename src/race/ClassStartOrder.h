#pragma once
// The class cells of the current race as the class-order window shows them:
// a grid of 20 rows (one per class) by 8 columns (the cells of a class), the
// start-order number and the designation of every cell. Cells with equal
// numbers are merged into one start block and one ranking group.
#include <QString>
#include <array>
#include <cstdint>

#include "core/SharedState.h"

constexpr int GridColumns = 8;
constexpr int GridRows = ClassCount;
// Start-order numbers are whole numbers 0..999 (0: none given); the sort
// keys of the rankings hold three digits.
constexpr int HighestStartOrder = 999;

struct ClassStartOrderState {
    // The start-order numbers the window edits, by grid index 0..159; written
    // back into ClassCellOrder when the window closes.
    std::array<std::int16_t, CellCount> ClassStartOrder{};
};

extern ClassStartOrderState StartOrder;

// Grid index i belongs to class i / 8 + 1; its cell i % 8 is, from the
// lowest bit up, sex, guest, boarder: the class cell code.
int gridClass(int index);
int gridSex(int index);
int gridGuest(int index);
int gridBoarder(int index);
int &cellOrderOf(int index);   // ClassCellOrder of the cell at index

// Geometry in twips: cell i in row i / 8 and column i % 8.
constexpr int GridLeft = 2280;
constexpr int GridTop = 1320;
constexpr int ColumnStep = 480;
constexpr int RowStep = 240;
constexpr int CellWidth = 495;
constexpr int CellHeight = 255;
constexpr int ColumnHeadingTop = 960;
constexpr int RowHeadingLeft = 240;
constexpr int RowHeadingWidth = 2055;
int cellLeft(int index);
int cellTop(int index);
int columnLeft(int column);
int rowTop(int row);

// The designation a cell gets when none is typed: the class name, then
// " weiblich" / " männlich" when the race splits by sex, " Gäste" for the
// guest cells with guests apart and " Boarder" for the boarder cells with
// boarders apart ("Kinder U10 männlich Gäste").
QString defaultDesignation(int index);

// Whether a cell belongs to a split the race's criteria leave on, so that
// entries can land in it.
bool cellInUse(int index);

// ClassStartOrder from ClassCellOrder for the named classes (0 for the
// others); an empty designation of a named class's cell gets its default.
void readClassStartOrder();
// ClassStartOrder back into ClassCellOrder for the named classes; unnamed
// classes keep their numbers.
void writeBackClassStartOrder();
// Every number 0 and the designations of the named classes' cells rebuilt
// as their defaults, replacing typed ones.
void clearClassStartOrder();

// A race evaluated by classes in which every cell in use of the named
// classes still has number 0 (the start order was never set) would rank and
// start all its classes as one group. Such cells are numbered 1, 2, 3, ... in
// grid order, as a user clicking them one after another would, and a cell
// without a designation gets its default, so that each class is ranked and
// started by itself. Whoever wants all classes in one group gives them one
// number other than 0. Nothing changes for a race by groups, one without a
// named class, or one where any cell in use has a number. True when it
// numbered.
bool NumberUnsetClassCells();

// The number a cell without one gets when it is clicked: the highest number
// of the grid plus 1; 0 when that would pass HighestStartOrder.
int nextClassStartOrder();

// A typed start-order number: a whole number 0..999 and nothing else
// (blanks around it allowed, an empty text is 0). False for anything else,
// with *value untouched.
bool startOrderFromText(const QString &text, int *value);
