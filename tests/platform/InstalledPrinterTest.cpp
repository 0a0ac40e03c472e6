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

#include "SilentPrintServer.h"
#include "TestSupport.h"
#include "platform/Beep.h"
#include "platform/PrintServer.h"
#include "platform/Printer.h"
#include "platform/PrinterBackends.h"

namespace {

// A PostScript printer whose A4 sheet has 12 pt (4.23 mm) unprintable
// margins all round; it takes PDF as it comes, so the server needs no
// filters.
constexpr char MarginPpd[] = R"PPD(*PPD-Adobe: "4.3"
*FormatVersion: "4.3"
*FileVersion: "1.0"
*LanguageVersion: English
*LanguageEncoding: ISOLatin1
*PCFileName: "MARGIN.PPD"
*Manufacturer: "Test"
*Product: "(Margin)"
*ModelName: "Margin PostScript"
*ShortNickName: "Margin PostScript"
*NickName: "Margin PostScript"
*PSVersion: "(3010.000) 0"
*LanguageLevel: "3"
*ColorDevice: False
*DefaultColorSpace: Gray
*FileSystem: False
*Throughput: "1"
*LandscapeOrientation: Plus90
*TTRasterizer: Type42
*cupsFilter: "application/pdf 0 -"
*OpenUI *PageSize: PickOne
*OrderDependency: 10 AnySetup *PageSize
*DefaultPageSize: A4
*PageSize A4/A4: "<</PageSize[595 842]>>setpagedevice"
*CloseUI: *PageSize
*OpenUI *PageRegion: PickOne
*OrderDependency: 10 AnySetup *PageRegion
*DefaultPageRegion: A4
*PageRegion A4/A4: "<</PageSize[595 842]>>setpagedevice"
*CloseUI: *PageRegion
*DefaultImageableArea: A4
*ImageableArea A4/A4: "12 12 583 830"
*DefaultPaperDimension: A4
*PaperDimension A4/A4: "595 842"
*DefaultFont: Courier
*Font Courier: Standard "(001.000)" Standard ROM
)PPD";

constexpr double Margin = 12 * 25.4 / 72;   // 4.23 mm

// A cupsd of the test's own, listening on a socket in a private folder and
// keeping the files of its jobs there.
class PrivateServer {
public:
    // Empty when it runs; otherwise why not.
    QString start()
    {
        const QString cupsd = QStandardPaths::findExecutable(
            QStringLiteral("cupsd"), {QStringLiteral("/usr/sbin"), QStringLiteral("/sbin")});
        if (cupsd.isEmpty())
            return QStringLiteral("cupsd is not installed (scripts/setup.sh installs it)");
        lpadmin_ = QStandardPaths::findExecutable(QStringLiteral("lpadmin"),
                                                  {QStringLiteral("/usr/sbin")});
        if (lpadmin_.isEmpty())
            return QStringLiteral("lpadmin is not installed (scripts/setup.sh installs it)");
        if (!dir_.isValid())
            return QStringLiteral("no folder for the print server");
        const QString root = dir_.path();
        for (const char *sub : {"spool", "cache", "state", "log"})
            QDir(root).mkpath(QString::fromLatin1(sub));
        socket_ = root + QStringLiteral("/cups.sock");
        write(QStringLiteral("cupsd.conf"),
              "Listen " + socket_.toUtf8() + "\n"
              "LogLevel warn\nBrowsing No\nDefaultAuthType None\nWebInterface No\n"
              "PreserveJobFiles Yes\n"
              "<Location />\n  Order allow,deny\n  Allow all\n</Location>\n"
              "<Policy default>\n  <Limit All>\n    Order deny,allow\n  </Limit>\n</Policy>\n");
        const QByteArray r = root.toUtf8();
        write(QStringLiteral("cups-files.conf"),
              "ServerRoot " + r + "\nRequestRoot " + r + "/spool\nCacheDir " + r
                  + "/cache\nStateDir " + r + "/state\nTempDir " + r + "/spool\nErrorLog " + r
                  + "/log/error_log\nAccessLog " + r + "/log/access_log\nPageLog " + r
                  + "/log/page_log\nFileDevice Yes\nSandboxing Relaxed\n");
        write(QStringLiteral("margin.ppd"), MarginPpd);
        server_.setProgram(cupsd);
        server_.setArguments({QStringLiteral("-f"), QStringLiteral("-c"),
                              root + QStringLiteral("/cupsd.conf"), QStringLiteral("-s"),
                              root + QStringLiteral("/cups-files.conf")});
        server_.setProcessChannelMode(QProcess::MergedChannels);
        server_.start();
        if (!server_.waitForStarted(10000))
            return QStringLiteral("cupsd does not start");
        printserver::setServer(socket_);
        for (int i = 0; i < 100; ++i) {
            if (server_.state() != QProcess::Running)
                return QStringLiteral("cupsd stopped: ") + QString::fromUtf8(server_.readAll());
            if (QFile::exists(socket_) && printserver::printers().answered)
                return QString();
            QThread::msleep(100);
        }
        return QStringLiteral("cupsd does not answer");
    }

    ~PrivateServer()
    {
        printserver::setServer(QString());
        if (server_.state() != QProcess::NotRunning) {
            server_.terminate();
            if (!server_.waitForFinished(5000)) {
                server_.kill();
                server_.waitForFinished(5000);
            }
        }
    }

    // Runs a CUPS command on this server; true when it succeeded.
    bool admin(const QString &tool, QStringList arguments)
    {
        const QString program = tool == QStringLiteral("lpadmin")
            ? lpadmin_
            : QStandardPaths::findExecutable(tool, {QStringLiteral("/usr/sbin"),
                                                    QStringLiteral("/usr/bin")});
        if (program.isEmpty())
            return false;
        arguments.prepend(socket_);
        arguments.prepend(QStringLiteral("-h"));
        QProcess run;
        run.start(program, arguments);
        return run.waitForFinished(20000) && run.exitStatus() == QProcess::NormalExit
            && run.exitCode() == 0;
    }
    // A queue that writes its jobs to a file, plain or with the margin PPD.
    bool addQueue(const QString &name, bool withMargins = false)
    {
        QStringList args{QStringLiteral("-p"), name, QStringLiteral("-v"),
                         QStringLiteral("file:///dev/null"), QStringLiteral("-E")};
        if (withMargins)
            args << QStringLiteral("-P") << dir_.path() + QStringLiteral("/margin.ppd");
        return admin(QStringLiteral("lpadmin"), args);
    }

    struct Job {
        QString queue, title;
        int id = 0;
    };
    // Every job the server has seen, finished or not.
    std::vector<Job> jobs() const
    {
        std::vector<Job> list;
        http_t *http = httpConnect2(socket_.toUtf8().constData(), 0, nullptr, AF_UNSPEC,
                                    HTTP_ENCRYPTION_NEVER, 1, 5000, nullptr);
        if (!http)
            return list;
        cups_job_t *jobs = nullptr;
        const int n = cupsGetJobs2(http, &jobs, nullptr, 0, CUPS_WHICHJOBS_ALL);
        for (int i = 0; i < n; ++i)
            list.push_back({QString::fromUtf8(jobs[i].dest), QString::fromUtf8(jobs[i].title),
                            jobs[i].id});
        cupsFreeJobs(n, jobs);
        httpClose(http);
        return list;
    }
    // The document of a job as the server keeps it.
    QString jobFile(int id) const
    {
        return dir_.path() + QStringLiteral("/spool/d%1-001").arg(id, 5, 10, QLatin1Char('0'));
    }

private:
    void write(const QString &name, const QByteArray &text)
    {
        QFile f(dir_.path() + u'/' + name);
        if (f.open(QIODevice::WriteOnly))
            f.write(text);
    }

    QTemporaryDir dir_{QStringLiteral("/tmp/zirpa-cups-XXXXXX")};
    QString socket_, lpadmin_;
    QProcess server_;
};

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

// The pages of a PDF file as pictures of `dpi`; empty when pdftoppm is not
// installed.
std::vector<QImage> render(const QString &pdf, const QString &prefix, int dpi)
{
    const QString tool = QStandardPaths::findExecutable(QStringLiteral("pdftoppm"));
    if (tool.isEmpty())
        return {};
    QProcess run;
    run.start(tool, {QStringLiteral("-r"), QString::number(dpi), QStringLiteral("-png"), pdf,
                     prefix});
    if (!run.waitForFinished(30000) || run.exitCode() != 0)
        return {};
    std::vector<QImage> pages;
    for (int n = 1;; ++n) {
        QImage page(prefix + QStringLiteral("-%1.png").arg(n));
        if (page.isNull())
            break;
        pages.push_back(page.convertToFormat(QImage::Format_RGB32));
    }
    return pages;
}

// The bounding box in mm of the dark pixels of a page rendered at `dpi`.
QRectF darkBox(const QImage &page, int dpi)
{
    int left = INT_MAX, top = INT_MAX, right = -1, bottom = -1;
    for (int y = 0; y < page.height(); ++y)
        for (int x = 0; x < page.width(); ++x)
            if (qGray(page.pixel(x, y)) < 128) {
                left = std::min(left, x);
                right = std::max(right, x);
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
    if (right < 0)
        return {};
    const double mm = 25.4 / dpi;
    return QRectF(left * mm, top * mm, (right + 1 - left) * mm, (bottom + 1 - top) * mm);
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

    // The server's default is the printer at start; the PDF printer and the
    // queues are the choice.
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
    const auto pages = render(document, path(QStringLiteral("job")), Dpi);
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

TEST(SilentPrintServerTest, NoWindowAndNoPrintWaitsOnAServerThatDoesNotAnswer)
{
    // Guards against a hang, not a speed measurement: the library's own
    // waits on such a server run to a minute and more.
    constexpr qint64 Bound = 15000;
    SilentPrintServer silent;
    ASSERT_TRUE(silent.ok());
    printserver::setServer(silent.address());
    resetPrinter();

    // What the windows ask when they open: the current printer's name, and
    // the list of printers. Without an answer the PDF printer is the
    // default, and the only printer to choose.
    QElapsedTimer clock;
    clock.start();
    EXPECT_EQ(printer().DeviceName(), pdfPrinterName());
    EXPECT_EQ(printerNames(), QStringList{pdfPrinterName()});
    EXPECT_LT(clock.elapsed(), Bound);
    // Asked once: the name is known from then on.
    const int asked = silent.connections();
    EXPECT_GE(asked, 1);
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(printer().DeviceName(), pdfPrinterName());
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
    const auto rendered = render(file, pages.filePath(QStringLiteral("p")), Dpi);
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
