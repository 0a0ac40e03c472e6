// A race by classes whose class start order was never set: opened for the
// time entry from the race window, its provisional result ranks each class
// by itself under its name, and the order goes into the race's class file.
#include <QDate>
#include <QStringList>

#include "RaceBuilder.h"
#include "WalkTest.h"
#include "core/Form4.h"
#include "core/Launchers.h"
#include "core/RaceFiles.h"
#include "core/RecordFiles.h"
#include "core/SharedState.h"
#include "platform/Clock.h"
#include "race/Form13.h"
#include "race/Form7.h"
#include "race/RaceWindows.h"

namespace {

struct Starter {
    const char *name;
    int year;
    double time;
};

// Two in each class, the younger class slower.
const Starter Field[] = {
    {"GRUBER Lena", 2016, 70},
    {"HOFER Paul", 2011, 61},
    {"KOGLER Mia", 2017, 72},
    {"STEINER Jan", 2012, 60},
};

class UnsetStartOrderWalkTest : public RaceWalkTest {
protected:
    void SetUp() override
    {
        RaceWalkTest::SetUp();
        // Named and dated, but no start order and no designations.
        Race.ClassNames[1] = QStringLiteral("Kinder");
        Race.ClassYears[1] = {2015, 2025};
        Race.ClassNames[2] = QStringLiteral("Schüler");
        Race.ClassYears[2] = {1900, 2014};
        for (const Starter &s : Field)
            addEntry(addAthlete({.name = QString::fromUtf8(s.name), .sex = 0, .year = s.year}),
                     {.startNo = SlotNumber, .t1 = s.time});
        ASSERT_TRUE(WriteRaceFiles());
        Race = RaceState{};
    }

    QStringList kLines()
    {
        return QString::fromLatin1(readBytes(QStringLiteral("K 1.lst")))
            .split(QStringLiteral("\r\n"));
    }
};

TEST_F(UnsetStartOrderWalkTest, TimeEntry_RanksEachClassByItselfAndStoresTheOrder)
{
    ASSERT_EQ(kLines().value(3), QStringLiteral(" 0 "));   // class 1, first cell

    Form4 &race = form<Form4>();
    ASSERT_TRUE(showAndActivate(race));
    race.Text1.SetFocus();
    race.Text1.setText(QString());
    typeText(race.Text1, QStringLiteral("1"));
    clickWithMouse(race.Command6);   // "Zeitnehmung und Punktevergabe"
    ASSERT_TRUE(isLoaded<Form7>());
    Form7 &f = form<Form7>();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&f));

    clickWithMouse(f.Check1);   // "vorläufiges Ergebnis"
    ASSERT_TRUE(isLoaded<Form13>());
    const QString header =
        QStringLiteral("Rang--Name------------------Startnr.-Klasse-----------Zeit----Diff.");
    EXPECT_EQ(lines(form<Form13>().List2),
              (QStringList{"", header,
                           "   1. GRUBER Lena                  1 Kinder          70,00     0,00",
                           "   2. KOGLER Mia                   3 Kinder          72,00     2,00",
                           "", header,
                           "   1. STEINER Jan                  4 Schüler         60,00     0,00",
                           "   2. HOFER Paul                   2 Schüler         61,00     1,00"}));

    ASSERT_TRUE(activateByUser(f));
    clickWithMouse(f.Command3);   // "fertig"
    destroyUnloadedWindows();
    ASSERT_FALSE(isLoaded<Form7>());
    const QStringList k = kLines();
    ASSERT_GE(k.size(), 380);
    // Per class: name, two years, the eight cell numbers; then the 160
    // designations.
    EXPECT_EQ(k[3], QStringLiteral(" 1 "));
    EXPECT_EQ(k[4], QStringLiteral(" 0 "));   // the men's cell: no split by sex
    EXPECT_EQ(k[11 + 3], QStringLiteral(" 2 "));
    EXPECT_EQ(k[220 + 0], QStringLiteral("Kinder"));
    EXPECT_EQ(k[220 + 8], QStringLiteral("Schüler"));
}

} // namespace
