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
    Rec.ClubCount = 2;
    OpenClubFile();
    for (int n = 1; n <= 2; ++n) {
        ClearClubFields();
        Rec.CurrentClubNo = n;
        Rec.ClubShortName = QStringLiteral("SC%1").arg(n);
        WriteClubRecord();
    }
    Rec.AthleteCount = Athletes;
    OpenAthleteFile();
    for (int n = 1; n <= Athletes; ++n) {
        ClearAthleteFields();
        Rec.CurrentAthleteId = n;
        Rec.AthleteName = QStringLiteral("KOFLER Eva %1").arg(n);
        Rec.AthleteClub1 = n % 3;
        Rec.AthleteBirthDate = n % 4 == 0 ? 40000.0 : 30000.0 + 100.0 * n;
        Rec.AthleteSex = n % 2;
        WriteAthleteRecord();
    }
    Rec.RaceCount = 1;
    OpenRaceFile();
    ClearRaceHeader();
    Rec.RaceRecordNo = 1;
    Rec.RaceName = QStringLiteral("Kombination");
    Rec.RaceShortName = QStringLiteral("Kombi");
    Rec.EvalByClass = 1;
    Rec.EvalByTime = 1;
    WriteRaceHeader();

    Race.ActiveRaceNo = 1;
    Race.ClassNames[1] = QStringLiteral("Jugend");
    Race.ClassYears[1] = {2005, 2030};
    Race.ClassNames[2] = QStringLiteral("Allgemein");
    Race.ClassYears[2] = {1900, 2004};
    for (int k = 1; k <= 2; ++k)
        for (int s = 0; s < 2; ++s)
            for (int g = 0; g < 2; ++g)
                for (int b = 0; b < 2; ++b)
                    Race.ClassCellOrder[k][s][g][b] = k;
    Race.ClassDesignations[0] = QStringLiteral("Jugend");
    Race.ClassDesignations[8] = QStringLiteral("Allgemein");
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
    CloseClubFile();
    CloseAthleteFile();
    CloseRaceFile();
    for (const char *name : {"Verein.rec", "Laeufer.rec", "Rennen.rec", "R 1.dat", "M 1.lst",
                             "G 1.lst", "K 1.lst"})
        world.take(QString::fromLatin1(name));
    resetAllSharedState();
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    fuzz::startApplication(argc, argv);
    writeWorld();
    return 0;
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
    Rec.ClubCount = 2;
    Rec.AthleteCount = Athletes;
    Rec.RaceCount = 1;
    OpenClubFile();
    OpenAthleteFile();
    OpenRaceFile();
    Rec.RaceRecordNo = 1;
    Race.ActiveRaceNo = 1;
    ReadRaceHeader();
    LoadRaceFiles();
    AssignClasses();
    PrintResultList();
    fuzz::unloadWindows();
    CloseClubFile();
    CloseAthleteFile();
    CloseRaceFile();
    return 0;
}
