// Writes small seed files for the fuzz targets with the program's own file
// writers: fuzz_seed_writer <corpus-dir> fills <corpus-dir>/<target>/.
#include <QBuffer>
#include <QByteArray>
#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QFile>
#include <QString>
#include <cstdio>
#include <unistd.h>

#include "FuzzCommon.h"
#include "core/RaceFiles.h"
#include "core/RecordFiles.h"
#include "core/SharedState.h"
#include "core/StartUp.h"
#include "lists/CombinationFile.h"
#include "lists/CupTable.h"
#include "scoring/CupFile.h"
#include "race/Banners.h"

namespace {

QString outDir;

QByteArray readAll(const QString &name)
{
    QFile f(name);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return f.readAll();
}

void seed(const QString &target, const QString &name, const QByteArray &bytes)
{
    QDir().mkpath(outDir + u'/' + target);
    QFile f(outDir + u'/' + target + u'/' + name);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(bytes) != bytes.size())
        std::fprintf(stderr, "cannot write seed %s/%s\n", qPrintable(target), qPrintable(name));
}

void clubs()
{
    resetAllSharedState();
    fuzz::writeClubs(3, [](int n) {
        const char *names[] = {"SC Bergdorf", "Skiclub Tal e.V.", "WSV Höhe"};
        Rec.ClubFullName = QString::fromUtf8(names[n - 1]);
        Rec.ClubShortName = QStringLiteral("SC%1").arg(n);
        Rec.ClubPlace = QStringLiteral("Bergdorf");
        Rec.ClubEmail = QStringLiteral("info@example.org");
    });
    CloseClubFile();
    const QByteArray all = readAll(QStringLiteral("Verein.rec"));
    seed(QStringLiteral("fuzz_club_records"), QStringLiteral("three_clubs"), all);
    seed(QStringLiteral("fuzz_club_records"), QStringLiteral("one_and_a_half"), all.left(ClubRecordLength * 3 / 2));
}

void athletes()
{
    resetAllSharedState();
    fuzz::writeAthletes(4, [](int n) {
        Rec.AthleteName = QStringLiteral("HUBER Anna %1").arg(n);
        Rec.AthleteClub1 = n;
        Rec.AthleteClub2 = n == 2 ? 3 : 0;
        Rec.AthleteBirthDate = n == 4 ? NoBirthDate : 36000.0 + 365.0 * n;
        Rec.AthleteSex = n == 3 ? 2 : n % 2;
        Rec.AthleteFederationNo = QStringLiteral("12345");
        Rec.AthletePoints = 12.5f * float(n);
    });
    CloseAthleteFile();
    const QByteArray all = readAll(QStringLiteral("Laeufer.rec"));
    seed(QStringLiteral("fuzz_athlete_records"), QStringLiteral("four_athletes"), all);
    seed(QStringLiteral("fuzz_athlete_records"), QStringLiteral("cut_record"), all.left(AthleteRecordLength + 100));
}

void races()
{
    resetAllSharedState();
    fuzz::writeRaceHeaders(2, [](int n) {
        Rec.RaceName = QStringLiteral("Vereinsmeisterschaft %1").arg(n);
        Rec.RaceShortName = QStringLiteral("VM%1").arg(n);
        Rec.RacePlace = QStringLiteral("Bergdorf");
        Rec.RaceDate = 46000.0 + n;
        Rec.GuestTimeHandicap = 1.5;
        Rec.TwoRuns = 1;
        Rec.EvalByClass = 1;
        Rec.EvalBySex = 1;
        Rec.StartTimeText = QStringLiteral("10:00");
        Rec.Sponsor1 = QStringLiteral("Bäckerei");
    });
    CloseRaceFile();
    const QByteArray all = readAll(QStringLiteral("Rennen.rec"));
    seed(QStringLiteral("fuzz_race_headers"), QStringLiteral("two_races"), all);
    seed(QStringLiteral("fuzz_race_headers"), QStringLiteral("cut_header"), all.left(RaceRecordLength - 500));
}

void settings()
{
    resetAllSharedState();
    Rec.AthleteCount = 120;
    Rec.ClubCount = 14;
    Rec.RaceCount = 7;
    Rec.SettingsLine4 = 1;
    WriteSettingsFile();
    seed(QStringLiteral("fuzz_settings_file"), QStringLiteral("counts"), readAll(QStringLiteral("Zirpa.dat")));
    seed(QStringLiteral("fuzz_settings_file"), QStringLiteral("two_lines"), QByteArray(" 3 \r\n 2 \r\n"));
    // The counts of the target's own record files: four athletes, three
    // clubs, three races.
    Rec.AthleteCount = 4;
    Rec.ClubCount = 3;
    Rec.RaceCount = 3;
    Rec.SettingsLine4 = 0;
    WriteSettingsFile();
    seed(QStringLiteral("fuzz_settings_file"), QStringLiteral("own_files"), readAll(QStringLiteral("Zirpa.dat")));
}

void windowPositions()
{
    resetAllSharedState();
    for (int i = 1; i <= WindowSlots; ++i) {
        App.WindowTop[i] = 100 * i;
        App.WindowLeft[i] = 50.0 * i;
        App.WindowLeftSet[i] = i % 3 != 0;
    }
    SaveWindowPositions();
    const QByteArray all = readAll(QStringLiteral("TopLeft.dat"));
    seed(QStringLiteral("fuzz_window_positions"), QStringLiteral("sixty_windows"), all);
    seed(QStringLiteral("fuzz_window_positions"), QStringLiteral("cut"), all.left(60));
}

void raceFiles()
{
    resetAllSharedState();
    Race.ActiveRaceNo = 1;
    for (int k = 1; k <= ClassCount; ++k) {
        Race.ClassNames[k] = k <= 6 ? QStringLiteral("Klasse %1").arg(k) : QString();
        Race.ClassYears[k] = {2020 - 2 * k, 2021 - 2 * k};
        Race.ClassCellOrder[k][k % 2][0][0] = k;
    }
    for (int c = 0; c < 8; ++c)
        Race.ClassDesignations[c] = QStringLiteral("Bez %1").arg(c);
    for (int i = 1; i <= 4; ++i) {
        Race.SlotAthleteId[i] = i;
        Race.SlotStartNo[i] = 10 + i;
        Race.SlotClass[i] = i;
        Race.SlotClub[i] = 1;
        Race.SlotGroup[i] = i % 2;
        Race.SlotTeam[i] = i == 2 ? 1 : 0;
        Race.SlotPoints[i] = 3.25f;
        Race.SlotTime1[i] = 61.23 + i;
        Race.SlotTime2[i] = i == 3 ? 0 : 62.5;
        Race.SlotStatus1[i] = i == 4 ? 3 : 0;
        Race.SlotStatus2[i] = i == 3 ? 1 : 0;
        Race.SlotGuest[i] = i == 2;
        Race.SlotClassCell[i] = 8 * (i - 1);
    }
    Race.TeamNames[1] = QStringLiteral("Team Nord");
    Race.GroupNames[1] = QStringLiteral("Gruppe A");
    WriteRaceFiles();
    const QByteArray r = readAll(RaceFileName(u'R', QStringLiteral(".dat")));
    const QByteArray m = readAll(RaceFileName(u'M', QStringLiteral(".lst")));
    const QByteArray g = readAll(RaceFileName(u'G', QStringLiteral(".lst")));
    const QByteArray k = readAll(RaceFileName(u'K', QStringLiteral(".lst")));
    const QByteArray sep("\x1e");
    const QString t = QStringLiteral("fuzz_race_files");
    seed(t, QStringLiteral("four_files"), r + sep + m + sep + g + sep + k);
    seed(t, QStringLiteral("entries_only"), r);
    seed(t, QStringLiteral("no_entries_classes"), sep + m + sep + g + sep + k);
    seed(t, QStringLiteral("cut_entry"), r.left(r.size() / 3) + sep + sep + sep + k.left(k.size() / 2));
    // The fifth part chooses the header: by groups and points, guests apart,
    // one run, the club result of club 2; then by classes, sexes and times,
    // two runs, boarders apart, best-time title 1 from class 2, pictogram 3,
    // handicaps 1,5 and -0,5 s.
    seed(t, QStringLiteral("groups_points"),
         r + sep + m + sep + g + sep + k + sep + QByteArray("\x44\x00\x00\x00\x00\x00\x02", 7));
    seed(t, QStringLiteral("classes_two_runs"),
         r + sep + m + sep + g + sep + k + sep + QByteArray("\x33\x01\x02\x03\x0f\xfb\x05", 7));
}

void combination()
{
    resetAllSharedState();
    Rec.RaceRecordNo = 1;
    CupTable.CombiRaceNames[1] = QStringLiteral("SL");
    CupTable.CombiRaceNames[2] = QStringLiteral("RS");
    for (int i = 1; i <= 3; ++i) {
        CupTable.CupAthleteNo[i] = 10 * i;
        CupTable.CombiTimes[i][1] = 50.5 + i;
        CupTable.CombiTimes[i][2] = 60.25 + i;
        CupTable.CombiTimes[i][0] = CupTable.CombiTimes[i][1] + CupTable.CombiTimes[i][2];
    }
    WriteCombinationFile();
    const QByteArray all = readAll(CombinationFileName());
    // The whole file is 12,010 lines; the seeds keep the part that holds
    // values so that the fuzzer works on short inputs.
    qsizetype cut = 0;
    for (int line = 0; line < CombinationNameLines + 4 * CombinationLinesPerEntry && cut >= 0; ++line)
        cut = all.indexOf('\n', cut) + 1;
    const QString t = QStringLiteral("fuzz_combination_file");
    seed(t, QStringLiteral("three_participants"), all.left(cut));
    seed(t, QStringLiteral("names_only"), all.left(all.indexOf("\n 10 ")));
}

void cup()
{
    resetAllSharedState();
    SetDefaultCupPoints();
    Cup.PointsTable[12] = 7;
    WriteCupFile(QStringLiteral("Bezirkscup Süd"), {12, 5, 3});
    const QByteArray all = readAll(CupFileName());
    const QString t = QStringLiteral("fuzz_cup_file");
    seed(t, QStringLiteral("three_races"), all);
    // Cut in the middle of the points: the later places keep their defaults.
    qsizetype cut = 0;
    for (int line = 0; line < 6 && cut >= 0; ++line)
        cut = all.indexOf('\n', cut) + 1;
    seed(t, QStringLiteral("five_places"), all.left(cut));
    // The races of the target's own files.
    WriteCupFile(QStringLiteral("Kinder-Cup"), {1, 2, 3});
    seed(t, QStringLiteral("own_races"), readAll(CupFileName()));
}

void banners()
{
    resetAllSharedState();
    BannerTable t = DefaultBanners();
    t[2].Shown = 0;
    t[5].FileName = QStringLiteral("Bäckerei.jpg");
    WriteBannerFile(t);
    const QByteArray all = readAll(QStringLiteral("werbung.dat"));
    seed(QStringLiteral("fuzz_banner_file"), QStringLiteral("eight_banners"), all);
    seed(QStringLiteral("fuzz_banner_file"), QStringLiteral("cut"), all.left(all.size() / 3));
    // Two banners shown with pictures: the target's good picture and the
    // picture after the separator.
    t[0].Shown = 1;
    t[0].FileName = QStringLiteral("gut.jpg");
    t[1].Shown = 1;
    t[1].FileName = QStringLiteral("Bild.jpg");
    t[1].SizePercent = QStringLiteral("250");
    WriteBannerFile(t);
    QImage image(24, 8, QImage::Format_RGB32);
    image.fill(Qt::red);
    QBuffer jpeg;
    jpeg.open(QIODevice::WriteOnly);
    image.save(&jpeg, "JPG");
    seed(QStringLiteral("fuzz_banner_file"), QStringLiteral("two_pictures"),
         readAll(QStringLiteral("werbung.dat")) + QByteArray("\x1e") + jpeg.data());
}

} // namespace

int main(int argc, char **argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: fuzz_seed_writer <corpus-dir>\n");
        return 2;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    outDir = QDir(QString::fromLocal8Bit(argv[1])).absolutePath();
    char pattern[] = "/tmp/zirpa-seeds-XXXXXX";
    const char *work = mkdtemp(pattern);
    if (!work || chdir(work) != 0)
        return 1;
    clubs();
    athletes();
    races();
    settings();
    windowPositions();
    raceFiles();
    combination();
    cup();
    banners();
    QDir(QString::fromLocal8Bit(work)).removeRecursively();
    return 0;
}
