#pragma once
// Start numbers of the current race's entries, without any window: the lines
// of the participant list, the check of a typed number, the random draw per
// start block, the numbering of one class or group, and clearing.
#include <QString>
#include <QStringList>
#include <QStringView>

// Every list keys start numbers with four digits, so no number goes higher.
constexpr int HighestStartNo = 9999;

// A participant line: the start number right-aligned in 5 characters, two
// blanks, the name, ten blanks and the slot ("    7  MAIER Hans          12").
// Sorted as text, the lines come in start-number order, 0 first.
QString startNumberLine(int startNo, const QString &name, int slot);
// The slot at the end of a participant line (its last 6 characters).
int slotOfStartNumberLine(const QString &line);
// The participant lines of every entry whose athlete has a name, in slot
// order. Reads the athletes; the current athlete stays as it was.
QStringList startNumberLines();

// The name of a slot's athlete; "" for a free slot and for an athlete number
// outside the athlete file.
QString entryName(int slot);

// The start block of a slot in three digits: its class start-order number
// when the race is evaluated by classes, else its group.
QString startBlockKey(int slot);

// A typed start number: its value when the text (blanks around it aside) is
// a whole number 1..9999, else 0 (refused). "12,5" and "12a" are refused.
int typedStartNo(QStringView text);
// True when an entry already holds the number.
bool startNoTaken(int startNo);

// The reserve gap between start blocks as typed: rounded to a whole number,
// a negative one counts as 0.
int reserveGap(QStringView text);
// The first number of a block numbering as typed, rounded to a whole number.
int firstStartNo(QStringView text);

enum class NumberingResult {
    Done,
    FirstOutOfRange,   // the first number is not in 1..HighestStartNo
    BeyondHighest,     // the numbers would run past HighestStartNo
};

// Gives every entry with a named athlete a start number: start blocks in
// ascending key order, gap numbers left free between two blocks, numbering
// from 1, random order inside a block (rnd::next per entry in slot order).
// Changes nothing unless every number fits.
NumberingResult drawStartNumbers(int gap);

// Numbers the entries of class (evaluated by classes) or group chosen from
// first on, in name order inside each start block, gap numbers free between
// the blocks. Changes nothing unless every number fits.
NumberingResult numberStartBlock(int chosen, int first, int gap);

// Start number 0 for slots 1..1000.
void clearStartNumbers();
// True when any slot holds a start number.
bool anyStartNumber();
