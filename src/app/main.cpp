#include <QApplication>

#include "core/Form1.h"
#include "lists/ListWindows.h"
#include "platform/Fonts.h"
#include "race/RaceWindows.h"
#include "scoring/ScoringWindows.h"

int main(int argc, char **argv)
{
    installFontSubstitutions();
    QApplication app(argc, argv);
    InstallRaceWindows();
    InstallListWindows();
    InstallScoringWindows();
    form<Form1>().Show();
    return app.exec();
}
