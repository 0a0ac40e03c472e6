// The participant list on the recording printer: class bands and rows,
// order by class start order and start number, the cells of a row, page
// breaks and the class-first flags it leaves behind.
#include "EntryListFixture.h"
#include "lists/Form8.h"
#include "lists/ParticipantList.h"
#include "platform/Colours.h"

namespace {

class ParticipantListTest : public EntryListTest {
protected:
    // Where the printer stands after an entry row: one 8 pt line below it.
    static double yAfterRow(double row)
    {
        Printer &p = printer();
        p.FontName = QStringLiteral("Arial");
        p.FontSize = 8;
        p.FontBold = false;
        p.FontItalic = false;
        return rowY(row) + p.TextHeight();
    }
    // The last row of a page whose next row is tested against the limit:
    // the first row that leaves the position past it.
    static int lastRowBefore(double limit)
    {
        int row = 1;
        while (yAfterRow(row) <= limit)
            ++row;
        return row;
    }
};

} // namespace

TEST_F(ParticipantListTest, BandsOpenEachClassAndRowsFollowByStartNumber)
{
    const int late = add({.name = QStringLiteral("SPÄT"), .order = 2, .startNo = 30});
    const int early = add({.name = QStringLiteral("FRÜH"), .order = 2, .startNo = 4});
    const int first = add({.name = QStringLiteral("ERSTE"), .order = 1, .startNo = 9});
    add({.name = QStringLiteral("JUGEND"), .order = 3, .startNo = 1});
    // Equal start numbers: the name decides.
    add({.name = QStringLiteral("BEIDE B"), .order = 3, .startNo = 2});
    add({.name = QStringLiteral("BEIDE A"), .order = 3, .startNo = 2});
    Ranking.ClassFirstFlag.fill(1);

    PrintParticipantList();

    ASSERT_EQ(rec->jobCount(), 1);
    ASSERT_EQ(rec->pageCount(), 1);
    EXPECT_EQ(columnTexts(34),
              QStringList({QStringLiteral("ERSTE"), QStringLiteral("FRÜH"), QStringLiteral("SPÄT"),
                           QStringLiteral("JUGEND"), QStringLiteral("BEIDE A"),
                           QStringLiteral("BEIDE B")}));

    // Bands on rows 1, 4 and 8; entries on 2; 5, 6; 9, 10, 11.
    const double entryRows[] = {2, 5, 6, 9, 10, 11};
    const auto names = column(34);
    ASSERT_EQ(names.size(), 6u);
    for (int k = 0; k < 6; ++k)
        EXPECT_NEAR(names[k].y, rowY(entryRows[k]), 1e-9) << k;

    const auto bands = rec->ofKind(PrintOp::Kind::FilledBox);
    ASSERT_EQ(bands.size(), 3u);
    const double bandRows[] = {1, 4, 8};
    const char16_t *designations[] = {u"Schüler I ", u"Schüler II ", u"Jugend "};
    for (int k = 0; k < 3; ++k) {
        SCOPED_TRACE(k);
        EXPECT_NEAR(bands[k].x, 20, 1e-9);
        EXPECT_NEAR(bands[k].x2, 170, 1e-9);
        EXPECT_NEAR(bands[k].y, 39.9 + 4.5 * bandRows[k], 1e-6);
        EXPECT_NEAR(bands[k].y2, 44.5 + 4.5 * bandRows[k], 1e-6);
        EXPECT_EQ(bands[k].colour, colourValue(192, 192, 192));
        const PrintOp *text = textAt(79, rowY(bandRows[k]));
        ASSERT_NE(text, nullptr);
        EXPECT_EQ(text->text, QString::fromUtf16(designations[k]));
        EXPECT_EQ(text->fontSize, 11);
        EXPECT_TRUE(text->italic);
        EXPECT_FALSE(text->bold);
    }
    EXPECT_NEAR(bands[0].y, 44.4, 1e-6);
    EXPECT_NEAR(bands[0].y2, 49, 1e-6);

    // The first listed entry of each class is marked, the others cleared.
    EXPECT_EQ(Ranking.ClassFirstFlag[first], 1);
    EXPECT_EQ(Ranking.ClassFirstFlag[early], 1);
    EXPECT_EQ(Ranking.ClassFirstFlag[late], 0);
    EXPECT_EQ(Ranking.ClassFirstFlag[lastSlot], 0);
}

TEST_F(ParticipantListTest, EntriesWithoutStartOrderComeFirstWithoutBand)
{
    add({.name = QStringLiteral("OHNE ORDNUNG B"), .order = 0});
    add({.name = QStringLiteral("MIT ORDNUNG"), .order = 1});
    add({.name = QStringLiteral("OHNE ORDNUNG A"), .order = 0});

    PrintParticipantList();

    // Rows 1 and 2 without band; the first band right after them on row 3.
    const auto names = column(34);
    ASSERT_EQ(names.size(), 3u);
    EXPECT_EQ(trimBlanks(names[0].text), QStringLiteral("OHNE ORDNUNG B"));   // start number 1
    EXPECT_NEAR(names[0].y, rowY(1), 1e-9);
    EXPECT_NEAR(names[1].y, rowY(2), 1e-9);
    EXPECT_NEAR(names[2].y, rowY(4), 1e-9);
    const auto bands = rec->ofKind(PrintOp::Kind::FilledBox);
    ASSERT_EQ(bands.size(), 1u);
    EXPECT_NEAR(bands[0].y, 39.9 + 4.5 * 3, 1e-6);
}

TEST_F(ParticipantListTest, AllWithoutStartOrderHaveNoBand)
{
    add({.name = QStringLiteral("EINS"), .order = 0});
    add({.name = QStringLiteral("ZWEI"), .order = 0});

    PrintParticipantList();

    EXPECT_TRUE(rec->ofKind(PrintOp::Kind::FilledBox).empty());
    EXPECT_EQ(columnTexts(34), QStringList({QStringLiteral("EINS"), QStringLiteral("ZWEI")}));
}

TEST_F(ParticipantListTest, RowCells)
{
    struct Case {
        ListEntry entry;
        const char16_t *startNo, *name, *club, *year;
    };
    const Case cases[] = {
        {{.name = QStringLiteral("MÜLLER Jörg"), .startNo = 7, .year = 1983}, u"   7",
         u"MÜLLER Jörg", u"SC Berg", u" 1983 "},
        {{.name = QStringLiteral("Abcdefghij Klmnopqrst Uvwxyz"), .startNo = 8}, u"   8",
         u"Abcdefghij Klmnopqrst Uvwx", u"SC Berg", u" 1990 "},
        {{.name = QStringLiteral("ZWEITER VEREIN"), .startNo = 9, .club = 2, .clubs = {1, 2, 0}},
         u"   9", nullptr, u"WSV Tal", nullptr},
        {{.name = QStringLiteral("KEIN VEREIN"), .startNo = 10, .club = 4, .clubs = {1, 2, 3}},
         u"  10", nullptr, nullptr, nullptr},
        {{.name = QStringLiteral("LANGNAME"), .startNo = 11, .clubs = {3, 0, 0}}, u"  11",
         nullptr, u"Skiclub Oberhinterdo", nullptr},
        {{.name = QStringLiteral("NAMENLOSER VEREIN"), .startNo = 12, .clubs = {4, 0, 0}}, u"  12",
         nullptr, nullptr, nullptr},
        {{.name = QStringLiteral("VEREIN ZU GROSS"), .startNo = 13, .clubs = {9, 0, 0}}, u"  13",
         nullptr, nullptr, nullptr},
        {{.name = QStringLiteral("OHNE GEBURTSDATUM"), .startNo = 14, .year = 0}, u"  14",
         nullptr, nullptr, u" 1900 "},
        {{.name = QStringLiteral("GROSSE NUMMER"), .startNo = 12345}, u"2345", nullptr, nullptr,
         nullptr},
    };
    // "OHNE NUMMER" sorts first in its class with start number 0000.
    add({.name = QStringLiteral("OHNE NUMMER"), .status1 = 3, .status2 = 1, .startNo = 0});
    for (const Case &c : cases)
        add(c.entry);

    PrintParticipantList();

    const PrintOp *zero = textAt(20, rowY(2));
    ASSERT_NE(zero, nullptr);
    EXPECT_EQ(zero->text, QStringLiteral("   0"));
    EXPECT_EQ(trimmedTextAt(34, rowY(2)), QStringLiteral("OHNE NUMMER"));
    int k = 0;
    for (const Case &c : cases) {
        SCOPED_TRACE(k);
        const double y = rowY(3 + k++);
        const PrintOp *number = textAt(20, y);
        ASSERT_NE(number, nullptr);
        EXPECT_EQ(number->text, QString::fromUtf16(c.startNo));
        EXPECT_EQ(number->fontSize, 9);
        EXPECT_FALSE(number->bold || number->italic);
        if (c.name) {
            EXPECT_EQ(textAt(34, y)->text, QString::fromUtf16(c.name));
        }
        if (c.club) {
            ASSERT_NE(textAt(79, y), nullptr);
            EXPECT_EQ(textAt(79, y)->text, QString::fromUtf16(c.club));
        } else if (c.entry.club == 4 || c.entry.clubs[0] >= 4) {
            EXPECT_EQ(textAt(79, y), nullptr);
        }
        if (c.year) {
            EXPECT_EQ(textAt(113, y)->text, QString::fromUtf16(c.year));
        }
    }

    // Both statuses, 8 pt, the second at the next print zone.
    const PrintOp *status1 = textAt(133, rowY(2));
    ASSERT_NE(status1, nullptr);
    EXPECT_EQ(status1->text, QStringLiteral("dis"));
    EXPECT_EQ(status1->fontSize, 8);
    const PrintOp *status2 = nullptr;
    for (const PrintOp &op : rec->ops)
        if (op.kind == PrintOp::Kind::Text && std::abs(op.y - rowY(2)) < 1e-9
            && op.x > 133 + 1e-6)
            status2 = &op;
    ASSERT_NE(status2, nullptr);
    EXPECT_EQ(status2->text, QStringLiteral("naS"));
    EXPECT_GE(status2->x, 133 + status1->width);
    EXPECT_EQ(trimmedTextAt(133, rowY(3)), QStringLiteral("ok"));
}

TEST_F(ParticipantListTest, RunTwoStatusesStandInOneColumnClearOfTheRunOneStatus)
{
    // Every pair of the four statuses: the run-2 status always at the same
    // print zone (14 average widths of 8 pt Arial as designed, 17.4 mm:
    // 139.5 mm), with a gap after the widest run-1 status.
    int startNo = 1;
    for (int s1 = 0; s1 < 4; ++s1)
        for (int s2 = 0; s2 < 4; ++s2)
            add({.name = QStringLiteral("LÄUFER %1").arg(startNo), .status1 = s1, .status2 = s2,
                 .startNo = startNo++});

    PrintParticipantList();

    const double zone = 14 * 904.0 / 2048 * 8 * 25.4 / 72;
    for (int row = 2; row <= 17; ++row) {   // row 1: the class band
        SCOPED_TRACE(row);
        std::vector<const PrintOp *> statuses;
        for (const PrintOp &op : rec->ops)
            if (op.kind == PrintOp::Kind::Text && std::abs(op.y - rowY(row)) < 1e-9
                && op.x >= 133 - 1e-9)
                statuses.push_back(&op);
        ASSERT_EQ(statuses.size(), 2u);
        const PrintOp &run1 = *statuses[0], &run2 = *statuses[1];
        EXPECT_NEAR(run1.x, 133, 1e-9);
        EXPECT_NEAR(run2.x, 8 * zone, 1e-6);
        EXPECT_GT(run2.x - (run1.x + run1.width), 1.0) << run1.text.toStdString()
                                                        << run2.text.toStdString();
    }
}

TEST_F(ParticipantListTest, HeadNamesTheShortNameWithPicturesAndColumnHeads)
{
    Rec.RaceShortName = raceNameWiderThan(98, 110);
    ASSERT_FALSE(Rec.RaceShortName.isEmpty());
    add({.name = QStringLiteral("EINE")});

    PrintParticipantList();

    const PrintOp *name = textAt(22, 12);
    ASSERT_NE(name, nullptr);
    EXPECT_EQ(name->text, Rec.RaceShortName);
    EXPECT_LT(name->fontSize, 24);
    EXPECT_EQ(trimmedTextAt(22, 22), QStringLiteral("Teilnehmerliste"));
    EXPECT_EQ(rec->ofKind(PrintOp::Kind::Picture).size(), 2u);   // strip and emblem

    struct Head {
        double x;
        const char16_t *text;
    };
    for (const Head &h : {Head{20, u"St.Nr."}, Head{34, u"Name"}, Head{79, u"Verein/Mannschaft"},
                          Head{113, u"Jahrg."}, Head{133, u"Status"}}) {
        const PrintOp *op = textAt(h.x, 38);
        ASSERT_NE(op, nullptr) << h.x;
        EXPECT_EQ(op->text, QString::fromUtf16(h.text));
        EXPECT_EQ(op->fontSize, 10);
        EXPECT_TRUE(op->bold);
        EXPECT_FALSE(op->italic);
    }
}

TEST_F(ParticipantListTest, AnEntryRowPastY265GoesToTheNextPage)
{
    const int perPage = lastRowBefore(265);   // band on row 1, entries 2..perPage
    for (int i = 1; i <= perPage; ++i)
        add({.name = QStringLiteral("LÄUFER %1").arg(i, 2, 10, QLatin1Char('0'))});

    PrintParticipantList();

    ASSERT_EQ(rec->pageCount(), 2);
    const auto page1 = column(34, 1);
    ASSERT_EQ(int(page1.size()), perPage - 1);
    EXPECT_NEAR(page1.back().y, rowY(perPage), 1e-9);
    // The class running on is named again: its band on row 1, the entry
    // on row 2.
    const auto page2 = column(34, 2);
    ASSERT_EQ(page2.size(), 1u);
    EXPECT_NEAR(page2[0].y, rowY(2), 1e-9);
    const auto bands = opsOnPage(PrintOp::Kind::FilledBox, 2);
    ASSERT_EQ(bands.size(), 1u);
    EXPECT_NEAR(bands[0].y, 42 + 4.5 - 2.1, 1e-6);
    EXPECT_EQ(trimmedTextAt(79, rowY(1), 2), QStringLiteral("Schüler I"));
    EXPECT_EQ(pageNumberOn(2), QStringLiteral(" 2 "));
    EXPECT_EQ(trimmedTextAt(22, 22, 2), QStringLiteral("Teilnehmerliste"));
    EXPECT_EQ(trimmedTextAt(133, 38, 2), QStringLiteral("Status"));
}

TEST_F(ParticipantListTest, ABandPastY240GoesToTheNextPage)
{
    // Class 1 runs until the position passes 240; its band takes row 1.
    const int lastRow = lastRowBefore(240);
    for (int i = 2; i <= lastRow; ++i)
        add({.name = QStringLiteral("ERSTER %1").arg(i, 2, 10, QLatin1Char('0'))});
    add({.name = QStringLiteral("ZWEITER"), .order = 2});

    PrintParticipantList();

    ASSERT_EQ(rec->pageCount(), 2);
    EXPECT_NEAR(column(34, 1).back().y, rowY(lastRow), 1e-9);
    const PrintOp *band = rec->findText(QStringLiteral("Schüler II "));
    ASSERT_NE(band, nullptr);
    EXPECT_EQ(band->page, 2);
    EXPECT_NEAR(band->y, 44.5, 1e-9);
    EXPECT_EQ(trimmedTextAt(34, 49, 2), QStringLiteral("ZWEITER"));

    // One row less and the band stays on page 1, after an empty row.
    rec->clear();
    Race.SlotAthleteId[lastRow - 1] = 0;
    PrintParticipantList();
    EXPECT_EQ(rec->pageCount(), 1);
    EXPECT_NEAR(rec->findText(QStringLiteral("Schüler II "))->y, rowY(lastRow + 1), 1e-9);
}

TEST_F(ParticipantListTest, ByGroupsTheBandsNameTheGroups)
{
    Rec.EvalByClass = 0;
    add({.name = QStringLiteral("FIRMA"), .group = 2});
    add({.name = QStringLiteral("FAMILIE"), .group = 1});

    PrintParticipantList();

    EXPECT_EQ(columnTexts(34), QStringList({QStringLiteral("FAMILIE"), QStringLiteral("FIRMA")}));
    EXPECT_NE(rec->findText(QStringLiteral("Familien ")), nullptr);
    EXPECT_NE(rec->findText(QStringLiteral("Firmen ")), nullptr);
}

TEST_F(ParticipantListTest, PrintWindowButtonPrints)
{
    add({.name = QStringLiteral("EINE")});
    Form8 &f = form<Form8>();
    rec->clear();

    f.Command4.click();

    EXPECT_EQ(rec->jobCount(), 1);
    EXPECT_EQ(trimmedTextAt(34, 49), QStringLiteral("EINE"));
    EXPECT_FALSE(hourglass());
}

// Names and clubs of wide capitals are cut before the next column, not only
// at their character limits.
TEST_F(ParticipantListTest, WideNamesAndClubsAreCutBeforeTheNextColumn)
{
    expectWideNameAndClubCut(&PrintParticipantList, 20, 112);
}
