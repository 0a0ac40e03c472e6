#include "platform/Pictures.h"

#include <QFileInfo>
#include <QImageReader>

namespace {

constexpr double MmPerInch = 25.4;
constexpr int DotsPerMetre96 = 3780;   // 96 dpi

} // namespace

QImage loadPicture(const QString &path)
{
    if (path.isEmpty() || !QFileInfo(path).isFile())
        return {};
    QImageReader reader(path);
    reader.setAutoTransform(true);
    QImage picture = reader.read();
    if (picture.isNull())
        return {};
    // A reader that finds no resolution in the file leaves the default of a
    // new image (the screen's); the program's pictures are laid out at 96 dpi.
    const QImage fresh(1, 1, QImage::Format_RGB32);
    if (picture.dotsPerMeterX() == fresh.dotsPerMeterX()
        && picture.dotsPerMeterY() == fresh.dotsPerMeterY()) {
        picture.setDotsPerMeterX(DotsPerMetre96);
        picture.setDotsPerMeterY(DotsPerMetre96);
    }
    return picture;
}

QSizeF pictureSizeMm(const QImage &picture)
{
    if (picture.isNull())
        return {};
    auto mm = [](int dots, int dotsPerMetre) {
        const double perMetre = dotsPerMetre > 0 ? double(dotsPerMetre)
                                                 : 96.0 / MmPerInch * 1000.0;
        return dots / perMetre * 1000.0;
    };
    return {mm(picture.width(), picture.dotsPerMeterX()),
            mm(picture.height(), picture.dotsPerMeterY())};
}
