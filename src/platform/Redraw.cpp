#include "platform/Redraw.h"

#include <QCoreApplication>
#include <QCursor>
#include <QEventLoop>
#include <QGuiApplication>

namespace {

int redrawDepth = 0;
bool hourglassShown = false;

} // namespace

void letWindowSystemRedraw()
{
    ++redrawDepth;
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents
                                    | QEventLoop::ExcludeSocketNotifiers
                                    | QEventLoop::X11ExcludeTimers);
    --redrawDepth;
}

bool insideRedraw()
{
    return redrawDepth > 0;
}

void setHourglass(bool on)
{
    if (on == hourglassShown || !qobject_cast<QGuiApplication *>(QCoreApplication::instance()))
        return;
    hourglassShown = on;
    if (on)
        QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    else
        QGuiApplication::restoreOverrideCursor();
}

bool hourglass()
{
    return hourglassShown;
}
