// The four files of race 1 as the fuzz input, split at the byte 0x1E:
// "R 1.dat", "M 1.lst", "G 1.lst", "K 1.lst" (a part left out is a missing
// file), and an optional fifth part whose bytes set the race header's
// evaluation choices (see applyHeaderChoices). After loading, the values run
// through everything that uses them: class assignment, both rankings, the
// timing lists in all five orders, the reminder lines, club, team and group
// scoring, and every printed list of the race on the recording printer
// (result list, start list of run 2, participant list, those not classified,
// alphabetical list, certificates, cover sheet, team result list). Then the
// tables are written back and loaded again.
#include "FuzzWindows.h"
#include "core/Form4.h"
#include "core/RaceFiles.h"
#include "core/RecordFiles.h"
#include "core/StartUp.h"
#include "lists/AlphabeticalList.h"
#include "lists/Certificates.h"
#include "lists/CoverSheet.h"
#include "lists/Form8.h"
#include "lists/NotClassifiedList.h"
#include "lists/ParticipantList.h"
#include "lists/ResultList.h"
#include "lists/SecondRunStartList.h"
#include "race/ClassAssignment.h"
#include "race/Form7.h"
#include "race/Ranking.h"
#include "race/TimingLists.h"
#include "scoring/Form12.h"

#include <QStringList>
#include <algorithm>

namespace {

constexpr int FuzzAthletes = 24;
constexpr int FuzzClubs = 4;

// A fixed athlete file: athletes of several birth years, both sexes, one
// without sex and one without birth date, so that class assignment and the
// reminder have something to do; their clubs 0..4 (4 past the club file).
void writeAthleteFile()
{
    Rec.AthleteCount = FuzzAthletes;
    OpenAthleteFile();
    for (int n = 1; n <= FuzzAthletes; ++n) {
        ClearAthleteFields();
        Rec.CurrentAthleteId = n;
        Rec.AthleteName = n == 9 ? QString() : QStringLiteral("MAIER Athlet %1").arg(n);
        Rec.AthleteClub1 = n % 5;
        Rec.AthleteClub2 = n % 7 == 0 ? 2 : 0;
        Rec.AthleteBirthDate = n == 7 ? NoBirthDate : 25000.0 + 400.0 * n;
        Rec.AthleteSex = n == 5 ? 2 : n % 2;
        WriteAthleteRecord();
    }
    CloseAthleteFile();
}

void writeClubFile()
{
    Rec.ClubCount = FuzzClubs - 1;
    OpenClubFile();
    const char *names[] = {"SC Berg", "WSV Tal", "Skiclub Oberhinterdorf am Gletscher"};
    for (int n = 1; n < FuzzClubs; ++n) {
        ClearClubFields();
        Rec.CurrentClubNo = n;
        Rec.ClubShortName = QString::fromUtf8(names[n - 1]);
        Rec.ClubFullName = Rec.ClubShortName + QStringLiteral(" e.V.");
        WriteClubRecord();
    }
    CloseClubFile();
}

const QString R = QStringLiteral("R 1.dat");
const QString M = QStringLiteral("M 1.lst");
const QString G = QStringLiteral("G 1.lst");
const QString K = QStringLiteral("K 1.lst");

fuzz::FileSnapshot world;

std::vector<QByteArray> raceFileBytes()
{
    std::vector<QByteArray> bytes;
    for (const QString &name : {R, M, G, K}) {
        QFile f(name);
        bytes.push_back(f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray());
    }
    return bytes;
}

// Byte 0 of the fifth part: bit 0 by classes (else by groups), 1 by sex,
// 2 guests apart, 3 by time (else by points), 4 two runs, 5 boarders apart,
// 6 the club result with a club chosen; byte 1 the best-time title, byte 2
// the best-time class, byte 3 the certificate pictogram (all as stored, also
// out of range), bytes 4 and 5 the guest and men handicaps in tenths of a
// second (signed), byte 6 the club of the club result and the team scoring's
// N. Without the part: by classes, sexes and times, two runs, a handicap.
struct Choices {
    bool clubResult = false;
    int club = 0;
    int teamN = 2;
};

Choices applyHeaderChoices(const QByteArray &part, bool present)
{
    ClearRaceHeader();
    Rec.RaceName = QStringLiteral("Vereinsmeisterschaft");
    Rec.RaceShortName = QStringLiteral("VM");
    Rec.RacePlace = QStringLiteral("Bergdorf");
    Rec.RaceDate = 46000;
    Rec.Sponsor1 = QStringLiteral("Bäckerei");
    Choices c;
    if (!present) {
        Rec.EvalByClass = 1;
        Rec.EvalBySex = 1;
        Rec.EvalByTime = 1;
        Rec.TwoRuns = 1;
        Rec.GuestTimeHandicap = 1.5;
        return c;
    }
    auto byte = [&](int i) { return i < part.size() ? std::uint8_t(part[i]) : std::uint8_t(0); };
    const std::uint8_t flags = byte(0);
    Rec.EvalByClass = flags & 1;
    Rec.EvalBySex = (flags >> 1) & 1;
    Rec.EvalGuestsApart = (flags >> 2) & 1;
    Rec.EvalByTime = (flags >> 3) & 1;
    Rec.TwoRuns = (flags >> 4) & 1;
    Rec.EvalBoarders = (flags >> 5) & 1;
    c.clubResult = (flags >> 6) & 1;
    Rec.BestTimeTitle = byte(1);
    Rec.BestTimeFromClass = byte(2);
    Rec.CertificatePictogram = byte(3);
    Rec.GuestTimeHandicap = std::int8_t(byte(4)) / 10.0;
    Rec.MenTimeHandicap = std::int8_t(byte(5)) / 10.0;
    c.club = byte(6) % FuzzClubs;
    c.teamN = 2 + byte(6) % 9;
    return c;
}

void timingLists()
{
    Form7 &f = form<Form7>();
    f.Show();
    OptionButton *orders[] = {&f.Option1, &f.Option2, &f.Option3, &f.Option4, &f.Option5};
    for (OptionButton *o : orders)
        o->setValue(true);
    for (int order = 1; order <= 5; ++order) {
        RankForTimingOrder(TimingOrder(order));
        (void)BuildTimingLines(TimingOrder(order));
    }
    unload<Form7>();
}

void printWindowLists(const Choices &c)
{
    Form8 &f = form<Form8>();
    f.Show();
    PrintResultList();
    PrintSecondRunStartList();
    PrintParticipantList();
    PrintNotClassifiedList();
    PrintAlphabeticalList();
    PrintCoverSheet();
    // Certificates for the first three finishers and the last: each is a
    // job of its own.
    const int lines = f.List2.ListCount();
    for (int i = 0; i < lines; ++i)
        f.List2.setSelected(i, i < 3 || i == lines - 1);
    f.Command5_Click();
    if (c.clubResult) {
        f.Check1.setValue(1);
        f.Combo3.setListIndex(c.club);
        PrintResultList();
    }
    unload<Form8>();
}

void teamResults(const Choices &c)
{
    Form12 &f = form<Form12>();
    f.Show();
    CheckBox *categories[] = {&f.Check1, &f.Check2, &f.Check3};
    OptionButton *kinds[] = {&f.Option3, &f.Option1, &f.Option2};
    for (int k = 0; k < 3; ++k) {
        categories[k]->setValue(1);
        kinds[k]->setValue(true);
        f.Combo2.setListIndex(c.teamN - 2);
        f.Combo3.setListIndex(k);
        f.Combo1.setListIndex(k);
        f.Command2.click();
        if (f.List2.ListCount() > 0)
            f.List2.setListIndex(0);
        f.Command3.click();
    }
    unload<Form12>();
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    fuzz::startApplication(argc, argv);
    resetAllSharedState();
    writeAthleteFile();
    writeClubFile();
    world.take(QStringLiteral("Laeufer.rec"));
    world.take(QStringLiteral("Verein.rec"));
    resetAllSharedState();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    fuzz::resetWindowState();
    world.restore();
    fuzz::removeFile(QStringLiteral("Rennen.rec"));
    const QString names[] = {R, M, G, K};
    const std::vector<QByteArray> parts = fuzz::splitParts(data, size);
    for (int f = 0; f < 4; ++f) {
        if (f < int(parts.size()))
            fuzz::writeFile(names[f], reinterpret_cast<const std::uint8_t *>(parts[f].constData()),
                            std::size_t(parts[f].size()));
        else
            fuzz::removeFile(names[f]);
    }

    App.SeasonYearOffset = 11;
    LoadStandardClassTable();
    SetStatusNames();
    SetColourTable();
    Rec.AthleteCount = FuzzAthletes;
    Rec.ClubCount = FuzzClubs - 1;
    Rec.RaceCount = 1;
    OpenAthleteFile();
    OpenClubFile();
    OpenRaceFile();
    const Choices choices = applyHeaderChoices(parts.size() > 4 ? parts[4] : QByteArray(),
                                               parts.size() > 4);
    Rec.RaceRecordNo = 1;
    WriteRaceHeader();
    Race.ActiveRaceNo = 1;
    // The windows open over the race window, as the user reaches them; it
    // loads the race itself.
    form<Form4>().Hide();

    LoadRaceFiles();
    AssignClasses();
    (void)MissingDataLines();
    ComputeProvisionalResult();
    RankAfterRun1();
    ComputeRankingWithoutWindow();
    timingLists();
    printWindowLists(choices);
    teamResults(choices);
    fuzz::unloadWindows();

    // The windows above saved the race on closing; its files are read again.
    fuzz::resetWindowState();
    App.SeasonYearOffset = 11;
    LoadStandardClassTable();
    SetStatusNames();
    Rec.AthleteCount = FuzzAthletes;
    Race.ActiveRaceNo = 1;
    OpenAthleteFile();
    LoadRaceFiles();
    AssignClasses();
    WriteRaceFiles();
    const std::vector<QByteArray> saved = raceFileBytes();
    LoadRaceFiles();
    AssignClasses();
    // A race saved, loaded and saved again is the same race: every value
    // written reads back as itself.
    WriteRaceFiles();
    if (raceFileBytes() != saved) {
        std::fprintf(stderr, "the race files changed on being loaded and saved again\n");
        std::abort();
    }
    CloseAthleteFile();
    return 0;
}
