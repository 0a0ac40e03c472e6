#pragma once
// The process-wide state of the program that the data store owns: record
// counts, the current club, athlete and race with the fields last read, the
// tables of the current race, window positions and the scratch values of the
// shared routines. Routines take no arguments and exchange their inputs and
// results through these variables.
#include <QString>
#include <array>
#include <cstdint>

#include "platform/RecordFile.h"

constexpr int MaxSlots = 1000;      // entry slots 1..1000 (0 unused)
constexpr int ClassCount = 20;      // classes 1..20
constexpr int CellCount = 160;      // class cell codes 0..159
constexpr int NameCount = 100;      // team and group names 1..100
constexpr int WindowSlots = 60;     // window positions 1..60

// Record files, counts and the current record of each file.
// The open record files (the fixed channels 2, 3 and 4).
struct RecordChannels {
    RecordFile ClubFile;
    RecordFile AthleteFile;
    RecordFile RaceFile;
};

struct RecordState {
    int AthleteCount = 0;           // settings file line 1
    int ClubCount = 0;              // line 2
    std::int32_t RaceCount = 0;     // line 3
    int SettingsLine4 = 0;          // line 4, kept as read

    int CurrentClubNo = 0;
    int CurrentAthleteId = 0;
    std::int32_t RaceRecordNo = 0;

    // Current club.
    QString ClubFullName, ClubShortName, ClubFederationNo, ClubPlace, ClubContact,
        ClubAddress, ClubPhone, ClubEmail, ClubMobile, ClubHomepage, ClubReserve;
    std::int16_t ClubSpare1 = 0, ClubSpare2 = 0;   // record buffer only

    // Current athlete.
    QString AthleteName;
    int AthleteClub1 = 0, AthleteClub2 = 0, AthleteClub3 = 0;
    double AthleteBirthDate = 0;    // OLE date
    int AthleteSex = 0;             // 1 male, 0 female, 2 not set
    QString AthleteFederationNo;
    float AthletePoints = 0;
    QString AthleteReserve;

    // Current race header.
    QString RaceName, RaceShortName, RaceExtraText, RacePlace;
    double RaceDate = 0;            // OLE date
    QString Organiser;
    double GuestTimeHandicap = 0, MenTimeHandicap = 0;
    std::uint8_t EvalByClass = 0, EvalBySex = 0, EvalGuestsApart = 0, EvalByTime = 0,
        TwoRuns = 0, EvalBoarders = 0;
    int CertificatePictogram = 0, BestTimeTitle = 0;
    QString HostClub;
    std::uint8_t BestTimeFromClass = 0;
    QString StartTimeText, RaceDirector, CourseSetter, NumberOfGates, StartReferee,
        FinishReferee, TimingOfficial, ChiefJudge, Sponsor1, Sponsor2, Sponsor3, Sponsor4,
        Sponsor5, Sponsor6, RaceReserveText;
};

// The current race's tables: entry table, class table, team and group names.
struct RaceState {
    std::int32_t ActiveRaceNo = 0;

    template <typename T> using SlotTable = std::array<T, MaxSlots + 1>;
    // Saved with the race.
    SlotTable<int> SlotAthleteId{}, SlotStartNo{}, SlotClass{}, SlotClub{}, SlotGroup{},
        SlotPaid{};
    SlotTable<float> SlotPoints{};
    SlotTable<double> SlotTime1{};
    SlotTable<int> SlotReserve{}, SlotStatus1{}, SlotGuest{}, SlotTeam{};
    SlotTable<double> SlotTime2{};
    SlotTable<int> SlotStatus2{}, SlotBoarder{}, SlotClassCell{};
    // Computed, not saved.
    SlotTable<int> SlotClassOrder{};

    std::array<QString, ClassCount + 1> ClassNames{};
    std::array<std::array<int, 2>, ClassCount + 1> ClassYears{};
    // ClassCellOrder[k][sex][guest][boarder]
    std::array<std::array<std::array<std::array<int, 2>, 2>, 2>, ClassCount + 1> ClassCellOrder{};
    std::array<QString, CellCount> ClassDesignations{};

    std::array<QString, NameCount + 1> TeamNames{};
    std::array<QString, NameCount + 1> GroupNames{};
};

// Start-up values, window positions and the standard tables.
struct AppState {
    QString ProductName;
    QString VersionText;
    QString DataDir;
    QString OrganisationName;

    std::array<std::int32_t, WindowSlots + 1> WindowTop{};
    std::array<double, WindowSlots + 1> WindowLeft{};
    std::array<bool, WindowSlots + 1> WindowLeftSet{};   // false: never stored (empty line)

    float SeasonYearOffset = 0;
    std::array<QString, ClassCount + 1> StandardClassNames{};
    std::array<std::array<int, 2>, ClassCount + 1> StandardClassYears{};
    std::array<QString, 11> StatusNames{};
    std::array<float, 9> ColourTable{};
};

// Scratch values through which the shared routines take and return values.
struct WorkState {
    QString WorkText;
    double CurrentSlot = 0;
    double HmsInput = 0;
    double HmsHours = 0, HmsMinutes = 0, HmsSeconds = 0;
    int LoopIndex2 = 0;
    int CheckOk = 0;
};

extern RecordChannels Channels;
extern RecordState Rec;
extern RaceState Race;
extern AppState App;
extern WorkState Work;

// True for a slot number that names an entry slot in use.
inline bool SlotInUse(int slot)
{
    return slot >= 1 && slot <= MaxSlots && Race.SlotAthleteId[slot] != 0;
}

// Resets the state of every subsystem (tests): each subsystem registers the
// reset of its own state.
//
// The registration is done by a static initialiser in the file that owns the
// state (`const bool registered = registerStateReset(...)`), not by a list
// here: this folder is below the others and may not name their state, and a
// subsystem that joins the build brings its reset with it. The registry is a
// function-local static, so it exists before the first initialiser that
// uses it, whatever order the files are initialised in.
void resetAllSharedState();
using StateReset = void (*)();
bool registerStateReset(StateReset reset);
