// The start list of the second run on the recording printer: the order of
// the rows (reversed best fifteen, those without a run-1 result, the rest),
// row geometry, columns, page breaks and the way in from the print window.
#include "EntryListFixture.h"
#include "lists/Form8.h"
#include "lists/SecondRunStartList.h"
#include "race/Form13.h"

namespace {

class SecondRunStartListTest : public EntryListTest {};

QStringList athletes(int first, int last)
{
    QStringList names;
    const int step = first <= last ? 1 : -1;
    for (int i = first; i != last + step; i += step)
        names << QStringLiteral("ATHLET %1").arg(i, 2, 10, QLatin1Char('0'));
    return names;
}

} // namespace

TEST_F(SecondRunStartListTest, BestFifteenReversedThenWithoutResultThenTheRest)
{
    // The second class is entered first: classes follow their start order.
    add({.name = QStringLiteral("ZWEITE KLASSE B"), .t1 = 50, .order = 2});
    add({.name = QStringLiteral("ZWEITE KLASSE A"), .t1 = 40, .order = 2});
    add({.name = QStringLiteral("DIS B"), .t1 = 55, .status1 = 3});
    for (int i = 20; i >= 1; --i)
        add({.name = QStringLiteral("ATHLET %1").arg(i, 2, 10, QLatin1Char('0')), .t1 = 60.0 + i});
    add({.name = QStringLiteral("DIS A"), .status1 = 3});

    PrintSecondRunStartList();

    ASSERT_EQ(rec->jobCount(), 1);
    ASSERT_EQ(rec->pageCount(), 1);
    const QStringList expected = athletes(15, 1)
        + QStringList{QStringLiteral("DIS A"), QStringLiteral("DIS B")} + athletes(16, 20)
        + QStringList{QStringLiteral("ZWEITE KLASSE B"), QStringLiteral("ZWEITE KLASSE A")};
    EXPECT_EQ(columnTexts(45), expected);

    // Separator of class 1 on row 1, its entries on rows 2..23; class 2's
    // separator on row 24, its entries on 25 and 26.
    const auto names = column(45);
    ASSERT_EQ(names.size(), 24u);
    for (int k = 0; k < 22; ++k)
        EXPECT_NEAR(names[k].y, rowY(2 + k), 1e-9) << k;
    EXPECT_NEAR(names[22].y, rowY(25), 1e-9);
    EXPECT_NEAR(names[23].y, rowY(26), 1e-9);
    std::vector<PrintOp> rules;
    for (const PrintOp &op : rec->ofKind(PrintOp::Kind::Line))
        if (op.drawWidth == 1)
            rules.push_back(op);
    ASSERT_EQ(rules.size(), 2u);
    EXPECT_NEAR(rules[0].y, 46.5, 1e-9);
    EXPECT_NEAR(rules[1].y, 42 + 4.5 * 24, 1e-9);
    for (const PrintOp &r : rules) {
        EXPECT_NEAR(r.x, 20, 1e-9);
        EXPECT_NEAR(r.x2, 190, 1e-9);
        EXPECT_NEAR(r.y2, r.y, 1e-9);
        EXPECT_EQ(r.colour, 0);
    }

    // The run-1 status of each row.
    const QStringList statuses = columnTexts(170);
    ASSERT_EQ(statuses.size(), 24);
    EXPECT_EQ(statuses[15], QStringLiteral("dis"));
    EXPECT_EQ(statuses[16], QStringLiteral("dis"));
    EXPECT_EQ(statuses.count(QStringLiteral("ok")), 22);
}

TEST_F(SecondRunStartListTest, EntriesSharingPlaceFifteenAllStartInTheReversedBlock)
{
    for (int i = 1; i <= 14; ++i)
        add({.name = QStringLiteral("ATHLET %1").arg(i, 2, 10, QLatin1Char('0')), .t1 = 60.0 + i});
    add({.name = QStringLiteral("GLEICH B"), .t1 = 80});
    add({.name = QStringLiteral("GLEICH A"), .t1 = 80});
    add({.name = QStringLiteral("LETZTER"), .t1 = 90});

    PrintSecondRunStartList();

    EXPECT_EQ(columnTexts(45), QStringList({QStringLiteral("GLEICH A"), QStringLiteral("GLEICH B")})
                                   + athletes(14, 1) + QStringList{QStringLiteral("LETZTER")});
}

TEST_F(SecondRunStartListTest, HeadColumnsAndRowCells)
{
    Rec.RaceShortName = QStringLiteral("VM");   // this list always names the race in full
    add({.name = QStringLiteral("MÜLLER Jörg"), .t1 = 61, .startNo = 7, .sex = 1, .year = 1983});
    add({.name = QStringLiteral("HUBER Eva"), .t1 = 62, .startNo = 0, .sex = 0, .year = 0});
    add({.name = QStringLiteral("OHNE GESCHLECHT"), .t1 = 63, .cell = 3, .startNo = 12, .sex = 2});

    PrintSecondRunStartList();

    EXPECT_EQ(trimmedTextAt(22, 12), QStringLiteral("Vereinsmeisterschaft"));
    EXPECT_EQ(trimmedTextAt(22, 22), QStringLiteral("Startliste 2.Durchgang"));
    EXPECT_EQ(textAt(22, 12)->fontSize, 24);
    EXPECT_TRUE(rec->ofKind(PrintOp::Kind::Picture).empty());
    EXPECT_EQ(rec->ofKind(PrintOp::Kind::Line).size(), 4u + 1u);   // head frame and one rule

    struct Head {
        double x;
        const char16_t *text;
    };
    for (const Head &h : {Head{20, u"StartNr."}, Head{45, u"Name"}, Head{90, u"m/w"},
                          Head{100, u"Jahr"}, Head{110, u"Klasse"}, Head{170, u"Status"}}) {
        const PrintOp *op = textAt(h.x, 37);
        ASSERT_NE(op, nullptr) << h.x;
        EXPECT_EQ(op->text, QString::fromUtf16(h.text));
        EXPECT_EQ(op->fontSize, 11);
        EXPECT_TRUE(op->bold);
        EXPECT_FALSE(op->italic);
        EXPECT_EQ(op->fontName, QStringLiteral("Arial"));
    }

    // In the reversed block: the slowest of the three first.
    struct Row {
        const char16_t *startNo, *name, *sex, *year, *klass;
    };
    const Row rows[] = {
        {u" 12 ", u"OHNE GESCHLECHT", u"w", u" 1990 ", u"Jugend"},
        {u" 0 ", u"HUBER Eva", u"w", u" 1900 ", u"Schüler I"},
        {u" 7 ", u"MÜLLER Jörg", u"m", u" 1983 ", u"Schüler I"},
    };
    for (int k = 0; k < 3; ++k) {
        SCOPED_TRACE(k);
        const double y = rowY(2 + k);
        const double xs[] = {20, 45, 90, 100, 110, 170};
        const char16_t *texts[] = {rows[k].startNo, rows[k].name, rows[k].sex, rows[k].year,
                                   rows[k].klass, u"ok"};
        for (int c = 0; c < 6; ++c) {
            const PrintOp *op = textAt(xs[c], y);
            ASSERT_NE(op, nullptr) << xs[c];
            EXPECT_EQ(op->text, QString::fromUtf16(texts[c]));
            EXPECT_EQ(op->fontSize, 9);
            EXPECT_FALSE(op->bold);
            EXPECT_FALSE(op->italic);
        }
    }
}

struct PageBreakCase {
    const char *what;
    int firstClass, secondClass;   // entries of class 1 and 2
    double lastY;                  // y of the last entry, on page 2
    double ruleY;                  // y of a rule on page 2; 0: none
};

class SecondRunStartListPageBreak : public SecondRunStartListTest,
                                    public ::testing::WithParamInterface<PageBreakCase> {};

TEST_P(SecondRunStartListPageBreak, Row53GoesToPage2)
{
    const PageBreakCase &c = GetParam();
    for (int i = 1; i <= c.firstClass; ++i)
        add({.name = QStringLiteral("ERSTER %1").arg(i, 2, 10, QLatin1Char('0')), .t1 = 100.0 + i});
    for (int i = 1; i <= c.secondClass; ++i)
        add({.name = QStringLiteral("ZWEITER %1").arg(i), .t1 = 100.0 + i, .order = 2});

    PrintSecondRunStartList();

    ASSERT_EQ(rec->pageCount(), 2);
    const auto page1 = column(45, 1);
    ASSERT_EQ(page1.size(), 51u);
    EXPECT_NEAR(page1.back().y, 274, 1e-9);
    const auto page2 = column(45, 2);
    ASSERT_EQ(page2.size(), 1u);
    EXPECT_NEAR(page2[0].y, c.lastY, 1e-9);
    std::vector<double> ruleYs;
    for (const PrintOp &op : opsOnPage(PrintOp::Kind::Line, 2))
        if (op.drawWidth == 1)
            ruleYs.push_back(op.y);
    if (c.ruleY > 0) {
        ASSERT_EQ(ruleYs.size(), 1u);
        EXPECT_NEAR(ruleYs[0], c.ruleY, 1e-9);
    } else {
        EXPECT_TRUE(ruleYs.empty());
    }
    // The head of page 2: its own number, the same title and heads.
    EXPECT_EQ(trimmedTextAt(22, 22, 2), QStringLiteral("Startliste 2.Durchgang"));
    EXPECT_EQ(trimmedTextAt(20, 37, 2), QStringLiteral("StartNr."));
    EXPECT_EQ(pageNumberOn(1), QStringLiteral(" 1 "));
    EXPECT_EQ(pageNumberOn(2), QStringLiteral(" 2 "));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SecondRunStartListPageBreak,
    ::testing::Values(
        // Rule + 52 entries: the 53rd row is the last entry, row 1 of page 2.
        PageBreakCase{"EntryBreaksThePage", 52, 0, 44.5, 0},
        // Rule + 51 entries fill page 1; class 2's rule breaks the page.
        PageBreakCase{"RuleBreaksThePage", 51, 1, 49, 46.5}),
    [](const ::testing::TestParamInfo<PageBreakCase> &info) { return std::string(info.param.what); });

TEST_F(SecondRunStartListTest, ARuleIsNeverTheLastRowOfAPage)
{
    // Rule + 50 entries take rows 1 to 51; class 2's rule would take row 52
    // with its entry on the next page: both go there.
    for (int i = 1; i <= 50; ++i)
        add({.name = QStringLiteral("ERSTER %1").arg(i, 2, 10, QLatin1Char('0')), .t1 = 100.0 + i});
    add({.name = QStringLiteral("ZWEITER"), .t1 = 100, .order = 2});

    PrintSecondRunStartList();

    ASSERT_EQ(rec->pageCount(), 2);
    const auto page1 = column(45, 1);
    ASSERT_EQ(page1.size(), 50u);
    EXPECT_NEAR(page1.back().y, rowY(51), 1e-9);
    std::vector<double> rules1, rules2;
    for (const PrintOp &op : opsOnPage(PrintOp::Kind::Line, 1))
        if (op.drawWidth == 1)
            rules1.push_back(op.y);
    for (const PrintOp &op : opsOnPage(PrintOp::Kind::Line, 2))
        if (op.drawWidth == 1)
            rules2.push_back(op.y);
    EXPECT_EQ(rules1, std::vector<double>({46.5}));
    EXPECT_EQ(rules2, std::vector<double>({46.5}));
    const auto page2 = column(45, 2);
    ASSERT_EQ(page2.size(), 1u);
    EXPECT_NEAR(page2[0].y, 49, 1e-9);
}

TEST_F(SecondRunStartListTest, EmptySlotsAndNamelessAthletesAreLeftOut)
{
    add({.name = QStringLiteral("ERSTER"), .t1 = 61});
    add({.name = QString(), .t1 = 62});
    const int outside = add({.name = QStringLiteral("AUSSERHALB"), .t1 = 63});
    Race.SlotAthleteId[outside] = Rec.AthleteCount + 5;
    lastSlot += 3;   // slots left empty
    add({.name = QStringLiteral("DANACH"), .t1 = 64});

    PrintSecondRunStartList();

    EXPECT_EQ(columnTexts(45), QStringList({QStringLiteral("DANACH"), QStringLiteral("ERSTER")}));
}

TEST_F(SecondRunStartListTest, ByGroupsTheGroupNamesAreListedGroupByGroup)
{
    Rec.EvalByClass = 0;
    add({.name = QStringLiteral("FIRMA"), .t1 = 61, .group = 2});
    add({.name = QStringLiteral("FAMILIE"), .t1 = 62, .group = 1});

    PrintSecondRunStartList();

    EXPECT_EQ(trimmedTextAt(110, 37), QStringLiteral("Gruppe"));
    EXPECT_EQ(columnTexts(45), QStringList({QStringLiteral("FAMILIE"), QStringLiteral("FIRMA")}));
    EXPECT_EQ(columnTexts(110), QStringList({QStringLiteral("Familien"), QStringLiteral("Firmen")}));
    // One rule per group.
    EXPECT_EQ(rec->ofKind(PrintOp::Kind::Line).size(), 4u + 2u);
}

TEST_F(SecondRunStartListTest, RaceNameFitsIn110Millimetres)
{
    Rec.RaceName = raceNameWiderThan(98, 110);
    ASSERT_FALSE(Rec.RaceName.isEmpty());

    PrintSecondRunStartList();

    const PrintOp *name = textAt(22, 12);
    ASSERT_NE(name, nullptr);
    EXPECT_EQ(name->fontSize, 24);
}

TEST_F(SecondRunStartListTest, PrintWindowButtonPrintsAndIsEnabledAgain)
{
    add({.name = QStringLiteral("ERSTER"), .t1 = 61});
    Form8 &f = form<Form8>();
    rec->clear();

    f.Command2.click();

    EXPECT_EQ(rec->jobCount(), 1);
    EXPECT_EQ(trimmedTextAt(45, rowY(2)), QStringLiteral("ERSTER"));
    EXPECT_TRUE(f.Command2.Enabled());
    EXPECT_FALSE(hourglass());
    EXPECT_FALSE(isLoaded<Form13>());
    EXPECT_EQ(PrintSortList().count(), 1);   // the shared sorted list ordered the rows
}
