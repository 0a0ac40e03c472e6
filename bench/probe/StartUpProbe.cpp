// Starts as the program starts and ends the process as soon as the first
// window has been painted, so that a benchmark can time the whole process
// from exec to the first painted main window.
//
//     zirpa_startup_probe program      the program's main window; prints its
//                                      size ("W H") before it ends
//     zirpa_startup_probe bare W H     a bare Qt window of that size, the floor
//
// The data directory is the working directory, as for the program.
#include <QApplication>
#include <QEvent>
#include <QTimer>
#include <QWidget>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "core/Form1.h"
#include "lists/ListWindows.h"
#include "platform/Fonts.h"
#include "race/RaceWindows.h"
#include "scoring/ScoringWindows.h"

namespace {

// Ends the process once the paint event it saw has been delivered.
class FirstPaint : public QObject {
public:
    explicit FirstPaint(bool printSize) : printSize_(printSize) {}

protected:
    bool eventFilter(QObject *object, QEvent *event) override
    {
        if (event->type() == QEvent::Paint && !seen_) {
            seen_ = true;
            auto *w = static_cast<QWidget *>(object);
            const QSize size = w->size();
            const bool print = printSize_;
            QTimer::singleShot(0, [size, print] {
                if (print)
                    std::printf("%d %d\n", size.width(), size.height());
                std::fflush(stdout);
                std::_Exit(0);
            });
        }
        return false;
    }

private:
    bool printSize_;
    bool seen_ = false;
};

} // namespace

int main(int argc, char **argv)
{
    if (argc < 2)
        return 2;
    const bool program = std::strcmp(argv[1], "program") == 0;
    if (!program && (std::strcmp(argv[1], "bare") != 0 || argc < 4))
        return 2;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    if (program)
        installFontSubstitutions();
    int qtArgc = 1;
    QApplication app(qtArgc, argv);
    if (program) {
        InstallRaceWindows();
        InstallListWindows();
        InstallScoringWindows();
        FirstPaint watcher(true);
        Form1 &main = form<Form1>();
        main.installEventFilter(&watcher);
        main.Show();
        return app.exec();
    }
    QWidget bare;
    bare.resize(std::atoi(argv[2]), std::atoi(argv[3]));
    FirstPaint watcher(false);
    bare.installEventFilter(&watcher);
    bare.show();
    return app.exec();
}
