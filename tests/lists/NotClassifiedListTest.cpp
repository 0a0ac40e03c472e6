// The list of those not classified on the recording printer: which entries
// it lists and in what order, the heads for one and two runs, the cells of a
// row, the page break after row 52 and the empty list.
#include "EntryListFixture.h"
#include "PageCheck.h"
#include "lists/Form8.h"
#include "lists/NotClassifiedList.h"

namespace {

class NotClassifiedListTest : public EntryListTest {};

} // namespace

TEST_F(NotClassifiedListTest, ListsEveryEntryWithAStatusByStartNumber)
{
    add({.name = QStringLiteral("ZWÖLF"), .status1 = 2, .startNo = 12});
    add({.name = QStringLiteral("SIEBEN"), .status2 = 3, .startNo = 7});
    add({.name = QStringLiteral("OK OHNE ZEIT"), .startNo = 1});
    add({.name = QStringLiteral("OK MIT ZEIT"), .t1 = 50, .startNo = 2});
    add({.name = QStringLiteral("GLEICH B"), .status1 = 1, .startNo = 20});
    add({.name = QStringLiteral("GLEICH A"), .status1 = 1, .startNo = 20});
    add({.name = QString(), .status1 = 1, .startNo = 3});
    add({.name = QStringLiteral("OHNE NUMMER"), .status1 = 3, .startNo = 0});

    PrintNotClassifiedList();

    ASSERT_EQ(rec->jobCount(), 1);
    EXPECT_EQ(columnTexts(45),
              QStringList({QStringLiteral("OHNE NUMMER"), QStringLiteral("SIEBEN"),
                           QStringLiteral("ZWÖLF"), QStringLiteral("GLEICH A"),
                           QStringLiteral("GLEICH B")}));
    const auto names = column(45);
    for (int k = 0; k < int(names.size()); ++k)
        EXPECT_NEAR(names[k].y, rowY(1 + k), 1e-9) << k;
    EXPECT_EQ(textAt(20, rowY(1))->text, QStringLiteral(" 0 "));
    EXPECT_EQ(textAt(20, rowY(2))->text, QStringLiteral(" 7 "));

    // Each run's status only where it is not "ok", in bold.
    EXPECT_EQ(textAt(155, rowY(2)), nullptr);
    ASSERT_NE(textAt(175, rowY(2)), nullptr);
    EXPECT_EQ(textAt(175, rowY(2))->text, QStringLiteral("dis"));
    ASSERT_NE(textAt(155, rowY(3)), nullptr);
    EXPECT_EQ(textAt(155, rowY(3))->text, QStringLiteral("niZ"));
    EXPECT_TRUE(textAt(155, rowY(3))->bold);
    EXPECT_EQ(textAt(175, rowY(3)), nullptr);
}

TEST_F(NotClassifiedListTest, HeadsForOneAndTwoRuns)
{
    struct Case {
        int twoRuns, byClass;
        const char16_t *klass, *run1, *run2;
    };
    for (const Case &c : {Case{1, 1, u"Klasse", u"1.Dg.", u"2.Dg."},
                          Case{0, 1, u"Klasse", u"Grund", u""},
                          Case{0, 0, u"Gruppe", u"Grund", u""}}) {
        SCOPED_TRACE(c.twoRuns * 10 + c.byClass);
        Rec.TwoRuns = c.twoRuns;
        Rec.EvalByClass = c.byClass;
        rec->clear();
        if (lastSlot == 0)
            add({.name = QStringLiteral("ZWEITER LAUF"), .status2 = 2});

        PrintNotClassifiedList();

        struct Head {
            double x;
            const char16_t *text;
        };
        for (const Head &h : {Head{20, u"StartNr."}, Head{45, u"Name"}, Head{100, u"m/w"},
                              Head{110, u"Jahr"}, Head{125, c.klass}, Head{155, c.run1},
                              Head{175, c.run2}}) {
            const PrintOp *op = textAt(h.x, 37);
            if (QString::fromUtf16(h.text).isEmpty()) {
                EXPECT_TRUE(!op || op->text.isEmpty()) << h.x;   // nothing to see
                continue;
            }
            ASSERT_NE(op, nullptr) << h.x;
            EXPECT_EQ(op->text, QString::fromUtf16(h.text));
            EXPECT_EQ(op->fontSize, 11);
            EXPECT_TRUE(op->bold);
            EXPECT_FALSE(op->italic);
        }
        // A run-2 status is printed also in a one-run race.
        EXPECT_EQ(trimmedTextAt(175, rowY(1)), QStringLiteral("niZ"));
    }
}

TEST_F(NotClassifiedListTest, RowCells)
{
    Race.ClassDesignations[1] = QStringLiteral("Schüler I männlich");
    const QString longName = QStringLiteral("HÖFLINGER-WEISSENBACHER Maximiliane Theresia");
    add({.name = QStringLiteral("MANN GAST"), .status1 = 1, .startNo = 1, .sex = 1,
         .year = 1983, .klass = 4, .guest = 1});
    add({.name = QStringLiteral("FRAU"), .status1 = 2, .status2 = 3, .startNo = 2, .sex = 0,
         .year = 0, .klass = 2});
    add({.name = QStringLiteral("OHNE GESCHLECHT"), .status1 = 3, .startNo = 3, .sex = 2});
    add({.name = longName, .status1 = 1, .startNo = 4});

    PrintNotClassifiedList();

    struct Row {
        const char16_t *startNo, *sex, *year, *klass, *guest, *run1, *run2;
    };
    const Row rows[] = {
        {u" 1 ", u"m", u" 1983 ", u"Klasse 4", u"G", u"naS", nullptr},
        {u" 2 ", u"w", u" 1900 ", u"Klasse 2", u"-", u"niZ", u"dis"},
        {u" 3 ", u"w", u" 1990 ", u"Klasse 1", u"-", u"dis", nullptr},
    };
    for (int k = 0; k < 3; ++k) {
        SCOPED_TRACE(k);
        const double y = rowY(1 + k);
        struct Cell {
            double x;
            const char16_t *text;
            bool bold;
        };
        for (const Cell &c : {Cell{20, rows[k].startNo, false}, Cell{100, rows[k].sex, false},
                              Cell{110, rows[k].year, false}, Cell{125, rows[k].klass, false},
                              Cell{145, rows[k].guest, false}, Cell{155, rows[k].run1, true},
                              Cell{175, rows[k].run2, true}}) {
            const PrintOp *op = textAt(c.x, y);
            if (!c.text) {
                EXPECT_EQ(op, nullptr) << c.x;
                continue;
            }
            ASSERT_NE(op, nullptr) << c.x;
            EXPECT_EQ(op->text, QString::fromUtf16(c.text));
            EXPECT_EQ(op->bold, c.bold) << c.x;
            EXPECT_EQ(op->fontSize, 9);
            EXPECT_FALSE(op->italic);
            EXPECT_EQ(op->fontName, QStringLiteral("Arial"));
        }
    }
    // A name wider than the room up to the next column is cut there, and
    // shows it.
    const PrintOp *name = textAt(45, rowY(4));
    ASSERT_NE(name, nullptr);
    EXPECT_TRUE(IsMarkedCutOf(name->text, longName, 20)) << name->text.toStdString();
    EXPECT_LE(name->x + name->width, 99 + 1e-9);
    // The plain class name, never the cell's designation.
    EXPECT_EQ(rec->findText(Race.ClassDesignations[1]), nullptr);
}

TEST_F(NotClassifiedListTest, ByGroupsTheGroupNameStandsInTheClassColumn)
{
    Rec.EvalByClass = 0;
    add({.name = QStringLiteral("FIRMA"), .status1 = 1, .group = 2});
    add({.name = QStringLiteral("OHNE GRUPPE"), .status1 = 1, .group = 0});

    PrintNotClassifiedList();

    EXPECT_EQ(trimmedTextAt(125, rowY(1)), QStringLiteral("Firmen"));
    const PrintOp *none = textAt(125, rowY(2));
    EXPECT_TRUE(!none || none->text.isEmpty());
}

TEST_F(NotClassifiedListTest, Entry53StartsPage2)
{
    for (int i = 1; i <= 53; ++i)
        add({.name = QStringLiteral("LÄUFER %1").arg(i, 2, 10, QLatin1Char('0')), .status1 = 2});

    PrintNotClassifiedList();

    ASSERT_EQ(rec->pageCount(), 2);
    const auto page1 = column(45, 1);
    ASSERT_EQ(page1.size(), 52u);
    EXPECT_NEAR(page1.back().y, 274, 1e-9);
    const auto page2 = column(45, 2);
    ASSERT_EQ(page2.size(), 1u);
    EXPECT_EQ(trimBlanks(page2[0].text), QStringLiteral("LÄUFER 53"));
    EXPECT_NEAR(page2[0].y, 44.5, 1e-9);
    EXPECT_EQ(pageNumberOn(2), QStringLiteral(" 2 "));
    EXPECT_EQ(trimmedTextAt(22, 22, 2), QStringLiteral("Nicht in der Wertung"));
    EXPECT_EQ(trimmedTextAt(20, 37, 2), QStringLiteral("StartNr."));
}

TEST_F(NotClassifiedListTest, RaceNameInFullFittedTo110Millimetres)
{
    struct Case {
        QString name;
        bool smaller;
    };
    const Case cases[] = {
        {raceNameWiderThan(98, 110), false},
        {raceNameWiderThan(110, 130), true},
    };
    Rec.RaceShortName = QStringLiteral("VM");
    add({.name = QStringLiteral("EINER"), .status1 = 1});
    for (const Case &c : cases) {
        ASSERT_FALSE(c.name.isEmpty());
        rec->clear();
        Rec.RaceName = c.name;

        PrintNotClassifiedList();

        const PrintOp *name = textAt(22, 12);
        ASSERT_NE(name, nullptr);
        EXPECT_EQ(name->text, c.name);
        EXPECT_EQ(name->fontSize < 24, c.smaller);
        EXPECT_LE(name->width, 110);
    }
}

TEST_F(NotClassifiedListTest, NothingToListPrintsNothing)
{
    const int slot = add({.name = QStringLiteral("KLASSIERT"), .t1 = 50});
    Form8 &f = form<Form8>();
    rec->clear();
    Rec.CurrentAthleteId = Race.SlotAthleteId[slot];
    ReadAthleteRecord();

    f.Command7.click();

    EXPECT_EQ(rec->jobCount(), 0);
    EXPECT_TRUE(rec->ops.empty());
    EXPECT_TRUE(f.Command7.Enabled());
    EXPECT_FALSE(hourglass());
    // An entry passed over is not made the current athlete without its
    // record being read: the number still names the record the fields hold.
    EXPECT_EQ(Rec.CurrentAthleteId, Race.SlotAthleteId[slot]);
    EXPECT_EQ(trimBlanks(Rec.AthleteName), QStringLiteral("KLASSIERT"));
}

TEST_F(NotClassifiedListTest, PrintWindowButtonPrints)
{
    add({.name = QStringLiteral("AUSGESCHIEDEN"), .status1 = 3});
    Form8 &f = form<Form8>();
    rec->clear();

    f.Command7.click();

    EXPECT_EQ(rec->jobCount(), 1);
    EXPECT_EQ(trimmedTextAt(45, rowY(1)), QStringLiteral("AUSGESCHIEDEN"));
    EXPECT_TRUE(f.Command7.Enabled());
}
