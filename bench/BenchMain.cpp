// Benchmark main: one QApplication on the offscreen platform, the program's
// font substitutions and the race and list windows wired in, as the program
// starts them.
#include <QApplication>
#include <benchmark/benchmark.h>

#include "lists/ListWindows.h"
#include "platform/Fonts.h"
#include "race/RaceWindows.h"
#include "scoring/ScoringWindows.h"

namespace {

// The offscreen platform says on every Show that it cannot raise windows.
QtMessageHandler defaultHandler = nullptr;

void quietHandler(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (message.contains(QStringLiteral("does not support raise()")))
        return;
    defaultHandler(type, context, message);
}

} // namespace

int main(int argc, char **argv)
{
    defaultHandler = qInstallMessageHandler(quietHandler);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    installFontSubstitutions();
    QApplication app(argc, argv);
    InstallRaceWindows();
    InstallListWindows();
    InstallScoringWindows();
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
