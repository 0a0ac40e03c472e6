#pragma once
#include <QByteArray>
#include <QString>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <ostream>

// Readable QString values in test failures.
inline void PrintTo(const QString &text, std::ostream *out)
{
    *out << '"' << text.toStdString() << '"';
}

// A test that runs in its own empty working directory (the data directory of
// the program) with every piece of shared state reset.
class DataDirTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    QString path(const QString &name) const;       // inside the data directory
    QByteArray readBytes(const QString &name) const;
    void writeBytes(const QString &name, const QByteArray &bytes) const;
    // A blue picture (70 x 36 pixels unless given) as the JPEG file `name`,
    // as a club's logo.
    void writeJpeg(const QString &name, int width = 70, int height = 36) const;

private:
    QTemporaryDir dir_;
    QString oldDir_;
};

// A data directory on 9 December 2026 (season 2027) with the standard class
// table loaded and race 5 the active race, as the save and load tests of the
// race files start.
class SeasonDataDirTest : public DataDirTest {
protected:
    void SetUp() override;
};

// Text with CR LF after each of the given lines, as the program writes files.
QByteArray crlfLines(const QStringList &lines);
