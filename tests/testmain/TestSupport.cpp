#include "TestSupport.h"

#include <QBuffer>
#include <QColor>
#include <QDate>
#include <QDateTime>
#include <QDir>
#include <QTime>
#include <QFile>
#include <QImage>
#include <QImageWriter>

#include "core/SharedState.h"
#include "core/StartUp.h"
#include "platform/Beep.h"
#include "platform/Clock.h"
#include "platform/Cp1252.h"
#include "platform/Printer.h"
#include "platform/RecordingPrinter.h"

void DataDirTest::SetUp()
{
    ASSERT_TRUE(dir_.isValid());
    oldDir_ = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(dir_.path()));
    resetAllSharedState();
    resetBeepCount();
    rnd::reset();
    sysclock::setFixedNow(QDateTime());
    resetPrinter();
    // No test sends a job to a real printer by accident.
    useRecordingPrinter();
}

void DataDirTest::TearDown()
{
    resetAllSharedState();
    QDir::setCurrent(oldDir_);
}

QString DataDirTest::path(const QString &name) const
{
    return dir_.filePath(name);
}

QByteArray DataDirTest::readBytes(const QString &name) const
{
    QFile f(path(name));
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return f.readAll();
}

void DataDirTest::writeBytes(const QString &name, const QByteArray &bytes) const
{
    QFile f(path(name));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    ASSERT_EQ(f.write(bytes), bytes.size());
}

void DataDirTest::writeJpeg(const QString &name, int width, int height) const
{
    QImage picture(width, height, QImage::Format_RGB32);
    picture.fill(QColor(0, 80, 160));
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    ASSERT_TRUE(QImageWriter(&buffer, "jpg").write(picture));
    writeBytes(name, bytes);
}

QByteArray crlfLines(const QStringList &lines)
{
    QByteArray out;
    for (const QString &l : lines) {
        out += cp1252::encode(l);
        out += "\r\n";
    }
    return out;
}

void SeasonDataDirTest::SetUp()
{
    DataDirTest::SetUp();
    sysclock::setFixedNow(QDateTime(QDate(2026, 12, 9), QTime(10, 0)));
    ComputeSeasonYearOffset();
    LoadStandardClassTable();
    Race.ActiveRaceNo = 5;
}
