#include "BenchData.h"

#include <QCoreApplication>
#include <QDate>
#include <QDateTime>
#include <QDir>
#include <QEvent>

#include "core/RaceFiles.h"
#include "core/RecordFiles.h"
#include "core/SharedState.h"
#include "core/StartUp.h"
#include "platform/Clock.h"
#include "platform/DateText.h"
#include "platform/Form.h"
#include "platform/Printer.h"
#include "race/ClassAssignment.h"

namespace {

// A small fixed generator: the same data on every run.
struct Lcg {
    std::uint32_t state = 12345;
    std::uint32_t next(std::uint32_t bound)
    {
        state = state * 1103515245u + 12345u;
        return (state >> 8) % bound;
    }
};

const char *const surnames[] = {"MAIER", "HUBER", "GRUBER", "BAUER", "WAGNER", "PICHLER",
                                "STEINER", "MOSER", "MAYER", "HOFER", "LEITNER", "BERGER",
                                "FUCHS", "EDER", "FISCHER", "SCHMID", "WINKLER", "WEBER",
                                "SCHWARZ", "MÜLLER", "LANG", "BRUNNER", "WIMMER", "ÖTZ"};
const char *const forenames[] = {"Hans", "Anna", "Josef", "Maria", "Franz", "Eva", "Karl",
                                 "Lena", "Peter", "Julia", "Max", "Sophie", "Lukas", "Jürgen",
                                 "Katharina", "Tobias", "Lea", "Felix", "Magdalena", "Paul"};

// The class of athlete a: spread evenly over the 20 classes.
int classOfAthlete(int a) { return (a - 1) % ClassCount + 1; }

// The athlete of entry slot i: 1000 different athletes out of 2000.
int athleteOfSlot(int i) { return (i * 7) % BenchAthletes + 1; }

} // namespace

BenchDataDir::BenchDataDir()
{
    oldDir_ = QDir::currentPath();
    ok_ = dir_.isValid() && QDir::setCurrent(dir_.path());
    resetAllSharedState();
    rnd::reset();
    sysclock::setFixedNow(QDateTime(QDate(2026, 1, 15), QTime(10, 0)));
    resetPrinter();
    useRecordingPrinter();
}

BenchDataDir::~BenchDataDir()
{
    UnloadAllWindows();
    CloseClubFile();
    CloseAthleteFile();
    CloseRaceFile();
    resetPrinter();
    resetAllSharedState();
    QDir::setCurrent(oldDir_);
}

void UnloadAllWindows()
{
    unloadAllForms();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

void WriteBenchDatabase()
{
    OpenClubFile();
    OpenAthleteFile();
    OpenRaceFile();
    for (int c = 1; c <= BenchClubs; ++c) {
        ClearClubFields();
        Rec.ClubShortName = QStringLiteral("SC Ort %1").arg(c);
        Rec.ClubFullName = QStringLiteral("Skiclub Ort %1 e.V.").arg(c);
        Rec.ClubPlace = QStringLiteral("Ort %1").arg(c);
        Rec.CurrentClubNo = c;
        WriteClubRecord();
    }
    // The class table of the season gives the birth years.
    ComputeSeasonYearOffset();
    LoadStandardClassTable();
    Lcg rng;
    for (int a = 1; a <= BenchAthletes; ++a) {
        ClearAthleteFields();
        Rec.AthleteName = QString::fromUtf8(surnames[rng.next(std::size(surnames))])
            + QStringLiteral(" ") + QString::fromUtf8(forenames[rng.next(std::size(forenames))])
            + QStringLiteral(" %1").arg(a);
        Rec.AthleteSex = a % 2;
        const int k = classOfAthlete(a);
        const int first = App.StandardClassYears[k][0];
        const int last = App.StandardClassYears[k][1];
        const int span = std::max(1, std::min(last - first + 1, 5));
        const int year = last - int(rng.next(std::uint32_t(span)));
        Rec.AthleteBirthDate =
            dates::oleFromDate(QDate(year, int(rng.next(12)) + 1, int(rng.next(28)) + 1));
        Rec.AthleteClub1 = (a - 1) % BenchClubs + 1;
        Rec.AthleteClub2 = a % 7 == 0 ? a % BenchClubs + 1 : 0;
        Rec.AthleteFederationNo = QStringLiteral("%1").arg(100000 + a);
        Rec.CurrentAthleteId = a;
        WriteAthleteRecord();
    }
    WriteSettingsFile();
}

void WriteBenchRace()
{
    WriteBenchRaceAs(BenchRaceNo, 777);
}

void WriteBenchRaceAs(int raceNo, unsigned seed)
{
    ClearRaceHeader();
    Rec.RaceName = QStringLiteral("Vereinsmeisterschaft Riesenslalom");
    Rec.RaceShortName = QStringLiteral("VM RS");
    Rec.RacePlace = QStringLiteral("Ort 1");
    Rec.RaceDate = dates::oleFromDate(QDate(2026, 1, 17));
    Rec.EvalByClass = 1;
    Rec.EvalBySex = 1;
    Rec.EvalGuestsApart = 0;
    Rec.EvalByTime = 1;
    Rec.TwoRuns = 1;
    Rec.EvalBoarders = 0;
    Rec.BestTimeTitle = 0;
    Rec.RaceRecordNo = raceNo;
    WriteRaceHeader();
    Race = RaceState{};
    Race.ActiveRaceNo = raceNo;

    ComputeSeasonYearOffset();
    LoadStandardClassTable();
    for (int k = 1; k <= ClassCount; ++k) {
        Race.ClassNames[k] = App.StandardClassNames[k];
        Race.ClassYears[k] = App.StandardClassYears[k];
        for (int s = 0; s <= 1; ++s) {
            // Start order: class by class, women before men.
            Race.ClassCellOrder[k][s][0][0] = (k - 1) * 2 + s + 1;
            Race.ClassDesignations[ClassCellCode(k, s, 0, 0)] =
                App.StandardClassNames[k] + (s ? QStringLiteral(" männlich") : QStringLiteral(" weiblich"));
        }
    }
    for (int n = 1; n <= 10; ++n) {
        Race.TeamNames[n] = QStringLiteral("Mannschaft %1").arg(n);
        Race.GroupNames[n] = QStringLiteral("Gruppe %1").arg(n);
    }
    Lcg rng;
    rng.state = seed;
    for (int i = 1; i <= BenchEntries; ++i) {
        const int a = athleteOfSlot(i);
        Race.SlotAthleteId[i] = a;
        Race.SlotStartNo[i] = i;
        Race.SlotClub[i] = 1;
        Race.SlotGroup[i] = (i - 1) % 10 + 1;
        Race.SlotTeam[i] = (i - 1) % 10 + 1;
        Race.SlotPaid[i] = 1;
        // Times to the hundredth, 40 to 70 s; a few "dis" in run 1 and "naS"
        // in run 2.
        Race.SlotTime1[i] = 40.0 + rng.next(3000) / 100.0;
        Race.SlotTime2[i] = 40.0 + rng.next(3000) / 100.0;
        Race.SlotStatus1[i] = i % 97 == 0 ? 3 : 0;
        Race.SlotStatus2[i] = i % 89 == 0 ? 1 : 0;
    }
    AssignClasses();
    WriteRaceFiles();
}

void WriteBenchRaceHeaders(int count)
{
    const RecordState kept = Rec;
    // From the top down: the settings file is rewritten once, for the
    // highest record, not on every append.
    for (int r = count; r >= 1; --r) {
        if (r == BenchRaceNo)
            continue;
        ClearRaceHeader();
        Rec.RaceName = QStringLiteral("Rennen Nummer %1").arg(r);
        Rec.RaceShortName = QStringLiteral("R%1").arg(r);
        Rec.RaceRecordNo = r;
        WriteRaceHeader();
    }
    const std::int32_t raceCount = Rec.RaceCount;
    Rec = kept;
    Rec.RaceCount = raceCount;
    Rec.RaceRecordNo = BenchRaceNo;
    WriteSettingsFile();
}

QStringList BenchRaceFileNames()
{
    return {RaceFileName(u'R', QStringLiteral(".dat")), RaceFileName(u'M', QStringLiteral(".lst")),
            RaceFileName(u'G', QStringLiteral(".lst")), RaceFileName(u'K', QStringLiteral(".lst"))};
}
