// The shared print helpers and the head of a list page, on the recording
// printer.
#include <QBuffer>
#include <QImage>
#include <QImageWriter>
#include <gtest/gtest.h>

#include "TestSupport.h"
#include "core/SharedState.h"
#include "lists/PrintHelpers.h"
#include "platform/Clock.h"
#include "platform/Printer.h"
#include "platform/RecordingPrinter.h"

namespace {

class PrintHelpersTest : public DataDirTest {
protected:
    void SetUp() override
    {
        DataDirTest::SetUp();
        rec = &useRecordingPrinter();
    }
    void TearDown() override
    {
        resetPrinter();
        DataDirTest::TearDown();
    }

    std::vector<PrintOp> lines() const { return rec->ofKind(PrintOp::Kind::Line); }
    std::vector<PrintOp> pictures() const { return rec->ofKind(PrintOp::Kind::Picture); }

    RecordingPrinter *rec = nullptr;
};

} // namespace

TEST_F(PrintHelpersTest, PrintRightAlignedEndsAtTheCallersXAndKeepsIt)
{
    Printer &p = printer();
    Work.WorkText = QStringLiteral("1:05,32");
    const double w = p.TextWidth(Work.WorkText);
    p.CurrentX = 58;
    p.CurrentY = 49;
    PrintRightAligned();
    const PrintOp *op = rec->findText("1:05,32");
    ASSERT_NE(op, nullptr);
    EXPECT_NEAR(op->x, 58 - w, 1e-9);
    EXPECT_NEAR(op->x + op->width, 58, 1e-9);
    EXPECT_EQ(p.CurrentX, 58);
    EXPECT_NEAR(p.CurrentY, 49 + p.TextHeight(), 1e-9);
}

TEST_F(PrintHelpersTest, CentringHelpersOnAPage190mmWide)
{
    rec->PortraitPageSize = QSizeF(190, 277);
    struct Case {
        void (*helper)();
        double centre;
    };
    const Case cases[] = {{PrintCentred, 95}, {PrintCentredLeftHalf, 54.5},
                          {PrintCentredRightHalf, 145.5}};
    Printer &p = printer();
    p.FontSize = 14;
    Work.WorkText = QStringLiteral("Ergebnisliste Kombination");
    for (const Case &c : cases) {
        rec->clear();
        p.CurrentX = 3;
        p.CurrentY = 100;
        c.helper();
        ASSERT_EQ(rec->texts().size(), 1u);
        const PrintOp op = rec->texts()[0];
        // Half the width is taken in single precision.
        EXPECT_NEAR(op.x + op.width / 2, c.centre, 1e-5) << c.centre;
        EXPECT_EQ(op.y, 100);
        EXPECT_EQ(p.CurrentX, 0);
        EXPECT_NEAR(p.CurrentY, 100 + p.TextHeight(), 1e-9);
    }
    // A text wider than the page starts left of the page (no cutting).
    Work.WorkText = QString(200, QLatin1Char('W'));
    PrintCentred();
    EXPECT_LT(rec->findText(Work.WorkText)->x, 0);
}

TEST_F(PrintHelpersTest, PrintBoxDrawsFourEdgesInTurn)
{
    Printer &p = printer();
    p.DrawWidth = 5;
    ListPrint.BoxLeft = 20;
    ListPrint.BoxTop = 10;
    ListPrint.BoxRight = 190.5f;
    ListPrint.BoxBottom = 30;
    PrintBox();
    const auto edges = lines();
    ASSERT_EQ(edges.size(), 4u);
    struct Edge {
        double x1, y1, x2, y2;
    };
    const Edge expected[] = {{20, 10, 190.5, 10}, {190.5, 10, 190.5, 30},
                             {190.5, 30, 20, 30}, {20, 30, 20, 10}};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(edges[i].x, expected[i].x1) << i;
        EXPECT_EQ(edges[i].y, expected[i].y1) << i;
        EXPECT_EQ(edges[i].x2, expected[i].x2) << i;
        EXPECT_EQ(edges[i].y2, expected[i].y2) << i;
        EXPECT_EQ(edges[i].colour, 0) << i;
        EXPECT_EQ(edges[i].drawWidth, 5) << i;
    }
    EXPECT_EQ(p.CurrentX, 20);
    EXPECT_EQ(p.CurrentY, 10);
}

TEST_F(PrintHelpersTest, GreyBandIsASolidBoxAndLeavesTheFillSettings)
{
    Printer &p = printer();
    p.DrawWidth = 5;
    const double grey = 192 + 256.0 * 192 + 65536.0 * 192;
    GreyBand(4, 39.9 + 4.5, 200, 44.5 + 4.5, grey);
    const auto boxes = rec->ofKind(PrintOp::Kind::FilledBox);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].x, 4);
    EXPECT_EQ(boxes[0].x2, 200);
    EXPECT_NEAR(boxes[0].y, 44.4, 1e-9);
    EXPECT_NEAR(boxes[0].y2, 49, 1e-9);
    EXPECT_EQ(boxes[0].colour, grey);
    EXPECT_EQ(boxes[0].drawWidth, 1);
    EXPECT_EQ(p.FillStyle, fillstyle::UpwardDiagonal);
    EXPECT_EQ(p.FillColor, grey);
}

TEST_F(PrintHelpersTest, FitRaceNameTextGoesDownOnlyWhileStrictlyWider)
{
    Printer &p = printer();
    p.FontName = "Arial";
    p.FontBold = p.FontItalic = true;
    Work.WorkText = QStringLiteral("Vereinsmeisterschaft Schilauf Hintertux");
    p.FontSize = 24;
    const double at24 = p.TextWidth(Work.WorkText);

    FitRaceNameText(at24);   // exactly as wide as the limit
    EXPECT_EQ(p.FontSize, 24);
    FitRaceNameText(at24 - 0.1);   // 0.1 mm too wide
    EXPECT_EQ(p.FontSize, 23);

    // The largest size that fits.
    FitRaceNameText(98);
    const double fitted = p.FontSize;
    EXPECT_LE(p.TextWidth(Work.WorkText), 98);
    p.FontSize = fitted + 1;
    EXPECT_GT(p.TextWidth(Work.WorkText), 98);

    struct Case {
        QString text;
        double limit;
        double size;
    };
    const Case cases[] = {
        {QString(), 110, 24},                          // nothing to fit
        {QString(2000, QLatin1Char('W')), 110, 1},     // never fits: stops at 1 pt
        {QStringLiteral("Rennen"), 0, 1},
        {QStringLiteral("Rennen"), -5, 1},
    };
    for (const Case &c : cases) {
        Work.WorkText = c.text;
        FitRaceNameText(c.limit);
        EXPECT_EQ(p.FontSize, c.size) << c.text.size() << " " << c.limit;
    }
}

TEST_F(PrintHelpersTest, TheLogoIsPaintedWhenItsFileIsAPicture)
{
    PrintLogo(120);
    EXPECT_TRUE(pictures().empty());   // no file

    writeBytes(QStringLiteral("Logo.jpg"), "kein Bild");
    PrintLogo(120);
    EXPECT_TRUE(pictures().empty());   // a file that is no picture

    writeJpeg(QStringLiteral("Logo.jpg"), 70, 36);
    PrintLogo(120);
    ASSERT_EQ(pictures().size(), 1u);
    const PrintOp logo = pictures()[0];
    EXPECT_EQ(logo.x, 120);
    EXPECT_EQ(logo.y, 11);
    EXPECT_EQ(logo.width, 35);
    EXPECT_EQ(logo.height, 18);
    EXPECT_EQ(logo.pictureSize, QSize(70, 36));

    // A new logo is taken up at the next print.
    writeJpeg(QStringLiteral("Logo.jpg"), 140, 72);
    PrintLogo(10, 20);
    ASSERT_EQ(pictures().size(), 2u);
    EXPECT_EQ(pictures()[1].pictureSize, QSize(140, 72));
    EXPECT_EQ(pictures()[1].y, 20);
}

namespace {

class ListPageHeadTest : public PrintHelpersTest {
protected:
    void SetUp() override
    {
        PrintHelpersTest::SetUp();
        sysclock::setFixedNow(QDateTime(QDate(2025, 2, 9), QTime(9, 30)));
        Rec.RaceName = QStringLiteral("Vereinsmeisterschaft Größenwald");
        Rec.RaceShortName = QStringLiteral("VM Größenwald");
        style.Title = QStringLiteral("Ergebnisliste");
        style.RaceNameLimit = 98;
        style.ShortNameFirst = true;
        style.HeadPictures = true;
    }

    ListHeadStyle style;
};

} // namespace

TEST_F(ListPageHeadTest, TheHeadOfTheFirstAndSecondPage)
{
    Printer &p = printer();
    p.FontName = "Times";
    p.FontSize = 30;
    p.DrawWidth = 3;
    ListPageHead(style);
    EXPECT_EQ(ListPrint.PageNo, 1);

    struct Text {
        QString text;
        double x, y, size;
        bool bold, italic;
    };
    const double pageNoX = 175 + [&] {
        p.FontSize = 8;
        p.FontItalic = true;
        const double w = p.TextWidth(QStringLiteral("Seite -"));
        p.FontSize = 6;
        p.FontItalic = false;
        return w;
    }();
    const Text expected[] = {
        {QStringLiteral("VM Größenwald"), 22, 12, 24, true, true},
        {QStringLiteral("Ergebnisliste"), 22, 22, 18, false, true},
        {QStringLiteral("Seite -"), 175, 12, 8, false, true},
        {QStringLiteral(" 1 "), pageNoX, 12, 8, false, true},
        {QStringLiteral("09.02.2025"), 175, 25, 7, false, true},
    };
    const auto texts = rec->texts();
    ASSERT_EQ(texts.size(), std::size(expected));
    for (std::size_t i = 0; i < texts.size(); ++i) {
        const Text &e = expected[i];
        EXPECT_EQ(texts[i].text, e.text);
        EXPECT_NEAR(texts[i].x, e.x, 1e-9) << e.text.toStdString();
        EXPECT_EQ(texts[i].y, e.y) << e.text.toStdString();
        EXPECT_EQ(texts[i].fontName, "Arial") << e.text.toStdString();
        EXPECT_EQ(texts[i].fontSize, e.size) << e.text.toStdString();
        EXPECT_EQ(texts[i].bold, e.bold) << e.text.toStdString();
        EXPECT_EQ(texts[i].italic, e.italic) << e.text.toStdString();
    }

    // The head frame and the frame of the strip, 5 dots wide.
    const auto edges = lines();
    ASSERT_EQ(edges.size(), 8u);
    EXPECT_EQ(edges[0].x, 20);
    EXPECT_EQ(edges[0].y, 10);
    EXPECT_EQ(edges[1].x2, 190);
    EXPECT_EQ(edges[1].y2, 30);
    EXPECT_EQ(edges[4].x, 190.5);
    EXPECT_EQ(edges[5].x2, 197);
    for (const PrintOp &e : edges)
        EXPECT_EQ(e.drawWidth, 5);
    const auto pics = pictures();
    ASSERT_EQ(pics.size(), 2u);
    EXPECT_EQ(pics[0].x, 191);
    EXPECT_EQ(pics[0].y, 11);
    EXPECT_EQ(pics[0].width, 5.5);
    EXPECT_EQ(pics[0].height, 18);
    EXPECT_EQ(pics[0].pictureSize, QSize(104, 400));   // the strip
    EXPECT_EQ(pics[1].x, 4);
    EXPECT_EQ(pics[1].y, 10);
    EXPECT_EQ(pics[1].width, 15.5);
    EXPECT_EQ(pics[1].height, 20);
    EXPECT_EQ(pics[1].pictureSize, QSize(150, 200));   // the emblem

    // What the list's rows start from.
    EXPECT_EQ(p.DrawWidth, 1);
    EXPECT_EQ(p.FontSize, 6);
    EXPECT_FALSE(p.FontBold);
    EXPECT_FALSE(p.FontItalic);
    EXPECT_EQ(p.FontName, "Arial");

    // The second page: the same head with page number 2.
    p.NewPage();
    ListPageHead(style);
    EXPECT_EQ(ListPrint.PageNo, 2);
    const auto second = rec->textsOnPage(2);
    ASSERT_EQ(second.size(), texts.size());
    EXPECT_EQ(second[3].text, " 2 ");
    for (std::size_t i = 0; i < second.size(); ++i) {
        if (i != 3) {
            EXPECT_EQ(second[i].text, texts[i].text);
        }
        EXPECT_EQ(second[i].x, texts[i].x);
        EXPECT_EQ(second[i].y, texts[i].y);
    }
}

TEST_F(ListPageHeadTest, TheVariantsOfTheHead)
{
    // The start list of the second run: always the race name, 110 mm, no
    // pictures; it starts the row counter.
    ListHeadStyle plain;
    plain.Title = QStringLiteral("Startliste 2.Durchgang");
    plain.StartsRowCounter = true;
    ListPrint.RowCounter = 17;
    ListPageHead(plain);
    EXPECT_EQ(rec->texts()[0].text, Rec.RaceName);
    EXPECT_TRUE(pictures().empty());
    EXPECT_EQ(lines().size(), 4u);
    EXPECT_EQ(ListPrint.RowCounter, 1);

    // A blank short name gives way to the race name; the page number may
    // be larger; the row counter is left to the list.
    rec->clear();
    Rec.RaceShortName = QStringLiteral("   ");
    style.PageNumberSize = 9;
    ListPrint.RowCounter = 17;
    ListPageHead(style);
    EXPECT_EQ(rec->texts()[0].text, Rec.RaceName);
    EXPECT_EQ(rec->findText("Seite -")->fontSize, 9);
    EXPECT_EQ(ListPrint.RowCounter, 17);

    // Pictures the print window put in are the ones painted.
    rec->clear();
    ListPrint.HeadEmblemPicture = QImage(30, 40, QImage::Format_RGB32);
    ListPageHead(style);
    ASSERT_EQ(pictures().size(), 2u);
    EXPECT_EQ(pictures()[1].pictureSize, QSize(30, 40));
}

TEST_F(ListPageHeadTest, ARaceNameIsFittedIntoItsLimit)
{
    Rec.RaceShortName.clear();
    Rec.RaceName = QStringLiteral("Internationale Vereinsmeisterschaft im Riesentorlauf");
    ListHeadStyle plain;
    plain.Title = QStringLiteral("Nicht in der Wertung");
    ListPageHead(plain);
    const PrintOp name = rec->texts()[0];
    EXPECT_LT(name.fontSize, 24);
    EXPECT_LE(name.width, 110);
    EXPECT_GT(name.width, 110 * name.fontSize / (name.fontSize + 1) - 0.5);
}

namespace {

// The cut as it was made before: one character off the end at a time, the
// whole text measured again each time.
qsizetype oneByOneLength(QString text, double width)
{
    const Printer &p = printer();
    while (!text.isEmpty() && p.TextWidth(text) > width)
        text.chop(1);
    return text.size();
}

struct CutFont {
    double size;
    bool bold, italic;
};

} // namespace

TEST_F(PrintHelpersTest, FittingLengthIsWhatCuttingOneByOneLeaves)
{
    Printer &p = printer();
    p.FontName = QStringLiteral("Arial");
    const QString names[] = {
        QStringLiteral("HÖFLINGER-WEIßENBACH ÄNNE"),
        QStringLiteral("Skiclub Oberhinterdorf am Gletscher e.V."),
        QStringLiteral("il il il il il il il il il il il il il il il il il"),
        QStringLiteral("WMÄWWMÄMWWMÄWWMÄMWWMÄWWMÄMWWMÄWWMÄMWWMÄWWMÄMWWMÄW"),
        QStringLiteral("Maier Anna"),
        QString(),
    };
    for (const CutFont &font : {CutFont{9, false, false}, CutFont{10, true, false},
                                CutFont{11, false, true}, CutFont{24, true, true}}) {
        p.FontSize = font.size;
        p.FontBold = font.bold;
        p.FontItalic = font.italic;
        for (const QString &name : names)
            for (double width : {0.0, 0.5, 12.0, 44.0, 59.0, 400.0}) {
                SCOPED_TRACE(name.toStdString() + " " + std::to_string(font.size) + " pt, "
                             + std::to_string(width) + " mm");
                EXPECT_EQ(FittingLength(name, width), oneByOneLength(name, width));
            }
    }
}

TEST_F(PrintHelpersTest, FitToWidthMarksTheCutWithAPoint)
{
    Printer &p = printer();
    p.FontName = QStringLiteral("Arial");
    p.FontSize = 10;
    p.FontBold = false;
    p.FontItalic = false;
    const QString name = QStringLiteral("Skiclub Oberhinterdorf am Gletscher");
    const double whole = p.TextWidth(name);

    // A text that fits, also exactly, stays as it is.
    EXPECT_EQ(FitToWidth(name, whole), name);
    EXPECT_EQ(FitToWidth(name, whole + 10), name);

    struct Case {
        double width;
        const char16_t *expected;
    };
    // The longest beginning that fits with its "."; blanks before the cut go.
    const double upToBlank = p.TextWidth(QStringLiteral("Skiclub."));
    for (const Case &c : {Case{upToBlank, u"Skiclub."},
                          Case{p.TextWidth(QStringLiteral("Skiclub O.")), u"Skiclub O."},
                          Case{p.TextWidth(QStringLiteral("Skiclub O.")) - 0.01, u"Skiclub."},
                          Case{p.TextWidth(QStringLiteral("S.")), u"S."},
                          Case{p.TextWidth(QStringLiteral("S.")) - 0.01, u""},
                          Case{0, u""}}) {
        SCOPED_TRACE(c.width);
        const QString cut = FitToWidth(name, c.width);
        EXPECT_EQ(cut, QString::fromUtf16(c.expected));
        EXPECT_LE(p.TextWidth(cut), c.width + 1e-9);
    }
    // A text ending in a point is not given a second one.
    EXPECT_EQ(FitToWidth(QStringLiteral("Ski. Club"), p.TextWidth(QStringLiteral("Ski. C")) - 0.01),
              QStringLiteral("Ski."));
}

TEST_F(PrintHelpersTest, AHugeTextIsCutAsItsBeginningIs)
{
    // A file with CR-only line ends reads as one line of 48 KB.
    Printer &p = printer();
    p.FontName = QStringLiteral("Arial");
    p.FontSize = 10;
    p.FontBold = true;
    p.FontItalic = false;
    const QString start = QStringLiteral("Slalom\rRiesenslalom\rSuper-G\r 1 \r");
    QString huge;
    while (huge.size() < 48 * 1024)
        huge += start;
    for (double width : {0.0, 25.0, 97.0}) {
        SCOPED_TRACE(width);
        const QString beginning = huge.left(200);
        ASSERT_GT(p.TextWidth(beginning), width);
        EXPECT_EQ(FittingLength(huge, width), oneByOneLength(beginning, width));
        EXPECT_EQ(FitToWidth(huge, width), FitToWidth(beginning, width));
    }
    // Wider than all of it: the text stays whole.
    EXPECT_EQ(FittingLength(huge, 1e9), huge.size());
}
