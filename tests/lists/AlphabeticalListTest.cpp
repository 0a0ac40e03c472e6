// The alphabetical participant list on the recording printer: the order by
// name, the cells and frame of a row, the heads by classes and by groups,
// the page break after row 50 and the list without entries.
#include "EntryListFixture.h"
#include "lists/AlphabeticalList.h"
#include "lists/Form8.h"
#include "platform/Colours.h"

namespace {

class AlphabeticalListTest : public EntryListTest {};

} // namespace

TEST_F(AlphabeticalListTest, ByNameThenBySlotText)
{
    add({.name = QStringLiteral("Zeller Anna"), .status1 = 3});   // listed whatever its status
    add({.name = QStringLiteral("Ärmel Paul")});
    add({.name = QStringLiteral("Bauer Eva")});
    add({.name = QStringLiteral("Armel Kurt")});
    const int five = add({.name = QStringLiteral("Maier Hans"), .startNo = 50});
    ASSERT_EQ(five, 5);
    lastSlot = 11;
    add({.name = QStringLiteral("Maier Hans"), .startNo = 120});
    add({.name = QString()});   // no name: left out
    add({.name = QStringLiteral("Ohne Nummer"), .startNo = 0});

    PrintAlphabeticalList();

    // Umlauts sort beside their base letters.
    EXPECT_EQ(columnTexts(34),
              QStringList({QStringLiteral("Armel Kurt"), QStringLiteral("Ärmel Paul"),
                           QStringLiteral("Bauer Eva"), QStringLiteral("Maier Hans"),
                           QStringLiteral("Maier Hans"), QStringLiteral("Ohne Nummer"),
                           QStringLiteral("Zeller Anna")}));
    // Slot 12 before slot 5: "12" before "5" as text.
    EXPECT_EQ(textAt(20, rowY(4))->text, QStringLiteral(" 120"));
    EXPECT_EQ(textAt(20, rowY(5))->text, QStringLiteral("  50"));
    EXPECT_EQ(textAt(20, rowY(6))->text, QStringLiteral("   0"));
}

TEST_F(AlphabeticalListTest, RowCellsAndFrame)
{
    struct Case {
        ListEntry entry;
        const char16_t *startNo, *club, *klass;
    };
    const Case cases[] = {
        {{.name = QStringLiteral("A Kurzname"), .startNo = 12}, u"  12", u"SC Berg", u"Schüler I"},
        {{.name = QStringLiteral("B Zweiter Verein"), .cell = 2, .club = 2, .clubs = {1, 2, 0}},
         u"   2", u"WSV Tal", u"Schüler II"},
        {{.name = QStringLiteral("C Langname"), .cell = 3, .clubs = {3, 0, 0}}, u"   3",
         u"Skiclub Oberhinterdorf am", u"Jugend"},
        {{.name = QStringLiteral("D Kein Verein"), .club = 4, .clubs = {1, 2, 3}}, u"   4",
         nullptr, u"Schüler I"},
        {{.name = QStringLiteral("E Namenloser Verein"), .clubs = {4, 0, 0}}, u"   5", nullptr,
         u"Schüler I"},
        {{.name = QStringLiteral("F Verein zu gross"), .clubs = {9, 0, 0}}, u"   6", nullptr,
         u"Schüler I"},
        {{.name = QStringLiteral("G Abcdefghij Klmnopqrst Uvwxyz"), .startNo = 12345}, u"2345",
         u"SC Berg", u"Schüler I"},
    };
    for (const Case &c : cases)
        add(c.entry);

    PrintAlphabeticalList();

    const auto boxes = rec->ofKind(PrintOp::Kind::Box);
    ASSERT_EQ(boxes.size(), std::size(cases));
    int k = 0;
    for (const Case &c : cases) {
        SCOPED_TRACE(k);
        const double row = 1 + k++;
        const double y = rowY(row);
        const PrintOp *number = textAt(20, y);
        ASSERT_NE(number, nullptr);
        EXPECT_EQ(number->text, QString::fromUtf16(c.startNo));
        const PrintOp *club = textAt(79, y);
        if (c.club) {
            ASSERT_NE(club, nullptr);
            EXPECT_EQ(club->text, QString::fromUtf16(c.club));
        } else {
            EXPECT_EQ(club, nullptr);
        }
        EXPECT_EQ(trimmedTextAt(130, y), QString::fromUtf16(c.klass));
        for (double x : {20.0, 34.0, 130.0}) {
            EXPECT_EQ(textAt(x, y)->fontSize, 9);
            EXPECT_FALSE(textAt(x, y)->bold || textAt(x, y)->italic);
        }

        const PrintOp &box = boxes[k - 1];
        EXPECT_NEAR(box.x, 20, 1e-9);
        EXPECT_NEAR(box.y, 39.5 + 4.5 * row, 1e-9);
        EXPECT_NEAR(box.x2, 190, 1e-9);
        EXPECT_NEAR(box.y2, 44 + 4.5 * row, 1e-9);
        EXPECT_EQ(box.drawWidth, 2);
        EXPECT_EQ(box.colour, 0);
        EXPECT_EQ(box.fillColour, colourValue(255, 255, 255));
    }
    EXPECT_EQ(textAt(34, rowY(7))->text, QStringLiteral("G Abcdefghij Klmnopqrst Uv"));
}

TEST_F(AlphabeticalListTest, HeadByClassesAndByGroups)
{
    struct Case {
        int evalByClass;
        const char16_t *head, *cell;
    };
    Rec.RaceShortName = QStringLiteral("VM 2026");
    add({.name = QStringLiteral("IN GRUPPE"), .group = 2});
    add({.name = QStringLiteral("OHNE GRUPPE"), .group = 0});
    for (const Case &c : {Case{1, u"Klasse", u"Schüler I"}, Case{0, u"Gruppe", u"Firmen"},
                          Case{2, u"Klasse", nullptr}}) {
        SCOPED_TRACE(c.evalByClass);
        Rec.EvalByClass = std::uint8_t(c.evalByClass);
        rec->clear();

        PrintAlphabeticalList();

        EXPECT_EQ(trimmedTextAt(22, 12), QStringLiteral("VM 2026"));
        EXPECT_EQ(trimmedTextAt(22, 22), QStringLiteral("Alphabetische Teilnehmerliste"));
        EXPECT_EQ(rec->ofKind(PrintOp::Kind::Picture).size(), 2u);   // strip and emblem
        struct Head {
            double x;
            const char16_t *text;
        };
        for (const Head &h : {Head{20, u"St.Nr."}, Head{34, u"Name"},
                              Head{79, u"Verein/Mannschaft"}, Head{130, c.head}}) {
            const PrintOp *op = textAt(h.x, 38);
            ASSERT_NE(op, nullptr) << h.x;
            EXPECT_EQ(op->text, QString::fromUtf16(h.text));
            EXPECT_EQ(op->fontSize, 10);
            EXPECT_TRUE(op->bold);
        }
        const PrintOp *first = textAt(130, rowY(1));
        const PrintOp *second = textAt(130, rowY(2));
        if (c.cell) {
            ASSERT_NE(first, nullptr);
            EXPECT_EQ(first->text, QString::fromUtf16(c.cell));
        } else {
            EXPECT_EQ(first, nullptr);
        }
        // Group 0 has no name.
        if (c.evalByClass == 0) {
            EXPECT_TRUE(!second || second->text.isEmpty());
        }
    }
}

TEST_F(AlphabeticalListTest, Entry51StartsPage2)
{
    for (int i = 1; i <= 51; ++i)
        add({.name = QStringLiteral("LÄUFER %1").arg(i, 2, 10, QLatin1Char('0'))});

    PrintAlphabeticalList();

    ASSERT_EQ(rec->pageCount(), 2);
    const auto page1 = column(34, 1);
    ASSERT_EQ(page1.size(), 50u);
    EXPECT_NEAR(page1.back().y, rowY(50), 1e-9);
    const auto page2 = column(34, 2);
    ASSERT_EQ(page2.size(), 1u);
    EXPECT_EQ(trimBlanks(page2[0].text), QStringLiteral("LÄUFER 51"));
    EXPECT_NEAR(page2[0].y, 44.5, 1e-9);
    const auto boxes2 = opsOnPage(PrintOp::Kind::Box, 2);
    ASSERT_EQ(boxes2.size(), 1u);
    EXPECT_NEAR(boxes2[0].y, 44, 1e-9);
    EXPECT_EQ(pageNumberOn(2), QStringLiteral(" 2 "));
    EXPECT_EQ(trimmedTextAt(130, 38, 2), QStringLiteral("Klasse"));
}

TEST_F(AlphabeticalListTest, WithoutEntriesOnePageWithTheHeads)
{
    add({.name = QString()});

    PrintAlphabeticalList();

    EXPECT_EQ(rec->jobCount(), 1);
    EXPECT_EQ(rec->pageCount(), 1);
    EXPECT_EQ(trimmedTextAt(34, 38), QStringLiteral("Name"));
    EXPECT_TRUE(column(34).empty());
    EXPECT_TRUE(rec->ofKind(PrintOp::Kind::Box).empty());
}

TEST_F(AlphabeticalListTest, PrintWindowButtonPrints)
{
    add({.name = QStringLiteral("EINE")});
    Form8 &f = form<Form8>();
    rec->clear();

    f.Command9.click();

    EXPECT_EQ(rec->jobCount(), 1);
    EXPECT_EQ(trimmedTextAt(34, rowY(1)), QStringLiteral("EINE"));
    EXPECT_FALSE(hourglass());
}

// Names and clubs of wide capitals are cut before the next column, not only
// at their character limits.
TEST_F(AlphabeticalListTest, WideNamesAndClubsAreCutBeforeTheNextColumn)
{
    expectWideNameAndClubCut(&PrintAlphabeticalList, 25, 129);
}
