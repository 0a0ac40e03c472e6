// Starts as the program starts and ends the process as soon as the first
// window has been painted, so that a benchmark can time the whole process
// from exec to the first painted main window.
//
//     zirpa_startup_probe program      the program's main window; prints its
//                                      size ("W H") before it ends
//     zirpa_startup_probe bare W H     a bare Qt window of that size, the floor
//     zirpa_startup_probe window FORM BUTTON
//                                      starts the program, then clicks BUTTON
//                                      (objectName) of FORM ("Form1" or
//                                      "Form4", race 1 selected there) and
//                                      prints the milliseconds until the
//                                      window it opens is painted, the first
//                                      time in the process and again after
//                                      that window was closed, and the
//                                      window's size ("T1 T2 W H")
//     zirpa_startup_probe barewindow W H
//                                      the floor of a window's opening: a
//                                      bare window shown first, then the
//                                      milliseconds until a second bare
//                                      window of that size is painted, the
//                                      first time and again ("T1 T2")
//
// The data directory is the working directory, as for the program.
#include <QAbstractButton>
#include <QApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QEventLoop>
#include <QTimer>
#include <QWidget>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "core/Form1.h"
#include "core/Form4.h"
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

// Waits until a shown window other than the one given has been painted and
// the paint pass has ended (its controls are painted in the same pass).
class PaintWait : public QObject {
public:
    explicit PaintWait(QWidget *besides) : besides_(besides)
    {
        qApp->installEventFilter(this);
    }
    ~PaintWait() override { qApp->removeEventFilter(this); }
    // The window painted, or null after ten seconds without one.
    QWidget *wait()
    {
        QTimer::singleShot(10000, &loop_, [this] { loop_.quit(); });
        loop_.exec();
        return painted_;
    }

protected:
    bool eventFilter(QObject *object, QEvent *event) override
    {
        if (event->type() == QEvent::Paint && !seen_ && object->isWidgetType()) {
            auto *w = static_cast<QWidget *>(object);
            if (w->isWindow() && w != besides_) {
                seen_ = true;
                painted_ = w;
                QTimer::singleShot(0, &loop_, [this] { loop_.quit(); });
            }
        }
        return false;
    }

private:
    QWidget *besides_;
    QEventLoop loop_;
    QWidget *painted_ = nullptr;
    bool seen_ = false;
};

// Shows the window and waits for its paint.
bool showPainted(Form &window)
{
    PaintWait wait(nullptr);
    window.Show();
    return wait.wait() != nullptr;
}

// Clicks the button of the opener; the milliseconds until the window it
// opens is painted, and that window (-1 and null when none was).
double timeOpening(Form &opener, const QString &button, QWidget **opened)
{
    auto *b = opener.findChild<QAbstractButton *>(button);
    if (!b)
        return -1;
    PaintWait wait(&opener);
    QElapsedTimer clock;
    clock.start();
    b->setFocus();
    b->click();
    *opened = wait.wait();
    const double ms = double(clock.nsecsElapsed()) / 1e6;
    return *opened ? ms : -1;
}

int windowOpening(const char *openerName, const char *button)
{
    Form1 &main = form<Form1>();
    if (!showPainted(main))
        return 1;
    Form *opener = &main;
    if (std::strcmp(openerName, "Form4") == 0) {
        QWidget *races = nullptr;
        if (timeOpening(main, QStringLiteral("Command3"), &races) < 0)
            return 1;
        Form4 &f = form<Form4>();
        f.Text1.setText(QStringLiteral("1"));
        QCoreApplication::processEvents();
        opener = &f;
    } else if (std::strcmp(openerName, "Form1") != 0) {
        return 2;
    }
    double times[2];
    QSize size;
    for (double &t : times) {
        QWidget *opened = nullptr;
        t = timeOpening(*opener, QString::fromLatin1(button), &opened);
        auto *window = dynamic_cast<Form *>(opened);
        if (t < 0 || !window)
            return 1;
        size = window->size();
        window->Unload();
        QCoreApplication::processEvents();
        if (!opener->Visible() && !showPainted(*opener))
            return 1;
    }
    std::printf("%.3f %.3f %d %d\n", times[0], times[1], size.width(), size.height());
    std::fflush(stdout);
    std::_Exit(0);
}

int bareWindowOpening(int width, int height)
{
    QWidget first;
    first.resize(width, height);
    {
        PaintWait wait(nullptr);
        first.show();
        if (!wait.wait())
            return 1;
    }
    double times[2];
    for (double &t : times) {
        QWidget window;
        window.resize(width, height);
        PaintWait wait(&first);
        QElapsedTimer clock;
        clock.start();
        window.show();
        if (!wait.wait())
            return 1;
        t = double(clock.nsecsElapsed()) / 1e6;
        window.close();
        QCoreApplication::processEvents();
    }
    std::printf("%.3f %.3f\n", times[0], times[1]);
    std::fflush(stdout);
    std::_Exit(0);
}

} // namespace

int main(int argc, char **argv)
{
    if (argc < 2)
        return 2;
    const bool program = std::strcmp(argv[1], "program") == 0;
    const bool window = std::strcmp(argv[1], "window") == 0 && argc >= 4;
    const bool bareWindow = std::strcmp(argv[1], "barewindow") == 0 && argc >= 4;
    if (!program && !window && !bareWindow && (std::strcmp(argv[1], "bare") != 0 || argc < 4))
        return 2;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    if (program || window)
        installFontSubstitutions();
    int qtArgc = 1;
    QApplication app(qtArgc, argv);
    if (bareWindow)
        return bareWindowOpening(std::atoi(argv[2]), std::atoi(argv[3]));
    if (window) {
        InstallRaceWindows();
        InstallListWindows();
        InstallScoringWindows();
        return windowOpening(argv[2], argv[3]);
    }
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
