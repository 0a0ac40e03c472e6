#include "RecordFile.h"

#include <QFile>
#include <QtEndian>
#include <algorithm>
#include <cstring>
#include <limits>
#include <unistd.h>

#include "Cp1252.h"
#include "FileOps.h"
#include "Strings.h"

RecordFile::RecordFile() = default;
RecordFile::~RecordFile() = default;

bool RecordFile::open(const QString &path, int recordLength)
{
    close();
    dropCopy();
    if (recordLength <= 0)
        return false;
    auto file = std::make_unique<QFile>(path);
    // A link that leads out of the data folder (a folder received as an
    // archive may hold one) is read but never written through: writing
    // would change a file elsewhere, and opening for writing would even
    // create the link's missing target.
    writable_ = !fileops::linksOutsideItsFolder(path);
    // Unbuffered: a second handle on the same file (another window, a test)
    // sees every write at once.
    if (!file->open((writable_ ? QIODevice::ReadWrite : QIODevice::ReadOnly)
                    | QIODevice::Unbuffered))
        return false;
    file_ = std::move(file);
    length_ = recordLength;
    return true;
}

void RecordFile::close()
{
    dropCopy();
    file_.reset();
    length_ = 0;
}

bool RecordFile::isOpen() const
{
    return file_ != nullptr;
}

namespace {

// Start of record n, or -1 when n is out of range or the offset overflows.
qint64 recordOffset(std::int64_t n, int length)
{
    if (n < 1 || length <= 0)
        return -1;
    if (n - 1 > (std::numeric_limits<qint64>::max() - length) / length)
        return -1;
    return (n - 1) * length;
}

} // namespace

RecordFile::ReadScope::ReadScope(RecordFile &file)
    : file_(file)
{
    ++file_.scopes_;
}

RecordFile::ReadScope::~ReadScope()
{
    if (--file_.scopes_ == 0)
        file_.dropCopy();
}

void RecordFile::dropCopy() const
{
    copied_ = false;
    copy_ = QByteArray();
}

namespace {

// Larger files are read record by record also inside a scope.
constexpr qint64 MaxCopySize = qint64(64) * 1024 * 1024;

} // namespace

bool RecordFile::loadCopy() const
{
    if (copied_)
        return true;
    const qint64 size = file_->size();
    if (size < 0 || size > MaxCopySize || !file_->seek(0))
        return false;
    QByteArray bytes(size, Qt::Uninitialized);
    if (size > 0 && file_->read(bytes.data(), size) != size)
        return false;
    copy_ = std::move(bytes);
    copied_ = true;
    return true;
}

bool RecordFile::read(std::int64_t n, QByteArray &out) const
{
    if (!file_)
        return false;
    const qint64 pos = recordOffset(n, length_);
    if (pos < 0)
        return false;
    if (scopes_ > 0 && loadCopy()) {
        if (pos + length_ > copy_.size())
            return false;
        out = copy_.mid(pos, length_);
        return true;
    }
    if (pos + length_ > file_->size())
        return false;
    if (!file_->seek(pos))
        return false;
    QByteArray bytes(length_, '\0');
    if (file_->read(bytes.data(), length_) != length_)
        return false;
    out = std::move(bytes);
    return true;
}

std::int64_t RecordFile::recordCount() const
{
    if (!file_ || length_ <= 0)
        return 0;
    const qint64 size = scopes_ > 0 && copied_ ? copy_.size() : file_->size();
    return size > 0 ? size / length_ : 0;
}

bool RecordFile::readRecords(std::int64_t first, std::int64_t count, QByteArray &out) const
{
    out.clear();
    if (!file_)
        return false;
    const std::int64_t held = recordCount();
    if (first < 1)
        first = 1;
    if (count <= 0 || first > held)
        return true;
    count = std::min(count, held - first + 1);
    const qint64 pos = (first - 1) * length_;
    const qint64 size = count * length_;
    if (scopes_ > 0 && copied_) {
        out = copy_.mid(pos, size);
        return true;
    }
    if (!file_->seek(pos))
        return false;
    QByteArray bytes(size, Qt::Uninitialized);
    const qint64 got = file_->read(bytes.data(), size);
    if (got < 0)
        return false;
    bytes.truncate(got - got % length_);
    out = std::move(bytes);
    return true;
}

bool RecordFile::write(std::int64_t n, const QByteArray &data)
{
    if (!file_)
        return false;
    const qint64 pos = recordOffset(n, length_);
    if (pos < 0)
        return false;
    // Exactly one record: shorter data is filled with zero bytes, longer cut.
    QByteArray bytes = data.left(length_);
    if (bytes.size() < length_)
        bytes.append(length_ - bytes.size(), '\0');
    // Writing past the end extends the file; the gap reads as zeros. The
    // record counts as written only when it is on the disk.
    const int fd = file_->handle();
    const qint64 oldSize = file_->size();
    const bool written = writable_ && fd >= 0
        && fileops::writeAt(fd, pos, bytes.constData(), std::size_t(length_))
        && fileops::sync(fd);
    // A record that did not get wholly onto a full disk is taken back off
    // the end, so that the file stays as it was.
    if (!written && writable_ && fd >= 0 && pos + length_ > oldSize && oldSize >= 0)
        (void)::ftruncate(fd, off_t(oldSize));
    if (copied_) {
        if (!written || pos + length_ > MaxCopySize) {
            dropCopy();   // the file may hold part of it: read it again
        } else {
            if (pos + length_ > copy_.size())
                copy_.resize(pos + length_, '\0');
            std::memcpy(copy_.data() + pos, bytes.constData(), std::size_t(length_));
        }
    }
    return written;
}

RecordBuffer::RecordBuffer(int length)
    : bytes_(length > 0 ? length : 0, '\0')
{
}

RecordBuffer::RecordBuffer(QByteArray bytes)
    : bytes_(std::move(bytes))
{
}

namespace {

// True when [offset, offset + width) lies inside a buffer of the given size.
bool fits(qsizetype size, int offset, int width)
{
    return offset >= 0 && width >= 0 && qint64(offset) + width <= size;
}

} // namespace

QString RecordBuffer::text(int offset, int width) const
{
    if (width <= 0)
        return {};
    if (fits(bytes_.size(), offset, width)) {
        // Straight from the record, without a copy of the field's bytes.
        QString t = cp1252::decode(bytes_.constData() + offset, width);
        if (std::memchr(bytes_.constData() + offset, '\0', std::size_t(width)))
            t.replace(QChar(u'\0'), QChar(u' '));
        return t;
    }
    QByteArray raw(width, ' ');
    for (int i = 0; i < width; ++i) {
        const qint64 at = qint64(offset) + i;
        if (at >= 0 && at < bytes_.size() && bytes_[at] != '\0')
            raw[i] = bytes_[at];
    }
    return cp1252::decode(raw);
}

QString RecordBuffer::trimmedText(int offset, int width) const
{
    if (width <= 0 || !fits(bytes_.size(), offset, width))
        return trimBlanks(text(offset, width));
    // Only the characters between the blanks are decoded.
    const char *first = bytes_.constData() + offset;
    const char *last = first + width;
    auto blank = [](char c) { return c == ' ' || c == '\0'; };
    while (first != last && blank(*first))
        ++first;
    while (last != first && blank(last[-1]))
        --last;
    QString t = cp1252::decode(first, qsizetype(last - first));
    if (std::memchr(first, '\0', std::size_t(last - first)))
        t.replace(QChar(u'\0'), QChar(u' '));
    return t;
}

void RecordBuffer::setText(int offset, int width, QStringView value)
{
    if (width <= 0)
        return;
    QByteArray raw = cp1252::encode(value).left(width);
    if (raw.size() < width)
        raw.append(width - raw.size(), ' ');
    char *d = bytes_.data();
    for (int i = 0; i < width; ++i) {
        const qint64 at = qint64(offset) + i;
        if (at >= 0 && at < bytes_.size())
            d[at] = raw[i];
    }
}

namespace {

template <typename T> T loadLittle(const QByteArray &bytes, int offset)
{
    if (!fits(bytes.size(), offset, int(sizeof(T))))
        return T{};
    return qFromLittleEndian<T>(bytes.constData() + offset);
}

template <typename T> void storeLittle(QByteArray &bytes, int offset, T value)
{
    if (!fits(bytes.size(), offset, int(sizeof(T))))
        return;
    qToLittleEndian<T>(value, bytes.data() + offset);
}

} // namespace

std::int16_t RecordBuffer::int16(int offset) const
{
    return loadLittle<std::int16_t>(bytes_, offset);
}

void RecordBuffer::setInt16(int offset, std::int16_t value)
{
    storeLittle(bytes_, offset, value);
}

std::int32_t RecordBuffer::int32(int offset) const
{
    return loadLittle<std::int32_t>(bytes_, offset);
}

void RecordBuffer::setInt32(int offset, std::int32_t value)
{
    storeLittle(bytes_, offset, value);
}

// Floats travel as their bit patterns so that every value, NaN included,
// round-trips byte for byte.
float RecordBuffer::single(int offset) const
{
    const std::uint32_t bits = loadLittle<std::uint32_t>(bytes_, offset);
    float v;
    std::memcpy(&v, &bits, sizeof v);
    return v;
}

void RecordBuffer::setSingle(int offset, float value)
{
    std::uint32_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    storeLittle(bytes_, offset, bits);
}

double RecordBuffer::dbl(int offset) const
{
    const std::uint64_t bits = loadLittle<std::uint64_t>(bytes_, offset);
    double v;
    std::memcpy(&v, &bits, sizeof v);
    return v;
}

void RecordBuffer::setDouble(int offset, double value)
{
    std::uint64_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    storeLittle(bytes_, offset, bits);
}

std::uint8_t RecordBuffer::byte(int offset) const
{
    return loadLittle<std::uint8_t>(bytes_, offset);
}

void RecordBuffer::setByte(int offset, std::uint8_t value)
{
    storeLittle(bytes_, offset, value);
}
