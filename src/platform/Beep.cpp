#include "Beep.h"

#include <QApplication>
#include <QGuiApplication>
#include <atomic>

namespace {
std::atomic<int> count{0};
}

void beep()
{
    ++count;
    // The window system is only there with a GUI application; without one
    // (command-line tools, some tests) the beep is only counted.
    if (qobject_cast<QGuiApplication *>(QCoreApplication::instance()))
        QApplication::beep();
}

int beepCount()
{
    return count.load();
}

void resetBeepCount()
{
    count.store(0);
}
