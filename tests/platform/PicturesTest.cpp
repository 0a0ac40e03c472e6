// Pictures from files: missing or broken files are skipped, sizes in mm
// come from the resolution the file gives (96 dpi when it gives none).
#include <QFile>
#include <QTemporaryDir>
#include <QtEndian>
#include <gtest/gtest.h>

#include "platform/Pictures.h"

namespace {

class Pictures : public ::testing::Test {
protected:
    QString path(const QString &name) const { return dir_.filePath(name); }
    void write(const QString &name, const QByteArray &bytes) const
    {
        QFile file(path(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }

private:
    QTemporaryDir dir_;
};

// A 4 x 2 pixel 24-bit BMP whose header gives no resolution (0 pixels per
// metre), as many programs write them.
QByteArray bmpWithoutResolution()
{
    const int width = 4, height = 2, rowBytes = 12;
    QByteArray bytes(54 + rowBytes * height, '\0');
    auto put32 = [&](int at, quint32 v) { qToLittleEndian(v, bytes.data() + at); };
    auto put16 = [&](int at, quint16 v) { qToLittleEndian(v, bytes.data() + at); };
    bytes[0] = 'B';
    bytes[1] = 'M';
    put32(2, quint32(bytes.size()));
    put32(10, 54);
    put32(14, 40);
    put32(18, width);
    put32(22, height);
    put16(26, 1);
    put16(28, 24);
    put32(34, quint32(rowBytes * height));
    return bytes;
}

TEST_F(Pictures, MissingEmptyAndBrokenFilesGiveNoPicture)
{
    write("kaputt.jpg", "this is no picture");
    write("leer.png", "");
    EXPECT_TRUE(loadPicture(path("fehlt.png")).isNull());
    EXPECT_TRUE(loadPicture(path("kaputt.jpg")).isNull());
    EXPECT_TRUE(loadPicture(path("leer.png")).isNull());
    EXPECT_TRUE(loadPicture(QString()).isNull());
    EXPECT_TRUE(pictureSizeMm(QImage()).isEmpty());
}

TEST_F(Pictures, SizeInMillimetresFollowsTheResolutionOfTheFile)
{
    QImage logo(300, 150, QImage::Format_RGB32);
    logo.fill(Qt::blue);
    logo.setDotsPerMeterX(11811);   // 300 dpi
    logo.setDotsPerMeterY(11811);
    ASSERT_TRUE(logo.save(path("logo.png")));

    const QImage loaded = loadPicture(path("logo.png"));
    ASSERT_FALSE(loaded.isNull());
    const QSizeF mm = pictureSizeMm(loaded);
    EXPECT_NEAR(mm.width(), 25.4, 0.01);
    EXPECT_NEAR(mm.height(), 12.7, 0.01);
}

TEST_F(Pictures, AFileWithoutResolutionIsTakenAs96Dpi)
{
    write("ohne.bmp", bmpWithoutResolution());
    const QImage loaded = loadPicture(path("ohne.bmp"));
    ASSERT_FALSE(loaded.isNull());
    ASSERT_EQ(loaded.size(), QSize(4, 2));
    const QSizeF mm = pictureSizeMm(loaded);
    EXPECT_NEAR(mm.width(), 4 * 25.4 / 96, 0.001);
    EXPECT_NEAR(mm.height(), 2 * 25.4 / 96, 0.001);
}

} // namespace
