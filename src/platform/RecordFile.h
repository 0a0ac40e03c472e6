#pragma once
// Random-access files of fixed-length records, record n at (n - 1) * length.
#include <QByteArray>
#include <QString>
#include <cstdint>
#include <memory>

class QFile;

class RecordFile {
public:
    RecordFile();
    ~RecordFile();
    RecordFile(const RecordFile &) = delete;
    RecordFile &operator=(const RecordFile &) = delete;

    // Closes, then opens path for reading and writing; a missing file is
    // created empty. False when the file cannot be opened. A symbolic link
    // whose target lies outside the link's folder is opened for reading
    // only: every write fails.
    bool open(const QString &path, int recordLength);
    void close();
    bool isOpen() const;
    int recordLength() const { return length_; }

    // Reads record n (1-based). False, with out untouched, when the file is
    // not open, n < 1, or the record does not lie wholly inside the file.
    bool read(std::int64_t n, QByteArray &out) const;
    // Writes record n (1-based) and syncs it to disk; writing beyond the end
    // extends the file. False when the file is not open or not writable,
    // n < 1, or the write or the sync failed.
    bool write(std::int64_t n, const QByteArray &data);

    // The number of whole records the file holds (0 when it is not open): a
    // count kept elsewhere may claim more.
    std::int64_t recordCount() const;
    // Reads records first..first + count - 1 in one go, as far as they lie
    // wholly inside the file: out holds whole records only, possibly none.
    // False when the file is not open or cannot be read.
    bool readRecords(std::int64_t first, std::int64_t count, QByteArray &out) const;

    // For the life of a scope (one action that reads many records), reads
    // come from a copy of the whole file taken at the first read, instead of
    // a size check, a seek and a read of the file for every record. Reads
    // give exactly what they would give without it. A write through this
    // object goes to the file and into the copy alike; a failed write, open
    // and close drop the copy, and the next read takes it again. Scopes nest;
    // the copy goes when the outermost one ends. Only writes through this
    // object are seen: the file is not to be changed through another handle
    // while a scope lasts.
    class ReadScope {
    public:
        explicit ReadScope(RecordFile &file);
        ~ReadScope();
        ReadScope(const ReadScope &) = delete;
        ReadScope &operator=(const ReadScope &) = delete;

    private:
        RecordFile &file_;
    };

private:
    void dropCopy() const;
    bool loadCopy() const;

    std::unique_ptr<QFile> file_;
    int length_ = 0;
    bool writable_ = false;
    int scopes_ = 0;
    mutable bool copied_ = false;
    mutable QByteArray copy_;
};

// Packed little-endian fields of one record.
class RecordBuffer {
public:
    explicit RecordBuffer(int length);           // all zero bytes
    explicit RecordBuffer(QByteArray bytes);
    const QByteArray &bytes() const { return bytes_; }
    int length() const { return int(bytes_.size()); }

    // Text of a fixed field as stored (Windows-1252), NUL bytes read as blanks.
    QString text(int offset, int width) const;
    // The same without the blanks at either end (trimBlanks of text()).
    QString trimmedText(int offset, int width) const;
    // Left-aligned, padded with blanks, cut at the field width.
    void setText(int offset, int width, QStringView value);

    std::int16_t int16(int offset) const;
    void setInt16(int offset, std::int16_t value);
    std::int32_t int32(int offset) const;
    void setInt32(int offset, std::int32_t value);
    float single(int offset) const;
    void setSingle(int offset, float value);
    double dbl(int offset) const;
    void setDouble(int offset, double value);
    std::uint8_t byte(int offset) const;
    void setByte(int offset, std::uint8_t value);

private:
    QByteArray bytes_;
};
