#include "TextFile.h"

#include <QFile>
#include <QFileInfo>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "Cp1252.h"
#include "FileOps.h"
#include "NumberText.h"

TextReader::TextReader(const QString &path)
{
    if (QFileInfo(path).isDir())
        return;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return;
    exists_ = true;
    QByteArray bytes = file.readAll();
    if (bytes.startsWith("\xEF\xBB\xBF"))
        bytes.remove(0, 3);
    text_ = cp1252::decode(bytes);
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

TextWriter::TextWriter(const QString &path)
    : path_(path)
{
}

TextWriter::~TextWriter()
{
    // Without a commit the temporary file is thrown away and the old file
    // stays as it was.
    discard();
}

void TextWriter::discard()
{
    if (fd_ >= 0) {
        fileops::close(fd_);
        fd_ = -1;
    }
    if (created_) {
        fileops::remove(temporaryPath(path_));
        created_ = false;
    }
    prepared_ = false;
    buffer_.clear();
    ok_ = false;
}

bool TextWriter::open()
{
    if (!ok_)
        return false;
    if (fd_ >= 0)
        return true;
    fd_ = fileops::createNew(temporaryPath(path_));
    if (fd_ < 0) {
        ok_ = false;
        return false;
    }
    created_ = true;
    // The new file keeps the permissions of the one it replaces.
    struct stat st {};
    if (::lstat(QFile::encodeName(path_).constData(), &st) == 0 && S_ISREG(st.st_mode))
        ::fchmod(fd_, st.st_mode & 07777);
    return true;
}

bool TextWriter::writeBuffer()
{
    if (!ok_ || prepared_ || !open())
        return false;
    if (!buffer_.empty() && !fileops::writeAll(fd_, buffer_.data(), buffer_.size()))
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
    if (!writeBuffer())
        return;
#ifdef Q_OS_LINUX
    // Only starts the writing; commit() waits for it with its sync.
    ::sync_file_range(fd_, 0, 0, SYNC_FILE_RANGE_WRITE);
#endif
}

bool TextWriter::prepare()
{
    if (prepared_)
        return ok_;
    // The rest of the file goes out in one write.
    bool done = writeBuffer() && fileops::sync(fd_);
    if (fd_ >= 0) {
        done = fileops::close(fd_) && done;
        fd_ = -1;
    }
    if (!done) {
        discard();
        return false;
    }
    prepared_ = true;
    return true;
}

void TextWriter::release()
{
    if (prepared_)
        created_ = false;
    discard();
}

bool TextWriter::commit()
{
    if (!ok_ || !prepare()) {
        discard();
        return false;
    }
    if (!fileops::rename(temporaryPath(path_), path_)) {
        discard();
        return false;
    }
    created_ = false;
    // The rename itself must last too; without it a crash could bring the
    // old file back after the save was reported done.
    const bool synced = fileops::syncFolder(path_);
    discard();
    return synced;
}

bool TextWriter::commitUnlessUnchanged()
{
    struct stat st {};
    if (ok_ && fd_ < 0 && !prepared_
        && ::lstat(QFile::encodeName(path_).constData(), &st) == 0 && S_ISREG(st.st_mode)
        && st.st_size == off_t(buffer_.size())) {
        QFile current(path_);
        if (current.open(QIODevice::ReadOnly)) {
            const QByteArray bytes = current.readAll();
            // The same bytes: what commit() would leave behind is there
            // already; only make sure it is on the disk, whoever wrote it.
            if (bytes.size() == qsizetype(buffer_.size())
                && std::memcmp(bytes.constData(), buffer_.data(), buffer_.size()) == 0) {
                const bool synced = fileops::sync(current.handle());
                discard();
                return synced;
            }
        }
    }
    return commit();
}

bool fileExists(const QString &path)
{
    return QFileInfo(path).isFile();
}

bool deleteFile(const QString &path)
{
    return fileops::remove(path);
}
