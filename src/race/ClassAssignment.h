#pragma once
// Age classes of the current race: every entry's class and class cell from
// the athletes' birth years and the race's evaluation criteria.
#include <QString>
#include <array>

#include "core/SharedState.h"

struct ClassCountState {
    // Entries whose birth year lies in the range of class k, and those of
    // them with both run statuses 0 (1..20).
    std::array<int, ClassCount + 1> ClassEntryCount{};
    std::array<int, ClassCount + 1> ClassOkCount{};
};

extern ClassCountState Classes;

// Recomputes SlotClass, SlotClassOrder and SlotClassCell of every entry and
// the counts per class. Every class whose range holds an entry's birth year
// counts it; the highest such class is the entry's class. An entry in no
// named class, or whose athlete number lies outside the athlete file, keeps
// its class, start-order number and cell and counts nowhere. Reads one
// athlete record per entry (the athlete variables end at the last one read)
// and touches no window. A race by classes whose start order was never set
// gets its cells numbered first (NumberUnsetClassCells), so that every
// window that assigns the classes ranks and starts them apart.
void AssignClasses();
// The same without the numbering: for the class-rules window while the
// classes are still being named (their designations would keep the names
// of the moment); it numbers them when it closes.
void AssignClassesKeepingStartOrder();

// Repairs the birth-year chain of the class table, assigns the classes and
// refills the class-rules window's list when that window is loaded (it is
// not loaded for this). Defined with its window in Form10.cpp.
void NormalizeClassRules();

// One pass of the year repair: class 1 ends at the current year, the last
// named class begins at 1900, the classes after it are cleared, a first year
// after its last year is pulled down to it, and each class ends one year
// before the previous, younger one begins. The chain can leave a class
// beginning after its new end, which the next pass mends.
void RepairClassYears();

// The year part of NormalizeClassRules: RepairClassYears until a pass
// changes nothing (at most a pass per class and one more). Afterwards no
// class begins after it ends, also where the chain cannot close (more
// classes than years after 1900: the oldest then begin before 1900).
void SettleClassYears();

// The class cell code (k - 1) * 8 + sex + 2 * guest + 4 * boarder, each
// part 0 or 1.
int ClassCellCode(int k, int sex, int guest, int boarder);

// The class-rules list line of class k:
// " 3 Kinder U8           2007 - 2007  (4/5)".
QString ClassRuleLine(int k);
