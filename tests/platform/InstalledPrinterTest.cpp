// Installed printers: a job reaches the chosen CUPS queue or none, with its
// title and the origin at the queue's printable area; a queue that is gone,
// refuses jobs or a server that does not answer gives a beep within a few
// seconds. The tests run a print server of their own (cupsd on a private
// socket with its own configuration); where cupsd cannot run they are
// skipped.
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QPrinter>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>
#include <cups/cups.h>
#include <functional>
#include <gtest/gtest.h>

#include "PageCheck.h"
#include "PrivatePrintServer.h"
#include "SilentPrintServer.h"
#include "TestSupport.h"
#include "platform/Beep.h"
#include "platform/PrintServer.h"
#include "platform/Printer.h"
#include "platform/PrinterBackends.h"
#include "platform/PrinterList.h"

namespace {

// The margin queue's 12 pt (4.23 mm) unprintable margins.
constexpr double Margin = 12 * 25.4 / 72;   // 4.23 mm

class InstalledPrinterTest : public DataDirTest {
protected:
    void SetUp() override
    {
        DataDirTest::SetUp();
        const QString why = server.start();
        if (!why.isEmpty())
            GTEST_SKIP() << "no print server of the test's own: " << why.toStdString();
        resetPrinter();
        resetBeepCount();
    }
    void TearDown() override
    {
        resetPrinter();
        DataDirTest::TearDown();
    }

    PrivateServer server;
};

// The bounding box in mm of the dark pixels of a page rendered at `dpi`.
QRectF darkBox(const QImage &page, int dpi)
{
    // The whole page: the area is clipped to it.
    return MatchingPixelBox(page, dpi, QRectF(0, 0, 1e6, 1e6),
                            [](QRgb c) { return qGray(c) < 128; });
}

// A page with a solid box at the page model's (4, 10)-(20, 30): the head
// emblem's place, at the left edge of what the lists use.
void printEmblemBox(Printer &p)
{
    p.Line(4, 10, 20, 30, 0, LineShape::FilledBox);
}

constexpr int Dpi = 100;

} // namespace

TEST_F(InstalledPrinterTest, AJobGoesToTheChosenQueueWithItsTitleDrawnFromThePrintableArea)
{
    ASSERT_TRUE(server.addQueue(QStringLiteral("Buero"), true));
    ASSERT_TRUE(server.addQueue(QStringLiteral("Halle")));
    ASSERT_TRUE(server.admin(QStringLiteral("lpadmin"), {QStringLiteral("-d"), QStringLiteral("Halle")}));
    resetPrinter();

    // The server's default is the printer at start, once the server has
    // answered; the PDF printer and the queues are the choice.
    refreshPrinterNames();
    awaitPrinterNames();
    EXPECT_EQ(printer().DeviceName(), QStringLiteral("Halle"));
    const QStringList names = printerNames();
    EXPECT_TRUE(names.contains(QStringLiteral("Buero")));
    EXPECT_TRUE(names.contains(QStringLiteral("Halle")));
    EXPECT_EQ(names.last(), pdfPrinterName());

    ASSERT_TRUE(selectPrinter(QStringLiteral("Buero")));
    Printer &p = printer();
    // The page reads as the printable area, before the job and in it.
    EXPECT_NEAR(p.ScaleWidth(), 210 - 2 * Margin, 0.02);
    p.setJobTitle(QStringLiteral("Ergebnisliste"), QStringLiteral("Bezirkscup"));
    printEmblemBox(p);
    EXPECT_NEAR(p.ScaleWidth(), 210 - 2 * Margin, 0.02);
    EXPECT_NEAR(p.ScaleHeight(), 297 - 2 * Margin, 0.02);
    p.NewPage();
    printEmblemBox(p);
    EXPECT_TRUE(p.EndDoc());
    EXPECT_EQ(beepCount(), 0);

    // One job for the two pages, on the chosen queue, named by its title.
    const auto jobs = server.jobs();
    ASSERT_EQ(jobs.size(), 1u);
    EXPECT_EQ(jobs[0].queue, QStringLiteral("Buero"));
    EXPECT_EQ(jobs[0].title, QStringLiteral("Ergebnisliste - Bezirkscup"));

    // The box stands where the page model puts it, counted from the
    // printable area's corner.
    const QString document = server.jobFile(jobs[0].id);
    ASSERT_TRUE(QFile::exists(document));
    const auto pages = RenderPdfPages(document, path(QStringLiteral("job")), Dpi);
    if (pages.empty())
        GTEST_SKIP() << "pdftoppm is not installed";
    ASSERT_EQ(pages.size(), 2u);
    const double px = 25.4 / Dpi;
    EXPECT_NEAR(pages[0].width() * px, 210, 0.5);
    const QRectF box = darkBox(pages[1], Dpi);
    EXPECT_NEAR(box.left(), 4 + Margin, 1.5 * px);
    EXPECT_NEAR(box.top(), 10 + Margin, 1.5 * px);
    EXPECT_NEAR(box.width(), 16, 1.5 * px);
    EXPECT_NEAR(box.height(), 20, 1.5 * px);
}

TEST_F(InstalledPrinterTest, AJobThatCannotReachTheChosenQueueBeepsAndGoesNowhereElse)
{
    // A queue deleted after it was chosen, and one that refuses jobs: the
    // job goes neither there nor to the server's default.
    struct Case {
        const char *what;
        std::function<bool(PrivateServer &)> spoil;
    };
    const Case cases[] = {
        {"deleted", [](PrivateServer &s) {
             return s.admin(QStringLiteral("lpadmin"), {QStringLiteral("-x"), QStringLiteral("Buero")});
         }},
        {"refusing", [](PrivateServer &s) {
             return s.admin(QStringLiteral("cupsreject"), {QStringLiteral("Buero")});
         }},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        ASSERT_TRUE(server.addQueue(QStringLiteral("Buero")));
        ASSERT_TRUE(server.addQueue(QStringLiteral("Halle")));
        ASSERT_TRUE(server.admin(QStringLiteral("lpadmin"), {QStringLiteral("-d"), QStringLiteral("Halle")}));
        ASSERT_TRUE(selectPrinter(QStringLiteral("Buero")));
        ASSERT_TRUE(c.spoil(server));

        Printer &p = printer();
        resetBeepCount();
        p.setJobTitle(QStringLiteral("Teilnehmerliste"));
        printEmblemBox(p);
        EXPECT_FALSE(p.EndDoc());
        EXPECT_EQ(beepCount(), 1);
        // The printer named is still the chosen one: the job did not go
        // anywhere else.
        EXPECT_EQ(p.DeviceName(), QStringLiteral("Buero"));
        EXPECT_TRUE(server.jobs().empty());
        server.admin(QStringLiteral("lpadmin"), {QStringLiteral("-x"), QStringLiteral("Buero")});
        server.admin(QStringLiteral("lpadmin"), {QStringLiteral("-x"), QStringLiteral("Halle")});
    }
}

TEST_F(InstalledPrinterTest, TheDefaultIsShownAtOnceAndAJobWaitsForTheServersAnswer)
{
    ASSERT_TRUE(server.addQueue(QStringLiteral("Halle")));
    ASSERT_TRUE(server.admin(QStringLiteral("lpadmin"), {QStringLiteral("-d"), QStringLiteral("Halle")}));

    // A window that shows the printer before the server has answered shows
    // the PDF printer for now, and does not decide the printer by that.
    resetPrinter();
    EXPECT_EQ(printer().DeviceName(), pdfPrinterName());
    EXPECT_TRUE(printerNamesPending());
    awaitPrinterNames();
    EXPECT_EQ(printer().DeviceName(), QStringLiteral("Halle"));

    // A job on the default printer, begun before any answer, waits for it
    // and goes to the server's default.
    resetPrinter();
    Printer &p = printer();
    p.setJobTitle(QStringLiteral("Teilnehmerliste"));
    printEmblemBox(p);
    EXPECT_TRUE(p.EndDoc());
    EXPECT_EQ(beepCount(), 0);
    const auto jobs = server.jobs();
    ASSERT_EQ(jobs.size(), 1u);
    EXPECT_EQ(jobs[0].queue, QStringLiteral("Halle"));
}

TEST_F(InstalledPrinterTest, AServerThatStopsAnsweringLeavesThePrintersAsKnown)
{
    ASSERT_TRUE(server.addQueue(QStringLiteral("Buero")));
    refreshPrinterNames();
    awaitPrinterNames();
    const QStringList known{QStringLiteral("Buero"), pdfPrinterName()};
    ASSERT_EQ(printerNames(), known);

    SilentPrintServer silent;
    ASSERT_TRUE(silent.ok());
    printserver::setServer(silent.address());
    printserver::setAnswerTimeoutMs(300);
    int told = 0;
    QObject watcher;
    watchPrinterNames(&watcher, [&told] { ++told; });
    refreshPrinterNames();
    awaitPrinterNames();
    EXPECT_GE(silent.connections(), 1);
    EXPECT_EQ(printerNames(), known);
    EXPECT_EQ(told, 0);
    printserver::setAnswerTimeoutMs(0);
}

TEST(SilentPrintServerTest, NoWindowAndNoPrintWaitsOnAServerThatDoesNotAnswer)
{
    // Guards against a hang, not a speed measurement: the library's own
    // waits on such a server run to a minute and more.
    constexpr qint64 Bound = 15000;
    SilentPrintServer silent;
    ASSERT_TRUE(silent.ok());
    printserver::setServer(silent.address());
    // Longer than the test looks: the question stays unanswered meanwhile.
    printserver::setAnswerTimeoutMs(120000);
    resetPrinter();

    // What the windows ask when they open: the current printer's name, and
    // the list of printers. Both come at once, while the server is asked
    // in the background.
    EXPECT_EQ(printer().DeviceName(), pdfPrinterName());
    EXPECT_EQ(printerNames(), QStringList{pdfPrinterName()});
    EXPECT_TRUE(printerNamesPending());
    QElapsedTimer clock;
    clock.start();
    while (silent.connections() < 1 && clock.elapsed() < Bound)
        QThread::msleep(5);
    EXPECT_EQ(silent.connections(), 1);
    EXPECT_TRUE(printerNamesPending());

    // A question under way is called off at once, not at its time limit.
    clock.restart();
    resetPrinter();
    EXPECT_FALSE(printerNamesPending());
    EXPECT_LT(clock.elapsed(), Bound);

    // Without an answer the PDF printer is the default, and the only
    // printer to choose; asked once, known from then on.
    printserver::setAnswerTimeoutMs(0);
    EXPECT_EQ(printer().DeviceName(), pdfPrinterName());
    clock.restart();
    awaitPrinterNames();
    EXPECT_LT(clock.elapsed(), Bound);
    EXPECT_TRUE(printerNamesAsked());
    const int asked = silent.connections();
    EXPECT_EQ(asked, 2);
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(printer().DeviceName(), pdfPrinterName());
    EXPECT_EQ(printerNames(), QStringList{pdfPrinterName()});
    EXPECT_EQ(silent.connections(), asked);

    // A job for an installed printer gives up with a beep.
    printer().setBackend(std::make_unique<SystemPrinterBackend>(QStringLiteral("Buero")));
    resetBeepCount();
    clock.restart();
    printer().Print("Ergebnisliste");
    EXPECT_FALSE(printer().EndDoc());
    EXPECT_LT(clock.elapsed(), Bound);
    EXPECT_EQ(beepCount(), 1);

    printserver::setServer(QString());
    resetPrinter();
}

TEST(MarginPrinterTest, ThePageModelCountsFromThePrintableAreaOfTheDevice)
{
    // A printer device with 4.23 mm margins printing to a file: the origin
    // is the corner of the printable area, and the page reads as that
    // area's size.
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString file = dir.filePath(QStringLiteral("job.pdf"));
    auto device = std::make_unique<QPrinter>(QPrinter::HighResolution);
    device->setOutputFormat(QPrinter::PdfFormat);
    device->setOutputFileName(file);
    device->setFullPage(false);
    device->setPageSize(QPageSize(QPageSize::A4));
    device->setPageMargins(QMarginsF(Margin, Margin, Margin, Margin), QPageLayout::Millimeter);
    printer().setBackend(
        std::make_unique<SystemPrinterBackend>(QStringLiteral("Buero"), std::move(device)));

    Printer &p = printer();
    EXPECT_NEAR(p.ScaleWidth(), 201.5, 0.05);
    EXPECT_NEAR(p.ScaleHeight(), 288.5, 0.05);
    printEmblemBox(p);
    EXPECT_NEAR(p.ScaleWidth(), 201.5, 0.05);
    ASSERT_TRUE(p.EndDoc());
    resetPrinter();

    QTemporaryDir pages;
    const auto rendered = RenderPdfPages(file, pages.filePath(QStringLiteral("p")), Dpi);
    if (rendered.empty())
        GTEST_SKIP() << "pdftoppm is not installed";
    ASSERT_EQ(rendered.size(), 1u);
    const double px = 25.4 / Dpi;
    EXPECT_NEAR(rendered[0].width() * px, 210, 0.5);
    const QRectF box = darkBox(rendered[0], Dpi);
    EXPECT_NEAR(box.left(), 4 + Margin, 1.5 * px);
    EXPECT_NEAR(box.top(), 10 + Margin, 1.5 * px);
    EXPECT_NEAR(box.right(), 20 + Margin, 1.5 * px);
    EXPECT_NEAR(box.bottom(), 30 + Margin, 1.5 * px);
}
