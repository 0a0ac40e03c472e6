#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <climits>
#include <cmath>
#include <cstring>
#include <limits>

#include "TestSupport.h"
#include "FileFaults.h"
#include "platform/DateText.h"
#include "platform/RecordFile.h"
#include "platform/Strings.h"

namespace {

using RecordFileTest = DataDirTest;

QByteArray hex(const char *text)
{
    return QByteArray::fromHex(text);
}

} // namespace

TEST_F(RecordFileTest, OpenCreatesAMissingFileEmpty)
{
    RecordFile f;
    EXPECT_FALSE(f.isOpen());
    ASSERT_TRUE(f.open(path("r.dat"), 4));
    EXPECT_TRUE(f.isOpen());
    EXPECT_EQ(f.recordLength(), 4);
    EXPECT_TRUE(QFile::exists(path("r.dat")));
    EXPECT_EQ(readBytes("r.dat").size(), 0);
    QByteArray out = "untouched";
    EXPECT_FALSE(f.read(1, out));
    EXPECT_EQ(out, "untouched");
}

TEST_F(RecordFileTest, OpenFailsForBadLengthOrPath)
{
    RecordFile f;
    EXPECT_FALSE(f.open(path("r.dat"), 0));
    EXPECT_FALSE(f.open(path("r.dat"), -3));
    ASSERT_TRUE(QDir(path("")).mkdir("folder"));
    EXPECT_FALSE(f.open(path("folder"), 4));
    EXPECT_FALSE(f.open(path("nofolder/r.dat"), 4));
    EXPECT_FALSE(f.isOpen());
    EXPECT_FALSE(f.write(1, "abcd"));
}

TEST_F(RecordFileTest, RecordNLiesAtNMinusOneTimesLength)
{
    RecordFile f;
    ASSERT_TRUE(f.open(path("r.dat"), 3));
    ASSERT_TRUE(f.write(1, "abc"));
    ASSERT_TRUE(f.write(2, "def"));
    ASSERT_TRUE(f.write(1, "ABC"));   // overwrite in place
    EXPECT_EQ(readBytes("r.dat"), "ABCdef");   // on disk at once
    QByteArray out;
    ASSERT_TRUE(f.read(2, out));
    EXPECT_EQ(out, "def");
    ASSERT_TRUE(f.read(1, out));
    EXPECT_EQ(out, "ABC");
}

TEST_F(RecordFileTest, WritingPastTheEndExtendsWithZeros)
{
    RecordFile f;
    ASSERT_TRUE(f.open(path("r.dat"), 2));
    ASSERT_TRUE(f.write(3, "xy"));
    EXPECT_EQ(readBytes("r.dat"), QByteArray("\0\0\0\0xy", 6));
    QByteArray out;
    ASSERT_TRUE(f.read(2, out));
    EXPECT_EQ(out, QByteArray(2, '\0'));
}

TEST_F(RecordFileTest, DataIsPaddedOrCutToTheRecordLength)
{
    RecordFile f;
    ASSERT_TRUE(f.open(path("r.dat"), 4));
    ASSERT_TRUE(f.write(1, "ab"));
    ASSERT_TRUE(f.write(2, "123456"));
    EXPECT_EQ(readBytes("r.dat"), QByteArray("ab\0\0" "1234", 8));
}

TEST_F(RecordFileTest, ReadsOnlyRecordsWhollyInsideTheFile)
{
    writeBytes("r.dat", "0123456789");   // two and a half records of 4
    RecordFile f;
    ASSERT_TRUE(f.open(path("r.dat"), 4));
    QByteArray out;
    ASSERT_TRUE(f.read(2, out));
    EXPECT_EQ(out, "4567");
    const std::int64_t outside[] = {3, 4, 0, -1, std::numeric_limits<std::int64_t>::max(),
                                    std::numeric_limits<std::int64_t>::min()};
    for (std::int64_t n : outside) {
        out = "untouched";
        EXPECT_FALSE(f.read(n, out)) << n;
        EXPECT_EQ(out, "untouched") << n;
    }
    EXPECT_FALSE(f.write(0, "abcd"));
    EXPECT_FALSE(f.write(std::numeric_limits<std::int64_t>::max(), "abcd"));
    EXPECT_EQ(readBytes("r.dat"), "0123456789");
}

TEST_F(RecordFileTest, ReopenKeepsRecordsAndCloseStopsAccess)
{
    RecordFile f;
    ASSERT_TRUE(f.open(path("a.dat"), 2));
    ASSERT_TRUE(f.write(1, "aa"));
    ASSERT_TRUE(f.open(path("b.dat"), 2));   // closes a.dat
    ASSERT_TRUE(f.write(1, "bb"));
    f.close();
    EXPECT_FALSE(f.isOpen());
    QByteArray out;
    EXPECT_FALSE(f.read(1, out));
    EXPECT_FALSE(f.write(1, "cc"));
    ASSERT_TRUE(f.open(path("a.dat"), 2));
    ASSERT_TRUE(f.read(1, out));
    EXPECT_EQ(out, "aa");
    EXPECT_EQ(readBytes("b.dat"), "bb");
}

namespace {

// What reads of records 1..6 and a few impossible numbers give, as text:
// the record, or "-" for a failed read (which leaves out untouched).
QString readAll(const RecordFile &f)
{
    QString seen;
    const std::int64_t numbers[] = {1, 2, 3, 4, 5, 6, 0, -1,
                                    std::numeric_limits<std::int64_t>::max()};
    for (std::int64_t n : numbers) {
        QByteArray out = "untouched";
        if (f.read(n, out))
            seen += QString::fromLatin1(out.toHex()) + u' ';
        else
            seen += out == "untouched" ? QStringLiteral("- ") : QStringLiteral("changed ");
    }
    return seen;
}

} // namespace

TEST_F(RecordFileTest, ReadScopeReadsWhatReadingTheFileGives)
{
    // Two and a half records of 4 (the half one reads as not there), then
    // the same file grown and shrunk between scopes.
    const QByteArray contents[] = {QByteArray(), QByteArray("0123456789"),
                                   QByteArray("01234567\0\0\0\0ABCDEFGH", 20),
                                   QByteArray("012")};
    RecordFile f;
    ASSERT_TRUE(f.open(path("r.dat"), 4));
    for (const QByteArray &bytes : contents) {
        writeBytes("r.dat", bytes);
        const QString direct = readAll(f);
        RecordFile::ReadScope scope(f);
        EXPECT_EQ(readAll(f), direct) << bytes.toHex().constData();
        {
            RecordFile::ReadScope nested(f);
            EXPECT_EQ(readAll(f), direct) << bytes.toHex().constData();
        }
        EXPECT_EQ(readAll(f), direct) << bytes.toHex().constData();
    }
}

TEST_F(RecordFileTest, RecordCountAndReadRecordsGoOnlyAsFarAsTheFileHoldsWholeRecords)
{
    writeBytes("r.dat", "aaaabbbbccccdd");   // three and a half records of 4
    RecordFile f;
    EXPECT_EQ(f.recordCount(), 0);
    QByteArray out = "untouched";
    EXPECT_FALSE(f.readRecords(1, 1, out));
    ASSERT_TRUE(f.open(path("r.dat"), 4));
    const struct {
        std::int64_t first, count;
        const char *bytes;
    } cases[] = {
        {1, 3, "aaaabbbbcccc"},
        {2, 1, "bbbb"},
        {2, 100, "bbbbcccc"},   // the half record is not there
        {0, 2, "aaaabbbb"},     // below 1 starts at record 1
        {4, 1, ""},
        {std::numeric_limits<std::int64_t>::max(), std::numeric_limits<std::int64_t>::max(), ""},
        {1, 0, ""},
        {1, -5, ""},
    };
    // The same with and without a scope's copy of the file.
    for (bool scoped : {false, true}) {
        RecordFile::ReadScope scope(f);
        if (scoped) {
            ASSERT_TRUE(f.read(1, out));   // takes the copy
        }
        EXPECT_EQ(f.recordCount(), 3);
        for (const auto &c : cases) {
            out = "untouched";
            EXPECT_TRUE(f.readRecords(c.first, c.count, out)) << c.first << " " << c.count;
            EXPECT_EQ(out, QByteArray(c.bytes)) << c.first << " " << c.count << " " << scoped;
        }
    }
    // A write behind the end is counted at once.
    ASSERT_TRUE(f.write(6, "ffff"));
    EXPECT_EQ(f.recordCount(), 6);
    ASSERT_TRUE(f.readRecords(4, 3, out));
    EXPECT_EQ(out, QByteArray("dd\0\0\0\0\0\0ffff", 12));
}

TEST_F(RecordFileTest, WritesInsideAReadScopeAreReadBack)
{
    writeBytes("r.dat", "aaaabbbbcc");
    RecordFile f;
    ASSERT_TRUE(f.open(path("r.dat"), 4));
    RecordFile::ReadScope scope(f);
    QByteArray out;
    ASSERT_TRUE(f.read(1, out));   // the copy is taken here
    EXPECT_EQ(out, "aaaa");
    {
        RecordFile::ReadScope nested(f);
        ASSERT_TRUE(f.write(2, "BBBB"));   // in place
        ASSERT_TRUE(f.read(2, out));
        EXPECT_EQ(out, "BBBB");
    }
    // Past the end: the half record and the gap become zeros, record 5 is there.
    ASSERT_TRUE(f.write(5, "EEEE"));
    EXPECT_EQ(readBytes("r.dat"), QByteArray("aaaaBBBBcc\0\0\0\0\0\0EEEE", 20));
    EXPECT_EQ(readAll(f), QStringLiteral("61616161 42424242 63630000 00000000 45454545 - - - - "));
    ASSERT_TRUE(f.write(3, "ab"));   // padded with zeros as always
    ASSERT_TRUE(f.read(3, out));
    EXPECT_EQ(out, QByteArray("ab\0\0", 4));
}

TEST_F(RecordFileTest, ReadScopeCopyIsTakenAtTheFirstReadAndEndsWithTheScope)
{
    writeBytes("r.dat", "1111");
    RecordFile f;
    QByteArray out;
    {
        // The file may be opened, and reopened, inside the scope.
        RecordFile::ReadScope scope(f);
        EXPECT_FALSE(f.read(1, out));
        ASSERT_TRUE(f.open(path("r.dat"), 4));
        writeBytes("r.dat", "2222");   // before the first read: seen
        ASSERT_TRUE(f.read(1, out));
        EXPECT_EQ(out, "2222");
        writeBytes("other.dat", "3333");
        ASSERT_TRUE(f.open(path("other.dat"), 4));
        ASSERT_TRUE(f.read(1, out));
        EXPECT_EQ(out, "3333");
        f.close();
        out = "untouched";
        EXPECT_FALSE(f.read(1, out));
        EXPECT_EQ(out, "untouched");
        ASSERT_TRUE(f.open(path("r.dat"), 4));
        ASSERT_TRUE(f.read(1, out));
        EXPECT_EQ(out, "2222");
    }
    // Without a scope every read goes to the file again.
    writeBytes("r.dat", "4444");
    ASSERT_TRUE(f.read(1, out));
    EXPECT_EQ(out, "4444");
}

TEST_F(RecordFileTest, ReadScopeOnAFileTooLargeToCopyReadsTheFile)
{
    RecordFile f;
    ASSERT_TRUE(f.open(path("r.dat"), 4));
    ASSERT_TRUE(f.write(1, "aaaa"));
    RecordFile::ReadScope scope(f);
    QByteArray out;
    ASSERT_TRUE(f.read(1, out));
    // A record 64 MiB on (the gap is a hole in the file) drops the copy.
    const std::int64_t far = 64 * 1024 * 1024 / 4 + 2;
    ASSERT_TRUE(f.write(far, "ffff"));
    ASSERT_TRUE(f.read(far, out));
    EXPECT_EQ(out, "ffff");
    ASSERT_TRUE(f.read(far - 1, out));
    EXPECT_EQ(out, QByteArray(4, '\0'));
    ASSERT_TRUE(f.write(1, "AAAA"));
    ASSERT_TRUE(f.read(1, out));
    EXPECT_EQ(out, "AAAA");
    EXPECT_FALSE(f.read(far + 1, out));
}

TEST(RecordBuffer, NumbersArePackedLittleEndianAtAnyOffset)
{
    // Odd offsets: the fields of the record files are packed, not aligned.
    RecordBuffer b(24);
    b.setByte(0, 0xAB);
    b.setInt16(1, -2);
    b.setInt32(3, 0x01020304);
    b.setSingle(7, 1.5f);
    b.setDouble(11, dates::oleFromDate(QDate(1983, 4, 13)));
    b.setInt16(19, 0x1234);
    EXPECT_EQ(b.bytes(), hex("ab" "feff" "04030201" "0000c03f" "00000000c0b4dd40" "3412" "000000"));
    EXPECT_EQ(b.byte(0), 0xAB);
    EXPECT_EQ(b.int16(1), -2);
    EXPECT_EQ(b.int32(3), 0x01020304);
    EXPECT_EQ(b.single(7), 1.5f);
    EXPECT_EQ(b.dbl(11), 30419.0);
    EXPECT_EQ(b.int16(19), 0x1234);

    const RecordBuffer read(hex("ffffff7f" "00000080" "0080"));
    EXPECT_EQ(read.int32(0), INT32_MAX);
    EXPECT_EQ(read.int32(4), INT32_MIN);
    EXPECT_EQ(read.int16(8), INT16_MIN);
}

TEST(RecordBuffer, FloatsKeepTheirExactBits)
{
    // NaNs with a payload and negative zero survive a read and a write.
    const QByteArray nanSingle = hex("0100c07f");
    const QByteArray nanDouble = hex("0100000000f8ff7f");
    const RecordBuffer src(nanSingle + nanDouble);
    RecordBuffer b(12);
    b.setSingle(0, src.single(0));
    b.setDouble(4, src.dbl(4));
    EXPECT_EQ(b.bytes(), nanSingle + nanDouble);
    b.setDouble(4, -0.0);
    EXPECT_EQ(b.bytes().mid(4), hex("0000000000000080"));
}

TEST(RecordBuffer, TextFieldsArePaddedWithBlanksAndReadNulAsBlank)
{
    RecordBuffer b(12);
    EXPECT_EQ(b.text(0, 4), "    ");   // a fresh record is all NUL
    b.setText(0, 6, u"Müller");
    b.setText(6, 6, u"Ab");
    EXPECT_EQ(b.bytes(), QByteArray("M\xfcller" "Ab    "));
    EXPECT_EQ(b.text(0, 6), QStringLiteral("Müller"));
    EXPECT_EQ(b.text(6, 6), "Ab    ");

    b.setText(0, 3, u"Abcdef");                 // cut at the width
    EXPECT_EQ(b.bytes().left(6), "Abcler");
    b.setText(0, 4, QString::fromUtf8("a\xf0\x9f\x98\x80ł"));   // one "?" per character
    EXPECT_EQ(b.bytes().left(4), "a?? ");

    const RecordBuffer withNul(QByteArray("A\0B\0", 4));
    EXPECT_EQ(withNul.text(0, 4), "A B ");
}

// The trimmed text decodes only what lies between the blanks; it must be
// trimBlanks of the whole field in every case, NULs and fields partly or
// wholly outside the record included.
TEST(RecordBuffer, TrimmedTextIsTheTextWithoutBlanksAtEitherEnd)
{
    const RecordBuffer b(QByteArray("  M\xfcller \0Hans\0 \0\0   \0\x80\x9f" " x", 26));
    const struct {
        int offset;
        int width;
        const char *trimmed;
    } cases[] = {
        {0, 10, "Müller"},       {0, 16, "Müller  Hans"}, {2, 1, "M"},
        {8, 10, "Hans"},         {14, 8, ""},             {0, 0, ""},
        {0, -2, ""},             {21, 3, "€Ÿ"},           {22, 10, "€Ÿ x"},
        {24, 5, "x"},            {26, 4, ""},             {-3, 6, "M"},
        {INT_MAX - 1, 3, ""},
    };
    for (const auto &c : cases) {
        const QString t = b.trimmedText(c.offset, c.width);
        EXPECT_EQ(t, QString::fromUtf8(c.trimmed)) << c.offset << " " << c.width;
        EXPECT_EQ(t, trimBlanks(b.text(c.offset, c.width))) << c.offset << " " << c.width;
        EXPECT_EQ(t.isNull(), trimBlanks(b.text(c.offset, c.width)).isNull())
            << c.offset << " " << c.width;
    }
}

TEST(RecordBuffer, OutOfRangeAccessIsIgnoredAndReadsAsDefault)
{
    RecordBuffer b(8);
    for (int i = 0; i < 8; ++i)
        b.setByte(i, std::uint8_t('a' + i));
    const QByteArray before = b.bytes();

    b.setInt32(6, 1);          // would end past the record
    b.setInt16(-1, 1);
    b.setDouble(1, 1.0);
    b.setSingle(INT_MAX - 1, 1.0f);
    b.setByte(8, 1);
    b.setByte(-1, 1);
    b.setText(-3, 2, u"xy");
    b.setText(INT_MAX, 5, u"xy");
    b.setText(0, -1, u"xy");
    EXPECT_EQ(b.bytes(), before);

    EXPECT_EQ(b.int32(5), 0);
    EXPECT_EQ(b.int32(-1), 0);
    EXPECT_EQ(b.int16(INT_MAX), 0);
    EXPECT_EQ(b.dbl(1), 0.0);
    EXPECT_EQ(b.single(INT_MIN), 0.0f);
    EXPECT_EQ(b.byte(8), 0);
    EXPECT_EQ(b.text(INT_MAX - 1, 3), "   ");
    EXPECT_EQ(b.text(0, -1), "");

    // A text field partly outside: the part inside is read and written.
    EXPECT_EQ(b.text(6, 4), "gh  ");
    b.setText(6, 4, u"ABCD");
    EXPECT_EQ(b.bytes(), "abcdefAB");
    b.setText(-2, 4, u"wxyz");
    EXPECT_EQ(b.bytes().left(2), "yz");

    RecordBuffer empty(-5);
    EXPECT_EQ(empty.length(), 0);
    EXPECT_EQ(empty.int32(0), 0);
}

TEST_F(RecordFileTest, RecordBufferRoundTripsThroughTheFile)
{
    RecordBuffer b(16);
    b.setText(0, 8, u"Ärmel");
    b.setInt32(8, 4711);
    b.setSingle(12, 12.5f);
    RecordFile f;
    ASSERT_TRUE(f.open(path("r.dat"), b.length()));
    ASSERT_TRUE(f.write(2, b.bytes()));
    QByteArray out;
    ASSERT_TRUE(f.read(2, out));
    const RecordBuffer r(out);
    EXPECT_EQ(r.text(0, 8), QStringLiteral("Ärmel   "));
    EXPECT_EQ(r.int32(8), 4711);
    EXPECT_EQ(r.single(12), 12.5f);
    EXPECT_EQ(readBytes("r.dat").mid(16), QByteArray("\xc4rmel   " "\x67\x12\0\0" "\0\0\x48\x41", 16));
}

TEST_F(RecordFileTest, AFailedWriteOrSyncIsReportedAndANewRecordIsTakenBack)
{
    const FileFaultGuard guard;
    RecordFile f;
    ASSERT_TRUE(f.open(path("r.dat"), 4));
    ASSERT_TRUE(f.write(1, "AAAA"));
    ASSERT_TRUE(f.write(2, "BBBB"));
    // Write, then sync: each is one step.
    ASSERT_EQ(fileStepsOf([&] { f.write(2, "BBBB"); }), 2);

    // A record beyond the end that the disk does not take wholly is cut off
    // again; so is one whose sync failed.
    const struct {
        qint64 bytesLeft;   // -1: no byte limit
        int failedStep;     // 0: none
    } cases[] = {{0, 0}, {1, 0}, {3, 0}, {-1, 1}, {-1, 2}};
    for (const auto &c : cases) {
        fileops::faults::clear();
        if (c.bytesLeft >= 0)
            fileops::faults::failAfterBytes(c.bytesLeft, ENOSPC);
        if (c.failedStep > 0)
            fileops::faults::failStep(c.failedStep, EIO);
        EXPECT_FALSE(f.write(3, "CCCC")) << c.bytesLeft << " " << c.failedStep;
        EXPECT_EQ(readBytes("r.dat"), "AAAABBBB") << c.bytesLeft << " " << c.failedStep;
        QByteArray out;
        EXPECT_FALSE(f.read(3, out));
    }
    // A record inside the file is reported too.
    fileops::faults::clear();
    fileops::faults::failStep(1, EIO);
    EXPECT_FALSE(f.write(1, "XXXX"));
    fileops::faults::clear();
    EXPECT_TRUE(f.write(3, "CCCC"));
    EXPECT_EQ(readBytes("r.dat"), "AAAABBBBCCCC");
}

TEST_F(RecordFileTest, ALinkOutOfTheFolderIsReadButNeverWritten)
{
    ASSERT_TRUE(QDir(path("")).mkdir("data"));
    ASSERT_TRUE(QDir(path("")).mkdir("data/sub"));
    writeBytes("victim", "VVVV");
    writeBytes("data/sub/own.rec", "OOOO");
    ASSERT_TRUE(QFile::link("../victim", path("data/out.rec")));
    ASSERT_TRUE(QFile::link("../missing", path("data/dangling.rec")));
    ASSERT_TRUE(QFile::link("sub/own.rec", path("data/in.rec")));

    RecordFile f;
    ASSERT_TRUE(f.open(path("data/out.rec"), 4));
    QByteArray out;
    ASSERT_TRUE(f.read(1, out));
    EXPECT_EQ(out, "VVVV");
    EXPECT_FALSE(f.write(1, "XXXX"));
    EXPECT_FALSE(f.write(2, "XXXX"));
    EXPECT_EQ(readBytes("victim"), "VVVV");

    // Opening a link that leads nowhere does not create its target.
    EXPECT_FALSE(f.open(path("data/dangling.rec"), 4));
    EXPECT_FALSE(QFileInfo::exists(path("missing")));

    // A link that stays inside the folder is the file itself.
    ASSERT_TRUE(f.open(path("data/in.rec"), 4));
    EXPECT_TRUE(f.write(2, "IIII"));
    EXPECT_EQ(readBytes("data/sub/own.rec"), "OOOOIIII");
}
