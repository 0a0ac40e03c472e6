#pragma once
// The pictures the program carries: the eight pictograms, the two pictures
// of the list heads and the race window's decoration.
#include <QImage>
#include <QString>

// A carried picture by its file name ("pictogram1.png", "emblem.png",
// "strip.png", "race.png"); a null image for an unknown name.
QImage ProgramPicture(const QString &name);
