#pragma once
// A print server of the test's own: cupsd on a socket in a private folder,
// with its own configuration, keeping the files of its jobs there. Where
// cupsd cannot run, start() says why and the test skips.
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>
#include <cups/cups.h>
#include <vector>

#include "platform/PrintServer.h"

namespace privateprintserver {

// A PostScript printer whose A4 sheet has 12 pt (4.23 mm) unprintable
// margins all round; it takes PDF as it comes, so the server needs no
// filters.
inline constexpr char MarginPpd[] = R"PPD(*PPD-Adobe: "4.3"
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

} // namespace privateprintserver

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
        write(QStringLiteral("margin.ppd"), privateprintserver::MarginPpd);
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

