// The certificates of the marked finishers on the recording printer: one job
// per certificate in list order, the page layout, the result line with its
// best-time title, the free text, the pictograms and the logo.
#include <QBuffer>
#include <QDate>
#include <QImage>
#include <QImageWriter>
#include <QDir>
#include <QProcess>
#include <QStandardPaths>
#include <QStringList>
#include <cmath>

#include "GuiTestHelpers.h"
#include "RaceBuilder.h"
#include "core/Form1.h"
#include "core/RecordFiles.h"
#include "core/SharedState.h"
#include "lists/Certificates.h"
#include "lists/Form8.h"
#include "platform/Beep.h"
#include "platform/Clock.h"
#include "platform/NumberText.h"
#include "platform/Printer.h"
#include <gmock/gmock.h>

#include "PageCheck.h"
#include "platform/RecordingPrinter.h"
#include "platform/Strings.h"
#include "race/Ranking.h"

namespace {

struct Entry {
    QString name;
    double time = 0;
    int sex = 0;
    int cell = 1;       // class cell, also the start-order number
    int group = 1;
    int slot = 0;       // 0: the next free one
    double time2 = 0;
    int club = 0;       // AthleteClub1, counted through SlotClub 1
};

class CertificatesTest : public WindowDataTest, protected RaceBuilder {
protected:
    void SetUp() override
    {
        WindowDataTest::SetUp();
        sysclock::setFixedNow(QDateTime(QDate(2026, 2, 14), QTime(10, 0)));
        rec = &useRecordingPrinter();
        openDataFiles();

        App.OrganisationName = QStringLiteral("Skiclub Hinterberg");
        writeRace(1, {.name = QStringLiteral("Vereinsmeisterschaft 2026"), .byClass = 1, .byTime = 1});
        for (int k = 1; k <= ClassCount; ++k)
            Race.ClassNames[k] = QStringLiteral("Klasse %1").arg(k);
        Race.ClassDesignations[1] = QStringLiteral("Schüler I");
        Race.ClassDesignations[2] = QStringLiteral("Jugend");
        Race.GroupNames[1] = QStringLiteral("Gruppe Nord");
    }

    void TearDown() override
    {
        WindowDataTest::TearDown();
        sysclock::setFixedNow(QDateTime());
        resetPrinter();
    }

    int add(const Entry &e)
    {
        const int id = addAthlete({.name = e.name, .sex = e.sex, .clubs = {e.club, 0, 0}});
        return addEntry(id, {.slot = e.slot,
                             .startNo = SlotNumber,
                             .t1 = e.time,
                             .t2 = e.time2,
                             .klass = 1,
                             .order = e.cell,
                             .cell = e.cell,
                             .club = 1,
                             .group = e.group});
    }

    // The List2 line that names the slot.
    static int lineOfSlot(const Form8 &f, int slot)
    {
        for (int i = 0; i < f.List2.ListCount(); ++i)
            if (num::numericValue(rightChars(f.List2.List(i), 4)) == slot)
                return i;
        return -1;
    }

    // The print window over the entries, with its finisher list built.
    Form8 &open()
    {
        Form8 &f = form<Form8>();
        EXPECT_TRUE(showAndActivate(f));
        rec->clear();
        return f;
    }

    void printLines(Form8 &f, std::initializer_list<int> lines)
    {
        for (int i = 0; i < f.List2.ListCount(); ++i)
            f.List2.setSelected(i, false);
        for (int i : lines)
            f.List2.setSelected(i, true);
        rec->clear();
        jobsBefore = rec->jobCount();
        f.Command5.click();
    }
    // The recording counts jobs on; these count the last print's from 1.
    int jobsPrinted() const { return rec->jobCount() - jobsBefore; }
    int job(int n) const { return jobsBefore + n; }

    std::vector<PrintOp> textsOfJob(int job) const
    {
        std::vector<PrintOp> found;
        for (const PrintOp &op : rec->texts())
            if (op.job == this->job(job))
                found.push_back(op);
        return found;
    }
    // The text of a job printed at y; "<none>" when there is none.
    const PrintOp *textAtY(double y, int job = 1) const
    {
        for (const PrintOp &op : rec->ops)
            if (op.kind == PrintOp::Kind::Text && op.job == this->job(job)
                && std::abs(op.y - y) < 1e-9)
                return &op;
        return nullptr;
    }
    QString textAt(double y, int job = 1) const
    {
        const PrintOp *op = textAtY(y, job);
        return op ? op->text : QStringLiteral("<none>");
    }
    // The result line with the blanks that pad the time taken off.
    QString resultLine(int job = 1) const
    {
        const QString line = textAt(225, job);
        if (!line.startsWith(QStringLiteral("Zeit: ")))
            return line;
        return QStringLiteral("Zeit: ") + trimLeadingBlanks(line.mid(6));
    }
    std::vector<PrintOp> picturesOfJob(int job) const
    {
        std::vector<PrintOp> found;
        for (const PrintOp &op : rec->ofKind(PrintOp::Kind::Picture))
            if (op.job == this->job(job))
                found.push_back(op);
        return found;
    }

    static void expectCentred(const PrintOp *op)
    {
        ASSERT_NE(op, nullptr);
        EXPECT_NEAR(op->x + op->width / 2, 105, 1e-3) << op->text.toStdString();
    }

    RecordingPrinter *rec = nullptr;
    int jobsBefore = 0;
};

} // namespace

TEST_F(CertificatesTest, ThreeMarkedLines_ThreeJobsOfOnePageInListOrder)
{
    add({QStringLiteral("Maier Eva"), 70});
    add({QStringLiteral("Huber Anna"), 65.32});
    add({QStringLiteral("Gruber Lisa"), 80});
    add({QStringLiteral("Moser Lena"), 75});
    Form8 &f = open();
    ASSERT_EQ(f.List2.ListCount(), 4);

    // Ranking order: Huber, Maier, Moser, Gruber; the second stays unmarked.
    printLines(f, {3, 0, 2});

    ASSERT_EQ(jobsPrinted(), 3);
    const QString names[] = {QStringLiteral("Huber Anna"), QStringLiteral("Moser Lena"),
                             QStringLiteral("Gruber Lisa")};
    const QString ranks[] = {QStringLiteral("1. Rang"), QStringLiteral("3. Rang"),
                             QStringLiteral("4. Rang")};
    for (int job = 1; job <= 3; ++job) {
        EXPECT_EQ(rec->pageCount(this->job(job)), 1) << job;
        EXPECT_EQ(textAt(180, job), names[job - 1]) << job;
        EXPECT_EQ(textAt(205, job), ranks[job - 1]) << job;
    }
    EXPECT_TRUE(rec->ofKind(PrintOp::Kind::NewPage).empty());
    const auto ends = rec->ofKind(PrintOp::Kind::EndDoc);
    ASSERT_EQ(ends.size(), 3u);
    for (int job = 1; job <= 3; ++job)
        EXPECT_EQ(ends[std::size_t(job - 1)].job, this->job(job));

    // The marks stay as the user left them; the pointer is back.
    EXPECT_TRUE(f.List2.Selected(0));
    EXPECT_FALSE(f.List2.Selected(1));
    EXPECT_TRUE(f.List2.Selected(2));
    EXPECT_TRUE(f.List2.Selected(3));
    EXPECT_FALSE(hourglass());
}

TEST_F(CertificatesTest, NoMarkedLine_PrintsNothing)
{
    add({QStringLiteral("Maier Eva"), 70});
    Form8 &f = open();
    // Whatever ranked last stays: only the pointer changes.
    Ranking.SlotRank[1] = 7;
    printLines(f, {});
    EXPECT_EQ(jobsPrinted(), 0);
    EXPECT_TRUE(rec->ops.empty());
    EXPECT_FALSE(hourglass());
    EXPECT_EQ(Ranking.SlotRank[1], 7);
}

TEST_F(CertificatesTest, Page_PlacesFontsAndRules)
{
    add({QStringLiteral("  Huber Anna  "), 65.32});
    Rec.CertificatePictogram = 0;
    Rec.BestTimeTitle = 0;
    Form8 &f = open();
    printLines(f, {0});
    ASSERT_EQ(jobsPrinted(), 1);

    struct Expected {
        double y;
        QString text;    // empty: the result line, checked below
        QString face;
        double size;
        bool bold, italic;
        bool centred;
    } expected[] = {
        {20, QStringLiteral("Skiclub Hinterberg"), QStringLiteral("Times"), 24, false, false, false},
        {40, QStringLiteral("Vereinsmeisterschaft 2026"), QStringLiteral("Times"), 30, true, false, true},
        {65, QStringLiteral("Urkunde"), QStringLiteral("Fraktur BT"), 85, true, false, true},
        {180, QStringLiteral("Huber Anna"), QStringLiteral("Times"), 30, true, true, true},
        {195, QStringLiteral("belegte den"), QStringLiteral("Times"), 14, false, false, true},
        {205, QStringLiteral("1. Rang"), QStringLiteral("Times"), 32, false, false, true},
        {225, QString(), QStringLiteral("Times"), 18, false, false, true},
        {240, QStringLiteral("am: 14.02.2026"), QStringLiteral("Times"), 14, false, false, true},
    };
    const auto texts = textsOfJob(1);
    ASSERT_EQ(texts.size(), std::size(expected));
    for (std::size_t i = 0; i < texts.size(); ++i) {
        const PrintOp &op = texts[i];
        const Expected &e = expected[i];
        EXPECT_NEAR(op.y, e.y, 1e-9) << i;
        if (!e.text.isEmpty()) {
            EXPECT_EQ(op.text, e.text) << i;
        }
        EXPECT_EQ(op.fontName, e.face) << i;
        EXPECT_EQ(op.fontSize, e.size) << i;
        EXPECT_EQ(op.bold, e.bold) << i;
        EXPECT_EQ(op.italic, e.italic) << i;
        if (e.centred) {
            expectCentred(&op);
        } else {
            EXPECT_NEAR(op.x, 20, 1e-9);
        }
    }
    EXPECT_EQ(resultLine(), QStringLiteral("Zeit: 1:05,32   ") + blanks(8)
                                + QStringLiteral("Klasse: Schüler I"));
    // The time is padded in the line's own face and size.
    const QString line = textAt(225);
    printer().FontName = QStringLiteral("Times");
    printer().FontSize = 18;
    printer().FontBold = false;
    printer().FontItalic = false;
    const qsizetype timeEnd = line.indexOf(QStringLiteral("1:05,32")) + 7;
    EXPECT_GE(printer().TextWidth(line.mid(6, timeEnd - 6)), 14.0);

    // Head rule, two signature lines, foot rule: black, in this order.
    struct Rule {
        double x1, y1, x2, y2;
        int width;
    } rules[] = {{20, 30, 185, 30, 5}, {20, 260, 75, 260, 3}, {130, 260, 185, 260, 3},
                 {20, 275, 185, 275, 5}};
    const auto lines = rec->ofKind(PrintOp::Kind::Line);
    ASSERT_EQ(lines.size(), std::size(rules));
    for (std::size_t i = 0; i < lines.size(); ++i) {
        EXPECT_EQ(lines[i].x, rules[i].x1) << i;
        EXPECT_EQ(lines[i].y, rules[i].y1) << i;
        EXPECT_EQ(lines[i].x2, rules[i].x2) << i;
        EXPECT_EQ(lines[i].y2, rules[i].y2) << i;
        EXPECT_EQ(lines[i].drawWidth, rules[i].width) << i;
        EXPECT_EQ(lines[i].colour, 0) << i;
    }
}

TEST_F(CertificatesTest, ResultLine_BestTimeTitles)
{
    // The certificates rank the race before they print, so each case sets
    // the times that give its best times.
    const int anna = add({QStringLiteral("Huber Anna"), 60, 0});
    const int eva = add({QStringLiteral("Maier Eva"), 61, 0});
    const int max = add({QStringLiteral("Maier Max"), 62, 1});
    const int kim = add({QStringLiteral("Moser Kim"), 63, 2});
    Form8 &f = open();
    ASSERT_EQ(f.List2.ListCount(), 4);

    const QString cls = blanks(8) + QStringLiteral("Klasse: Schüler I");
    struct Case {
        int title;
        int printed;                    // slot
        double anna, eva, max, kim;     // run times
        QString tail;                   // after the time
    } cases[] = {
        // The champion titles take their wording from the sex.
        {3, anna, 65.32, 70, 66, 67, QStringLiteral("   Ortsmeisterin") + cls},
        {3, max, 65.32, 70, 66, 67, QStringLiteral("   Ortsmeister") + cls},
        {4, anna, 65.32, 70, 66, 67, QStringLiteral("   Vereinsmeisterin") + cls},
        {4, max, 65.32, 70, 66, 67, QStringLiteral("   Vereinsmeister") + cls},
        // Either best time counts, whatever the sex: Eva has the men's.
        {3, eva, 65.32, 66, 66, 67, QStringLiteral("   Ortsmeisterin") + cls},
        // No word for a sex not set, and none for title 0: the blanks stay.
        {3, kim, 65.32, 70, 67, 67, QStringLiteral("   ") + cls},
        {0, anna, 65.32, 70, 66, 67, QStringLiteral("   ") + cls},
        {1, kim, 67, 70, 68, 67, QStringLiteral("   Bestzeit") + cls},
        {2, kim, 67, 70, 68, 67, QStringLiteral("   Tagesbestzeit") + cls},
        // No best time: no title, no blanks.
        {2, anna, 65.32, 65, 66, 67, cls},
        // The comparison is exact.
        {2, anna, 65.32 + 1e-9, 65.32, 66, 67, cls},
    };
    for (const Case &c : cases) {
        Rec.BestTimeTitle = c.title;
        Race.SlotTime1[anna] = c.anna;
        Race.SlotTime1[eva] = c.eva;
        Race.SlotTime1[max] = c.max;
        Race.SlotTime1[kim] = c.kim;
        printLines(f, {lineOfSlot(f, c.printed)});
        const QString line = resultLine();
        ASSERT_TRUE(line.startsWith(QStringLiteral("Zeit: "))) << line.toStdString();
        const QString time = line.mid(6, line.indexOf(u',') + 3 - 6);
        EXPECT_EQ(line.mid(6 + time.size()), c.tail)
            << "title " << c.title << ", slot " << c.printed << ": " << line.toStdString();
    }

    // A total of 0 never gets a title, also when it is the best time: a
    // guest handicap that takes the whole time away.
    Rec.BestTimeTitle = 1;
    Race.SlotTime1[anna] = 65.32;
    Race.SlotGuest[anna] = 1;
    Rec.GuestTimeHandicap = -65.32;
    printLines(f, {lineOfSlot(f, anna)});
    EXPECT_EQ(textAt(205), QStringLiteral("1. Rang"));
    EXPECT_EQ(resultLine(), QStringLiteral("Zeit: ,00") + cls);
}

TEST_F(CertificatesTest, ResultLine_RealRankingGivesTheBestTimeTitle)
{
    // The best times come from the ranking the window ran: equal to the
    // winner's total to the last bit.
    add({QStringLiteral("Huber Anna"), 30.01 + 35.31, 0});
    add({QStringLiteral("Maier Eva"), 70, 0});
    Rec.BestTimeTitle = 3;
    Form8 &f = open();
    printLines(f, {0, 1});
    ASSERT_EQ(jobsPrinted(), 2);
    EXPECT_EQ(resultLine(1), QStringLiteral("Zeit: 1:05,32   Ortsmeisterin") + blanks(8)
                                 + QStringLiteral("Klasse: Schüler I"));
    EXPECT_EQ(resultLine(2), QStringLiteral("Zeit: 1:10,00") + blanks(8)
                                 + QStringLiteral("Klasse: Schüler I"));
}

TEST_F(CertificatesTest, ResultLine_GroupsInsteadOfClasses)
{
    add({QStringLiteral("Huber Anna"), 65, 0, 1, 1});
    add({QStringLiteral("Maier Eva"), 70, 0, 1, 0});
    Rec.EvalByClass = 0;
    Form8 &f = open();
    ASSERT_EQ(f.List2.ListCount(), 2);
    printLines(f, {0, 1});
    ASSERT_EQ(jobsPrinted(), 2);
    // Each group is ranked by itself; group 0 comes first.
    ASSERT_EQ(textAt(180, 1), QStringLiteral("Maier Eva"));
    ASSERT_EQ(textAt(180, 2), QStringLiteral("Huber Anna"));
    const QString line1 = resultLine(2), line2 = resultLine(1);
    EXPECT_TRUE(line1.endsWith(blanks(8) + QStringLiteral("Gruppe: Gruppe Nord")))
        << line1.toStdString();
    // Group 0 has no name.
    EXPECT_TRUE(line2.endsWith(blanks(8) + QStringLiteral("Gruppe: "))) << line2.toStdString();
    EXPECT_FALSE(line1.contains(QStringLiteral("Klasse")));
}

TEST_F(CertificatesTest, FreeText_ReplacesRankTimeAndClass)
{
    add({QStringLiteral("Huber Anna"), 65.32});
    Form8 &f = open();
    f.Check2.setValue(1);
    f.Text1.setText(QStringLiteral("hat erfolgreich am"));
    f.Text2.setText(QString());
    f.Text3.setText(QStringLiteral("  Skikurs teilgenommen. "));
    printLines(f, {0});
    ASSERT_EQ(jobsPrinted(), 1);

    EXPECT_EQ(textAt(200), QStringLiteral("hat erfolgreich am"));
    EXPECT_EQ(textAtY(210), nullptr);    // an empty box prints nothing on its line
    EXPECT_EQ(textAt(220), QStringLiteral("  Skikurs teilgenommen. "));
    for (double y : {200.0, 220.0}) {
        const PrintOp *op = textAtY(y);
        ASSERT_NE(op, nullptr);
        EXPECT_EQ(op->fontSize, 18);
        EXPECT_FALSE(op->bold);
        EXPECT_FALSE(op->italic);
        expectCentred(op);
    }
    for (double y : {195.0, 205.0, 225.0})
        EXPECT_EQ(textAtY(y), nullptr) << y;
    for (const PrintOp &op : rec->texts()) {
        EXPECT_FALSE(op.text.contains(QStringLiteral("Rang")));
        EXPECT_FALSE(op.text.contains(QStringLiteral("Zeit")));
        EXPECT_FALSE(op.text.contains(QStringLiteral("Klasse")));
    }
    EXPECT_EQ(textAt(180), QStringLiteral("Huber Anna"));
    EXPECT_EQ(textAt(240), QStringLiteral("am: 14.02.2026"));

    // Cleared again, the result lines are back.
    f.Check2.setValue(0);
    printLines(f, {0});
    EXPECT_EQ(textAt(205), QStringLiteral("1. Rang"));
    EXPECT_EQ(textAtY(200), nullptr);
}

TEST_F(CertificatesTest, RaceName_ShortNameWhenThereIsOne)
{
    add({QStringLiteral("Huber Anna"), 65});
    Form8 &f = open();
    struct Case {
        QString shortName;
        QString printed;
    } cases[] = {
        {QString(), QStringLiteral("Vereinsmeisterschaft 2026")},
        {QStringLiteral("VM 26"), QStringLiteral("VM 26")},
        {QStringLiteral("   "), QStringLiteral("Vereinsmeisterschaft 2026")},
    };
    for (const Case &c : cases) {
        Rec.RaceShortName = c.shortName;
        printLines(f, {0});
        EXPECT_EQ(textAt(40), c.printed) << c.shortName.toStdString();
        expectCentred(textAtY(40));
    }
}

TEST_F(CertificatesTest, Pictograms_PlaceAndSizeByChoice)
{
    add({QStringLiteral("Huber Anna"), 65});
    Form8 &f = open();
    struct Case {
        int k;
        double x, y, width, height;
    } cases[] = {
        {0, 50, 105, 100, 65}, {1, 52, 98, 100, 80}, {2, 54, 105, 100, 75},
        {3, 56, 97, 90, 84},   {4, 80, 97, 40, 84},  {5, 80, 97, 34, 84},
        {6, 56, 97, 80, 84},   {7, 70, 97, 60, 84},
    };
    for (const Case &c : cases) {
        Rec.CertificatePictogram = c.k;
        printLines(f, {0});
        const auto pictures = picturesOfJob(1);
        ASSERT_EQ(pictures.size(), 1u) << c.k;   // no Logo.jpg here
        const PrintOp &p = pictures[0];
        EXPECT_EQ(p.x, c.x) << c.k;
        EXPECT_EQ(p.y, c.y) << c.k;
        EXPECT_EQ(p.width, c.width) << c.k;
        EXPECT_EQ(p.height, c.height) << c.k;
        EXPECT_EQ(p.pictureSize, Form1::PictogramPicture(c.k + 1).size()) << c.k;
        EXPECT_FALSE(p.pictureSize.isEmpty()) << c.k;
    }
    // Any other value prints none, and the rest of the page as ever.
    for (int k : {-1, 8, 300}) {
        Rec.CertificatePictogram = k;
        printLines(f, {0});
        EXPECT_TRUE(picturesOfJob(1).empty()) << k;
        EXPECT_EQ(textAt(180), QStringLiteral("Huber Anna")) << k;
        EXPECT_EQ(jobsPrinted(), 1) << k;
    }
}

TEST_F(CertificatesTest, Logo_PaintedWhenItIsAPictureElseSkipped)
{
    add({QStringLiteral("Huber Anna"), 65});
    Rec.CertificatePictogram = 9;
    Form8 &f = open();

    auto logos = [&] { return picturesOfJob(1); };

    writeJpeg(QStringLiteral("Logo.jpg"));
    printLines(f, {0});
    ASSERT_EQ(logos().size(), 1u);
    EXPECT_EQ(logos()[0].x, 150);
    EXPECT_EQ(logos()[0].y, 11);
    EXPECT_EQ(logos()[0].width, 35);
    EXPECT_EQ(logos()[0].height, 18);

    // A file that is no picture is passed over like a missing one; the
    // certificate is printed all the same.
    writeBytes(QStringLiteral("Logo.jpg"), "kein Bild");
    printLines(f, {0});
    EXPECT_TRUE(logos().empty());
    EXPECT_EQ(textAt(240), QStringLiteral("am: 14.02.2026"));
    EXPECT_EQ(rec->ofKind(PrintOp::Kind::EndDoc).size(), 1u);
}

TEST_F(CertificatesTest, SlotIsReadFromTheLineEnd)
{
    add({QStringLiteral("Huber Anna"), 70});
    add({QStringLiteral("Letzter Eintrag"), 65, 0, 1, 1, MaxSlots});
    Form8 &f = open();
    ASSERT_EQ(f.List2.ListCount(), 2);
    printLines(f, {0});
    EXPECT_EQ(textAt(180), QStringLiteral("Letzter Eintrag"));
    EXPECT_EQ(textAt(205), QStringLiteral("1. Rang"));

    // A marked line whose end names no entry slot prints no certificate;
    // the good lines around it still do.
    f.List2.AddItem(QStringLiteral("  9. Fremde Zeile ohne Platz    "));
    f.List2.AddItem(QStringLiteral("  9. Fremde Zeile         2000"));
    f.List2.AddItem(QStringLiteral("  9. Fremde Zeile          1.5"));
    printLines(f, {1, 2, 3, 4});
    ASSERT_EQ(jobsPrinted(), 1);
    EXPECT_EQ(textAt(180), QStringLiteral("Huber Anna"));
}

// The certificates carry the final rank of the whole race, whatever printout
// ranked the race last.
TEST_F(CertificatesTest, FinalRank_AfterTheSecondRunStartList)
{
    Rec.TwoRuns = 1;
    Rec.BestTimeTitle = 3;
    // Huber is second after run 1 and wins the race.
    add({QStringLiteral("Huber Anna"), 31, 0, 1, 1, 0, 30});
    add({QStringLiteral("Maier Eva"), 30, 0, 1, 1, 0, 32});
    Form8 &f = open();
    ASSERT_EQ(f.List2.ListCount(), 2);
    f.Command2.click();    // "Teilnehmerliste 2.Durchgang" ranks run 1
    ASSERT_EQ(Ranking.SlotRank[1], 2);
    printLines(f, {0, 1});
    ASSERT_EQ(jobsPrinted(), 2);
    EXPECT_EQ(textAt(180, 1), QStringLiteral("Huber Anna"));
    EXPECT_EQ(textAt(205, 1), QStringLiteral("1. Rang"));
    EXPECT_EQ(resultLine(1), QStringLiteral("Zeit: 1:01,00   Ortsmeisterin") + blanks(8)
                                 + QStringLiteral("Klasse: Schüler I"));
    EXPECT_EQ(textAt(205, 2), QStringLiteral("2. Rang"));
    EXPECT_EQ(resultLine(2), QStringLiteral("Zeit: 1:02,00") + blanks(8)
                                 + QStringLiteral("Klasse: Schüler I"));
}

TEST_F(CertificatesTest, FinalRank_AfterAClubResultList)
{
    addClub(QStringLiteral("SC Alpen"), QString());
    addClub(QStringLiteral("WSV Tal"), QString());
    add({QStringLiteral("Huber Anna"), 65, 0, 1, 1, 0, 0, 1});
    add({QStringLiteral("Maier Eva"), 70, 0, 1, 1, 0, 0, 2});
    Form8 &f = open();
    ASSERT_EQ(f.List2.ListCount(), 2);
    f.Check1.setValue(1);
    f.Combo3.setListIndex(0);
    ASSERT_EQ(printWindowClubFilter(), 1);
    f.Command3.click();    // the result list of SC Alpen alone
    ASSERT_EQ(Ranking.SlotRank[2], 0);

    printLines(f, {1});
    ASSERT_EQ(jobsPrinted(), 1);
    EXPECT_EQ(textAt(180), QStringLiteral("Maier Eva"));
    EXPECT_EQ(textAt(205), QStringLiteral("2. Rang"));
    EXPECT_EQ(resultLine(), QStringLiteral("Zeit: 1:10,00") + blanks(8)
                                + QStringLiteral("Klasse: Schüler I"));
    // The club choice stands for the next result list.
    EXPECT_EQ(Ranking.ClubFilter, 1);
    f.Command3.click();
    EXPECT_EQ(Ranking.RankedCount, 1);
}

TEST_F(CertificatesTest, EntryWithoutRank_GetsNoCertificate)
{
    add({QStringLiteral("Huber Anna"), 65});
    add({QStringLiteral("Maier Eva"), 70});
    Form8 &f = open();
    ASSERT_EQ(f.List2.ListCount(), 2);
    // Disqualified after the window listed her.
    Race.SlotStatus1[1] = 1;
    printLines(f, {0, 1});
    ASSERT_EQ(jobsPrinted(), 1);
    EXPECT_EQ(textAt(180), QStringLiteral("Maier Eva"));
    EXPECT_EQ(textAt(205), QStringLiteral("1. Rang"));
}

namespace {

// A text of wide capitals, n characters long.
QString wideText(int n)
{
    const QString capitals = QStringLiteral("WMÄ");
    QString text;
    for (int i = 0; i < n; ++i)
        text += capitals.at(i % capitals.size());
    return text;
}

} // namespace

TEST_F(CertificatesTest, WideTexts_ShrinkToStayOnTheSheetAndApart)
{
    App.OrganisationName = wideText(40);
    Rec.RaceName = wideText(50);
    Race.ClassDesignations[1] = wideText(40);
    Rec.BestTimeTitle = 4;
    add({wideText(50), 65.32, 0});
    Form8 &f = open();

    struct Case {
        const char *what;
        bool freeText;
        bool logo;
    } cases[] = {
        {"result lines, no logo", false, false},
        {"free text, with a logo", true, true},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        if (c.logo)
            writeJpeg(QStringLiteral("Logo.jpg"));
        f.Check2.setValue(c.freeText ? 1 : 0);
        f.Text1.setText(wideText(50));
        f.Text2.setText(QStringLiteral("kurz"));
        f.Text3.setText(wideText(50));
        printLines(f, {0});
        ASSERT_EQ(jobsPrinted(), 1);
        // The whole page, pictures and lines included: nothing over anything
        // else, nothing off the sheet.
        EXPECT_THAT(PageFaults(JobOps(*rec, 1)), ::testing::IsEmpty());

        // Shrunk, centred as ever; a short text keeps its size.
        const PrintOp *name = textAtY(180);
        ASSERT_NE(name, nullptr);
        EXPECT_LT(name->fontSize, 30);
        EXPECT_TRUE(name->bold && name->italic);
        for (double y : {40.0, 180.0, 240.0})
            expectCentred(textAtY(y));
        EXPECT_EQ(textAtY(240)->fontSize, 14);
        if (c.freeText) {
            EXPECT_LT(textAtY(200)->fontSize, 18);
            EXPECT_EQ(textAtY(210)->fontSize, 18);
            expectCentred(textAtY(220));
        } else {
            EXPECT_EQ(textAtY(195)->fontSize, 14);
            EXPECT_TRUE(resultLine().contains(QStringLiteral("Vereinsmeisterin")));
            EXPECT_LT(textAtY(225)->fontSize, 18);
            expectCentred(textAtY(225));
        }
        // The organisation's name ends before the logo when there is one.
        const PrintOp *organisation = textAtY(20);
        ASSERT_NE(organisation, nullptr);
        EXPECT_EQ(organisation->x, 20);
        EXPECT_LT(organisation->fontSize, 24);
        if (c.logo) {
            EXPECT_LE(organisation->x + organisation->width, 150);
        }
    }
}

namespace {

// The text of a PDF file as pdftotext reads it; null when pdftotext is not
// installed.
QString pdfText(const QString &pdf)
{
    const QString tool = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
    if (tool.isEmpty())
        return QString();
    QProcess run;
    run.start(tool, {QStringLiteral("-enc"), QStringLiteral("UTF-8"), pdf, QStringLiteral("-")});
    if (!run.waitForFinished(30000) || run.exitCode() != 0)
        return QStringLiteral("");
    return QString::fromUtf8(run.readAllStandardOutput());
}

} // namespace

TEST_F(CertificatesTest, PdfPrinter_OneFilePerCertificateNamedInListOrder)
{
    add({QStringLiteral("Maier Eva"), 70});
    add({QStringLiteral("Huber Anna"), 65.32});
    add({QStringLiteral("Gruber Lisa"), 80});
    add({QStringLiteral("Moser Lena"), 75});
    Rec.CertificatePictogram = 0;
    Form8 &f = open();
    ASSERT_EQ(f.List2.ListCount(), 4);
    ASSERT_TRUE(selectPrinter(pdfPrinterName()));
    rec = nullptr;   // gone with the recording printer
    for (int i : {0, 2, 3})
        f.List2.setSelected(i, true);
    resetBeepCount();
    f.Command5.click();

    // Done when the click returns: every file whole, none failed.
    EXPECT_EQ(beepCount(), 0);
    const QStringList files{QStringLiteral("Urkunde 2026-02-14 10-00-00.pdf"),
                            QStringLiteral("Urkunde 2026-02-14 10-00-00 (2).pdf"),
                            QStringLiteral("Urkunde 2026-02-14 10-00-00 (3).pdf")};
    QStringList written = QDir(QStringLiteral("PDF")).entryList(QDir::Files);
    written.sort();
    QStringList expected = files;
    expected.sort();
    EXPECT_EQ(written, expected);
    for (const QString &name : files)
        EXPECT_TRUE(readBytes(QStringLiteral("PDF/") + name).trimmed().endsWith("%%EOF"));

    // Ranking order: Huber, Maier, Moser, Gruber; the second is unmarked.
    const QString names[] = {QStringLiteral("Huber Anna"), QStringLiteral("Moser Lena"),
                             QStringLiteral("Gruber Lisa")};
    if (pdfText(QStringLiteral("PDF/") + files.first()).isNull())
        GTEST_SKIP() << "pdftotext is not installed";
    for (int n = 0; n < 3; ++n) {
        const QString text = pdfText(QStringLiteral("PDF/") + files[n]);
        EXPECT_TRUE(text.contains(names[n])) << n << text.toStdString();
        for (int other = 0; other < 3; ++other) {
            if (other != n) {
                EXPECT_FALSE(text.contains(names[other])) << n;
            }
        }
    }
}
