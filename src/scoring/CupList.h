#pragma once
// The printed cup standings: landscape pages, class cell by class cell in
// the order of the given ranking keys, per participant the rank, name and
// club, birth year, the time or status and the points of every cup column,
// and the total.
#include <QString>
#include <QStringList>

// What the cup window hands over.
struct CupListRequest {
    QString cupName;          // after "Ergebnisliste " in the head
    QStringList keys;         // the ranking keys (CupRankingKey) in print order
    bool separatePages = false;   // "Klassen auf getrennten Seiten"
};

// Prints the result of the last EvaluateCup on the current printer.
void PrintCupList(const CupListRequest &request);

// Where the cup columns stand on the page (mm). Up to five columns are 28 mm
// apart, the first at 110. More columns share the room between the head of
// the birth year and the total (108 to 252 mm) in smaller type: each column's head
// stands at its left edge, its time or status word ends just before its
// points.
struct CupColumnLayout {
    explicit CupColumnLayout(int columns);
    bool compact = false;      // more than five columns
    double step = 28;
    double headSize = 11;      // points
    double cellSize = 9;

    double headX(int c) const { return compact ? left(c) : 85 + 28 * c; }
    double pointsX(int c) const { return compact ? left(c) + 0.64 * step : 100 + 28 * c; }
    // Where the time and the status word begin (five columns or fewer).
    double timeX(int c) const { return 82 + 28 * c; }
    double statusX(int c) const { return 91 + 28 * c; }
    // Where they end (more than five columns).
    double cellEndX(int c) const { return pointsX(c) - 0.8; }

private:
    double left(int c) const { return 108 + step * (c - 1); }
};
