#pragma once
// What the lists of entries share (start list of the second run,
// participant list, those not classified, alphabetical list, and in part the
// result and the team lists): the hidden sorted list they order their rows
// in, the look-ups and cells of a row, the walk over the rows with its page
// breaks, and the frame of a print run.
#include <QString>
#include <functional>
#include <vector>

#include "PrintHelpers.h"
#include "core/SharedState.h"
#include "platform/TextOrder.h"

// The sorted list the print jobs order their rows in (ListPrint.SortList);
// only for ordering, so no widget.
SortedTextList &PrintSortList();

// The entries a list prints, in its order. Every slot with an athlete whose
// name is not empty, and that `listed` lets in (when given; it is asked
// before the record is read), goes into PrintSortList() under the line
// keyPrefix(slot) + the trimmed name + three blanks + the slot number;
// keyPrefix is asked with the slot's athlete current. Afterwards the window
// system redraws. Returns the slots in the text order of their lines. A slot
// that is passed over leaves the current athlete as it was.
std::vector<int> SortedEntrySlots(const std::function<QString(int slot)> &keyPrefix,
                                  const std::function<bool(int slot)> &listed = {});

// y of row r of a list page, in mm.
inline double ListRowY(double row) { return 40 + 4.5 * row; }

// The slot a sort line ends with: the value of its last four characters;
// 0 when that names no entry slot.
int SortLineSlot(const QString &line);

// The athlete of an entry slot becomes the current athlete, its name
// trimmed. An athlete number outside the file reads as a record without a
// name, without the beep of a typed wrong number.
void ReadSlotAthlete(int slot);
// The same with the name as the record holds it.
void ReadSlotAthleteRecord(int slot);

// The class or group a list runs by: the slot's class start order when the
// race is evaluated by classes, else its group.
inline int SlotListGroup(int slot)
{
    return Rec.EvalByClass == 1 ? Race.SlotClassOrder[slot] : Race.SlotGroup[slot];
}

// The texts of a slot's cells; empty for a number that no table holds.
QString SlotDesignation(int slot);   // ClassDesignations of its class cell
QString SlotGroupName(int slot);     // GroupNames of its group
QString SlotClassName(int slot);     // ClassNames of its class number
// SlotDesignation when the race is evaluated by classes, else SlotGroupName.
QString SlotClassOrGroup(int slot);
QString StatusName(int status);      // StatusNames

// The club number of the athlete's club field the slot counts (1..3): 0
// when it counts none. Needs the slot's athlete as the current athlete.
int SlotClubNo(int slot);

// The club of an entry for the lists that name it: the athlete's club in
// the field the slot counts (1..3), its trimmed short name or, when that is
// empty, its trimmed full name. Reads the club record; empty when the slot
// counts no club, the club number names no club or the club has no name.
// Needs the slot's athlete as the current athlete.
QString SlotClubText(int slot);

// The year of the current athlete's birth date at (x, y), printed as a
// number (with the blank a positive number gets in front); nothing for a
// date that is no date.
void PrintBirthYear(double x, double y);

// The cells a row of the start list of the second run and of the list of
// those not classified begins with, at y: the start number at 20, the name
// from 45 cut before the sex column at sexX, "m" or "w" there (sex 1 is
// "m", any other "w") and the birth year 10 mm further on.
void PrintNumberNameSexYear(int slot, double y, double sexX);

// The cells a row of the participant and of the alphabetical list begins
// with, at y: the start number right-aligned in four characters at 20, the
// first 26 characters of the name from 34 and the first clubChars of the
// club (SlotClubText) from 79, each cut before the next column (the club's
// at clubEnd), also where wide capitals would reach it.
void PrintNumberNameClub(int slot, double y, int clubChars, double clubEnd);

// The grey band that opens a class or group in row r of a list page, from
// left to right, with the class designation (or the group's name) from
// textX in 11 pt italics; the position stays on the band's line.
void PrintClassBand(int slot, double r, double left, double textX, double right);

// The heads over PrintNumberNameSexYear's cells.
std::vector<ColumnHead> NumberNameSexYearHeads(double sexX);

// The rows of a list of one row per entry, the first page's head already
// drawn: row by row from row 1, each entry the current slot with its athlete
// current (ReadSlotAthlete). An entry whose row breaksPage says is past the
// page goes to a new page under pageHead, as its row 1.
void PrintEntryRows(const std::vector<int> &entries,
                    const std::function<bool(double row)> &breaksPage, void (*pageHead)(),
                    void (*entryRow)(int slot, double row));

// The rows of a list whose classes (or groups) open with a grey band: the
// participant and the result list. newPage starts a new page and leaves the
// row at 1; band draws the band of the slot in the row.
class BandedRows {
public:
    BandedRows(double &row, std::function<void()> newPage, std::function<void(int slot)> band);

    // Before the row of an entry. When the entry opens its class, the band:
    // the first band of the list in the next row, every later one after an
    // empty row, on a new page when the print position is below 240 mm and
    // the page has more than ten rows. Then the entry's row, on a new page
    // when the position is below 265 mm and the page has more than ten rows;
    // there the class running on is named again when repeatBand says so.
    void next(int slot, bool opensClass, bool repeatBand);

private:
    double &row_;
    std::function<void()> newPage_;
    std::function<void(int slot)> band_;
    int bands_ = 0;
};

// Switches the print window's button of a print job on (true) or off.
using PrintButtonSwitch = std::function<void(bool enabled)>;

// A print run: the hourglass while it lasts (the caller's pointer
// afterwards) and, when given, the print window's button disabled until
// the run ends.
class PrintRun {
public:
    explicit PrintRun(PrintButtonSwitch button = {});
    ~PrintRun();
    PrintRun(const PrintRun &) = delete;
    PrintRun &operator=(const PrintRun &) = delete;

private:
    bool hourglassBefore_;
    PrintButtonSwitch button_;
};
