#pragma once
// The pictures the program carries: the eight pictograms, the two pictures
// of the list heads and the race window's decoration.
#include <QImage>
#include <QString>

// A carried picture by its file name ("pictogram1.png", "emblem.png",
// "strip.png", "race.png"); a null image for an unknown name.
QImage ProgramPicture(const QString &name);

// The pictograms at their own size, for printing: skier, snowboarder,
// sledger, running child, female runner, male runner, running pair,
// cyclist (1..8; a null image outside).
QImage PictogramPicture(int n);
