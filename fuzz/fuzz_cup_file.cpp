// The cup settings file ("Cup.dat") as the fuzz input: read over the default
// points, written back and read again, which must give the same settings.
// Then the cup window opens on it over three saved races: it marks the races
// the file names, evaluates the cup (points from the file's table, one drop
// result) and prints the cup list; closing it writes the file again.
#include <cstdlib>

#include "FuzzWindows.h"
#include "core/Form4.h"
#include "core/RaceFiles.h"
#include "core/RecordFiles.h"
#include "core/StartUp.h"
#include "platform/Strings.h"
#include "race/ClassAssignment.h"
#include "scoring/CupFile.h"
#include "scoring/Form20.h"

namespace {

fuzz::FileSnapshot world;
constexpr int Races = 3, Athletes = 6, Clubs = 2;

// Race n: athletes 1..6 (two of them youths) with times that change places
// from race to race; in race 2 athlete 3 did not finish and athlete 6 is
// missing; race 3 has two runs.
void writeRace(int n)
{
    ClearRaceHeader();
    Rec.RaceRecordNo = n;
    Rec.RaceName = QStringLiteral("Cuprennen %1").arg(n);
    Rec.RaceShortName = QStringLiteral("C%1").arg(n);
    Rec.EvalByClass = 1;
    Rec.EvalByTime = 1;
    Rec.TwoRuns = n == 3;
    WriteRaceHeader();

    Race = RaceState{};
    Race.ActiveRaceNo = n;
    fuzz::setTwoClasses();
    int slot = 0;
    for (int a = 1; a <= Athletes; ++a) {
        if (n == 2 && a == 6)
            continue;
        ++slot;
        Race.SlotAthleteId[slot] = a;
        Race.SlotStartNo[slot] = slot;
        Race.SlotClub[slot] = 1;
        Race.SlotTime1[slot] = 40 + (a * n) % 7 + 0.01 * a;
        Race.SlotTime2[slot] = n == 3 ? 41 + a % 3 : 0;
        Race.SlotStatus1[slot] = n == 2 && a == 3 ? 1 : 0;
    }
    AssignClasses();
    WriteRaceFiles();
}

void writeWorld()
{
    resetAllSharedState();
    SetStatusNames();
    fuzz::writeClubs(Clubs, [](int n) { Rec.ClubShortName = QStringLiteral("SC%1").arg(n); });
    fuzz::writeAthletes(Athletes, [](int n) {
        Rec.AthleteName = QStringLiteral("BERGER Max %1").arg(n);
        Rec.AthleteClub1 = n % 3;
        Rec.AthleteBirthDate = n <= 2 ? 40000.0 : 30000.0 + 100.0 * n;
        Rec.AthleteSex = n % 2;
    });
    Rec.RaceCount = Races;
    OpenRaceFile();
    for (int n = 1; n <= Races; ++n)
        writeRace(n);
    fuzz::closeRecordFiles();
    world.takeRecordFiles();
    for (int n = 1; n <= Races; ++n)
        world.takeRaceFiles(n);
    resetAllSharedState();
}

// The cup window over the race window, as the user opens it with race 1
// current.
void evaluateAndPrint(bool pagePerClass)
{
    SetStatusNames();
    SetColourTable();
    fuzz::openRecordFiles(Clubs, Athletes, Races);
    Race.ActiveRaceNo = 1;
    Rec.RaceRecordNo = 1;
    ReadRaceHeader();
    form<Form4>().Hide();
    Form20 &f = form<Form20>();
    f.Show();
    f.Check1.setValue(pagePerClass ? 1 : 0);
    f.Command1.click();
    f.Command2.click();
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
    fuzz::writeFile(CupFileName(), data, size);
    SetDefaultCupPoints();
    const CupFileContent first = ReadCupFile();
    const QString title = first.hasTitle ? first.title : QStringLiteral("Vereinscup");
    const auto points = Cup.PointsTable;
    if (!WriteCupFile(title, first.races))
        return 0;

    Cup = CupState{};
    const CupFileContent second = ReadCupFile();
    if (!second.exists || !second.hasTitle || second.title != trimBlanks(title)
        || second.races != first.races || Cup.PointsTable != points)
        std::abort();

    // The file as it came, in the cup window.
    fuzz::resetWindowState();
    fuzz::writeFile(CupFileName(), data, size);
    evaluateAndPrint(size % 2 == 1);
    fuzz::unloadWindows();
    SetDefaultCupPoints();
    (void)ReadCupFile();
    return 0;
}
