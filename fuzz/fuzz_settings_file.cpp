// Zirpa.dat as the fuzz input, beside small record files of three clubs,
// four athletes and three races (the second with its race files): the counts
// are read, the current club, athlete and race records they point at are
// read, and the file is written back and read again. Then the program
// starts on it: the main window loads (the counts, the class table) and
// shows them, the race window fills its race list from the race count and
// loads the race chosen by number, and closing both writes what they keep.
#include "FuzzWindows.h"
#include "core/Form1.h"
#include "core/Form4.h"
#include "core/RaceFiles.h"
#include "core/RecordFiles.h"
#include "core/StartUp.h"

namespace {

fuzz::FileSnapshot world;

void writeWorld()
{
    resetAllSharedState();
    fuzz::writeClubs(3, [](int n) {
        Rec.ClubShortName = QStringLiteral("SC%1").arg(n);
        Rec.ClubFullName = QStringLiteral("Skiclub %1 e.V.").arg(n);
    });
    CloseClubFile();
    fuzz::writeAthletes(4, [](int n) {
        Rec.AthleteName = QStringLiteral("HUBER Anna %1").arg(n);
        Rec.AthleteClub1 = n % 4;
        Rec.AthleteBirthDate = 36000.0 + 365.0 * n;
        Rec.AthleteSex = n % 2;
    });
    CloseAthleteFile();
    fuzz::writeRaceHeaders(3, [](int n) {
        // Race 3 has no name: the race list leaves it out.
        Rec.RaceName = n == 3 ? QString() : QStringLiteral("Rennen %1").arg(n);
        Rec.EvalByClass = 1;
        Rec.EvalByTime = 1;
    });
    CloseRaceFile();
    Race.ActiveRaceNo = 2;
    for (int i = 1; i <= 4; ++i) {
        Race.SlotAthleteId[i] = i;
        Race.SlotStartNo[i] = i;
        Race.SlotTime1[i] = 50 + i;
    }
    WriteRaceFiles();
    world.takeRecordFiles();
    world.takeRaceFiles(2);
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
    fuzz::writeFile(QStringLiteral("Zirpa.dat"), data, size);
    ReadSettingsFile();
    OpenClubFile();
    OpenAthleteFile();
    OpenRaceFile();
    ReadClubRecord();
    ReadAthleteRecord();
    ReadRaceHeader();
    fuzz::closeRecordFiles();
    WriteSettingsFile();
    ReadSettingsFile();

    // Start-up on the file as it came.
    fuzz::resetWindowState();
    world.restore();
    fuzz::writeFile(QStringLiteral("Zirpa.dat"), data, size);
    Form1 &main = form<Form1>();
    main.Show();
    // The race list reads only what the race file holds, whatever count
    // the settings file claims.
    main.Command3.click();
    Form4 &races = form<Form4>();
    races.Text1.setText(QStringLiteral("2"));
    if (races.List1.ListCount() > 0)
        races.List1.setListIndex(0);
    fuzz::unloadWindows();
    WriteSettingsFile();
    ReadSettingsFile();
    return 0;
}
