#pragma once
// Pictures for windows and printed pages, loaded from files beside the data.
#include <QImage>
#include <QSizeF>
#include <QString>

// The picture in a file; a null image when the file is missing or cannot be
// read as a picture (callers skip such a picture as if it were not there).
// A picture that does not say its resolution is taken as 96 dpi.
QImage loadPicture(const QString &path);

// The natural size of a picture in millimetres, from its dots per metre
// (96 dpi where that is unset or zero). Empty for a null image.
QSizeF pictureSizeMm(const QImage &picture);
