// The printed result list on the recording printer: page geometry, columns,
// page breaks, best-time titles, the club result list and the combination
// layout.
#include <QBuffer>
#include <QDate>
#include <QFile>
#include <QImage>
#include <QImageWriter>
#include <QStringList>
#include <algorithm>
#include <cmath>
#include <vector>

#include "GuiTestHelpers.h"
#include "PageCheck.h"
#include "RaceBuilder.h"
#include "core/RecordFiles.h"
#include "core/SharedState.h"
#include "lists/CombinationFile.h"
#include "lists/CupTable.h"
#include "lists/Form8.h"
#include "lists/ResultList.h"
#include "platform/Colours.h"
#include "platform/Printer.h"
#include "platform/RecordingPrinter.h"
#include "platform/Strings.h"
#include "platform/TextFile.h"
#include "race/Ranking.h"

namespace {

struct Entry {
    QString name;
    double t1 = 0;
    double t2 = 0;
    int cell = 1;        // class cell; also the start-order number
    int sex = 1;
    int year = 1990;     // 0: no birth date given
    int club = 1;        // SlotClub: which of the athlete's clubs counts
    int clubs[3] = {1, 0, 0};
    int startNo = SlotNumber;
    int status1 = 0;
    int group = 1;
};

class ResultListTest : public WindowDataTest, protected RaceBuilder {
protected:
    void SetUp() override
    {
        WindowDataTest::SetUp();
        rec = &useRecordingPrinter();
        OpenClubFile();
        OpenAthleteFile();
        addClub("SC Berg");
        addClub("WSV Tal");
        addClub("SV Schnee");
        addClub("");
        addClub("Skiclub Oberhinterdorf 1921");
        addClub("il il il il il il il il il il");
        Rec.RaceName = QStringLiteral("Vereinsmeisterschaft");
        Rec.RaceShortName.clear();
        Rec.RaceRecordNo = 5;
        Race.ActiveRaceNo = 5;
        Rec.EvalByClass = 1;
        Rec.EvalByTime = 1;
        Rec.TwoRuns = 0;
        Rec.BestTimeTitle = 0;
        Race.ClassDesignations[1] = QStringLiteral("Schüler I");
        Race.ClassDesignations[2] = QStringLiteral("Schüler II");
        Race.ClassDesignations[3] = QStringLiteral("Jugend");
    }

    void TearDown() override
    {
        resetPrinter();
        WindowDataTest::TearDown();
    }

    int add(const Entry &e)
    {
        const int id = addAthlete({.name = e.name,
                                   .sex = e.sex,
                                   .year = e.year,
                                   .clubs = {e.clubs[0], e.clubs[1], e.clubs[2]}});
        return addEntry(id, {.startNo = e.startNo,
                             .t1 = e.t1,
                             .t2 = e.t2,
                             .status1 = e.status1,
                             .klass = 1,
                             .order = e.cell,
                             .cell = e.cell,
                             .club = e.club,
                             .group = e.group});
    }

    // A text op at exactly this place.
    const PrintOp *textAt(double x, double y, int page = 1) const
    {
        for (const PrintOp &op : rec->ops)
            if (op.kind == PrintOp::Kind::Text && op.page == page
                && std::abs(op.x - x) < 1e-6 && std::abs(op.y - y) < 1e-6)
                return &op;
        return nullptr;
    }
    QString trimmedTextAt(double x, double y, int page = 1) const
    {
        const PrintOp *op = textAt(x, y, page);
        return op ? trimBlanks(op->text) : QStringLiteral("<none>");
    }
    // The y of every text at x on a page, in print order.
    std::vector<double> ysAt(double x, int page) const
    {
        std::vector<double> ys;
        for (const PrintOp &op : rec->textsOnPage(page))
            if (std::abs(op.x - x) < 1e-6)
                ys.push_back(op.y);
        return ys;
    }
    std::vector<PrintOp> bandsOnPage(int page) const
    {
        std::vector<PrintOp> bands;
        for (const PrintOp &op : rec->ofKind(PrintOp::Kind::FilledBox))
            if (op.page == page)
                bands.push_back(op);
        return bands;
    }
    static double rowY(int row) { return 40 + 4.5 * row; }

    RecordingPrinter *rec = nullptr;
};

} // namespace

TEST_F(ResultListTest, ThreeClassesOfTwenty_BandsAndPageBreak)
{
    for (int cell = 1; cell <= 3; ++cell)
        for (int i = 1; i <= 20; ++i)
            add({.name = QStringLiteral("LÄUFER %1-%2").arg(cell).arg(i, 2, 10, QLatin1Char('0')),
                 .t1 = 60.0 + i, .cell = cell});

    PrintResultList();

    EXPECT_EQ(rec->jobCount(), 1);
    ASSERT_EQ(rec->pageCount(), 2);

    // Bands on rows 1, 23 and 45 of page 1, the third repeated on row 1 of page 2.
    const PrintOp *b1 = rec->findText(QStringLiteral("Schüler I "));
    const PrintOp *b2 = rec->findText(QStringLiteral("Schüler II "));
    const PrintOp *b3 = rec->findText(QStringLiteral("Jugend "));
    const PrintOp *b3again = rec->findText(QStringLiteral("Jugend "), 1);
    ASSERT_TRUE(b1 && b2 && b3 && b3again);
    EXPECT_EQ(b1->page, 1);
    EXPECT_NEAR(b1->y, 44.5, 1e-9);
    EXPECT_NEAR(b2->y, 143.5, 1e-9);
    EXPECT_EQ(b3->page, 1);
    EXPECT_NEAR(b3->y, 242.5, 1e-9);
    EXPECT_EQ(b3again->page, 2);
    EXPECT_NEAR(b3again->y, 44.5, 1e-9);
    for (const PrintOp *b : {b1, b2, b3, b3again}) {
        EXPECT_NEAR(b->x, 79, 1e-9);
        EXPECT_EQ(b->fontSize, 11);
        EXPECT_TRUE(b->italic);
        EXPECT_FALSE(b->bold);
    }

    // The grey boxes under the band texts, across the whole width.
    const auto page1Bands = bandsOnPage(1);
    ASSERT_EQ(page1Bands.size(), 3u);
    const int bandRows[] = {1, 23, 45};
    for (int k = 0; k < 3; ++k) {
        const PrintOp &b = page1Bands[k];
        EXPECT_NEAR(b.x, 4, 1e-9);
        EXPECT_NEAR(b.x2, 200, 1e-9);
        EXPECT_NEAR(b.y, 39.9 + 4.5 * bandRows[k], 1e-6);
        EXPECT_NEAR(b.y2, 44.5 + 4.5 * bandRows[k], 1e-6);
        EXPECT_EQ(b.colour, colourValue(192, 192, 192));
    }
    ASSERT_EQ(bandsOnPage(2).size(), 1u);
    EXPECT_NEAR(bandsOnPage(2)[0].y, 39.9 + 4.5, 1e-6);

    // Athlete rows: 20 + 20 + 5 on page 1, the last 15 of the third class on
    // page 2, rows 2..16.
    std::vector<double> expected1;
    for (int r = 2; r <= 21; ++r)
        expected1.push_back(rowY(r));
    for (int r = 24; r <= 43; ++r)
        expected1.push_back(rowY(r));
    for (int r = 46; r <= 50; ++r)
        expected1.push_back(rowY(r));
    const auto ys1 = ysAt(34, 1);
    ASSERT_EQ(ys1.size(), expected1.size() + 1);   // and the "Name" head
    EXPECT_NEAR(ys1[0], 38, 1e-9);
    for (size_t k = 0; k < expected1.size(); ++k)
        EXPECT_NEAR(ys1[k + 1], expected1[k], 1e-9) << k;

    const auto ys2 = ysAt(34, 2);
    ASSERT_EQ(ys2.size(), 16u);
    for (int k = 0; k < 15; ++k)
        EXPECT_NEAR(ys2[k + 1], rowY(2 + k), 1e-9);
    EXPECT_EQ(trimmedTextAt(34, rowY(2), 2), QStringLiteral("LÄUFER 3-06"));
    EXPECT_EQ(trimmedTextAt(34, rowY(16), 2), QStringLiteral("LÄUFER 3-20"));

    // The head of page 2 is that of page 1 with its own number.
    EXPECT_EQ(trimmedTextAt(22, 22, 2), QStringLiteral("Ergebnisliste"));
    EXPECT_EQ(trimmedTextAt(6, 38, 2), QStringLiteral("Rang"));
    ASSERT_NE(rec->findText(QStringLiteral(" 2 ")), nullptr);
    EXPECT_EQ(rec->findText(QStringLiteral(" 2 "))->page, 2);
}

TEST_F(ResultListTest, AClassStartingAfterY240GoesToTheNextPage)
{
    // 43 rows of class 1 end on row 44 (y 238), which leaves the position
    // past y 240 (42 rows would not: see the test above).
    for (int i = 1; i <= 43; ++i)
        add({.name = QStringLiteral("ERSTER %1").arg(i, 2, 10, QLatin1Char('0')), .t1 = 50.0 + i});
    add({.name = QStringLiteral("ZWEITER"), .t1 = 70, .cell = 2});

    PrintResultList();

    ASSERT_EQ(rec->pageCount(), 2);
    const PrintOp *band = rec->findText(QStringLiteral("Schüler II "));
    ASSERT_NE(band, nullptr);
    EXPECT_EQ(band->page, 2);
    EXPECT_NEAR(band->y, 44.5, 1e-9);
    EXPECT_EQ(trimmedTextAt(34, 49, 2), QStringLiteral("ZWEITER"));
    // Class 1 is not named again: it ended on page 1.
    EXPECT_EQ(rec->findText(QStringLiteral("Schüler I "), 1), nullptr);
}

TEST_F(ResultListTest, OneRunColumnsAndRow)
{
    add({.name = QStringLiteral("MÜLLER Jörg"), .t1 = 65.32, .year = 1983, .startNo = 7});

    PrintResultList();

    struct Head {
        const char16_t *text;
        double x;
    };
    for (const Head &h : {Head{u"Rang", 6}, Head{u"St.Nr.", 20}, Head{u"Name", 34},
                          Head{u"Verein/Mannschaft", 79}, Head{u"Jahrg.", 113}, Head{u"Zeit", 133}}) {
        const PrintOp *op = rec->findText(QString::fromUtf16(h.text));
        ASSERT_NE(op, nullptr) << QString::fromUtf16(h.text).toStdString();
        EXPECT_NEAR(op->x, h.x, 1e-9);
        EXPECT_NEAR(op->y, 38, 1e-9);
        EXPECT_EQ(op->fontSize, 10);
        EXPECT_TRUE(op->bold);
        EXPECT_FALSE(op->italic);
        EXPECT_EQ(op->fontName, QStringLiteral("Arial"));
    }
    EXPECT_EQ(rec->findText(QStringLiteral("Zeit2")), nullptr);
    EXPECT_EQ(rec->findText(QStringLiteral("Summe")), nullptr);

    const double y = 49;
    struct Cell {
        double x;
        const char16_t *text;
        double size;
    };
    for (const Cell &c : {Cell{6, u"  1.", 10}, Cell{20, u"   7", 10}, Cell{34, u"MÜLLER Jörg", 10},
                          Cell{79, u"SC Berg", 10}, Cell{113, u"1983", 9}}) {
        const PrintOp *op = textAt(c.x, y);
        ASSERT_NE(op, nullptr) << c.x;
        EXPECT_EQ(op->text, QString::fromUtf16(c.text));
        EXPECT_EQ(op->fontSize, c.size);
        EXPECT_FALSE(op->bold);
        EXPECT_FALSE(op->italic);
    }
    const PrintOp *time = textAt(125, y);
    ASSERT_NE(time, nullptr);
    EXPECT_EQ(trimBlanks(time->text), QStringLiteral("1:05,32"));
    EXPECT_EQ(time->fontSize, 9);
    EXPECT_GE(time->width, 14);
    EXPECT_EQ(textAt(144, y), nullptr);
    EXPECT_EQ(textAt(165, y), nullptr);
    EXPECT_EQ(textAt(180, y), nullptr);   // no best-time title chosen

    // The head: race name at (22, 12), bold italic; the page number 8 pt.
    const PrintOp *name = textAt(22, 12);
    ASSERT_NE(name, nullptr);
    EXPECT_EQ(name->text, QStringLiteral("Vereinsmeisterschaft"));
    EXPECT_TRUE(name->bold && name->italic);
    const PrintOp *page = rec->findText(QStringLiteral("Seite -"));
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(page->fontSize, 8);
    EXPECT_EQ(rec->ofKind(PrintOp::Kind::Picture).size(), 2u);   // strip and emblem, no logo
}

TEST_F(ResultListTest, TwoRunsShowRun2AndTheSum)
{
    Rec.TwoRuns = 1;
    Rec.GuestTimeHandicap = 0;
    add({.name = QStringLiteral("HUBER Max"), .t1 = 61.5, .t2 = 62.25});

    PrintResultList();

    EXPECT_NEAR(rec->findText(QStringLiteral("Zeit"))->x, 133, 1e-9);
    EXPECT_NEAR(rec->findText(QStringLiteral("Zeit2"))->x, 150, 1e-9);
    EXPECT_NEAR(rec->findText(QStringLiteral("Summe"))->x, 166, 1e-9);
    EXPECT_EQ(trimmedTextAt(125, 49), QStringLiteral("1:01,50"));
    EXPECT_EQ(trimmedTextAt(144, 49), QStringLiteral("1:02,25"));
    EXPECT_EQ(trimmedTextAt(165, 49), QStringLiteral("2:03,75"));
    for (double x : {125.0, 144.0, 165.0})
        EXPECT_GE(textAt(x, 49)->width, 14);
}

TEST_F(ResultListTest, RankedByPointsPrintsTimesInPointsOrder)
{
    // Points decide order and rank; the row still shows the times and no
    // points. The fastest has the most points and comes last.
    Rec.EvalByTime = 0;
    const int fast = add({.name = QStringLiteral("SCHNELL"), .t1 = 40});
    const int slow = add({.name = QStringLiteral("LANGSAM"), .t1 = 70});
    const int mid = add({.name = QStringLiteral("MITTEL"), .t1 = 55});
    Race.SlotPoints[fast] = 30.5f;
    Race.SlotPoints[slow] = 10.25f;
    Race.SlotPoints[mid] = 10.25f;

    PrintResultList();

    struct Row {
        const char16_t *rank, *name, *time;
    };
    const Row rows[] = {{u"  1.", u"LANGSAM", u"1:10,00"},
                        {u"  1.", u"MITTEL", u"55,00"},
                        {u"  3.", u"SCHNELL", u"40,00"}};
    for (int k = 0; k < 3; ++k) {
        SCOPED_TRACE(k);
        const double y = rowY(2 + k);
        ASSERT_NE(textAt(6, y), nullptr);
        EXPECT_EQ(textAt(6, y)->text, QString::fromUtf16(rows[k].rank));
        EXPECT_EQ(trimmedTextAt(34, y), QString::fromUtf16(rows[k].name));
        EXPECT_EQ(trimmedTextAt(125, y), QString::fromUtf16(rows[k].time));
    }
    EXPECT_NE(rec->findText(QStringLiteral("Zeit")), nullptr);
    for (const char *points : {"30,5", "30,50", "10,25"})
        for (const PrintOp &op : rec->ofKind(PrintOp::Kind::Text))
            EXPECT_FALSE(op.text.contains(QLatin1String(points))) << op.text.toStdString();
}

TEST_F(ResultListTest, RowCells_NameClubYearAndStartNumber)
{
    // One class, in time order: one row per case.
    struct Case {
        Entry entry;
        const char16_t *startNo, *name, *club, *year;
    };
    const Case cases[] = {
        {{.name = QStringLiteral("Lili Lili Lili Lili Lili Lili")}, u"   1",
         u"Lili Lili Lili Lili Lili L", u"SC Berg", u"1990"},
        {{.name = QStringLiteral("KEIN VEREIN"), .club = 4, .clubs = {1, 2, 3}}, u"   2",
         u"KEIN VEREIN", nullptr, u"1990"},
        {{.name = QStringLiteral("ZWEITER VEREIN"), .club = 2, .clubs = {1, 3, 0}}, u"   3",
         nullptr, u"SV Schnee", u"1990"},
        {{.name = QStringLiteral("OHNE KURZNAME"), .clubs = {4, 0, 0}}, u"   4", nullptr,
         nullptr, u"1990"},
        {{.name = QStringLiteral("LANGER VEREIN"), .clubs = {6, 0, 0}}, u"   5", nullptr,
         u"il il il il il il il", u"1990"},
        {{.name = QStringLiteral("VEREIN NULL"), .clubs = {0, 0, 0}}, u"   6", nullptr, nullptr,
         u"1990"},
        {{.name = QStringLiteral("OHNE GEBURTSDATUM"), .year = 0}, u"   7", nullptr, u"SC Berg",
         u"1900"},
        {{.name = QStringLiteral("NUMMER NULL"), .startNo = 0}, u"   0", nullptr, u"SC Berg",
         u"1990"},
        {{.name = QStringLiteral("NUMMER GROSS"), .startNo = 1234}, u"1234", nullptr, u"SC Berg",
         u"1990"},
    };
    int k = 0;
    for (Case c : cases) {
        c.entry.t1 = 30 + k++;
        add(c.entry);
    }

    PrintResultList();

    k = 0;
    for (const Case &c : cases) {
        const double y = rowY(2 + k);
        SCOPED_TRACE(k);
        ASSERT_NE(textAt(20, y), nullptr);
        EXPECT_EQ(textAt(20, y)->text, QString::fromUtf16(c.startNo));
        if (c.name) {
            EXPECT_EQ(trimmedTextAt(34, y), QString::fromUtf16(c.name));
        }
        if (c.club) {
            EXPECT_EQ(trimmedTextAt(79, y), QString::fromUtf16(c.club));
        } else {
            EXPECT_EQ(textAt(79, y), nullptr);
        }
        EXPECT_EQ(trimmedTextAt(113, y), QString::fromUtf16(c.year));
        ++k;
    }
    // The long club name is never printed.
    EXPECT_EQ(rec->findText(QStringLiteral("SC Berg e.V.")), nullptr);
}

TEST_F(ResultListTest, WideNamesAndClubsAreCutBeforeTheNextColumn)
{
    add({.name = QStringLiteral("HÖFLINGER-WEIßENBACH ÄNNE"), .t1 = 50, .clubs = {5, 0, 0}});

    PrintResultList();

    const PrintOp *name = textAt(34, 49);
    const PrintOp *club = textAt(79, 49);
    ASSERT_TRUE(name && club);
    EXPECT_TRUE(IsMarkedCutOf(name->text, QStringLiteral("HÖFLINGER-WEIßENBACH ÄNNE"), 15))
        << name->text.toStdString();
    EXPECT_LE(name->x + name->width, 78 + 1e-9);
    // Cut to its 20 characters first, then to the column.
    EXPECT_TRUE(IsMarkedCutOf(club->text, QStringLiteral("Skiclub Oberhinterdo"), 12))
        << club->text.toStdString();
    EXPECT_LE(club->x + club->width, 112 + 1e-9);
}

TEST_F(ResultListTest, EntriesNotClassifiedGetNoRow)
{
    add({.name = QStringLiteral("AUSGESCHIEDEN"), .t1 = 40, .status1 = 3});
    add({.name = QStringLiteral("IM ZIEL"), .t1 = 50});

    PrintResultList();

    EXPECT_EQ(rec->findText(QStringLiteral("AUSGESCHIEDEN")), nullptr);
    EXPECT_EQ(trimmedTextAt(34, 49), QStringLiteral("IM ZIEL"));
    EXPECT_EQ(textAt(6, 49)->text, QStringLiteral("  1."));
}

TEST_F(ResultListTest, BestTimeTitles)
{
    // Fastest woman, fastest man, one of unset sex faster than both, a woman
    // tied with the best woman, a slower man.
    add({.name = QStringLiteral("A FRAU"), .t1 = 50, .sex = 0});
    add({.name = QStringLiteral("B MANN"), .t1 = 45, .sex = 1});
    add({.name = QStringLiteral("C OHNE"), .t1 = 40, .sex = 2});
    add({.name = QStringLiteral("D FRAU"), .t1 = 50, .sex = 0});
    add({.name = QStringLiteral("E MANN"), .t1 = 55, .sex = 1});

    struct Case {
        int title;
        const char16_t *women, *men;
        double size;
    };
    const Case cases[] = {{1, u"Bestzeit", u"Bestzeit", 8},
                          {2, u"Tagesbestzeit", u"Tagesbestzeit", 8},
                          {3, u"Ortsmeisterin", u"Ortsmeister", 8},
                          {4, u"Vereinsmeisterin", u"Vereinsmeister", 6.5}};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.title);
        rec->clear();
        Rec.BestTimeTitle = c.title;
        PrintResultList();
        // Ranking order: C (40), B (45), A and D (50), E (55).
        EXPECT_EQ(textAt(180, rowY(2)), nullptr);
        const PrintOp *man = textAt(180, rowY(3));
        ASSERT_NE(man, nullptr);
        EXPECT_EQ(man->text, QString::fromUtf16(c.men));
        EXPECT_EQ(man->fontSize, c.size);
        for (int row : {4, 5}) {
            const PrintOp *woman = textAt(180, rowY(row));
            ASSERT_NE(woman, nullptr);
            EXPECT_EQ(woman->text, QString::fromUtf16(c.women));
        }
        EXPECT_EQ(textAt(180, rowY(6)), nullptr);
    }
}

TEST_F(ResultListTest, GroupsAreNamedByTheirGroupName)
{
    Rec.EvalByClass = 0;
    Race.GroupNames[2] = QStringLiteral("Gruppe Nord");
    Race.GroupNames[3] = QStringLiteral("Gruppe Süd");
    add({.name = QStringLiteral("NORD"), .t1 = 50, .group = 2});
    add({.name = QStringLiteral("SÜD"), .t1 = 40, .group = 3});

    PrintResultList();

    EXPECT_NEAR(rec->findText(QStringLiteral("Gruppe Nord "))->y, 44.5, 1e-9);
    EXPECT_NEAR(rec->findText(QStringLiteral("Gruppe Süd "))->y, rowY(4), 1e-9);
    EXPECT_EQ(rec->findText(QStringLiteral("Schüler I ")), nullptr);
}

TEST_F(ResultListTest, RaceWithoutFinishersPrintsTheHeadOnly)
{
    add({.name = QStringLiteral("OHNE ZEIT")});

    PrintResultList();

    EXPECT_EQ(rec->jobCount(), 1);
    EXPECT_EQ(rec->pageCount(), 1);
    EXPECT_TRUE(bandsOnPage(1).empty());
    EXPECT_NE(rec->findText(QStringLiteral("Rang")), nullptr);
    EXPECT_EQ(rec->findText(QStringLiteral("OHNE ZEIT")), nullptr);
}

TEST_F(ResultListTest, HeadTakesTheShortNameAndTheLogo)
{
    Rec.RaceShortName = QStringLiteral("VM 2024");
    writeJpeg(QStringLiteral("Logo.jpg"));
    add({.name = QStringLiteral("EINE"), .t1 = 50});

    PrintResultList();

    EXPECT_EQ(textAt(22, 12)->text, QStringLiteral("VM 2024"));
    const auto pictures = rec->ofKind(PrintOp::Kind::Picture);
    ASSERT_EQ(pictures.size(), 3u);
    const PrintOp &logo = pictures.back();
    EXPECT_NEAR(logo.x, 120, 1e-9);
    EXPECT_NEAR(logo.y, 11, 1e-9);
    EXPECT_NEAR(logo.width, 35, 1e-9);
    EXPECT_NEAR(logo.height, 18, 1e-9);
}

TEST_F(ResultListTest, ClubResultListThroughThePrintWindow)
{
    const int berg = add({.name = QStringLiteral("BERG EINS"), .t1 = 50, .clubs = {1, 0, 0}});
    add({.name = QStringLiteral("SCHNEE EINS"), .t1 = 55, .clubs = {3, 0, 0}});
    add({.name = QStringLiteral("SCHNEE ZWEI"), .t1 = 45, .club = 2, .clubs = {1, 3, 0}});
    (void)berg;

    Form8 &f = form<Form8>();
    ASSERT_TRUE(showAndActivate(f));
    f.Check1.setValue(1);
    f.Combo3.setListIndex(2);   // club 3
    rec->clear();
    f.Command3.click();

    EXPECT_EQ(textAt(22, 22)->text, QStringLiteral("Ergebnisliste SV Schnee"));
    EXPECT_EQ(trimmedTextAt(34, rowY(2)), QStringLiteral("SCHNEE ZWEI"));
    EXPECT_EQ(trimmedTextAt(34, rowY(3)), QStringLiteral("SCHNEE EINS"));
    EXPECT_EQ(textAt(6, rowY(3))->text, QStringLiteral("  2."));
    EXPECT_EQ(rec->findText(QStringLiteral("BERG EINS")), nullptr);

    // Ticked with no club chosen: the whole race under the plain title.
    f.Combo3.setListIndex(-1);
    rec->clear();
    f.Command3.click();
    EXPECT_EQ(textAt(22, 22)->text, QStringLiteral("Ergebnisliste"));
    EXPECT_EQ(trimmedTextAt(34, rowY(2)), QStringLiteral("SCHNEE ZWEI"));
    EXPECT_EQ(trimmedTextAt(34, rowY(3)), QStringLiteral("BERG EINS"));
    EXPECT_EQ(trimmedTextAt(34, rowY(4)), QStringLiteral("SCHNEE EINS"));

    // Club 3 chosen but the window hidden: the ranking covers the whole
    // race, so the title names no club either.
    f.Combo3.setListIndex(2);
    f.Hide();
    rec->clear();
    PrintResultList();
    EXPECT_EQ(textAt(22, 22)->text, QStringLiteral("Ergebnisliste"));
    EXPECT_EQ(trimmedTextAt(34, rowY(3)), QStringLiteral("BERG EINS"));
}

// The club chosen in a print window that was closed since does not name
// the list, even over a ranking still restricted to that club.
TEST_F(ResultListTest, AClosedPrintWindowNamesNoClub)
{
    add({.name = QStringLiteral("SCHNEE EINS"), .t1 = 55, .clubs = {3, 0, 0}});
    Form8 &f = form<Form8>();
    ASSERT_TRUE(showAndActivate(f));
    f.Check1.setValue(1);
    f.Combo3.setListIndex(2);   // club 3
    rec->clear();
    f.Command3.click();
    ASSERT_EQ(textAt(22, 22)->text, QStringLiteral("Ergebnisliste SV Schnee"));

    f.Unload();
    Ranking.ClubFilter = 3;
    rec->clear();
    PrintResultList();
    EXPECT_EQ(textAt(22, 22)->text, QStringLiteral("Ergebnisliste"));
}

TEST_F(ResultListTest, ClubsAreReadAnewForEachPrint)
{
    // Rows of two clubs in turn; between the two prints club 1 is renamed
    // and club 3 loses its short name.
    add({.name = QStringLiteral("A"), .t1 = 41, .clubs = {1, 0, 0}});
    add({.name = QStringLiteral("B"), .t1 = 42, .clubs = {3, 0, 0}});
    add({.name = QStringLiteral("C"), .t1 = 43, .clubs = {1, 0, 0}});
    add({.name = QStringLiteral("D"), .t1 = 44, .club = 2, .clubs = {3, 1, 0}});
    const char16_t *before[] = {u"SC Berg", u"SV Schnee", u"SC Berg", u"SC Berg"};
    const char16_t *after[] = {u"SC Gipfel", nullptr, u"SC Gipfel", u"SC Gipfel"};

    for (const auto *clubs : {before, after}) {
        if (clubs == after) {
            Rec.CurrentClubNo = 1;
            ReadClubRecord();
            Rec.ClubShortName = QStringLiteral("SC Gipfel");
            WriteClubRecord();
            Rec.CurrentClubNo = 3;
            ReadClubRecord();
            Rec.ClubShortName.clear();
            WriteClubRecord();
            // Left on another club, as the club window may leave it.
            Rec.CurrentClubNo = 2;
            ReadClubRecord();
        }
        rec->clear();
        PrintResultList();
        for (int k = 0; k < 4; ++k) {
            SCOPED_TRACE(testing::Message() << (clubs == after) << ' ' << k);
            if (clubs[k]) {
                EXPECT_EQ(trimmedTextAt(79, rowY(2 + k)), QString::fromUtf16(clubs[k]));
            } else {
                EXPECT_EQ(textAt(79, rowY(2 + k)), nullptr);
            }
        }
        // The club fields are those of the last row's club.
        EXPECT_EQ(Rec.CurrentClubNo, 1);
        EXPECT_EQ(trimBlanks(Rec.ClubShortName), QString::fromUtf16(clubs[3]));
        EXPECT_EQ(trimBlanks(Rec.ClubFullName), QStringLiteral("SC Berg e.V."));
    }
}

namespace {

class CombinationListTest : public ResultListTest {
protected:
    // The combination race holds two entries; the file was written when
    // their order was the other way round (an entry before them has been
    // removed since, or the entries were reordered).
    void SetUp() override
    {
        ResultListTest::SetUp();
        Rec.RaceName = QStringLiteral("Kombilauf");
        Rec.RaceShortName = QStringLiteral("Kombilauf");
        anna = add({.name = QStringLiteral("ANNA"), .t1 = 61.5 + 62.75, .sex = 0,
                    .clubs = {2, 0, 0}});
        bert = add({.name = QStringLiteral("BERT"), .t1 = 60 + 70.25});
        const QString names[] = {"", "Slalom", "Riesenslalom", "Super-G", "Abfahrt"};
        for (int k = 1; k <= 4; ++k)
            CupTable.CombiRaceNames[k] = names[k];
        setEntry(1, Race.SlotAthleteId[bert], {60, 70.25, 1, 2});
        setEntry(2, Race.SlotAthleteId[anna], {61.5, 62.75, 3, 4});
        ASSERT_TRUE(WriteCombinationFile());
        CupTable.clear();
    }

    static void setEntry(int i, int athlete, std::vector<double> times)
    {
        CupTable.CupAthleteNo[i] = athlete;
        double sum = 0;
        for (size_t c = 0; c < times.size(); ++c) {
            CupTable.CombiTimes[i][c + 1] = times[c];
            sum += times[c];
        }
        CupTable.CombiTimes[i][0] = sum;
    }

    int anna = 0, bert = 0;
};

} // namespace

TEST_F(CombinationListTest, ColumnsAndTimesJoinedByAthleteNumber)
{
    PrintResultList();

    EXPECT_EQ(textAt(22, 22)->text, QStringLiteral("Ergebnisliste Kombination"));
    EXPECT_EQ(rec->findText(QStringLiteral("Seite -"))->fontSize, 9);
    struct Head {
        const char16_t *text;
        double x;
    };
    for (const Head &h : {Head{u"Rang", 6}, Head{u"Name", 20}, Head{u"Verein/Mannschaft", 65},
                          Head{u"Jahrg.", 98}, Head{u"Slalom", 114}, Head{u"Riesenslalom", 140},
                          Head{u"Summe", 166}}) {
        const PrintOp *op = textAt(h.x, 38);
        ASSERT_NE(op, nullptr) << h.x;
        EXPECT_EQ(op->text, QString::fromUtf16(h.text));
        EXPECT_TRUE(op->bold);
    }
    EXPECT_EQ(rec->findText(QStringLiteral("St.Nr.")), nullptr);
    EXPECT_EQ(rec->findText(QStringLiteral("Super-G")), nullptr);
    EXPECT_NEAR(rec->findText(QStringLiteral("Schüler I "))->x, 65, 1e-9);

    // Anna (124,25) before Bert (130,25); each with her own times.
    EXPECT_EQ(textAt(6, rowY(2))->text, QStringLiteral("  1."));
    EXPECT_EQ(trimmedTextAt(20, rowY(2)), QStringLiteral("ANNA"));
    EXPECT_EQ(trimmedTextAt(65, rowY(2)), QStringLiteral("WSV Tal"));
    EXPECT_EQ(trimmedTextAt(98, rowY(2)), QStringLiteral("1990"));
    EXPECT_EQ(trimmedTextAt(114, rowY(2)), QStringLiteral("1:01,50"));
    EXPECT_EQ(trimmedTextAt(140, rowY(2)), QStringLiteral("1:02,75"));
    EXPECT_EQ(trimmedTextAt(165, rowY(2)), QStringLiteral("2:04,25"));
    EXPECT_EQ(trimmedTextAt(20, rowY(3)), QStringLiteral("BERT"));
    EXPECT_EQ(trimmedTextAt(114, rowY(3)), QStringLiteral("1:00,00"));
    EXPECT_EQ(trimmedTextAt(140, rowY(3)), QStringLiteral("1:10,25"));
    EXPECT_EQ(trimmedTextAt(165, rowY(3)), QStringLiteral("2:10,25"));
    EXPECT_EQ(textAt(34, rowY(2)), nullptr);

    // With the file gone the race prints as an ordinary one again.
    ASSERT_TRUE(deleteFile(CombinationFileName()));
    rec->clear();
    PrintResultList();
    EXPECT_EQ(textAt(22, 22)->text, QStringLiteral("Ergebnisliste"));
    EXPECT_NE(rec->findText(QStringLiteral("St.Nr.")), nullptr);
}

TEST_F(CombinationListTest, ShortFilePrintsWhatItHolds)
{
    // Cut after the first race time of entry 1 (Bert): names, Bert's number,
    // sum and first time remain.
    const QByteArray whole = readBytes(QStringLiteral("Z 5.dat"));
    QList<QByteArray> lines = whole.split('\n');
    QByteArray cut;
    for (int k = 0; k < CombinationTimeLine(1, 1); ++k)
        cut += lines[k] + '\n';
    writeBytes(QStringLiteral("Z 5.dat"), cut);

    PrintResultList();

    EXPECT_NE(rec->findText(QStringLiteral("Slalom")), nullptr);
    // Anna: no entry left in the file, only her sum.
    EXPECT_EQ(trimmedTextAt(20, rowY(2)), QStringLiteral("ANNA"));
    EXPECT_EQ(textAt(114, rowY(2)), nullptr);
    EXPECT_EQ(textAt(140, rowY(2)), nullptr);
    EXPECT_EQ(trimmedTextAt(165, rowY(2)), QStringLiteral("2:04,25"));
    // Bert: his first time, not the second.
    EXPECT_EQ(trimmedTextAt(114, rowY(3)), QStringLiteral("1:00,00"));
    EXPECT_EQ(textAt(140, rowY(3)), nullptr);
    EXPECT_EQ(trimmedTextAt(165, rowY(3)), QStringLiteral("2:10,25"));
}

TEST_F(CombinationListTest, LongRaceNamesStayOffTheNextHead)
{
    ASSERT_EQ(ReadCombinationFile(), CombinationFileLines);
    CupTable.CombiRaceNames[1] = QStringLiteral("Vereinsmeisterschaft Slalom");
    CupTable.CombiRaceNames[2] = QStringLiteral("Vereinsmeisterschaft RTL");
    ASSERT_TRUE(WriteCombinationFile());

    PrintResultList();

    for (double x : {114.0, 140.0}) {
        const PrintOp *head = textAt(x, 38);
        ASSERT_NE(head, nullptr);
        EXPECT_TRUE(IsMarkedCutOf(head->text, QStringLiteral("Vereinsmeisterschaft Slalom"), 10)
                    || IsMarkedCutOf(head->text, QStringLiteral("Vereinsmeisterschaft RTL"), 10))
            << head->text.toStdString();
        EXPECT_LE(head->x + head->width, x + 25 + 1e-9);
    }
}

TEST_F(CombinationListTest, AFileOfOneLongLineGivesAHeadCutAtItsColumn)
{
    // Saved with CR alone after each line, the file reads as one line of
    // some 48 KB: the first race name.
    QByteArray bytes = readBytes(QStringLiteral("Z 5.dat"));
    bytes.replace("\r\n", "\r");
    ASSERT_GT(bytes.size(), 40000);
    writeBytes(QStringLiteral("Z 5.dat"), bytes);

    PrintResultList();

    const PrintOp *head = textAt(114, 38);
    ASSERT_NE(head, nullptr);
    EXPECT_TRUE(IsMarkedCutOf(head->text, QString::fromLatin1(bytes), 3))
        << head->text.toStdString();
    EXPECT_LE(head->x + head->width, 139 + 1e-9);
    EXPECT_TRUE(PagesAreClean(*rec));
}
