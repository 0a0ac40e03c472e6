#include <QtEndian>
#include <bit>

#include "GuiTestHelpers.h"
#include "RaceBuilder.h"
#include "core/Form4.h"
#include "core/RecordFiles.h"
#include "core/SharedState.h"
#include "platform/Clock.h"
#include "race/Form14.h"
#include "race/RaceWindows.h"

namespace {

struct Criteria {
    int byClass, bySex, guests, byTime, twoRuns, boarders;
};

class Form14Test : public WindowDataTest, protected RaceBuilder {
protected:
    void SetUp() override
    {
        WindowDataTest::SetUp();
        sysclock::setFixedNow(QDateTime(QDate(2026, 12, 9), QTime(9, 30)));
        OpenRaceFile();
        OpenAthleteFile();
        writeRace(1, QStringLiteral("Vereinsmeisterschaft"), {1, 0, 0, 1, 0, 0}, 0, 0);
        writeRace(2, QStringLiteral("Kinderrennen"), {0, 1, 1, 0, 1, 1}, 3, -4);
        Rec.RaceRecordNo = 1;
        Race.ActiveRaceNo = 1;
        ReadRaceHeader();
    }

    void writeRace(int n, const QString &name, Criteria c, double guest, double men)
    {
        RaceBuilder::writeRace(n, {.name = name,
                                   .byClass = std::uint8_t(c.byClass),
                                   .byTime = std::uint8_t(c.byTime),
                                   .bySex = std::uint8_t(c.bySex),
                                   .twoRuns = std::uint8_t(c.twoRuns),
                                   .guestsApart = std::uint8_t(c.guests),
                                   .boarders = std::uint8_t(c.boarders),
                                   .guestHandicap = guest,
                                   .menHandicap = men});
    }

    QByteArray record(int n)
    {
        return readBytes(QStringLiteral("Rennen.rec")).mid((n - 1) * RaceRecordLength,
                                                          RaceRecordLength);
    }

    static double doubleAt(const QByteArray &bytes, int offset)
    {
        return std::bit_cast<double>(qFromLittleEndian<quint64>(bytes.constData() + offset));
    }

    // The criteria bytes as the file holds them, in the order of Criteria.
    static Criteria criteriaIn(const QByteArray &r)
    {
        return {r.at(328), r.at(329), r.at(330), r.at(331), r.at(332), r.at(362)};
    }

    static Criteria criteriaInMemory()
    {
        return {Rec.EvalByClass, Rec.EvalBySex, Rec.EvalGuestsApart,
                Rec.EvalByTime,  Rec.TwoRuns,   Rec.EvalBoarders};
    }

    // A click on the box's tick square, as the user makes it.
    static void tickByUser(CheckBox &box)
    {
        QTest::mouseClick(box.widget(), Qt::LeftButton, Qt::NoModifier,
                          QPoint(6, box.widget()->height() / 2));
    }

    static Criteria ticks(Form14 &f)
    {
        return {f.Check1.Value(), f.Check3.Value(), f.Check4.Value(),
                f.Check6.Value(), f.Check7.Value(), f.Check8.Value()};
    }
};

bool operator==(const Criteria &a, const Criteria &b)
{
    return a.byClass == b.byClass && a.bySex == b.bySex && a.guests == b.guests
        && a.byTime == b.byTime && a.twoRuns == b.twoRuns && a.boarders == b.boarders;
}

void PrintTo(const Criteria &c, std::ostream *out)
{
    *out << "{" << c.byClass << c.bySex << c.guests << c.byTime << c.twoRuns << c.boarders << "}";
}

TEST_F(Form14Test, Load_ShowsTheHeaderAndLeavesTheBytesAsTheyAre)
{
    const struct {
        Criteria stored;
        double guest, men;
        const char *guestText, *menText;
    } cases[] = {
        {{1, 0, 0, 1, 0, 0}, 0, 0, "0", "0"},
        {{0, 1, 1, 0, 1, 1}, 1.5, -2, "1,5", "-2"},
        {{1, 1, 0, 0, 0, 1}, 0.25, 12, "0,25", "12"},
    };
    for (const auto &c : cases) {
        writeRace(1, QStringLiteral("Vereinsmeisterschaft"), c.stored, c.guest, c.men);
        Form14 &f = form<Form14>();
        EXPECT_EQ(f.Label1.Caption(), QStringLiteral("Vereinsmeisterschaft"));
        EXPECT_EQ(ticks(f), c.stored);
        // The partners show the other half of each pair.
        EXPECT_EQ(f.Check2.Value(), 1 - c.stored.byClass);
        EXPECT_EQ(f.Check5.Value(), 1 - c.stored.byTime);
        EXPECT_EQ(criteriaInMemory(), c.stored);
        EXPECT_EQ(f.Text1.Text(), QString::fromUtf8(c.guestText));
        EXPECT_EQ(f.Text2.Text(), QString::fromUtf8(c.menText));
        f.Unload();
        destroyUnloadedWindows();
    }
}

TEST_F(Form14Test, ExclusivePairs_KeepOneBoxTickedAndTheByteFollows)
{
    Form14 &f = form<Form14>();
    ASSERT_TRUE(showAndActivate(f));
    const struct {
        CheckBox Form14::*clicked;
        int byClass, byTime;   // expected bytes after the click
    } steps[] = {
        {&Form14::Check2, 0, 1},   // "Gruppen" ticked unticks "Klassen"
        {&Form14::Check2, 1, 1},   // "Gruppen" unticked ticks "Klassen" again
        {&Form14::Check1, 0, 1},   // unticking "Klassen" ticks "Gruppen"
        {&Form14::Check1, 1, 1},
        {&Form14::Check5, 1, 0},   // "Punkte"
        {&Form14::Check6, 1, 1},   // "Zeit" ticked again unticks "Punkte"
        {&Form14::Check6, 1, 0},
    };
    for (const auto &s : steps) {
        tickByUser(f.*s.clicked);
        EXPECT_EQ(Rec.EvalByClass, s.byClass) << (f.*s.clicked).Name().toStdString();
        EXPECT_EQ(Rec.EvalByTime, s.byTime) << (f.*s.clicked).Name().toStdString();
        EXPECT_EQ(f.Check1.Value() + f.Check2.Value(), 1);
        EXPECT_EQ(f.Check5.Value() + f.Check6.Value(), 1);
        EXPECT_EQ(f.Check1.Value(), Rec.EvalByClass);
        EXPECT_EQ(f.Check6.Value(), Rec.EvalByTime);
    }

    for (CheckBox *box : {&f.Check3, &f.Check4, &f.Check8, &f.Check7}) {
        tickByUser(*box);
        EXPECT_EQ(box->Value(), 1);
    }
    EXPECT_EQ(criteriaInMemory(), (Criteria{1, 1, 1, 0, 1, 1}));
    tickByUser(f.Check4);
    EXPECT_EQ(Rec.EvalGuestsApart, 0);
}

TEST_F(Form14Test, Handicaps_TakeCommaOrPointAndASign)
{
    Form14 &f = form<Form14>();
    ASSERT_TRUE(showAndActivate(f));
    const struct {
        const char *text;
        double seconds;
    } cases[] = {
        {"1,5", 1.5}, {"1.5", 1.5}, {"-2", -2}, {"", 0},          {"abc", 0},
        {"+0,25", 0.25}, {" 3,5 s", 3.5}, {"-0.75", -0.75}, {"12,", 12},
    };
    for (const auto &c : cases) {
        f.Text1.SetFocus();
        f.Text1.setText(QString::fromUtf8(c.text));
        f.Text2.SetFocus();
        EXPECT_EQ(Rec.GuestTimeHandicap, c.seconds) << c.text;
        f.Text2.setText(QString::fromUtf8(c.text));
        f.Text1.SetFocus();
        EXPECT_EQ(Rec.MenTimeHandicap, c.seconds) << c.text;
    }
}

TEST_F(Form14Test, Handicaps_LeavingWithoutTypingKeepsTheStoredValue)
{
    // A value whose shortest text with 15 digits would read back differently.
    const double stored = 0.1 + 0.2;
    writeRace(1, QStringLiteral("Vereinsmeisterschaft"), {1, 0, 0, 1, 0, 0}, stored, -stored);
    Form14 &f = form<Form14>();
    ASSERT_TRUE(showAndActivate(f));
    EXPECT_EQ(f.Text1.Text(), QStringLiteral("0,3"));
    f.Text1.SetFocus();
    f.Text2.SetFocus();
    f.Command1.SetFocus();
    EXPECT_EQ(Rec.GuestTimeHandicap, stored);
    EXPECT_EQ(Rec.MenTimeHandicap, -stored);
}

TEST_F(Form14Test, Closing_WritesTheHeaderAtTheActiveRace)
{
    const QByteArray race2Before = record(2);
    // A stale record number must not decide where the header goes.
    Rec.RaceRecordNo = 2;
    Form14 &f = form<Form14>();
    ASSERT_TRUE(showAndActivate(f));
    EXPECT_EQ(f.Label1.Caption(), QStringLiteral("Vereinsmeisterschaft"));
    tickByUser(f.Check2);
    tickByUser(f.Check3);
    tickByUser(f.Check8);
    tickByUser(f.Check7);
    tickByUser(f.Check5);
    f.Text1.SetFocus();
    f.Text1.setText(QStringLiteral("1,5"));
    f.Text2.SetFocus();
    f.Text2.setText(QStringLiteral("-2"));   // committed by the click on "fertig"
    f.Command1.click();
    destroyUnloadedWindows();

    EXPECT_FALSE(isLoaded<Form14>());
    EXPECT_TRUE(form<Form4>().Visible());
    EXPECT_EQ(Rec.RaceRecordNo, 1);
    const QByteArray r = record(1);
    EXPECT_EQ(criteriaIn(r), (Criteria{0, 1, 0, 0, 1, 1}));
    EXPECT_EQ(doubleAt(r, 312), 1.5);
    EXPECT_EQ(doubleAt(r, 320), -2.0);
    EXPECT_EQ(r.left(20), QByteArray("Vereinsmeisterschaft"));
    EXPECT_EQ(record(2), race2Before);
    EXPECT_EQ(Rec.RaceCount, 2);

    // Opened again, the window shows what was written.
    Rec.RaceRecordNo = 1;
    Form14 &again = form<Form14>();
    EXPECT_EQ(ticks(again), (Criteria{0, 1, 0, 0, 1, 1}));
    EXPECT_EQ(again.Check2.Value(), 1);
    EXPECT_EQ(again.Check5.Value(), 1);
    EXPECT_EQ(again.Text1.Text(), QStringLiteral("1,5"));
    EXPECT_EQ(again.Text2.Text(), QStringLiteral("-2"));
}

TEST_F(Form14Test, Closing_WithoutAnExistingRaceWritesNothing)
{
    Race.ActiveRaceNo = 3;   // beyond the last race
    const QByteArray before = readBytes(QStringLiteral("Rennen.rec"));
    form<Form14>().Unload();
    EXPECT_EQ(readBytes(QStringLiteral("Rennen.rec")), before);
    EXPECT_EQ(Rec.RaceCount, 2);
}

TEST_F(Form14Test, RaceWindowLauncher_OpensTheCriteria)
{
    InstallRaceWindows();
    Form4 &race = form<Form4>();
    ASSERT_TRUE(showAndActivate(race));
    race.Text1.setText(QStringLiteral("2"));
    race.Command14.click();
    EXPECT_FALSE(race.Visible());
    ASSERT_TRUE(isLoaded<Form14>());
    Form14 &f = form<Form14>();
    EXPECT_TRUE(f.Visible());
    EXPECT_EQ(f.Label1.Caption(), QStringLiteral("Kinderrennen"));
    EXPECT_EQ(ticks(f), (Criteria{0, 1, 1, 0, 1, 1}));
    EXPECT_EQ(f.Text1.Text(), QStringLiteral("3"));
    EXPECT_EQ(f.Text2.Text(), QStringLiteral("-4"));
    f.Command1.click();
    destroyUnloadedWindows();
    EXPECT_TRUE(race.Visible());
}

} // namespace
