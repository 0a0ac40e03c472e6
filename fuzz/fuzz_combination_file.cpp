// The combination file of race 1 ("Z 1.dat") as the fuzz input: read,
// written back and read again. Then race 1, a saved race of 30 athletes of
// which 14 take part, prints its result list, which for a race with a
// combination file is the combination layout taken from that file.
#include <cstdio>
#include <cstdlib>

#include "FuzzWindows.h"
#include "core/RaceFiles.h"
#include "core/RecordFiles.h"
#include "core/StartUp.h"
#include "lists/CombinationFile.h"
#include "lists/CupTable.h"
#include "lists/ResultList.h"
#include "race/ClassAssignment.h"

namespace {

constexpr int Athletes = 30;
fuzz::FileSnapshot world;

void writeWorld()
{
    resetAllSharedState();
    SetStatusNames();
    fuzz::writeClubs(2, [](int n) { Rec.ClubShortName = QStringLiteral("SC%1").arg(n); });
    fuzz::writeAthletes(Athletes, [](int n) {
        Rec.AthleteName = QStringLiteral("KOFLER Eva %1").arg(n);
        Rec.AthleteClub1 = n % 3;
        Rec.AthleteBirthDate = n % 4 == 0 ? 40000.0 : 30000.0 + 100.0 * n;
        Rec.AthleteSex = n % 2;
    });
    fuzz::writeRaceHeaders(1, [](int) {
        Rec.RaceName = QStringLiteral("Kombination");
        Rec.RaceShortName = QStringLiteral("Kombi");
        Rec.EvalByClass = 1;
        Rec.EvalByTime = 1;
    });

    Race.ActiveRaceNo = 1;
    fuzz::setTwoClasses();
    const int athletes[] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 20, 30};
    int slot = 0;
    for (int a : athletes) {
        ++slot;
        Race.SlotAthleteId[slot] = a;
        Race.SlotStartNo[slot] = slot;
        Race.SlotClub[slot] = 1;
        Race.SlotTime1[slot] = 100 + (a * 7) % 13 + 0.25 * a;
        Race.SlotStatus1[slot] = a == 11 ? 2 : 0;
    }
    AssignClasses();
    WriteRaceFiles();
    fuzz::closeRecordFiles();
    world.takeRecordFiles();
    world.takeRaceFiles(1);
    resetAllSharedState();
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    return fuzz::startOnWorld(argc, argv, writeWorld);
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    fuzz::resetWindowState();
    world.restore();
    Rec.RaceRecordNo = 1;
    fuzz::writeFile(CombinationFileName(), data, size);
    ReadCombinationFile();
    WriteCombinationFile();
    ReadCombinationFile();
    // What was written once comes back as it was.
    const auto names = CupTable.CombiRaceNames;
    const auto athletes = CupTable.CupAthleteNo;
    const auto times = CupTable.CombiTimes;
    WriteCombinationFile();
    ReadCombinationFile();
    if (CupTable.CombiRaceNames != names || CupTable.CupAthleteNo != athletes
        || CupTable.CombiTimes != times) {
        std::fprintf(stderr, "Z 1.dat does not give back what was written\n");
        std::abort();
    }

    // The file as it came, under the result list of its race.
    fuzz::resetWindowState();
    fuzz::writeFile(QStringLiteral("Z 1.dat"), data, size);
    SetStatusNames();
    SetColourTable();
    fuzz::openRecordFiles(2, Athletes, 1);
    Rec.RaceRecordNo = 1;
    Race.ActiveRaceNo = 1;
    ReadRaceHeader();
    LoadRaceFiles();
    AssignClasses();
    PrintResultList();
    fuzz::unloadWindows();
    fuzz::closeRecordFiles();
    return 0;
}
