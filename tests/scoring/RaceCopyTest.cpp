// The race copy: the current race written again under another number.
#include <QDir>
#include <QFile>

#include "CupFixture.h"
#include "lists/CombinationFile.h"
#include "lists/ResultList.h"
#include "platform/Beep.h"
#include "platform/RecordingPrinter.h"
#include "scoring/Form19.h"
#include "scoring/CupKopie.h"
#include "scoring/ScoringWindows.h"

namespace {

class RaceCopyTest : public CupTest {
protected:
    // Race 12 with two entries full of run data; it is the race open in the
    // race window.
    void SetUp() override
    {
        CupTest::SetUp();
        a_ = addAthlete(QStringLiteral("ALPHA Anna"), 2010);
        b_ = addAthlete(QStringLiteral("BETA Bernd"));
        addRace(12, QStringLiteral("Vereinsrennen"), {{a_, 65.32, 0, 70.5}, {b_, 61, 3}});
        Race.SlotGroup[1] = 4;
        Race.SlotTeam[1] = 7;
        Race.SlotGuest[2] = 1;
        Race.SlotBoarder[2] = 1;
        Race.SlotPaid[1] = 1;
        Race.SlotPoints[1] = 12.5f;
        Race.SlotReserve[1] = 5;
        Race.SlotClub[2] = 9;
        Race.TeamNames[3] = QStringLiteral("Dritte");
        Race.GroupNames[1] = QStringLiteral("Erste");
        ASSERT_TRUE(WriteRaceFiles());
        Rec.RaceRecordNo = 12;
        ReadRaceHeader();
        Rec.GuestTimeHandicap = 1.5;
        Rec.RacePlace = QStringLiteral("Lienz");
        WriteRaceHeader();
        original_ = readBytes(QStringLiteral("R 12.dat"));

        form<Form4>().Show();
        FillRaceList();
        Rec.RaceRecordNo = 12;
        Race.ActiveRaceNo = 12;
        ReadRaceHeader();
        LoadRaceFiles();
        form<Form4>().Text2.setText(Rec.RaceName);
    }

    CupKopie &openCopy()
    {
        CupKopie &f = form<CupKopie>();
        f.Show();
        return f;
    }

    static void loadRace(int n)
    {
        Race.ActiveRaceNo = n;
        Rec.RaceRecordNo = n;
        ReadRaceHeader();
        LoadRaceFiles();
    }

    int a_ = 0, b_ = 0;
    QByteArray original_;
};

TEST_F(RaceCopyTest, WithoutRunDataTheCopyKeepsTheFieldOnly)
{
    CupKopie &f = openCopy();
    EXPECT_EQ(f.Text2.Text(), QStringLiteral("13"));
    EXPECT_TRUE(f.Label1.Caption().startsWith(QStringLiteral("Vom aktuellen Rennen 12 kann")));
    f.Command16_Click();

    EXPECT_FALSE(isLoaded<CupKopie>());
    EXPECT_EQ(Rec.RaceCount, 13);
    // The current race stays current, in memory and on disk.
    EXPECT_EQ(Race.ActiveRaceNo, 12);
    EXPECT_EQ(Rec.RaceRecordNo, 12);
    EXPECT_EQ(Rec.RaceName, QStringLiteral("Vereinsrennen"));
    EXPECT_EQ(Race.SlotTime1[1], 65.32);
    EXPECT_EQ(readBytes(QStringLiteral("R 12.dat")), original_);
    EXPECT_TRUE(form<Form4>().Visible());
    EXPECT_TRUE(form<Form4>().List1.List(0).startsWith(QStringLiteral(" 13    Kopie v. ")));

    loadRace(13);
    EXPECT_EQ(Rec.RaceName, QStringLiteral("Kopie v. Vereinsrennen"));
    EXPECT_EQ(Rec.RacePlace, QStringLiteral("Lienz"));
    EXPECT_EQ(Rec.GuestTimeHandicap, 1.5);
    for (int s = 1; s <= 2; ++s) {
        EXPECT_EQ(Race.SlotStartNo[s], 0);
        EXPECT_EQ(Race.SlotTime1[s], 0);
        EXPECT_EQ(Race.SlotTime2[s], 0);
        EXPECT_EQ(Race.SlotStatus1[s], 0);
        EXPECT_EQ(Race.SlotStatus2[s], 0);
        EXPECT_EQ(Race.SlotPaid[s], 0);
        EXPECT_EQ(Race.SlotPoints[s], 0);
        EXPECT_EQ(Race.SlotReserve[s], 0);
    }
    EXPECT_EQ(Race.SlotAthleteId[1], a_);
    EXPECT_EQ(Race.SlotGroup[1], 4);
    EXPECT_EQ(Race.SlotTeam[1], 7);
    EXPECT_EQ(Race.SlotClassCell[1], YouthCell);
    EXPECT_EQ(Race.SlotClub[2], 9);
    EXPECT_EQ(Race.SlotGuest[2], 1);
    EXPECT_EQ(Race.SlotBoarder[2], 1);
    EXPECT_EQ(Race.ClassNames[1], QStringLiteral("Jugend"));
    // Teams named from number 3 on are kept too.
    EXPECT_EQ(Race.TeamNames[3], QStringLiteral("Dritte"));
    EXPECT_EQ(Race.GroupNames[1], QStringLiteral("Erste"));
}

TEST_F(RaceCopyTest, WithRunDataTimesAndNumbersComeAlong)
{
    CupKopie &f = openCopy();
    f.Text2.setText(QStringLiteral("40"));
    f.Check1.setValue(1);
    f.Command16_Click();

    EXPECT_EQ(Rec.RaceCount, 40);
    loadRace(40);
    EXPECT_EQ(Race.SlotTime1[1], 65.32);
    EXPECT_EQ(Race.SlotTime2[1], 70.5);
    EXPECT_EQ(Race.SlotStartNo[2], 2);
    EXPECT_EQ(Race.SlotStatus1[2], 3);
    EXPECT_EQ(Race.SlotPoints[1], 12.5f);
}

TEST_F(RaceCopyTest, ANumberOutsideTheRangeWritesNothing)
{
    const QStringList before = QDir(path(QString())).entryList(QDir::Files | QDir::NoDotAndDotDot);
    for (const QString &typed : {QStringLiteral("0"), QStringLiteral("30001"), QStringLiteral("x"),
                                QStringLiteral("-4")}) {
        CupKopie &f = openCopy();
        f.Text2.setText(typed);
        f.Command16_Click();
        EXPECT_FALSE(isLoaded<CupKopie>()) << typed.toStdString();
        EXPECT_EQ(Rec.RaceCount, 12) << typed.toStdString();
        // No file of any race appears, under the names the program gives the
        // files of such a number ("x" reads as 0) or any other.
        EXPECT_EQ(QDir(path(QString())).entryList(QDir::Files | QDir::NoDotAndDotDot), before)
            << typed.toStdString();
    }
    for (const char *number : {" 0", " 30001", "-4"})
        for (const char *file : {"R%1.dat", "M%1.lst", "G%1.lst", "K%1.lst"})
            EXPECT_FALSE(QFile::exists(path(QString::fromLatin1(file).arg(QLatin1String(number)))))
                << file << number;
}

TEST_F(RaceCopyTest, AnEarlierRaceUnderTheNumberIsReplacedWhole)
{
    // Race 5 had teams of its own; the copy has none, so they go with it.
    addRace(5, QStringLiteral("Alt"), {{b_, 10}});
    Race.TeamNames[1] = QStringLiteral("Alte Mannschaft");
    ASSERT_TRUE(WriteRaceFiles());
    loadRace(12);
    Race.TeamNames[3].clear();
    ASSERT_TRUE(WriteRaceFiles());
    loadRace(12);

    CupKopie &f = openCopy();
    f.Text2.setText(QStringLiteral("5"));
    f.Command16_Click();
    ASSERT_TRUE(f.Command2.Visible());
    f.Command2_Click();

    EXPECT_EQ(Rec.RaceCount, 12);
    EXPECT_FALSE(QFile::exists(path(QStringLiteral("M 5.lst"))));
    loadRace(5);
    EXPECT_EQ(Rec.RaceName, QStringLiteral("Kopie v. Vereinsrennen"));
    EXPECT_EQ(Race.SlotAthleteId[1], a_);
    EXPECT_EQ(Race.SlotAthleteId[2], b_);
    EXPECT_EQ(Race.TeamNames[1], QString());
}

TEST_F(RaceCopyTest, ARaceWithANameOrEntriesIsReplacedOnlyAfterJA)
{
    // Race 13, the number proposed from race 12, is a timed cup race; race
    // 14 has a name only; race 15 has entries but no name.
    addRace(13, QStringLiteral("Cup 2"), {{b_, 55.5}, {a_, 54}});
    addRace(14, QStringLiteral("Nur Name"), {});
    addRace(15, QString(), {{a_, 0}});
    loadRace(12);
    struct Kept {
        QByteArray entries, classes;
        QString name;
    };
    auto kept = [this](int n) {
        Race.ActiveRaceNo = n;
        Kept k{readBytes(QStringLiteral("R %1.dat").arg(n)),
               readBytes(QStringLiteral("K %1.lst").arg(n)), {}};
        Rec.RaceRecordNo = n;
        ReadRaceHeader();
        k.name = Rec.RaceName;
        loadRace(12);
        return k;
    };
    auto same = [](const Kept &x, const Kept &y) {
        return x.entries == y.entries && x.classes == y.classes && x.name == y.name;
    };

    for (const int n : {13, 14, 15}) {
        SCOPED_TRACE(n);
        const Kept before = kept(n);
        CupKopie &f = openCopy();
        ASSERT_TRUE(showAndActivate(f));
        if (n != 13)
            f.Text2.setText(QString::number(n));
        EXPECT_EQ(f.Text2.Text(), QString::number(n));
        f.Command16.click();

        // Asked, with "nein !" as the answer Enter gives; nothing written.
        ASSERT_TRUE(isLoaded<CupKopie>());
        EXPECT_TRUE(f.Command2.Visible());
        EXPECT_EQ(f.Command2.Caption(), QStringLiteral("JA"));
        EXPECT_TRUE(f.Command3.Visible());
        EXPECT_EQ(f.Command3.Caption(), QStringLiteral("nein !"));
        EXPECT_TRUE(f.Command3.hasFocus());
        EXPECT_TRUE(same(kept(n), before));
        pressKey(f.Command3, Qt::Key_Return);
        EXPECT_FALSE(f.Command2.Visible());
        EXPECT_FALSE(f.Command3.Visible());
        EXPECT_TRUE(same(kept(n), before));
        EXPECT_TRUE(isLoaded<CupKopie>());

        // A number typed after the question is asked about anew.
        f.Command16.click();
        ASSERT_TRUE(f.Command2.Visible());
        f.Text2.setText(QStringLiteral("20"));
        EXPECT_FALSE(f.Command2.Visible());
        f.Text2.setText(QString::number(n));
        EXPECT_FALSE(f.Command2.Visible());

        f.Command16.click();
        f.Command2.click();
        EXPECT_FALSE(isLoaded<CupKopie>());
        destroyUnloadedWindows();
        loadRace(n);
        EXPECT_EQ(Rec.RaceName, QStringLiteral("Kopie v. Vereinsrennen"));
        EXPECT_EQ(Race.SlotAthleteId[1], a_);
        EXPECT_EQ(Race.SlotAthleteId[2], b_);
        loadRace(12);
    }
    EXPECT_EQ(Rec.RaceCount, 15);
}

TEST_F(RaceCopyTest, AnEmptyOrNewNumberIsCopiedWithoutAQuestion)
{
    // Race 4 was deleted (blank header, no files); race 20 lies beyond the
    // races.
    for (const int n : {4, 20}) {
        SCOPED_TRACE(n);
        CupKopie &f = openCopy();
        f.Text2.setText(QString::number(n));
        f.Command16.click();
        EXPECT_FALSE(isLoaded<CupKopie>());
        destroyUnloadedWindows();
        loadRace(n);
        EXPECT_EQ(Rec.RaceName, QStringLiteral("Kopie v. Vereinsrennen"));
        loadRace(12);
    }
}

TEST_F(RaceCopyTest, ACopyOntoTheRaceItselfIsRefusedWithABeep)
{
    CupKopie &f = openCopy();
    ASSERT_TRUE(showAndActivate(f));
    f.Text2.setText(QStringLiteral("12"));
    const int beeps = beepCount();
    f.Command16.click();
    EXPECT_EQ(beepCount(), beeps + 1);
    EXPECT_TRUE(isLoaded<CupKopie>());
    EXPECT_FALSE(f.Command2.Visible());
    EXPECT_EQ(readBytes(QStringLiteral("R 12.dat")), original_);
    loadRace(12);
    EXPECT_EQ(Rec.RaceName, QStringLiteral("Vereinsrennen"));
    EXPECT_EQ(Race.SlotTime1[1], 65.32);

    // The question of another race gives way to the refusal as well.
    addRace(13, QStringLiteral("Cup 2"), {{b_, 55.5}});
    loadRace(12);
    f.Text2.setText(QStringLiteral("13"));
    f.Command16.click();
    ASSERT_TRUE(f.Command2.Visible());
    f.Text2.setText(QStringLiteral("12"));
    f.Command16.click();
    EXPECT_FALSE(f.Command2.Visible());
    EXPECT_EQ(beepCount(), beeps + 2);
}

TEST_F(RaceCopyTest, TheCopyIsNoCombinationRace)
{
    // Race 13's number still has the combination file of an earlier
    // combination race, whose race was deleted by hand.
    Rec.RaceRecordNo = 13;
    CupTable.CombiRaceNames[1] = QStringLiteral("Alt");
    CupTable.CupAthleteNo[1] = b_;
    CupTable.CombiTimes[1][0] = CupTable.CombiTimes[1][1] = 99;
    ASSERT_TRUE(WriteCombinationFile());
    CupTable.clear();
    loadRace(12);

    CupKopie &f = openCopy();
    f.Check1.setValue(1);
    f.Command16.click();
    destroyUnloadedWindows();
    EXPECT_FALSE(QFile::exists(path(QStringLiteral("Z 13.dat"))));

    // Its result list is an ordinary one.
    RecordingPrinter &rec = useRecordingPrinter();
    form<Form4>().Text1.setText(QStringLiteral("13"));
    ASSERT_EQ(Rec.RaceName, QStringLiteral("Kopie v. Vereinsrennen"));
    PrintResultList();
    EXPECT_NE(rec.findText(QStringLiteral("Ergebnisliste")), nullptr);
    EXPECT_EQ(rec.findText(QStringLiteral("Ergebnisliste Kombination")), nullptr);
}

TEST_F(RaceCopyTest, ACombinationFileThatCannotGoStopsTheCopyWithABeep)
{
    // A folder in its place: the file cannot be removed, root or not.
    ASSERT_TRUE(QDir(App.DataDir).mkpath(QStringLiteral("Z 13.dat/inside")));
    CupKopie &f = openCopy();
    const int beeps = beepCount();
    f.Command16.click();
    EXPECT_EQ(beepCount(), beeps + 1);
    EXPECT_FALSE(QFile::exists(path(QStringLiteral("R 13.dat"))));
    EXPECT_FALSE(QFile::exists(path(QStringLiteral("K 13.lst"))));
    EXPECT_EQ(Rec.RaceCount, 12);
    EXPECT_EQ(Race.ActiveRaceNo, 12);
    EXPECT_EQ(Rec.RaceName, QStringLiteral("Vereinsrennen"));
}

} // namespace

namespace {

TEST_F(RaceCopyTest, TheRaceWindowOpensCopyOverItAndCombinationInstead)
{
    InstallScoringWindows();
    Form4 &races = form<Form4>();
    races.Command16.click();
    ASSERT_TRUE(isLoaded<CupKopie>());
    EXPECT_TRUE(form<CupKopie>().Visible());
    EXPECT_TRUE(races.Visible());
    form<CupKopie>().Command1.click();
    EXPECT_FALSE(isLoaded<CupKopie>());
    EXPECT_EQ(Rec.RaceCount, 12);

    races.Command18.click();
    ASSERT_TRUE(isLoaded<Form19>());
    EXPECT_TRUE(form<Form19>().Visible());
    EXPECT_FALSE(races.Visible());
    EXPECT_EQ(form<Form19>().List1.ListCount(), races.List1.ListCount());
    form<Form19>().Command1.click();
    destroyUnloadedWindows();
    EXPECT_TRUE(form<Form4>().Visible());
}

} // namespace
