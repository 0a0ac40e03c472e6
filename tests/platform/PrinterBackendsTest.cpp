// The PDF printer: one new file per job in PDF/ of the data directory, and
// pages that come out where the page model puts things (checked on the
// rendered page when pdftoppm is installed).
#include <QCollator>
#include <QDir>
#include <QFileInfo>
#include <QFile>
#include <QFontMetricsF>
#include <QImage>
#include <QProcess>
#include <QRawFont>
#include <QStandardPaths>
#include <QThread>
#include <algorithm>
#include <functional>
#include <gtest/gtest.h>

#include "PageCheck.h"
#include "TestSupport.h"
#include "platform/Beep.h"
#include "platform/Clock.h"
#include "platform/Printer.h"
#include "platform/PrinterBackends.h"

namespace {

class PdfPrinterTest : public DataDirTest {
protected:
    void SetUp() override
    {
        DataDirTest::SetUp();
        sysclock::setFixedNow(QDateTime(QDate(2025, 3, 1), QTime(14, 15, 2)));
        ASSERT_TRUE(selectPrinter(pdfPrinterName()));
    }
    void TearDown() override
    {
        resetPrinter();
        DataDirTest::TearDown();
    }

    static QStringList pdfFiles()
    {
        return QDir(QStringLiteral("PDF")).entryList({QStringLiteral("*.pdf")}, QDir::Files,
                                                      QDir::Name);
    }
};

constexpr int RenderDpi = 200;
double mmFromPixels(double px) { return px * 25.4 / RenderDpi; }

// The bounding box, in mm, of the pixels within the area (mm) that match.
QRectF matchingBox(const QImage &page, const QRectF &areaMm,
                   const std::function<bool(QRgb)> &matches)
{
    return MatchingPixelBox(page, RenderDpi, areaMm, matches);
}

bool dark(QRgb c) { return qGray(c) < 128; }
bool notWhite(QRgb c) { return qRed(c) < 250 || qGreen(c) < 250 || qBlue(c) < 250; }
bool red(QRgb c) { return qRed(c) > 200 && qGreen(c) < 60 && qBlue(c) < 60; }

} // namespace

namespace {

// The Title entry of a PDF file as pdfinfo reads it; null when pdfinfo is
// not installed.
QString pdfTitle(const QString &pdf)
{
    const QString tool = QStandardPaths::findExecutable(QStringLiteral("pdfinfo"));
    if (tool.isEmpty())
        return QString();
    QProcess run;
    run.start(tool, {QStringLiteral("-enc"), QStringLiteral("UTF-8"), pdf});
    if (!run.waitForFinished(30000))
        return QString();
    for (const QString &line : QString::fromUtf8(run.readAllStandardOutput()).split(u'\n'))
        if (line.startsWith(QStringLiteral("Title:")))
            return line.mid(6).trimmed();
    return QStringLiteral("");
}

// File names as a file manager lists them: by the name before the
// extension, numbers by their value.
QStringList sortedAsListed(QStringList names)
{
    QCollator collator(QLocale(QLocale::German, QLocale::Germany));
    collator.setNumericMode(true);
    std::stable_sort(names.begin(), names.end(), [&](const QString &a, const QString &b) {
        return collator.compare(QFileInfo(a).completeBaseName(), QFileInfo(b).completeBaseName())
            < 0;
    });
    return names;
}

} // namespace

TEST_F(PdfPrinterTest, EachJobIsANewFileNamedAfterThePrintoutAndNoEarlierFileIsOverwritten)
{
    // A file of the user's that happens to have the first name.
    ASSERT_TRUE(QDir().mkpath(QStringLiteral("PDF")));
    writeBytes(QStringLiteral("PDF/Ergebnisliste 2025-03-01 14-15-02.pdf"), "mine");

    Printer &p = printer();
    p.setJobTitle(QStringLiteral("Ergebnisliste"), QStringLiteral("Bezirkscup"));
    EXPECT_TRUE(p.EndDoc());   // nothing printed: no file
    EXPECT_EQ(pdfFiles().size(), 1);

    // Eleven jobs in the same second, a two-page one among them.
    for (int job = 1; job <= 11; ++job) {
        p.setJobTitle(QStringLiteral("Ergebnisliste"), QStringLiteral("  Bezirkscup Talstation "));
        p.Print(QStringLiteral("Job %1").arg(job));
        if (job == 2) {
            p.NewPage();
            p.Print("Seite 2");
        }
        EXPECT_TRUE(p.EndDoc());
    }
    // A job no routine named, one whose name holds a folder separator, and
    // the title held for one job only.
    p.setJobTitle(QStringLiteral("Ergebnisliste SC Berg/Tal"));
    p.Print("Verein");
    EXPECT_TRUE(p.EndDoc());
    p.Print("ohne Namen");
    EXPECT_TRUE(p.EndDoc());

    QStringList expected{QStringLiteral("Ergebnisliste 2025-03-01 14-15-02.pdf")};
    for (int n = 2; n <= 12; ++n)
        expected << QStringLiteral("Ergebnisliste 2025-03-01 14-15-02 (%1).pdf").arg(n);
    expected << QStringLiteral("Ergebnisliste SC Berg-Tal 2025-03-01 14-15-02.pdf")
             << QStringLiteral("Druck 2025-03-01 14-15-02.pdf");
    QStringList got = pdfFiles();
    EXPECT_EQ(sortedAsListed(got), sortedAsListed(expected));
    // Listed by name, the files of one printout stand in the order printed.
    QStringList results;
    for (const QString &name : sortedAsListed(got))
        if (name.startsWith(QStringLiteral("Ergebnisliste 2025")))
            results << name;
    EXPECT_EQ(results, expected.mid(0, 12));

    EXPECT_EQ(readBytes(QStringLiteral("PDF/Ergebnisliste 2025-03-01 14-15-02.pdf")), "mine");
    for (const QString &name : expected.mid(1)) {
        const QByteArray pdf = readBytes(QStringLiteral("PDF/") + name);
        EXPECT_TRUE(pdf.startsWith("%PDF-")) << name.toStdString();
        EXPECT_TRUE(pdf.trimmed().endsWith("%%EOF")) << name.toStdString();
    }
    const auto *backend = dynamic_cast<const PdfPrinterBackend *>(&p.backend());
    ASSERT_NE(backend, nullptr);
    EXPECT_TRUE(backend->lastFile().endsWith("Druck 2025-03-01 14-15-02.pdf"));

    const QString title = pdfTitle(QStringLiteral("PDF/Ergebnisliste 2025-03-01 14-15-02 (3).pdf"));
    if (title.isNull())
        GTEST_SKIP() << "pdfinfo is not installed";
    EXPECT_EQ(title, QStringLiteral("Ergebnisliste - Bezirkscup Talstation"));
    EXPECT_EQ(pdfTitle(QStringLiteral("PDF/Ergebnisliste SC Berg-Tal 2025-03-01 14-15-02.pdf")),
              QStringLiteral("Ergebnisliste SC Berg/Tal"));
    EXPECT_EQ(pdfTitle(QStringLiteral("PDF/Druck 2025-03-01 14-15-02.pdf")),
              QStringLiteral("Druck"));
}

TEST_F(PdfPrinterTest, AJobThatCannotBeWrittenIsReportedByEndDoc)
{
    // A file where the folder should be.
    writeBytes(QStringLiteral("PDF"), "kein Ordner");
    Printer &p = printer();
    p.Print("Ergebnisliste");
    p.Line(20, 10, 190, 10);
    p.NewPage();
    EXPECT_EQ(p.Page(), 2);
    resetBeepCount();
    EXPECT_FALSE(p.EndDoc());
    EXPECT_EQ(beepCount(), 1);
    EXPECT_FALSE(p.jobRunning());
    EXPECT_EQ(readBytes(QStringLiteral("PDF")), "kein Ordner");
}

TEST_F(PdfPrinterTest, ThePageShowsTextBoxesAndPicturesWhereThePageModelPutsThem)
{
    Printer &p = printer();
    // Text: the top-left corner of the character cell at (30, 50).
    p.FontName = "Arial";
    p.FontSize = 24;
    p.CurrentX = 30;
    p.CurrentY = 50;
    p.Print("H");
    const QFontMetricsF m(p.currentFont(), p.backend().metricsDevice());
    const double dotsPerMm = Printer::Dpi / 25.4;
    const double capTop = 50 + (m.ascent() - m.capHeight()) / dotsPerMm;
    const double stemLeft = 30 + m.leftBearing(QLatin1Char('H')) / dotsPerMm;

    // A solid box, a picture and a text under an outline box drawn after a
    // band's fill settings.
    p.Line(100, 100, 150, 120, 0, LineShape::FilledBox);
    QImage picture(40, 20, QImage::Format_RGB32);
    picture.fill(QColor(255, 0, 0));
    p.PaintPicture(picture, 150, 200, 20, 10);
    p.FontSize = 12;
    p.CurrentX = 30;
    p.CurrentY = 80;
    p.Print("Übung");
    p.FillStyle = fillstyle::UpwardDiagonal;
    p.FillColor = 12632256;
    p.DrawWidth = 5;
    p.Line(28, 78, 90, 88, 0, LineShape::Box);

    // Page 2 landscape.
    p.Orientation = 2;
    p.NewPage();
    p.Print("quer");
    p.Orientation = 1;
    ASSERT_TRUE(p.EndDoc());

    ASSERT_EQ(pdfFiles().size(), 1);
    const auto pages = RenderPdfPages(QStringLiteral("PDF/") + pdfFiles().first(), path(QStringLiteral("page")), RenderDpi);
    if (pages.empty())
        GTEST_SKIP() << "pdftoppm is not installed";
    ASSERT_EQ(pages.size(), 2u);
    const QImage &page = pages[0];
    EXPECT_NEAR(mmFromPixels(page.width()), 210, 0.3);
    EXPECT_NEAR(mmFromPixels(page.height()), 297, 0.3);
    EXPECT_GT(pages[1].width(), pages[1].height());

    const double px = mmFromPixels(1);
    const QRectF h = matchingBox(page, QRectF(20, 40, 30, 20), dark);
    EXPECT_NEAR(h.left(), stemLeft, 2 * px);
    EXPECT_NEAR(h.top(), capTop, 2 * px);

    const QRectF box = matchingBox(page, QRectF(95, 95, 60, 30), dark);
    EXPECT_NEAR(box.left(), 100, 2 * px);
    EXPECT_NEAR(box.top(), 100, 2 * px);
    EXPECT_NEAR(box.right(), 150, 2 * px);
    EXPECT_NEAR(box.bottom(), 120, 2 * px);

    const QRectF pic = matchingBox(page, QRectF(140, 190, 40, 30), red);
    EXPECT_NEAR(pic.left(), 150, 2 * px);
    EXPECT_NEAR(pic.top(), 200, 2 * px);
    EXPECT_NEAR(pic.width(), 20, 2 * px);
    EXPECT_NEAR(pic.height(), 10, 2 * px);

    // Inside the outline box the text shows and the rest stays white.
    EXPECT_FALSE(matchingBox(page, QRectF(30, 80, 20, 6), dark).isEmpty());
    EXPECT_TRUE(matchingBox(page, QRectF(60, 79, 28, 8), notWhite).isEmpty());
    EXPECT_FALSE(matchingBox(page, QRectF(27, 77, 2, 12), dark).isEmpty());   // its left edge
}

namespace {

// A run of jobs as a list prints them: several fonts, rules, boxes, a
// picture, a second page in landscape; each job's texts are its own.
void printRunOfJobs(int jobs)
{
    Printer &p = printer();
    QImage picture(60, 30, QImage::Format_RGB32);
    picture.fill(QColor(0, 80, 160));
    for (int job = 1; job <= jobs; ++job) {
        p.setJobTitle(QStringLiteral("Urkunde"), QStringLiteral("Lauf %1").arg(job));
        p.FontName = job % 2 ? QStringLiteral("Times") : QStringLiteral("Arial");
        p.FontSize = 10 + job % 7;
        p.FontBold = job % 3 == 0;
        p.FontItalic = job % 4 == 0;
        p.CurrentX = 20;
        p.CurrentY = 20;
        p.Print({QStringLiteral("Läufer %1").arg(job), job, QStringLiteral("Zeit")});
        p.DrawWidth = 1 + job % 5;
        p.Line(20, 30, 185, 30, 255 * (job % 2));
        p.Line(30, 40, 80, 60, 0, LineShape::Box);
        p.Line(90, 40, 120, 60, 12632256, LineShape::FilledBox);
        p.PaintPicture(picture, 130, 40, 30, 15);
        if (job % 5 == 0) {
            p.Orientation = 2;
            p.NewPage();
            p.FontName = QStringLiteral("Arial");
            p.Print(QStringLiteral("quer, Seite 2"));
            p.Orientation = 1;
        }
        EXPECT_TRUE(p.EndDoc()) << job;
    }
}

// The file's bytes without the moment of its making, the one thing two
// writings of the same document differ in.
QByteArray withoutCreationDate(QByteArray pdf)
{
    const qsizetype at = pdf.indexOf("/CreationDate (D:");
    if (at >= 0)
        pdf.remove(at, pdf.indexOf(')', at) - at);
    return pdf;
}

} // namespace

TEST_F(PdfPrinterTest, OverlappingJobs_TheSameFilesInTheOrderBegunAsOneAfterTheOther)
{
    // More jobs than the documents kept waiting for their files.
    const int jobs = 3 * QThread::idealThreadCount() + 6;
    Printer &p = printer();
    p.setBackend(std::make_unique<PdfPrinterBackend>(QStringLiteral("einzeln")));
    printRunOfJobs(jobs);

    p.setBackend(std::make_unique<PdfPrinterBackend>(QStringLiteral("zugleich")));
    resetBeepCount();
    p.beginOverlappingJobs();
    p.beginOverlappingJobs();   // nested: the outer end waits
    printRunOfJobs(jobs);
    EXPECT_TRUE(p.endOverlappingJobs());
    EXPECT_TRUE(p.endOverlappingJobs());
    EXPECT_EQ(beepCount(), 0);

    const QStringList names = QDir(QStringLiteral("einzeln")).entryList(QDir::Files);
    ASSERT_EQ(names.size(), jobs);
    EXPECT_EQ(QDir(QStringLiteral("zugleich")).entryList(QDir::Files), names);
    for (const QString &name : names) {
        const QByteArray one = readBytes(QStringLiteral("einzeln/") + name);
        const QByteArray overlapping = readBytes(QStringLiteral("zugleich/") + name);
        EXPECT_TRUE(one.startsWith("%PDF-")) << name.toStdString();
        EXPECT_EQ(withoutCreationDate(overlapping), withoutCreationDate(one)) << name.toStdString();
    }
    // Each job in the file named for it: the n-th job's title in the n-th name.
    if (pdfTitle(QStringLiteral("einzeln/") + names.first()).isNull())
        GTEST_SKIP() << "pdfinfo is not installed";
    for (int job : {1, 2, jobs}) {
        const QString name = job == 1 ? QStringLiteral("Urkunde 2025-03-01 14-15-02.pdf")
                                      : QStringLiteral("Urkunde 2025-03-01 14-15-02 (%1).pdf").arg(job);
        EXPECT_EQ(pdfTitle(QStringLiteral("zugleich/") + name),
                  QStringLiteral("Urkunde - Lauf %1").arg(job));
    }
}

TEST_F(PdfPrinterTest, AFullDisk_FailsTheJobsThatDoNotFitRemovesTheirFilesAndBeeps)
{
    Printer &p = printer();
    auto printJob = [&p] {
        p.setJobTitle(QStringLiteral("Urkunde"));
        p.Print("Huber Anna");
        p.Line(20, 30, 185, 30);
        return p.EndDoc();
    };
    // One job's size: the disk takes it and half of the next.
    p.setBackend(std::make_unique<PdfPrinterBackend>(QStringLiteral("Probe")));
    ASSERT_TRUE(printJob());
    const qint64 size = QFileInfo(QDir(QStringLiteral("Probe")).filePath(
                                      QDir(QStringLiteral("Probe")).entryList(QDir::Files).first()))
                            .size();
    ASSERT_GT(size, 0);

    for (const bool overlapping : {false, true}) {
        SCOPED_TRACE(overlapping ? "overlapping" : "one after the other");
        const QString folder = overlapping ? QStringLiteral("zugleich") : QStringLiteral("einzeln");
        auto backend = std::make_unique<PdfPrinterBackend>(folder);
        backend->setBytesLeftForTests(size + size / 2);
        p.setBackend(std::move(backend));
        resetBeepCount();
        if (overlapping)
            p.beginOverlappingJobs();
        std::vector<bool> ended;
        for (int job = 1; job <= 3; ++job)
            ended.push_back(printJob());
        if (overlapping) {
            // Nothing is known to have failed yet.
            EXPECT_EQ(ended, std::vector<bool>({true, true, true}));
            EXPECT_EQ(beepCount(), 0);
            EXPECT_FALSE(p.endOverlappingJobs());
        } else {
            EXPECT_EQ(ended, std::vector<bool>({true, false, false}));
        }
        EXPECT_EQ(beepCount(), 2);
        // The half-written ones are gone; the first is whole.
        const QStringList files = QDir(folder).entryList(QDir::Files);
        ASSERT_EQ(files, QStringList{QStringLiteral("Urkunde 2025-03-01 14-15-02.pdf")});
        const QByteArray pdf = readBytes(folder + u'/' + files.first());
        EXPECT_EQ(pdf.size(), size);
        EXPECT_TRUE(pdf.trimmed().endsWith("%%EOF"));
    }
}

TEST_F(PdfPrinterTest, AJobEmbedsTheFacesItsTextsWereMeasuredIn)
{
    const QString tool = QStandardPaths::findExecutable(QStringLiteral("pdffonts"));
    if (tool.isEmpty())
        GTEST_SKIP() << "pdffonts is not installed";
    struct Face {
        const char *name;
        bool bold, italic;
    };
    const Face faces[] = {{"Arial", false, false}, {"Arial", true, false},
                          {"Times", false, true}, {"Times", true, true}};
    Printer &p = printer();
    for (const bool overlapping : {false, true}) {
        SCOPED_TRACE(overlapping ? "overlapping" : "one after the other");
        if (overlapping)
            p.beginOverlappingJobs();
        QStringList expected;
        for (const Face &face : faces) {
            p.FontName = QString::fromLatin1(face.name);
            p.FontBold = face.bold;
            p.FontItalic = face.italic;
            p.Print("Huber Anna");
            const QRawFont raw = QRawFont::fromFont(p.currentFont());
            expected << QString(raw.familyName()).remove(u' ') + u'|' + raw.styleName();
        }
        ASSERT_TRUE(p.EndDoc());
        if (overlapping) {
            ASSERT_TRUE(p.endOverlappingJobs());
        }
        p.FontBold = p.FontItalic = false;

        QProcess run;
        run.start(tool, {static_cast<const PdfPrinterBackend &>(p.backend()).lastFile()});
        ASSERT_TRUE(run.waitForFinished(30000));
        // The first column names each embedded face: the family, and the
        // style unless it is the regular one ("LiberationSans-Bold"), after
        // a subset's tag if there is one.
        QStringList listed;
        for (const QString &line : QString::fromUtf8(run.readAllStandardOutput()).split(u'\n'))
            listed << line.section(u' ', 0, 0).section(u'+', -1).toLower();
        for (const QString &face : expected) {
            const QString family = face.section(u'|', 0, 0);
            const QString style = QString(face.section(u'|', 1)).remove(u' ');
            const QString embedded = style == QStringLiteral("Regular") ? family
                                                                         : family + u'-' + style;
            EXPECT_TRUE(listed.contains(embedded.toLower())) << embedded.toStdString() << "\n"
                                                             << listed.join(u'\n').toStdString();
        }
    }
}
