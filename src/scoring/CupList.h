#pragma once
// The printed cup standings: landscape pages, class cell by class cell in
// the order of the cup window's hidden key list, per participant the rank,
// name and club, birth year, the time or status and the points of every cup
// column, and the total.

// Prints the result of the last EvaluateCup on the current printer and
// disables Form20.Command2 (a second printout needs a new evaluation).
void PrintCupList();

// Where the cup columns stand on the page (mm). Up to five columns are 28 mm
// apart, the first at 110. More columns share the room of those five: they
// are set closer and smaller, and their times and status words end just
// before the points.
struct CupColumnLayout {
    explicit CupColumnLayout(int columns);
    double step = 28;
    double scale = 1;          // step / 28
    bool compact = false;      // more than five columns
    double headSize = 11;      // points
    double cellSize = 9;

    double timeX(int c) const { return 82 + step * c; }
    double statusX(int c) const { return 82 + step * c + 9 * scale; }
    double pointsX(int c) const { return 82 + step * c + 18 * scale; }
    double headX(int c) const { return 82 + step * c + 3 * scale; }
};
