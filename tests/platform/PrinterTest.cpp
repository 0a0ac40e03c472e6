#include <QFontMetricsF>
#include <cstdint>
#include <gtest/gtest.h>
#include <vector>

#include "platform/Printer.h"
#include "platform/PrinterBackends.h"
#include "platform/RecordingPrinter.h"

namespace {

class PrinterTest : public ::testing::Test {
protected:
    void SetUp() override { resetPrinter(); }
    void TearDown() override { resetPrinter(); }
};

} // namespace

TEST_F(PrinterTest, TextWidthIsInMillimetresOnThePage)
{
    Printer &p = printer();
    ASSERT_EQ(p.FontName, "Arial");
    ASSERT_EQ(p.FontSize, 10);
    // Arial digits are 0.556 em, ":" and "," 0.278 em; 10 pt is 3.528 mm.
    const double w = p.TextWidth("1:05,32");
    EXPECT_NEAR(w, 11.77, 0.3);
    EXPECT_NEAR(p.TextWidth("1:05,321:05,32"), 2 * w, 0.01 * w);
    EXPECT_EQ(p.TextWidth(""), 0);
}

TEST_F(PrinterTest, TextWidthFollowsTheCurrentFont)
{
    Printer &p = printer();
    const double regular = p.TextWidth("MAIER Hans");
    p.FontSize = 20;
    EXPECT_NEAR(p.TextWidth("MAIER Hans"), 2 * regular, 0.01 * regular);
    p.FontSize = 10;
    p.FontBold = true;
    EXPECT_GT(p.TextWidth("MAIER Hans"), regular);
    p.FontBold = false;
    p.FontName = "Times";
    EXPECT_LT(p.TextWidth("MAIER Hans"), regular);
}

namespace {

// The drawing states a list switches between, each differing from the first
// in one property.
struct FontState {
    const char *name;
    double size;
    bool bold, italic;
};
constexpr FontState ListFonts[] = {
    {"Arial", 10, false, false}, {"Arial", 9, false, false}, {"Arial", 10.5, false, false},
    {"Arial", 10, true, false},  {"Arial", 10, false, true}, {"Times", 10, false, false},
};

void useFont(Printer &p, const FontState &f)
{
    p.FontName = QString::fromLatin1(f.name);
    p.FontSize = f.size;
    p.FontBold = f.bold;
    p.FontItalic = f.italic;
}

} // namespace

TEST_F(PrinterTest, RememberedWidthsBelongToTheFontTheyWereMeasuredIn)
{
    // The same texts measured in turn in fonts that differ in one property,
    // twice over: each width is that of its own font, never one remembered
    // from the font measured before.
    useRecordingPrinter();
    Printer &p = printer();
    const QString texts[] = {QStringLiteral("MAIER Hans"), QStringLiteral("       1:05,32"),
                             QStringLiteral("SC Berg")};
    for (int round = 0; round < 2; ++round) {
        for (const FontState &f : ListFonts) {
            useFont(p, f);
            const QFontMetricsF fresh(p.currentFont(), printerStandInDevice());
            const double dotsPerMm = printerStandInDevice()->logicalDpiX() / 25.4;
            for (const QString &text : texts) {
                SCOPED_TRACE(testing::Message() << round << ' ' << f.name << ' ' << f.size << ' '
                                                << f.bold << f.italic << ' ' << text.toStdString());
                EXPECT_DOUBLE_EQ(p.TextWidth(text), fresh.horizontalAdvance(text) / dotsPerMm);
            }
        }
    }
}

TEST_F(PrinterTest, ManyTextsInOneFontKeepTheirOwnWidths)
{
    // More texts than the printer keeps widths of: each one measured, then
    // all again, comes out as measured fresh, however the texts it keeps
    // were laid out or forgotten in between.
    useRecordingPrinter();
    Printer &p = printer();
    const QFontMetricsF fresh(p.currentFont(), printerStandInDevice());
    const double dotsPerMm = printerStandInDevice()->logicalDpiX() / 25.4;
    std::vector<QString> texts;
    for (int i = 0; i < 20000; ++i)
        texts.push_back(QStringLiteral("W").repeated(i % 7) + QString::number(i)
                        + QStringLiteral("i").repeated(i % 5));
    for (int round = 0; round < 2; ++round) {
        int wrong = 0;
        for (const QString &text : texts)
            if (p.TextWidth(text) != fresh.horizontalAdvance(text) / dotsPerMm)
                ++wrong;
        EXPECT_EQ(wrong, 0) << round;
    }
}

TEST_F(PrinterTest, MeasureKeyTellsFontsAndDevicesApart)
{
    useRecordingPrinter();
    Printer &p = printer();
    std::vector<std::uint64_t> keys;
    for (const FontState &f : ListFonts) {
        useFont(p, f);
        keys.push_back(p.measureKey());
    }
    for (std::size_t i = 0; i < keys.size(); ++i)
        for (std::size_t j = i + 1; j < keys.size(); ++j)
            EXPECT_NE(keys[i], keys[j]) << i << ' ' << j;
    // Back in a font used before: the same key, so what was measured holds.
    for (std::size_t i = 0; i < keys.size(); ++i) {
        useFont(p, ListFonts[i]);
        EXPECT_EQ(p.measureKey(), keys[i]) << i;
    }
    // Another device measures anew, even in the same font.
    useFont(p, ListFonts[0]);
    useRecordingPrinter();
    EXPECT_NE(p.measureKey(), keys[0]);
    useFont(p, ListFonts[0]);
    selectPrinter(pdfPrinterName());
    EXPECT_NE(p.measureKey(), keys[0]);
}

TEST_F(PrinterTest, ResetPrinterRestoresTheDefaults)
{
    Printer &p = printer();
    p.FontName = "Times";
    p.FontSize = 14;
    p.FontBold = p.FontItalic = true;
    p.CurrentX = 20;
    p.CurrentY = 30;
    p.DrawWidth = 5;
    p.FillStyle = fillstyle::UpwardDiagonal;
    p.FillColor = 12632256;
    p.Orientation = 2;
    useRecordingPrinter();
    resetPrinter();
    const Printer &q = printer();
    EXPECT_NE(q.DeviceName(), "Aufzeichnung");
    EXPECT_EQ(q.DrawWidth, 1);
    EXPECT_EQ(q.FillStyle, fillstyle::Transparent);
    EXPECT_EQ(q.FillColor, 0);
    EXPECT_EQ(q.Orientation, 1);
    EXPECT_EQ(q.FontName, "Arial");
    EXPECT_EQ(q.FontSize, 10);
    EXPECT_FALSE(q.FontBold);
    EXPECT_FALSE(q.FontItalic);
    EXPECT_EQ(q.CurrentX, 0);
    EXPECT_EQ(q.CurrentY, 0);
}

// --- the page model, on the recording printer --------------------------------

namespace {

class PageModelTest : public PrinterTest {
protected:
    void SetUp() override
    {
        PrinterTest::SetUp();
        rec = &useRecordingPrinter();
    }
    RecordingPrinter *rec = nullptr;
};

} // namespace

TEST_F(PageModelTest, PrintSeparatorsAndTheMoveToTheNextLine)
{
    Printer &p = printer();
    p.CurrentX = 20;
    p.CurrentY = 40;
    const double w = p.TextWidth("Seite -");
    const double lineHeight = p.TextHeight();
    // Arial's cell is ascent + descent = 1.117 em; 10 pt = 3.528 mm.
    EXPECT_NEAR(lineHeight, 1.117 * 3.528, 0.05);

    p.Print("Seite -", PrintEnd::StayOnLine);
    EXPECT_NEAR(p.CurrentX, 20 + w, 1e-9);
    EXPECT_EQ(p.CurrentY, 40);
    p.Print(2);   // a number with its blanks, then the next line
    EXPECT_EQ(p.CurrentX, 0);
    EXPECT_NEAR(p.CurrentY, 40 + lineHeight, 1e-9);

    ASSERT_EQ(rec->texts().size(), 2u);
    EXPECT_EQ(rec->texts()[1].text, " 2 ");
    EXPECT_NEAR(rec->texts()[1].x, 20 + w, 1e-9);
    EXPECT_EQ(rec->texts()[1].y, 40);

    // The other number forms: minus sign in front, single precision text.
    p.Print(-3.5, PrintEnd::StayOnLine);
    p.Print(0.1f, PrintEnd::StayOnLine);
    EXPECT_EQ(rec->texts()[2].text, "-3,5 ");
    EXPECT_EQ(rec->texts()[3].text, " 0,1 ");

    // An empty Print only moves down.
    const double y = p.CurrentY;
    p.Print();
    EXPECT_NEAR(p.CurrentY, y + lineHeight, 1e-9);
    EXPECT_EQ(rec->texts().size(), 4u);
}

TEST_F(PageModelTest, CommaGoesToTheNextPrintZone)
{
    Printer &p = printer();
    // Zones of 14 average character widths of Arial as designed (904/2048
    // em; 10 pt is 3.528 mm), counted from x 0.
    const double zone = 14 * 904.0 / 2048 * 10 * 25.4 / 72;
    p.CurrentY = 50;
    p.Print({"a", "b", "c"});
    const auto t = rec->texts();
    ASSERT_EQ(t.size(), 3u);
    EXPECT_NEAR(t[0].x, 0, 1e-9);
    EXPECT_NEAR(t[1].x, zone, 1e-6);
    EXPECT_NEAR(t[2].x, 2 * zone, 1e-6);

    // From the middle of a zone, and from right on a zone's start.
    p.CurrentX = 1.5 * zone;
    p.Print("", PrintEnd::NextZone);
    EXPECT_NEAR(p.CurrentX, 2 * zone, 1e-6);
    p.Print("", PrintEnd::NextZone);
    EXPECT_NEAR(p.CurrentX, 3 * zone, 1e-6);
}

TEST_F(PageModelTest, PrintZonesAreCountedInTheNamedFacesDesignedAverageWidth)
{
    // The stand-in faces have the named faces' glyph widths but other
    // averages; the zone is the named face's. A face whose figure is not
    // known counts in its stand-in's average.
    Printer &p = printer();
    struct Case {
        const char *face;
        double size;
        bool bold;
        double zoneMm;   // 0: the stand-in's own average
    };
    const double mmPerPoint = 25.4 / 72;
    const Case cases[] = {
        {"Arial", 8, false, 14 * 904.0 / 2048 * 8 * mmPerPoint},   // 17.4 mm
        {"Arial", 8, true, 14 * 904.0 / 2048 * 8 * mmPerPoint},
        {"Times", 12, false, 14 * 821.0 / 2048 * 12 * mmPerPoint},
        {"Courier New", 10, false, 14 * 1229.0 / 2048 * 10 * mmPerPoint},
        {"Monospac821 BT", 10, false, 14 * 0.6 * 10 * mmPerPoint},
        {"Fraktur BT", 20, false, 0},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.face);
        p.FontName = QString::fromLatin1(c.face);
        p.FontSize = c.size;
        p.FontBold = c.bold;
        const double zone = c.zoneMm > 0
            ? c.zoneMm
            : 14 * QFontMetricsF(p.currentFont(), printerStandInDevice()).averageCharWidth()
                * 25.4 / Printer::Dpi;
        p.CurrentX = 0.2;
        p.Print("", PrintEnd::NextZone);
        EXPECT_NEAR(p.CurrentX, zone, 1e-6);
    }
    EXPECT_NEAR(14 * 904.0 / 2048 * 8 * mmPerPoint, 17.4, 0.05);
}

TEST_F(PageModelTest, TextKeepsTheFontItWasPrintedIn)
{
    Printer &p = printer();
    p.FontName = "Times";
    p.FontSize = 6.5;
    p.FontBold = true;
    p.FontItalic = true;
    const double small = p.TextWidth("Vereinsmeisterin");
    p.Print("Vereinsmeisterin");
    p.FontSize = 13;
    EXPECT_NEAR(p.TextWidth("Vereinsmeisterin"), 2 * small, 0.02 * small);

    const PrintOp *op = rec->findText("Vereinsmeisterin");
    ASSERT_NE(op, nullptr);
    EXPECT_EQ(op->fontName, "Times");
    EXPECT_EQ(op->fontSize, 6.5);
    EXPECT_TRUE(op->bold);
    EXPECT_TRUE(op->italic);
    EXPECT_NEAR(op->width, small, 1e-9);
}

TEST_F(PageModelTest, LinesLeaveThePositionAtTheirEnd)
{
    Printer &p = printer();
    p.DrawWidth = 5;
    p.Line(20, 10, 190, 10);
    EXPECT_EQ(p.CurrentX, 190);
    EXPECT_EQ(p.CurrentY, 10);
    p.FillStyle = fillstyle::UpwardDiagonal;
    p.FillColor = 16777215;
    p.Line(4, 39.9, 200, 44.5, 12632256, LineShape::FilledBox);
    p.Line(10, 60, 30, 70, 0, LineShape::Box);
    EXPECT_EQ(p.CurrentX, 30);
    EXPECT_EQ(p.CurrentY, 70);

    ASSERT_EQ(rec->ops.size(), 3u);
    const PrintOp &rule = rec->ops[0];
    EXPECT_EQ(rule.kind, PrintOp::Kind::Line);
    EXPECT_EQ(rule.drawWidth, 5);
    EXPECT_EQ(rule.x2, 190);
    const PrintOp &band = rec->ops[1];
    EXPECT_EQ(band.kind, PrintOp::Kind::FilledBox);
    EXPECT_EQ(band.colour, 12632256);
    EXPECT_EQ(band.y2, 44.5);
    const PrintOp &box = rec->ops[2];
    EXPECT_EQ(box.kind, PrintOp::Kind::Box);
    EXPECT_EQ(box.fillStyle, fillstyle::UpwardDiagonal);
    EXPECT_EQ(box.fillColour, 16777215);
}

TEST_F(PageModelTest, PagesAndJobs)
{
    Printer &p = printer();
    EXPECT_FALSE(p.jobRunning());
    EXPECT_TRUE(p.EndDoc());   // no job: nothing happens
    EXPECT_EQ(rec->jobCount(), 0);

    p.FontSize = 12;
    p.DrawWidth = 3;
    p.CurrentX = 20;
    p.CurrentY = 40;
    p.Print("eins");
    EXPECT_EQ(p.Page(), 1);
    p.NewPage();
    EXPECT_EQ(p.Page(), 2);
    // The position starts at the top of the page; the rest is kept.
    EXPECT_EQ(p.CurrentX, 0);
    EXPECT_EQ(p.CurrentY, 0);
    EXPECT_EQ(p.FontSize, 12);
    EXPECT_EQ(p.DrawWidth, 3);
    p.Print("zwei");
    EXPECT_TRUE(p.EndDoc());
    EXPECT_FALSE(p.jobRunning());

    p.Print("drei");
    p.EndDoc();

    EXPECT_EQ(rec->jobCount(), 2);
    EXPECT_EQ(rec->pageCount(1), 2);
    EXPECT_EQ(rec->pageCount(2), 1);
    EXPECT_EQ(rec->findText("eins")->page, 1);
    EXPECT_EQ(rec->findText("zwei")->page, 2);
    EXPECT_EQ(rec->findText("drei")->job, 2);
    EXPECT_EQ(rec->findText("drei")->page, 1);
    EXPECT_EQ(rec->ofKind(PrintOp::Kind::EndDoc).size(), 2u);
}

TEST_F(PageModelTest, OrientationTurnsTheNextPage)
{
    Printer &p = printer();
    EXPECT_EQ(p.ScaleWidth(), 210);
    EXPECT_EQ(p.ScaleHeight(), 297);
    p.Orientation = 2;
    EXPECT_EQ(p.ScaleWidth(), 297);
    p.Print("quer");
    p.Orientation = 1;
    // The running page stays landscape until the next one begins.
    EXPECT_EQ(p.ScaleWidth(), 297);
    p.NewPage();
    EXPECT_EQ(p.ScaleWidth(), 210);
    p.Print("hoch");
    p.EndDoc();
    EXPECT_EQ(rec->findText("quer")->orientation, 2);
    EXPECT_EQ(rec->findText("hoch")->orientation, 1);
}

TEST_F(PageModelTest, PicturesAreDrawnStretchedAndNullOnesSkipped)
{
    Printer &p = printer();
    QImage picture(150, 200, QImage::Format_RGB32);
    picture.fill(Qt::red);
    p.PaintPicture(picture, 4, 10, 15.5, 20);
    p.PaintPicture(QImage(), 120, 11, 35, 18);
    p.EndDoc();
    const auto pictures = rec->ofKind(PrintOp::Kind::Picture);
    ASSERT_EQ(pictures.size(), 1u);
    EXPECT_EQ(pictures[0].x, 4);
    EXPECT_EQ(pictures[0].width, 15.5);
    EXPECT_EQ(pictures[0].height, 20);
    EXPECT_EQ(pictures[0].pictureSize, QSize(150, 200));
}

TEST_F(PageModelTest, ChangingThePrinterEndsTheRunningJobAndKeepsTheDrawingState)
{
    Printer &p = printer();
    p.FontName = "Times";
    p.Print("angefangen");
    RecordingPrinter &second = useRecordingPrinter();
    EXPECT_FALSE(p.jobRunning());
    EXPECT_EQ(p.FontName, "Times");
    p.Print("weiter");
    EXPECT_EQ(second.jobCount(), 1);
    EXPECT_EQ(second.findText("weiter")->fontName, "Times");
}

TEST_F(PrinterTest, ThePdfPrinterIsAlwaysInTheListAndCanBeChosen)
{
    const QStringList names = printerNames();
    ASSERT_FALSE(names.isEmpty());
    EXPECT_EQ(names.last(), pdfPrinterName());
    EXPECT_EQ(names.count(pdfPrinterName()), 1);

    useRecordingPrinter();
    printer().FontSize = 14;
    // A choice outside the list changes nothing.
    EXPECT_FALSE(selectPrinter("kein solcher Drucker"));
    EXPECT_FALSE(selectPrinter(""));
    EXPECT_EQ(printer().DeviceName(), "Aufzeichnung");

    EXPECT_TRUE(selectPrinter(pdfPrinterName()));
    EXPECT_EQ(printer().DeviceName(), pdfPrinterName());
    EXPECT_EQ(printer().FontSize, 14);
}

TEST_F(PageModelTest, AJobTitleNamesTheNextJobOnly)
{
    Printer &p = printer();
    p.setJobTitle(QStringLiteral("Teilnehmerliste"), QStringLiteral(" Vereinsmeisterschaft "));
    p.Print("eins");
    p.setJobTitle(QStringLiteral("zu spät"));   // the job has begun
    p.NewPage();
    p.EndDoc();
    p.Print("zwei");
    p.EndDoc();
    ASSERT_EQ(rec->jobTitles.size(), 2u);
    EXPECT_EQ(rec->jobTitles[0].text(), QStringLiteral("Teilnehmerliste - Vereinsmeisterschaft"));
    EXPECT_EQ(rec->jobTitles[1].text(), QStringLiteral("Druck"));
}
