#include "TextFile.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <cstring>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <unistd.h>
#endif

#include "Cp1252.h"
#include "NumberText.h"

TextReader::TextReader(const QString &path)
{
    if (QFileInfo(path).isDir())
        return;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return;
    exists_ = true;
    text_ = cp1252::decode(file.readAll());
    // LF ends a line and a CR before it belongs to the terminator; a CR
    // anywhere else is part of the line.
    const QStringView text(text_);
    qsizetype start = 0;
    while (start < text.size()) {
        qsizetype lf = text.indexOf(u'\n', start);
        const qsizetype stop = lf < 0 ? text.size() : lf;
        qsizetype end = stop;
        if (lf >= 0 && end > start && text[end - 1] == u'\r')
            --end;
        lines_.push_back({start, end - start});
        start = stop + 1;
    }
}

QString TextReader::readLine()
{
    if (atEnd())
        return {};
    const Line &l = lines_[std::size_t(next_++)];
    return text_.mid(l.start, l.size);
}

double TextReader::readNumber()
{
    if (atEnd())
        return 0;
    const Line &l = lines_[std::size_t(next_++)];
    return num::decimalCommaValue(QStringView(text_).mid(l.start, l.size));
}

void TextReader::skipLine()
{
    if (!atEnd())
        ++next_;
}

namespace {

#ifdef Q_OS_UNIX
bool syncToDisk(int fd)
{
#if defined(Q_OS_DARWIN)
    return ::fsync(fd) == 0;
#else
    return ::fdatasync(fd) == 0;
#endif
}
#endif

} // namespace

TextWriter::TextWriter(const QString &path)
    : path_(path)
{
}

TextWriter::~TextWriter()
{
    // Without a commit the temporary file is thrown away and the old file
    // stays as it was.
    if (file_ && file_->isOpen())
        file_->cancelWriting();
}

bool TextWriter::open()
{
    if (!file_) {
        file_ = std::make_unique<QSaveFile>(path_);
        if (!file_->open(QIODevice::WriteOnly))
            ok_ = false;
    }
    return ok_;
}

bool TextWriter::writeBuffer()
{
    if (!ok_ || !open())
        return false;
    if (!buffer_.empty()
        && file_->write(buffer_.data(), qint64(buffer_.size())) != qint64(buffer_.size()))
        ok_ = false;
    buffer_.clear();
    return ok_;
}

void TextWriter::line(const QString &text)
{
    if (!ok_)
        return;
    // Characters the code page holds at their own value go straight in; a
    // line with any other is converted as a whole.
    const std::size_t start = buffer_.size();
    buffer_.resize(start + std::size_t(text.size()) + 2);
    char *p = buffer_.data() + start;
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if (u < 0x80 || (u >= 0xA0 && u <= 0xFF)) {
            *p++ = char(u);
        } else {
            buffer_.resize(start);
            const QByteArray bytes = cp1252::encode(text);
            append(bytes.constData(), std::size_t(bytes.size()));
            append("\r\n", 2);
            return;
        }
    }
    *p++ = '\r';
    *p++ = '\n';
}

void TextWriter::numberBytesLine(char *text, char *end)
{
    *end++ = '\r';
    *end++ = '\n';
    append(text, std::size_t(end - text));
}

void TextWriter::numberLine(double value)
{
    if (!ok_)
        return;
    char text[num::NumberTextBytes + 2];
    numberBytesLine(text, num::numberLineBytes(value, text));
}

void TextWriter::plainNumberLine(double value)
{
    if (!ok_)
        return;
    char text[num::NumberTextBytes + 2];
    numberBytesLine(text, num::plainNumberBytes(value, text));
}

void TextWriter::plainNumberLineSingle(float value)
{
    if (!ok_)
        return;
    char text[num::NumberTextBytes + 2];
    numberBytesLine(text, num::plainNumberBytesSingle(value, text));
}

void TextWriter::startWriteback()
{
    if (!writeBuffer() || !file_->flush()) {
        ok_ = false;
        return;
    }
#ifdef Q_OS_LINUX
    // Only starts the writing; commit() waits for it with its sync.
    const int fd = file_->handle();
    if (fd >= 0)
        ::sync_file_range(fd, 0, 0, SYNC_FILE_RANGE_WRITE);
#endif
}

bool TextWriter::commit()
{
    // The rest of the file goes out in one write.
    const bool written = writeBuffer();
    bool done = false;
    if (written)
        done = file_->commit();
    else if (file_ && file_->isOpen())
        file_->cancelWriting();
    file_.reset();
    ok_ = false;
    return done;
}

bool TextWriter::commitUnlessUnchanged()
{
#ifdef Q_OS_UNIX
    if (ok_ && !file_) {
        QFile current(path_);
        if (QFileInfo(path_).isFile() && current.open(QIODevice::ReadOnly)
            && current.size() == qint64(buffer_.size())) {
            const QByteArray bytes = current.readAll();
            // The same bytes: what commit() would leave behind is there
            // already; only make sure it is on the disk, whoever wrote it.
            if (bytes.size() == qsizetype(buffer_.size())
                && std::memcmp(bytes.constData(), buffer_.data(), buffer_.size()) == 0
                && syncToDisk(current.handle())) {
                buffer_.clear();
                ok_ = false;
                return true;
            }
        }
    }
#endif
    return commit();
}

bool fileExists(const QString &path)
{
    return QFileInfo(path).isFile();
}

bool deleteFile(const QString &path)
{
    if (!QFileInfo::exists(path))
        return true;
    QFile::remove(path);
    return !QFileInfo::exists(path);
}
