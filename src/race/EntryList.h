#pragma once
// The entries of the current race as the entry-list window edits and shows
// them: free slots, taking an entry out, and the text of its list lines.
// Nothing here touches a window.
#include <QString>
#include <QStringList>

// Order of the entry list, as the index of its order choice.
namespace entryorder {
constexpr int Name = 0;
constexpr int SlotNo = 1;          // "Nenn-ID"
constexpr int InverseSlotNo = 2;   // "INV-Nenn-ID"
} // namespace entryorder

// The lowest slot without an athlete; 0 when all slots are in use.
int LowestFreeSlot();
// True when some slot holds this athlete.
bool AthleteEntered(int athleteId);

// Takes the entry of slot k out of the race: the fourteen fields of every
// slot behind it move down by one and the last slot is cleared. The reserve
// value and the class cell stay with their slot positions. Returns false and
// changes nothing when k is no slot in use.
bool RemoveEntrySlot(int k);

// An overview line: name, 20 blanks, the record number with its blank.
QString OverviewLine(const QString &name, int athleteId);
// The athlete record number at the end of an overview line.
int OverviewLineAthlete(const QString &line);

// The order key at the start of an entry line: "" by name, the slot number
// (or 1000 - slot) as digits followed by two blanks otherwise.
QString EntryOrderKey(int slot, int order);
// The club text of an entry line for the current athlete: " --- " and the
// first 20 characters of the trimmed short name of the club in its club
// field 1..3; "" for another field or a club number outside 1..ClubCount.
// Reads that club (CurrentClubNo is kept).
QString EntryClubText(int clubField);
QString EntryLine(const QString &key, const QString &name, const QString &clubText, int slot,
                  int athleteId);
// Read back from the end of an entry line: the athlete number from the last
// 6 characters, the slot number from the 4 in front of them.
int EntryLineAthlete(const QString &line);
int EntryLineSlot(const QString &line);

// True when the upper-cased name begins with filter (always for "").
bool NameMatchesFilter(const QString &name, const QString &filter);

// The lines of the entry list, unsorted: one per used slot whose athlete's
// name matches filter. Reads each entry's athlete and at most one club once;
// an athlete number outside the athlete file lists a nameless line (so the
// entry can still be taken out) that carries 0 as athlete number.
// CurrentAthleteId and CurrentClubNo are kept.
QStringList EntryListLines(const QString &filter, int order);

// The club memberships of the current athlete as the overview shows them:
// the trimmed short names of the valid clubs joined by " - " (a valid second
// or third club after an empty first field still gets its " - "), how many
// of the three fields hold a valid club, and the number of the last of them
// (0 when none). Reads the clubs (CurrentClubNo is kept).
struct AthleteClubSummary {
    QString text;
    int count = 0;
    int last = 0;
};
AthleteClubSummary SummarizeAthleteClubs();
