#include "Form13.h"

#include <QApplication>
#include <cstdlib>

#include "core/SharedState.h"
#include "core/WindowPositions.h"
#include "race/Ranking.h"

Form13::Form13()
    : Form(13, QStringLiteral("vorläufiges Ergebnis"))
{
    // Asking must not load the window.
    RankingWindow().loaded = [] { return isLoaded<Form13>(); };
    RankingWindow().showRanking = [] {
        if (isLoaded<Form13>())
            form<Form13>().ShowRanking();
    };
    // Wide enough for the 85 characters of a two-run line.
    setClientSize(11400, 7080);

    List1.Move(120, 120, 2000, 600);
    List1.setFontName(QStringLiteral("Monospac821 BT"));
    List1.setFontSize(9);
    List1.setVisible(false);

    List2.Move(120, 120, 11160, 6240);
    List2.setFontName(QStringLiteral("Monospac821 BT"));
    List2.setFontSize(9);

    Command1.Move(9840, 6480, 1440, 480);
    Command1.setCaption(QStringLiteral("Exit"));
    Command1.onClick = [this] { Command1_Click(); };
}

void Form13::Form_Load()
{
    RestoreWindowPosition(*this);
    ShowRanking();
}

void Form13::ShowRanking()
{
    MakeRankingLines();
    List1.Clear();
    List1.AddItems(Ranking.SortLines);
    List2.Clear();
    List2.AddItems(Ranking.DisplayLines);
}


void Form13::Form_Unload()
{
    StoreWindowPosition(*this);
}

void Form13::Command1_Click()
{
    Unload();
}

void Form13::showEvent(QShowEvent *event)
{
    Form::showEvent(event);
    Form *opener = Form::activeForm();
    if (!opener)
        opener = qobject_cast<Form *>(QApplication::activeWindow());
    if (!opener || opener == this || !opener->Visible())
        return;
    // Both windows at the top left was the old default; a position stored
    // from there would keep the ranking over the list it belongs to. (The
    // frame of a window not shown yet may not be known: a few pixels off
    // count as the same corner.)
    const QPoint corner = frameGeometry().topLeft() - opener->frameGeometry().topLeft();
    const bool onCorner = std::abs(corner.x()) <= 16 && std::abs(corner.y()) <= 16;
    if (!App.WindowLeftSet[windowSlot()] || onCorner)
        PlaceBeside(*opener);
}
