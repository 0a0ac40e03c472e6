#pragma once
// The data a test builds its case from, written as the program keeps it:
// clubs and athletes in their record files, entries in the tables of the
// current race, race headers in the race file. A test fixture derives from
// RaceBuilder beside its test base, so that its tests call addClub(),
// addAthlete() and addEntry() as their own. What a call leaves out is what
// a cleared record or an empty slot holds (but a club's full name, below);
// a test that needs an unusual field sets it after the call.
#include <QString>
#include <array>
#include <cstdint>
#include <optional>

// The fields of one athlete record.
struct AthleteFields {
    QString name;
    int sex = 2;                        // 1 male, 0 female, 2 not set
    int year = 0;                       // born on 1 March of that year; 0: see birthDate
    double birthDate = 0;               // OLE date, used without a year; 0: none given
    std::array<int, 3> clubs{0, 0, 0};  // the three club fields
    int id = 0;                         // record number; 0: the one behind the last
    QString federationNo;
    float points = 0;
};

// The start number an entry takes when it is to carry its slot number.
constexpr int SlotNumber = -1;

// The fields of one entry slot of the current race.
struct EntryFields {
    int slot = 0;        // 0: the slot behind the last one added
    int startNo = 0;     // SlotNumber: the slot number
    double t1 = 0, t2 = 0;
    int status1 = 0, status2 = 0;
    int klass = 0;       // SlotClass
    int order = 0;       // SlotClassOrder
    int cell = 0;        // SlotClassCell
    int club = 0;        // SlotClub: which of the athlete's clubs counts
    int group = 0, team = 0, guest = 0;
    float points = 0;
};

// The fields of a race header that the tests choose.
struct RaceFields {
    QString name, shortName;
    // The evaluation criteria and time handicaps.
    std::uint8_t byClass = 0, byTime = 0, bySex = 0, twoRuns = 0, guestsApart = 0, boarders = 0;
    double guestHandicap = 0, menHandicap = 0;
};

class RaceBuilder {
public:
    // The club, athlete and race files open, as the program has them open
    // while it runs.
    static void openDataFiles();

    // A club record behind the last (or record no); without a full name
    // given, the short name with " e.V.". Returns the record number.
    int addClub(const QString &shortName, const std::optional<QString> &fullName = {});
    int addClubAt(int no, const QString &shortName, const std::optional<QString> &fullName = {});

    // Writes the athlete record; returns its number.
    int addAthlete(const AthleteFields &a);

    // Puts the athlete into a slot of the current race; returns the slot.
    int addEntry(int athlete, const EntryFields &e = {});

    // Writes race n's header, a cleared one with these fields (races in
    // between stay unnamed, so the race list leaves them out), and makes it
    // the current race with empty tables: the next entry goes into slot 1.
    void writeRace(int n, const RaceFields &r);

    // The highest slot an entry was put into.
    int lastSlot = 0;
};
