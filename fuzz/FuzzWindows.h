#pragma once
// Set-up of the fuzz targets that carry what was read on into the windows
// and the printed lists: one QApplication on the offscreen platform with the
// program's font substitutions (as the test main makes it), the recording
// printer, a fixed clock, and the record files of a small fixed world that
// every input starts from again.
#include <QApplication>
#include <QByteArray>
#include <QDate>
#include <QDateTime>
#include <QFile>
#include <QString>
#include <QTime>
#include <map>

#include "FuzzCommon.h"
#include "core/RaceFiles.h"
#include "platform/Beep.h"
#include "platform/Clock.h"
#include "platform/Fonts.h"
#include "platform/Form.h"
#include "platform/Printer.h"
#include "platform/RecordingPrinter.h"

// Fontconfig keeps a few blocks it never frees once the first font is
// looked up; that is no fault of the program. (Each target is one file, so
// this definition is made once per program.)
extern "C" const char *__lsan_default_suppressions()
{
    return "leak:libfontconfig.so\n";
}

namespace fuzz {

namespace detail {

inline QtMessageHandler defaultMessageHandler = nullptr;

// Qt's warnings say nothing about the program's faults (the offscreen
// platform warns on every Show that it cannot raise a window) and would
// drown libFuzzer's output.
inline void quietMessageHandler(QtMsgType type, const QMessageLogContext &context,
                                const QString &message)
{
    if (type == QtFatalMsg)
        defaultMessageHandler(type, context, message);
}

} // namespace detail

// The QApplication of the whole fuzz process. Call from LLVMFuzzerInitialize.
//
// Qt's caches (fonts, glyphs, pictures) grow during the first inputs, so
// libFuzzer's leak check after an input, which it runs whenever the input
// allocated more than it freed, ran after nearly every input and took three
// quarters of the time. It is off by default here; LeakSanitizer's check at
// the end of the run still reports every block the program lost.
inline void startApplication(int *argc, char ***argv)
{
    makePathArgumentsAbsolute(argc, argv, "-detect_leaks=0");
    detail::defaultMessageHandler = qInstallMessageHandler(detail::quietMessageHandler);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    installFontSubstitutions();
    static int appArgc = 1;
    static char name[] = "zirpa-fuzz";
    static char *appArgv[] = {name, nullptr};
    static QApplication *app = new QApplication(appArgc, appArgv);
    (void)app;
    enterPrivateWorkDir();
}

// resetState() and what the window tests reset besides: the printer (a
// fresh recording), the beep count, the random generator and a fixed day.
inline RecordingPrinter &resetWindowState()
{
    resetState();
    resetBeepCount();
    rnd::reset();
    sysclock::setFixedNow(QDateTime(QDate(2026, 2, 14), QTime(10, 0)));
    resetPrinter();
    return useRecordingPrinter();
}

// Every window unloaded (their Form_Unload still runs and writes) and
// destroyed, so that the next input loads fresh ones.
inline void unloadWindows()
{
    unloadAllForms();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    resetPrinter();
}

// Files of the working directory kept as bytes, so that every input starts
// from the same world whatever the last one wrote.
class FileSnapshot {
public:
    void take(const QString &name)
    {
        QFile f(name);
        files_[name] = f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    void restore() const
    {
        for (const auto &[name, bytes] : files_)
            writeFile(name, reinterpret_cast<const std::uint8_t *>(bytes.constData()),
                      std::size_t(bytes.size()));
    }

    // Verein.rec, Laeufer.rec and Rennen.rec.
    void takeRecordFiles()
    {
        for (const char *name : {"Verein.rec", "Laeufer.rec", "Rennen.rec"})
            take(QString::fromLatin1(name));
    }
    // The R, M, G and K files of race n (which becomes the active race).
    void takeRaceFiles(int n)
    {
        Race.ActiveRaceNo = n;
        take(RaceFileName(u'R', QStringLiteral(".dat")));
        take(RaceFileName(u'M', QStringLiteral(".lst")));
        take(RaceFileName(u'G', QStringLiteral(".lst")));
        take(RaceFileName(u'K', QStringLiteral(".lst")));
    }

private:
    std::map<QString, QByteArray> files_;
};

// The fuzz process starts on a world that writeWorld puts into the working
// directory once; LLVMFuzzerInitialize of a window target.
inline int startOnWorld(int *argc, char ***argv, void (*writeWorld)())
{
    startApplication(argc, argv);
    writeWorld();
    return 0;
}

} // namespace fuzz
