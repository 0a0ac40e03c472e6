#pragma once
// Line text files: one value per line, CR LF, Windows-1252.
#include <QByteArray>
#include <QString>
#include <QStringList>
#include <memory>
#include <string>
#include <vector>

// Reads a whole file at construction. A missing or unreadable file reads as
// an empty one (exists() is false). Lines may end in CR LF or LF alone; a
// final line without terminator counts as a line. A UTF-8 byte-order mark at
// the start (an editor may add one) is no part of the first line.
class TextReader {
public:
    explicit TextReader(const QString &path);
    bool exists() const { return exists_; }
    // True when every line has been read.
    bool atEnd() const { return next_ >= qsizetype(lines_.size()); }
    // The next line as it stands; "" at the end.
    QString readLine();
    // The next line read as a number (blanks skipped, "," or "." as decimal
    // separator, anything else after the number ignored); 0 for a line that
    // holds no number or at the end.
    double readNumber();
    void skipLine();
    int lineCount() const { return int(lines_.size()); }

private:
    struct Line {
        qsizetype start;
        qsizetype size;
    };
    bool exists_ = false;
    QString text_;              // the whole file, decoded once
    std::vector<Line> lines_;   // where each line stands in text_
    qsizetype next_ = 0;
};

// Writes a whole file through a temporary file (the file's name and ".tmp")
// that replaces the old one only when commit() succeeds: a crash or a full
// disk never leaves a half-written file, and a failed write, sync, close or
// rename leaves the old file byte for byte. The replacement is done with
// POSIX calls, each checked: a buffered save that closes without syncing can
// report success for bytes the disk never took. A symbolic link at the path
// is replaced by the new file, never written through, so a save stays in the
// folder of the file whatever the link points to.
class TextWriter {
public:
    explicit TextWriter(const QString &path);
    ~TextWriter();
    TextWriter(const TextWriter &) = delete;
    TextWriter &operator=(const TextWriter &) = delete;

    void line(const QString &text);       // text, CR LF
    void numberLine(double value);        // number line form " 17 "
    // line(num::plainNumberText(value)) and line(num::plainNumberTextSingle(value)).
    void plainNumberLine(double value);
    void plainNumberLineSingle(float value);

    // Hands the bytes so far to the temporary file and lets the system start
    // writing them to disk without waiting for it; commit() still syncs them
    // before it replaces the old file. Writing several files this way before
    // committing them lets their disk writes overlap.
    void startWriteback();
    // Writes the rest to the temporary file, syncs and closes it, but leaves
    // the old file in place: for files replaced as a set, whose temporary
    // files must all stand on the disk before the first is renamed. False
    // when anything failed (the temporary file is removed then).
    bool prepare();
    // After prepare(): the temporary file is the caller's from now on, to be
    // renamed by it; the writer neither renames nor removes it.
    void release();
    // prepare() unless done, then renames the temporary file over the old one
    // and syncs the folder. False when anything failed; the old file stays
    // unless only the final folder sync failed.
    bool commit();
    // As commit(), but a file that already holds exactly these bytes is left
    // as it is (not replaced, its time of change kept) and only synced to
    // disk, so that afterwards it stands on the disk as commit() would have
    // left it. True in that case too.
    bool commitUnlessUnchanged();

    const QString &path() const { return path_; }
    static QString temporaryPath(const QString &path) { return path + QStringLiteral(".tmp"); }

private:
    bool open();
    bool writeBuffer();
    void discard();
    void append(const char *bytes, std::size_t size) { buffer_.append(bytes, size); }
    // The number text formatted into text (room for NumberTextBytes + 2),
    // ending at end, as one line.
    void numberBytesLine(char *text, char *end);

    QString path_;
    int fd_ = -1;                 // the temporary file, opened at the first write to disk
    bool created_ = false;        // the temporary file exists and is ours to remove
    bool prepared_ = false;       // written, synced and closed
    std::string buffer_;          // the file's bytes not yet written to the temporary file
    bool ok_ = true;
};

bool fileExists(const QString &path);
// Deletes a file if it exists; true when it is gone afterwards. A symbolic
// link is removed itself, never its target.
bool deleteFile(const QString &path);
