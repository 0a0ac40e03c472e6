#include <QApplication>

#include "core/Form1.h"
#include "platform/Fonts.h"
#include "race/RaceWindows.h"

int main(int argc, char **argv)
{
    installFontSubstitutions();
    QApplication app(argc, argv);
    InstallRaceWindows();
    form<Form1>().Show();
    return app.exec();
}
