#pragma once
// Line text files: one value per line, CR LF, Windows-1252.
#include <QByteArray>
#include <QString>
#include <QStringList>
#include <memory>
#include <string>
#include <vector>

class QSaveFile;

// Reads a whole file at construction. A missing or unreadable file reads as
// an empty one (exists() is false). Lines may end in CR LF or LF alone; a
// final line without terminator counts as a line.
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

// Writes a whole file through a temporary file that replaces the old one only
// when commit() succeeds: a crash or a full disk never leaves a half-written
// file, and a failed write leaves the old file intact.
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
    bool commit();                        // false when anything failed
    // As commit(), but a file that already holds exactly these bytes is left
    // as it is (not replaced, its time of change kept) and only synced to
    // disk, so that afterwards it stands on the disk as commit() would have
    // left it. True in that case too.
    bool commitUnlessUnchanged();

private:
    bool open();
    bool writeBuffer();
    void append(const char *bytes, std::size_t size) { buffer_.append(bytes, size); }
    // The number text formatted into text (room for NumberTextBytes + 2),
    // ending at end, as one line.
    void numberBytesLine(char *text, char *end);

    QString path_;
    std::unique_ptr<QSaveFile> file_;   // opened at the first write to disk
    std::string buffer_;                // the file's bytes not yet handed to file_
    bool ok_ = true;
};

bool fileExists(const QString &path);
// Deletes a file if it exists; true when it is gone afterwards.
bool deleteFile(const QString &path);
