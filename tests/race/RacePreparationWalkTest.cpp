// Preparing a race as a new user does it, through the windows: clubs and
// athletes, a named race, the entry list, the evaluation criteria, the class
// start order with two cells merged, the start-number draw with reserve gaps;
// then every window opened again, the race files read byte for byte, and a
// new start of the program in the middle of the work that finds it all.
#include <QFile>
#include <QLineEdit>
#include <QtEndian>
#include <functional>

#include "WalkTest.h"
#include "core/Form1.h"
#include "core/Form17.h"
#include "core/Form2.h"
#include "core/Form3.h"
#include "core/Form4.h"
#include "core/RecordFiles.h"
#include "core/SharedState.h"
#include "platform/Clock.h"
#include "platform/Colours.h"
#include "race/EntryList.h"
#include "race/Form14.h"
#include "race/Form15.h"
#include "race/Form5.h"
#include "race/Form6.h"
#include "race/RaceWindows.h"
#include "race/StartNumbers.h"

namespace {

const double Red = colourValue(255, 0, 0);
const double Female = colourValue(255, 192, 192);

// Cells of the class grid, with the race split by sex (class k, sex s:
// (k - 1) * 8 + s). On 9 December 2026 the standard table holds 2017 in
// "Kinder U10" (5), 2016 in "Kinder U11" (6) and 2000 in "Allg. Kl." (14).
constexpr int U10Women = 32, U10Men = 33, U11Women = 40, U11Men = 41, AllgWomen = 104,
              AllgMen = 105;

// The athletes in the order they are typed in, so record n is the n-th; the
// clubs as chosen in the athlete window: 0 none, 1 and 2 the clubs.
const std::vector<TypedAthlete> Athletes = {
    {"HUBER Anna", true, "01.01.2017", 1, 0},   {"MAIER Hans", false, "15.03.2017", 2, 0},
    {"BERGER Lisa", true, "20.05.2016", 1, 2},  {"MOSER Paul", false, "01.02.2016", 0, 1},
    {"WALLNER Eva", true, "10.10.2000", 1, 0},  {"GRUBER Max", false, "07.07.2000", 2, 0},
};

// An entry line as the entry list writes it.
QString entryLine(const QString &name, const QString &club, int slot, int athlete)
{
    return name + QStringLiteral("   ") + (club.isEmpty() ? QString() : " --- " + club)
        + QString(50, u' ') + QStringLiteral("%1").arg(slot, 4, 10, QLatin1Char('0'))
        + QStringLiteral("%1").arg(athlete, 6, 10, QLatin1Char('0'));
}

// One slot block of the entry file: the sixteen values and seven empty lines.
struct SlotBlock {
    int athlete, startNo, klass, club, cell;
};
QStringList slotBlock(const SlotBlock &b)
{
    auto n = [](int v) { return QStringLiteral(" %1 ").arg(v); };
    return QStringList{n(b.athlete), n(b.startNo), n(b.klass), n(b.club), n(0), n(0),
                       QStringLiteral("0"), QStringLiteral("0"), n(0), n(0), n(0), n(0),
                       QStringLiteral("0"), n(0), n(0), n(b.cell)}
        + QStringList(7, QString());
}

class RacePreparationWalkTest : public WalkTest {
protected:
    RacePreparationWalkTest() : WalkTest({InstallRaceWindows}) {}

    void enterAthletes(Form4 &races)
    {
        clickWithMouse(races.Command4);   // "Teilnehmerliste erstellen"
        ASSERT_TRUE(isLoaded<Form5>());
        Form5 &f = form<Form5>();
        ASSERT_TRUE(showAndActivate(f));
        EXPECT_FALSE(races.Visible());
        EXPECT_EQ(f.Label1.Caption(), QStringLiteral("Vereinsmeisterschaft"));
        EXPECT_EQ(f.List1.ListCount(), 6);
        EXPECT_EQ(f.List2.ListCount(), 0);

        // The two names beginning with M, found by the filter.
        typeInto(f.Text1, QStringLiteral("m"));
        pressKey(f.Text1, Qt::Key_Return);
        EXPECT_EQ(lines(f.List1),
                  (QStringList{"MAIER Hans" + QString(20, u' ') + " 2",
                               "MOSER Paul" + QString(20, u' ') + " 4"}));
        addFromOverview(f, QStringLiteral("MAIER Hans"));
        addFromOverview(f, QStringLiteral("MOSER Paul"));
        EXPECT_EQ(f.Text1.Text(), QStringLiteral("M"));   // capitalised on leaving it

        clickWithMouse(f.Command4);   // "alle zeigen"
        EXPECT_EQ(f.List1.ListCount(), 6);
        // One already entered cannot be added twice.
        clickLine(f.List1, lineBeginningWith(f.List1, QStringLiteral("MAIER Hans")));
        EXPECT_FALSE(f.Command2.Enabled());
        addFromOverview(f, QStringLiteral("HUBER Anna"));
        addFromOverview(f, QStringLiteral("BERGER Lisa"));
        EXPECT_EQ(f.Label10.Caption(), QStringLiteral("SC Alpenrose - WSV Tal"));
        addFromOverview(f, QStringLiteral("WALLNER Eva"));
        addFromOverview(f, QStringLiteral("GRUBER Max"));
        EXPECT_EQ(f.List2.ListCount(), 6);

        // MOSER Paul out again: the entries behind him move up a slot.
        clickLine(f.List2, lineBeginningWith(f.List2, QStringLiteral("MOSER Paul")));
        EXPECT_EQ(f.Label5.Caption(), QStringLiteral("MOSER Paul"));
        EXPECT_EQ(f.Label7.Caption(), QStringLiteral("2"));
        clickWithMouse(f.Command3);
        EXPECT_FALSE(f.Command3.Enabled());
        EXPECT_EQ(lineBeginningWith(f.List2, QStringLiteral("MOSER Paul")), -1);
        // ... and back in, now into the lowest free slot, the sixth.
        typeInto(f.Text1, QStringLiteral("mos"));
        pressKey(f.Text1, Qt::Key_Return);
        ASSERT_EQ(f.List1.ListCount(), 1);
        addFromOverview(f, QStringLiteral("MOSER Paul"));

        // MOSER Paul's one club is in his second field, so that field counts;
        // BERGER Lisa has two clubs and chooses later.
        EXPECT_EQ(lines(f.List2),
                  (QStringList{entryLine("BERGER Lisa", QString(), 3, 3),
                               entryLine("GRUBER Max", "WSV Tal", 5, 6),
                               entryLine("HUBER Anna", "SC Alpenrose", 2, 1),
                               entryLine("MAIER Hans", "WSV Tal", 1, 2),
                               entryLine("MOSER Paul", "SC Alpenrose", 6, 4),
                               entryLine("WALLNER Eva", "SC Alpenrose", 4, 5)}));
        // By entry number the keys sort as text.
        f.Combo1.setListIndex(1);
        EXPECT_TRUE(f.List2.List(0).startsWith(QStringLiteral("1  MAIER Hans")));
        EXPECT_TRUE(f.List2.List(5).startsWith(QStringLiteral("6  MOSER Paul")));
        clickWithMouse(f.Command1);   // "fertig"
    }

    void setCriteria(Form4 &races)
    {
        clickWithMouse(races.Command14);   // "Auswertungskriterien"
        ASSERT_TRUE(isLoaded<Form14>());
        Form14 &f = form<Form14>();
        ASSERT_TRUE(showAndActivate(f));
        EXPECT_EQ(f.Label1.Caption(), QStringLiteral("Vereinsmeisterschaft"));
        // A new race is evaluated by classes and by time until told otherwise.
        EXPECT_EQ(f.Check1.Value(), 1);   // "Klassen"
        EXPECT_EQ(f.Check6.Value(), 1);   // "Zeit"
        EXPECT_EQ(f.Check7.Value(), 0);   // "zwei Durchgänge"
        clickWithMouse(f.Check3);   // "m/w"
        clickWithMouse(f.Check7);   // "zwei Durchgänge"
        EXPECT_EQ(f.Check2.Value(), 0);
        EXPECT_EQ(f.Check5.Value(), 0);
        typeInto(f.Text2, QStringLiteral("1,5"));   // men's handicap
        clickWithMouse(f.Command1);
    }

    void checkCriteriaWindow(Form4 &races)
    {
        clickWithMouse(races.Command14);
        Form14 &f = form<Form14>();
        ASSERT_TRUE(showAndActivate(f));
        const struct {
            CheckBox &box;
            int ticked;
        } boxes[] = {{f.Check1, 1}, {f.Check2, 0}, {f.Check3, 1}, {f.Check4, 0},
                     {f.Check8, 0}, {f.Check5, 0}, {f.Check6, 1}, {f.Check7, 1}};
        for (const auto &b : boxes)
            EXPECT_EQ(b.box.Value(), b.ticked) << b.box.Caption().toStdString();
        EXPECT_EQ(f.Text1.Text(), QStringLiteral("0"));
        EXPECT_EQ(f.Text2.Text(), QStringLiteral("1,5"));
        clickWithMouse(f.Command1);
        backInRaceWindow(races);
    }

    void numberClassCells(Form4 &races)
    {
        clickWithMouse(races.Command15);   // "Klassen-Start-Reihenfolge"
        ASSERT_TRUE(isLoaded<Form15>());
        Form15 &f = form<Form15>();
        ASSERT_TRUE(showAndActivate(f));
        // Split by sex only: two cells a class, headed "w" and "m".
        EXPECT_TRUE(f.Label3(U10Women).Visible());
        EXPECT_TRUE(f.Label3(U10Men).Visible());
        EXPECT_FALSE(f.Label3(U10Women + 2).Visible());
        EXPECT_EQ(f.Label2(4).Caption(), QStringLiteral("Kinder U10"));
        EXPECT_EQ(f.Label4(0).Caption(), QStringLiteral("w"));
        EXPECT_FALSE(f.Label4(2).Visible());

        // Never set, the start order comes numbered class by class, women
        // before men; the user clears it to give an order of his own.
        EXPECT_EQ(f.Label3(0).Caption(), QStringLiteral("1"));
        EXPECT_EQ(f.Label3(1).Caption(), QStringLiteral("2"));
        EXPECT_EQ(f.Label3(U10Women).Caption(), QStringLiteral("9"));
        EXPECT_EQ(f.Label3(U10Men).Caption(), QStringLiteral("10"));
        clickWithMouse(f.Command4);   // "alles auf 0 setzen"
        clickWithMouse(f.Command5);   // "JA"
        EXPECT_EQ(f.Label3(U10Women).Caption(), QStringLiteral("0"));

        // Clicking numbers the cells in click order.
        int expected = 1;
        for (const int cell : {U10Women, U10Men, U11Women, U11Men, AllgWomen, AllgMen}) {
            clickWithMouse(f.Label3(cell));
            EXPECT_EQ(f.Label3(cell).Caption(), QString::number(expected)) << cell;
            ++expected;
        }
        EXPECT_EQ(f.Text1.Text(), QStringLiteral("Allg. Kl. männlich"));
        // The men of the general class start and are ranked with its women.
        typeInto(f.Text2, QStringLiteral("5"));
        clickWithMouse(f.Command2);   // "eintragen"
        EXPECT_EQ(f.Label3(AllgMen).Caption(), QStringLiteral("5"));
        // ... under a designation of their own.
        clickWithMouse(f.Label3(AllgWomen));
        EXPECT_EQ(f.Text2.Text(), QStringLiteral("5"));
        typeInto(f.Text1, QStringLiteral("Allgemeine Klasse"));
        clickWithMouse(f.Command1);
    }

    void checkClassOrderWindow(Form4 &races)
    {
        clickWithMouse(races.Command15);
        Form15 &f = form<Form15>();
        ASSERT_TRUE(showAndActivate(f));
        const struct {
            int cell;
            const char *number;
        } cells[] = {{U10Women, "1"}, {U10Men, "2"}, {U11Women, "3"}, {U11Men, "4"},
                     {AllgWomen, "5"}, {AllgMen, "5"}, {0, "0"}, {U10Women - 8, "0"}};
        for (const auto &c : cells)
            EXPECT_EQ(f.Label3(c.cell).Caption(), QString::fromUtf8(c.number)) << c.cell;
        clickWithMouse(f.Label3(AllgWomen));
        EXPECT_EQ(f.Text1.Text(), QStringLiteral("Allgemeine Klasse"));
        EXPECT_EQ(f.Text2.Text(), QStringLiteral("5"));
        clickWithMouse(f.Label3(U11Men));
        EXPECT_EQ(f.Text1.Text(), QStringLiteral("Kinder U11 männlich"));
        EXPECT_EQ(f.Text2.Text(), QStringLiteral("4"));
        clickWithMouse(f.Command1);
        backInRaceWindow(races);
    }

    static void clickParticipant(Form6 &f, const QString &name)
    {
        int row = -1;
        for (int i = 0; i < f.List1.ListCount(); ++i)
            if (f.List1.List(i).mid(7).startsWith(name))
                row = i;
        ASSERT_GE(row, 0) << name.toStdString();
        clickLine(f.List1, row);
        ASSERT_EQ(f.Label2.Caption(), name);
    }

    void drawStartNumbers(Form4 &races)
    {
        clickWithMouse(races.Command5);   // "Startnummern"
        ASSERT_TRUE(isLoaded<Form6>());
        Form6 &f = form<Form6>();
        ASSERT_TRUE(showAndActivate(f));
        EXPECT_FALSE(f.Command6.Enabled());   // nothing to clear yet

        clickWithMouse(f.Command2);   // "automatische Nummernvergabe"
        ASSERT_TRUE(f.Text2.Visible());
        typeInto(f.Text2, QStringLiteral("5"));   // "Reserve"
        // One random number per entry in slot order: MAIER, HUBER, BERGER,
        // WALLNER, GRUBER, MOSER. WALLNER Eva draws before GRUBER Max.
        rnd::queueValues({0.5, 0.5, 0.5, 0.10, 0.90, 0.5});
        clickWithMouse(f.Command3);   // "LOS !"
        EXPECT_FALSE(f.Command2.Visible());   // one draw per opening

        // Blocks by start order 1..5, five numbers free between two blocks.
        EXPECT_EQ(lines(f.List1), (QStringList{"    1  HUBER Anna          2",
                                               "    7  MAIER Hans          1",
                                               "   13  BERGER Lisa          3",
                                               "   19  MOSER Paul          6",
                                               "   25  WALLNER Eva          4",
                                               "   26  GRUBER Max          5"}));

        // A number that is taken is refused.
        clickParticipant(f, QStringLiteral("MOSER Paul"));
        typeInto(f.Text1, QStringLiteral("7"));
        clickWithMouse(f.Command5);   // "ok?"
        EXPECT_EQ(f.Text1.BackColor(), Red);

        // BERGER Lisa's club that counts is her second one.
        clickParticipant(f, QStringLiteral("BERGER Lisa"));
        EXPECT_EQ(f.Label2.BackColor(), Female);
        ASSERT_EQ(f.Combo1.ListCount(), 5);
        EXPECT_EQ(f.Combo1.List(2), QStringLiteral("WSV Tal"));
        f.Combo1.SetFocus();
        f.Combo1.setListIndex(2);
        clickWithMouse(f.Command5);
        clickWithMouse(f.Command1);   // "fertig"
    }

    void checkStartNumberWindow(Form4 &races)
    {
        clickWithMouse(races.Command5);
        Form6 &f = form<Form6>();
        ASSERT_TRUE(showAndActivate(f));
        EXPECT_EQ(lines(f.List1), (QStringList{"    1  HUBER Anna          2",
                                               "    7  MAIER Hans          1",
                                               "   13  BERGER Lisa          3",
                                               "   19  MOSER Paul          6",
                                               "   25  WALLNER Eva          4",
                                               "   26  GRUBER Max          5"}));
        EXPECT_TRUE(f.Command6.Enabled());
        const struct {
            const char *name, *startNo, *klass, *designation, *club, *born;
        } shown[] = {
            {"MOSER Paul", "19", "Kinder U11", "Kinder U11 männlich", "SC Alpenrose", "2016"},
            {"BERGER Lisa", "13", "Kinder U11", "Kinder U11 weiblich", "WSV Tal", "2016"},
            {"WALLNER Eva", "25", "Allg. Kl.", "Allgemeine Klasse", "SC Alpenrose", "2000"},
            {"GRUBER Max", "26", "Allg. Kl.", "Allg. Kl. männlich", "WSV Tal", "2000"},
        };
        for (const auto &s : shown) {
            SCOPED_TRACE(s.name);
            clickParticipant(f, QString::fromUtf8(s.name));
            EXPECT_EQ(f.Text1.Text(), QString::fromUtf8(s.startNo));
            EXPECT_EQ(f.Label16.Caption(), QString::fromUtf8(s.klass));
            EXPECT_EQ(f.Label13.Caption(), QString::fromUtf8(s.designation));
            EXPECT_EQ(f.Combo1.Text(), QString::fromUtf8(s.club));
            EXPECT_EQ(f.Label8.Caption(), QString::fromUtf8(s.born));
        }
        clickWithMouse(f.Command1);
        backInRaceWindow(races);
    }

    void checkEntryListWindow(Form4 &races)
    {
        clickWithMouse(races.Command4);
        Form5 &f = form<Form5>();
        ASSERT_TRUE(showAndActivate(f));
        EXPECT_EQ(lines(f.List2),
                  (QStringList{entryLine("BERGER Lisa", "WSV Tal", 3, 3),
                               entryLine("GRUBER Max", "WSV Tal", 5, 6),
                               entryLine("HUBER Anna", "SC Alpenrose", 2, 1),
                               entryLine("MAIER Hans", "WSV Tal", 1, 2),
                               entryLine("MOSER Paul", "SC Alpenrose", 6, 4),
                               entryLine("WALLNER Eva", "SC Alpenrose", 4, 5)}));
        clickWithMouse(f.Command1);
        backInRaceWindow(races);
    }

    // What the windows showed, in the files of race 1.
    void checkRaceFiles()
    {
        // Slots in entry order, each with its athlete, start number, class,
        // club field and class cell.
        const SlotBlock blocks[] = {
            {2, 7, 5, 1, U10Men},   {1, 1, 5, 1, U10Women},    {3, 13, 6, 2, U11Women},
            {5, 25, 14, 1, AllgWomen}, {6, 26, 14, 1, AllgMen}, {4, 19, 6, 2, U11Men},
        };
        QStringList r;
        for (const SlotBlock &b : blocks)
            r += slotBlock(b);
        EXPECT_EQ(fileLines(QStringLiteral("R 1.dat")), r);

        const QStringList k = fileLines(QStringLiteral("K 1.lst"));
        ASSERT_EQ(k.size(), 380);
        auto classBlock = [&k](int klass) { return k.mid(11 * (klass - 1), 11); };
        auto orders = [](std::initializer_list<int> first) {
            QStringList out;
            for (int n : first)
                out << QStringLiteral(" %1 ").arg(n);
            while (out.size() < 8)
                out << QStringLiteral(" 0 ");
            return out;
        };
        EXPECT_EQ(classBlock(5),
                  QStringList({"Kinder U10", " 2017 ", " 2017 "}) + orders({1, 2}));
        EXPECT_EQ(classBlock(6),
                  QStringList({"Kinder U11", " 2016 ", " 2016 "}) + orders({3, 4}));
        EXPECT_EQ(classBlock(14),
                  QStringList({"Allg. Kl.", " 1997 ", " 2005 "}) + orders({5, 5}));
        for (int klass = 1; klass <= 20; ++klass) {
            if (klass != 5 && klass != 6 && klass != 14) {
                EXPECT_EQ(classBlock(klass).mid(3), orders({})) << klass;
            }
        }
        const struct {
            int cell;
            const char *designation;
        } designations[] = {{U10Women, "Kinder U10 weiblich"}, {U10Men, "Kinder U10 männlich"},
                            {U11Women, "Kinder U11 weiblich"}, {U11Men, "Kinder U11 männlich"},
                            {AllgWomen, "Allgemeine Klasse"}, {AllgMen, "Allg. Kl. männlich"},
                            {0, "Bambini 1 weiblich"}};
        for (const auto &d : designations)
            EXPECT_EQ(k.at(220 + d.cell), QString::fromUtf8(d.designation)) << d.cell;

        // The criteria: by classes, split by sex, guests not apart, by time,
        // two runs; boarders not apart; the men's handicap 1.5 s.
        const QByteArray header = readBytes(QStringLiteral("Rennen.rec"));
        ASSERT_EQ(header.size(), RaceRecordLength);
        EXPECT_EQ(header.mid(328, 5), QByteArray("\x01\x01\x00\x01\x01", 5));
        EXPECT_EQ(header.at(362), '\0');
        EXPECT_EQ(qFromLittleEndian<double>(header.constData() + 312), 0.0);
        EXPECT_EQ(qFromLittleEndian<double>(header.constData() + 320), 1.5);
        EXPECT_EQ(header.left(20), QByteArray("Vereinsmeisterschaft"));
    }

    // From the first start to the drawn start numbers, back in the race window.
    void prepareRace(Form1 &main, Form4 *&races)
    {
        ASSERT_NO_FATAL_FAILURE(createClubsAndAthletes(main, Athletes));
        races = &openRaceWindow(main);
        ASSERT_NO_FATAL_FAILURE(nameRace(*races));
        ASSERT_NO_FATAL_FAILURE(enterAthletes(*races));
        ASSERT_NO_FATAL_FAILURE(backInRaceWindow(*races));
        ASSERT_NO_FATAL_FAILURE(setCriteria(*races));
        ASSERT_NO_FATAL_FAILURE(backInRaceWindow(*races));
        ASSERT_NO_FATAL_FAILURE(numberClassCells(*races));
        ASSERT_NO_FATAL_FAILURE(backInRaceWindow(*races));
        ASSERT_NO_FATAL_FAILURE(drawStartNumbers(*races));
        ASSERT_NO_FATAL_FAILURE(backInRaceWindow(*races));
    }

    void checkEveryWindow(Form4 &races)
    {
        ASSERT_NO_FATAL_FAILURE(checkEntryListWindow(races));
        ASSERT_NO_FATAL_FAILURE(checkStartNumberWindow(races));
        ASSERT_NO_FATAL_FAILURE(checkClassOrderWindow(races));
        ASSERT_NO_FATAL_FAILURE(checkCriteriaWindow(races));
    }
};

TEST_F(RacePreparationWalkTest, EntriesCriteriaClassOrderAndStartNumbers_AsTheWindowsShowThem)
{
    Form1 &main = startProgram();
    Form4 *races = nullptr;
    ASSERT_NO_FATAL_FAILURE(prepareRace(main, races));
    ASSERT_NO_FATAL_FAILURE(checkEveryWindow(*races));
    // Opening and closing the windows again changed nothing on disk.
    checkRaceFiles();
    // Nothing was missing, so no reminder stayed open.
    EXPECT_FALSE(isLoaded<Form17>());
}

TEST_F(RacePreparationWalkTest, QuitAfterTheDraw_NewStartFindsEverything)
{
    {
        Form1 &main = startProgram();
        Form4 *races = nullptr;
        ASSERT_NO_FATAL_FAILURE(prepareRace(main, races));
    }
    quitProgram();
    checkRaceFiles();

    Form1 &main = startProgram();
    EXPECT_EQ(main.Label2.Caption(), QStringLiteral("6"));
    EXPECT_EQ(main.Label3.Caption(), QStringLiteral("2"));
    Form4 &races = openRaceWindow(main);
    clickLine(races.List1, 0);
    ASSERT_EQ(races.Text2.Text(), QStringLiteral("Vereinsmeisterschaft"));
    ASSERT_NO_FATAL_FAILURE(checkEveryWindow(races));
    checkRaceFiles();
}

} // namespace
