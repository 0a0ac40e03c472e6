#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cstdint>
#include <sys/stat.h>
#include <utility>
#include <unistd.h>

#include "TestSupport.h"
#include "FileFaults.h"
#include "platform/Cp1252.h"
#include "platform/TextFile.h"

namespace {

// Lines shown one by one in brackets, so a failure is readable and "" differs
// from no line at all.
std::string shown(const QStringList &lines)
{
    std::string out;
    for (const QString &l : lines)
        out += "[" + l.toStdString() + "]";
    return out;
}

class TextFileTest : public DataDirTest {
protected:
    QStringList readAll(const QString &name)
    {
        TextReader r(path(name));
        QStringList lines;
        while (!r.atEnd())
            lines << r.readLine();
        EXPECT_EQ(lines.size(), r.lineCount());
        return lines;
    }
};

} // namespace

TEST_F(TextFileTest, ReaderSplitsOnCrLfAndLf)
{
    const struct {
        QByteArray bytes;
        QStringList lines;
    } cases[] = {
        {"a\r\nb\r\n", {"a", "b"}},
        {"a\nb\n", {"a", "b"}},
        {"a\r\nb\nc", {"a", "b", "c"}},          // last line without terminator
        {"a\r\n\r\n\r\nb\r\n", {"a", "", "", "b"}},
        {"\r\n", {""}},
        {"", {}},
        {"a\rb\r\n", {"a\rb"}},                   // a CR alone is no terminator
        {"a\r", {"a\r"}},
        {"a\r\r\n", {"a\r"}},
        {"  7 \r\n", {"  7 "}},                   // blanks are kept
    };
    for (const auto &c : cases) {
        writeBytes("f.txt", c.bytes);
        EXPECT_EQ(shown(readAll("f.txt")), shown(c.lines)) << c.bytes.toStdString();
    }
}

TEST_F(TextFileTest, ReaderDecodesWindows1252)
{
    writeBytes("f.txt", "M\xfcller \x80\r\n\xc4rmel\r\n");
    EXPECT_EQ(shown(readAll("f.txt")), "[Müller €][Ärmel]");
}

TEST_F(TextFileTest, MissingFileReadsAsEmpty)
{
    TextReader r(path("missing.txt"));
    EXPECT_FALSE(r.exists());
    EXPECT_TRUE(r.atEnd());
    EXPECT_EQ(r.lineCount(), 0);
    EXPECT_EQ(r.readLine(), "");
    EXPECT_EQ(r.readNumber(), 0);
    r.skipLine();
    EXPECT_TRUE(r.atEnd());

    ASSERT_TRUE(QDir(path("")).mkdir("folder"));
    EXPECT_FALSE(TextReader(path("folder")).exists());

    writeBytes("empty.txt", "");
    TextReader e(path("empty.txt"));
    EXPECT_TRUE(e.exists());
    EXPECT_TRUE(e.atEnd());
}

TEST_F(TextFileTest, ReadNumberTakesCommaOrPointAndIgnoresTheRest)
{
    writeBytes("n.txt", crlfLines({" 17 ", "-2,5 ", "3.25", "abc", "", " 12xyz", "skipped", " 1E+20 "}));
    TextReader r(path("n.txt"));
    EXPECT_EQ(r.readNumber(), 17);
    EXPECT_EQ(r.readNumber(), -2.5);
    EXPECT_EQ(r.readNumber(), 3.25);
    EXPECT_EQ(r.readNumber(), 0);
    EXPECT_EQ(r.readNumber(), 0);
    EXPECT_EQ(r.readNumber(), 12);
    r.skipLine();
    EXPECT_EQ(r.readNumber(), 1e20);
    EXPECT_TRUE(r.atEnd());
    EXPECT_EQ(r.readNumber(), 0);
}

TEST_F(TextFileTest, WriterWritesWindows1252LinesWithCrLf)
{
    TextWriter w(path("out.txt"));
    w.line(QStringLiteral("Müller €"));
    w.line("");
    w.numberLine(17);
    w.numberLine(-2.5);
    w.numberLine(0.5);
    ASSERT_TRUE(w.commit());
    EXPECT_EQ(readBytes("out.txt"), QByteArray("M\xfcller \x80\r\n\r\n 17 \r\n-2,5 \r\n 0,5 \r\n"));
}

TEST_F(TextFileTest, PlainNumberLinesAreThePlainTexts)
{
    TextWriter w(path("out.txt"));
    w.plainNumberLine(65.32);
    w.plainNumberLine(0);
    w.plainNumberLine(-0.0);
    w.plainNumberLine(-3);
    w.plainNumberLine(1e20);
    w.plainNumberLineSingle(12.5f);
    w.plainNumberLineSingle(0.1f);
    w.plainNumberLineSingle(-16777215.0f);
    w.numberLine(1e15);
    w.numberLine(-0.0);
    ASSERT_TRUE(w.commit());
    EXPECT_EQ(readBytes("out.txt"),
              crlfLines({"65,32", "0", "0", "-3", "1E+20", "12,5", "0,1", "-16777220", " 1E+15 ",
                         " 0 "}));
}

TEST_F(TextFileTest, WritebackStartedEarlyStillReplacesOnlyAtCommit)
{
    writeBytes("f.txt", "old\r\n");
    writeBytes("g.txt", "old\r\n");
    {
        TextWriter f(path("f.txt"));
        TextWriter g(path("g.txt"));
        f.line("one");
        f.startWriteback();
        g.line("abandoned");
        g.startWriteback();
        f.line("two");             // lines after it still belong to the file
        EXPECT_EQ(readBytes("f.txt"), "old\r\n");
        ASSERT_TRUE(f.commit());
    }
    EXPECT_EQ(readBytes("f.txt"), "one\r\ntwo\r\n");
    EXPECT_EQ(readBytes("g.txt"), "old\r\n");
    EXPECT_EQ(shown(QDir(path("")).entryList(QDir::Files | QDir::Hidden)), "[f.txt][g.txt]");

    TextWriter w(path("nofolder/f.txt"));
    w.line("x");
    w.startWriteback();
    EXPECT_FALSE(w.commit());
}

#ifdef Q_OS_UNIX
namespace {

// The file's inode and time of change: both stay while nothing writes it.
std::pair<ino_t, std::int64_t> fileStamp(const QString &file)
{
    struct stat st {};
    EXPECT_EQ(::stat(QFile::encodeName(file).constData(), &st), 0);
    return {st.st_ino, std::int64_t(st.st_ctim.tv_sec) * 1000000000 + st.st_ctim.tv_nsec};
}

bool commitLines(const QString &file, const QStringList &lines)
{
    TextWriter w(file);
    for (const QString &l : lines)
        w.line(l);
    return w.commitUnlessUnchanged();
}

} // namespace

TEST_F(TextFileTest, CommitUnlessUnchangedLeavesAFileWithTheSameBytesAlone)
{
    const QString f = path("pos.dat");
    writeBytes("pos.dat", "a\r\nb\r\n");
    const auto before = fileStamp(f);
    ASSERT_TRUE(commitLines(f, {"a", "b"}));
    EXPECT_EQ(fileStamp(f), before);
    EXPECT_EQ(readBytes("pos.dat"), "a\r\nb\r\n");
    EXPECT_EQ(shown(QDir(path("")).entryList(QDir::Files | QDir::Hidden)), "[pos.dat]");

    // Other bytes, even of the same length, or a longer or shorter file:
    // replaced as by commit().
    const struct {
        QByteArray onDisk;
        QStringList lines;
    } cases[] = {
        {"a\r\nb\r\n", {"a", "c"}},
        {"a\r\nb\r\n", {"a", "b", ""}},
        {"a\r\nb\r\n\r\n", {"a", "b"}},
        {"", {"a"}},
        {"a\r\n", {}},
    };
    for (const auto &c : cases) {
        writeBytes("pos.dat", c.onDisk);
        const auto old = fileStamp(f);
        ASSERT_TRUE(commitLines(f, c.lines));
        EXPECT_NE(fileStamp(f), old) << c.onDisk.toStdString();
        EXPECT_EQ(readBytes("pos.dat"), crlfLines(c.lines)) << c.onDisk.toStdString();
    }

    // No file, or a folder in its place: as commit().
    QFile::remove(f);
    ASSERT_TRUE(commitLines(f, {"a"}));
    EXPECT_EQ(readBytes("pos.dat"), "a\r\n");
    ASSERT_TRUE(QDir(path("")).mkdir("taken"));
    EXPECT_FALSE(commitLines(path("taken"), {}));
    EXPECT_TRUE(QFileInfo(path("taken")).isDir());
}
#endif

TEST_F(TextFileTest, WrittenLinesAndNumbersReadBack)
{
    const QStringList lines = {"  7  MAIER Hans", "", QStringLiteral("Ärmel – „Ski“"), "a;b,c"};
    const double numbers[] = {0, -0.5, 0.333333333333333, 65.32, 1e20, -2.5e-16, 123456789};
    {
        TextWriter w(path("rt.txt"));
        for (const QString &l : lines)
            w.line(l);
        for (double v : numbers)
            w.numberLine(v);
        ASSERT_TRUE(w.commit());
    }
    TextReader r(path("rt.txt"));
    for (const QString &l : lines)
        EXPECT_EQ(r.readLine(), l);
    for (double v : numbers)
        EXPECT_EQ(r.readNumber(), v);
    EXPECT_TRUE(r.atEnd());
}

TEST_F(TextFileTest, OldFileIsReplacedOnlyByCommit)
{
    writeBytes("f.txt", "old\r\n");
    {
        TextWriter w(path("f.txt"));
        w.line("new");
        EXPECT_EQ(readBytes("f.txt"), "old\r\n");
        ASSERT_TRUE(w.commit());
    }
    EXPECT_EQ(readBytes("f.txt"), "new\r\n");

    {
        TextWriter w(path("f.txt"));
        w.line("abandoned");
    }
    EXPECT_EQ(readBytes("f.txt"), "new\r\n");
    // No temporary file is left behind either.
    EXPECT_EQ(shown(QDir(path("")).entryList(QDir::Files | QDir::Hidden)), "[f.txt]");
}

TEST_F(TextFileTest, CommitWithoutLinesWritesAnEmptyFile)
{
    writeBytes("f.txt", "old\r\n");
    TextWriter w(path("f.txt"));
    ASSERT_TRUE(w.commit());
    EXPECT_TRUE(fileExists(path("f.txt")));
    EXPECT_EQ(readBytes("f.txt"), QByteArray());
}

TEST_F(TextFileTest, SecondCommitFailsAndChangesNothing)
{
    TextWriter w(path("f.txt"));
    w.line("one");
    ASSERT_TRUE(w.commit());
    w.line("two");
    EXPECT_FALSE(w.commit());
    EXPECT_EQ(readBytes("f.txt"), "one\r\n");
}

TEST_F(TextFileTest, FailedSaveIsReportedAndLeavesNoFile)
{
    {
        TextWriter w(path("nofolder/f.txt"));
        w.line("x");
        EXPECT_FALSE(w.commit());
    }
    EXPECT_FALSE(QFileInfo::exists(path("nofolder")));

    // A folder where the file should be: neither replaced nor touched.
    ASSERT_TRUE(QDir(path("")).mkdir("taken"));
    writeBytes("taken/inside.txt", "keep");
    {
        TextWriter w(path("taken"));
        w.line("x");
        EXPECT_FALSE(w.commit());
    }
    EXPECT_TRUE(QFileInfo(path("taken")).isDir());
    EXPECT_EQ(readBytes("taken/inside.txt"), "keep");
}

TEST_F(TextFileTest, FailedSaveInReadOnlyFolderKeepsTheOldFile)
{
    if (geteuid() == 0)
        GTEST_SKIP() << "permissions do not stop root";
    ASSERT_TRUE(QDir(path("")).mkdir("ro"));
    writeBytes("ro/f.txt", "old\r\n");
    QFile::setPermissions(path("ro"), QFile::ReadOwner | QFile::ExeOwner);
    bool committed = true;
    {
        TextWriter w(path("ro/f.txt"));
        w.line("new");
        committed = w.commit();
    }
    QFile::setPermissions(path("ro"), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    EXPECT_FALSE(committed);
    EXPECT_EQ(readBytes("ro/f.txt"), "old\r\n");
}

TEST_F(TextFileTest, FileExistsAndDeleteFile)
{
    writeBytes("f.txt", "x");
    ASSERT_TRUE(QDir(path("")).mkdir("folder"));
    EXPECT_TRUE(fileExists(path("f.txt")));
    EXPECT_FALSE(fileExists(path("missing.txt")));
    EXPECT_FALSE(fileExists(path("folder")));
    EXPECT_FALSE(fileExists(""));

    EXPECT_TRUE(deleteFile(path("f.txt")));
    EXPECT_FALSE(QFileInfo::exists(path("f.txt")));
    EXPECT_TRUE(deleteFile(path("f.txt")));   // already gone
    EXPECT_FALSE(deleteFile(path("folder")));
    EXPECT_TRUE(QFileInfo(path("folder")).isDir());
}

// ---- failures of the file system, injected ---------------------------------

namespace {

const QByteArray OldBytes = "old line\r\nsecond old line\r\n";

bool saveNewLines(const QString &file)
{
    TextWriter w(file);
    w.line("new");
    w.numberLine(17);
    w.line("the last new line");
    return w.commit();
}

} // namespace

TEST_F(TextFileTest, EveryFailedStepOfASaveIsReportedAndKeepsTheOldFile)
{
    const FileFaultGuard guard;
    const QString f = path("f.txt");
    writeBytes("f.txt", OldBytes);
    // Create, write, sync, close, rename, sync the folder.
    const int steps = fileStepsOf([&] { saveNewLines(f); });
    ASSERT_EQ(steps, 6);
    const QByteArray newBytes = readBytes("f.txt");
    for (const int error : {ENOSPC, EIO}) {
        for (int step = 1; step <= steps; ++step) {
            writeBytes("f.txt", OldBytes);
            fileops::faults::clear();
            fileops::faults::failStep(step, error);
            EXPECT_FALSE(saveNewLines(f)) << step;
            fileops::faults::clear();
            // Until the rename the old file stands; only a failed sync of
            // the folder after it finds the new one in place.
            EXPECT_EQ(readBytes("f.txt"), step < steps ? OldBytes : newBytes) << step;
            EXPECT_EQ(shown(QDir(path("")).entryList(QDir::Files | QDir::Hidden)), "[f.txt]")
                << step;
        }
    }
}

TEST_F(TextFileTest, AFullDiskAfterAnyNumberOfBytesKeepsTheOldFile)
{
    const FileFaultGuard guard;
    const QString f = path("f.txt");
    ASSERT_TRUE(saveNewLines(f));
    const qint64 size = readBytes("f.txt").size();
    for (const qint64 limit : {qint64(0), qint64(1), size / 2, size - 1}) {
        writeBytes("f.txt", OldBytes);
        fileops::faults::clear();
        fileops::faults::failAfterBytes(limit, ENOSPC);
        EXPECT_FALSE(saveNewLines(f)) << limit;
        EXPECT_EQ(readBytes("f.txt"), OldBytes) << limit;
        EXPECT_EQ(shown(QDir(path("")).entryList(QDir::Files | QDir::Hidden)), "[f.txt]") << limit;
    }
    // Room for every byte: saved.
    fileops::faults::clear();
    fileops::faults::failAfterBytes(size, ENOSPC);
    EXPECT_TRUE(saveNewLines(f));
    EXPECT_EQ(readBytes("f.txt").size(), size);
}

TEST_F(TextFileTest, ReaderSkipsAByteOrderMarkAtTheStartOnly)
{
    const struct {
        QByteArray bytes;
        QList<QByteArray> lines;   // as the code page reads them
    } cases[] = {
        {"\xEF\xBB\xBF 12 \r\n 3 \r\n", {" 12 ", " 3 "}},
        {"\xEF\xBB\xBF", {}},
        {"\xEF\xBB\xBF\r\n", {""}},
        {"a\r\n\xEF\xBB\xBF" "b\r\n", {"a", "\xEF\xBB\xBF" "b"}},   // further on: text like any
        {"\xEF\xBB" "a\r\n", {"\xEF\xBB" "a"}},                       // no whole mark
    };
    for (const auto &c : cases) {
        writeBytes("f.txt", c.bytes);
        QStringList expected;
        for (const QByteArray &l : c.lines)
            expected << cp1252::decode(l);
        EXPECT_EQ(shown(readAll("f.txt")), shown(expected)) << c.bytes.toStdString();
    }
    writeBytes("f.txt", "\xEF\xBB\xBF 12 \r\n");
    TextReader r(path("f.txt"));
    EXPECT_EQ(r.readNumber(), 12);
}

#ifdef Q_OS_UNIX
TEST_F(TextFileTest, ASaveReplacesALinkAndNeverWritesItsTarget)
{
    ASSERT_TRUE(QDir(path("")).mkdir("data"));
    writeBytes("victim", "precious\r\n");
    writeBytes("data/inside.txt", "inside\r\n");
    ASSERT_TRUE(QFile::link("../victim", path("data/out.txt")));
    ASSERT_TRUE(QFile::link("inside.txt", path("data/in.txt")));
    ASSERT_TRUE(QFile::link("../nowhere", path("data/dangling.txt")));
    for (const char *name : {"data/out.txt", "data/in.txt", "data/dangling.txt"}) {
        ASSERT_TRUE(saveNewLines(path(name))) << name;
        EXPECT_FALSE(QFileInfo(path(name)).isSymLink()) << name;
        EXPECT_TRUE(readBytes(name).startsWith("new\r\n")) << name;
    }
    EXPECT_EQ(readBytes("victim"), "precious\r\n");
    EXPECT_EQ(readBytes("data/inside.txt"), "inside\r\n");
    EXPECT_FALSE(QFileInfo::exists(path("nowhere")));

    // A link where the temporary file goes is not followed either.
    ASSERT_TRUE(QFile::link("../victim", path("data/t.txt.tmp")));
    ASSERT_TRUE(saveNewLines(path("data/t.txt")));
    EXPECT_EQ(readBytes("victim"), "precious\r\n");
    EXPECT_FALSE(QFileInfo(path("data/t.txt.tmp")).isSymLink());

    // The same bytes behind a link: the link is still replaced.
    writeBytes("victim", "new\r\n 17 \r\nthe last new line\r\n");
    QFile::remove(path("data/out.txt"));
    ASSERT_TRUE(QFile::link("../victim", path("data/out.txt")));
    TextWriter w(path("data/out.txt"));
    w.line("new");
    w.numberLine(17);
    w.line("the last new line");
    ASSERT_TRUE(w.commitUnlessUnchanged());
    EXPECT_FALSE(QFileInfo(path("data/out.txt")).isSymLink());
}

TEST_F(TextFileTest, DeleteFileRemovesALinkNotItsTarget)
{
    writeBytes("victim", "precious");
    ASSERT_TRUE(QFile::link("victim", path("link")));
    ASSERT_TRUE(QFile::link("nowhere", path("dangling")));
    EXPECT_TRUE(deleteFile(path("link")));
    EXPECT_TRUE(deleteFile(path("dangling")));
    EXPECT_FALSE(QFileInfo(path("link")).isSymLink());
    EXPECT_FALSE(QFileInfo(path("dangling")).isSymLink());
    EXPECT_EQ(readBytes("victim"), "precious");
}
#endif
