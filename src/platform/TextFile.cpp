#include "TextFile.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <charconv>
#include <cmath>

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
    const QString text = cp1252::decode(file.readAll());
    // LF ends a line and a CR before it belongs to the terminator; a CR
    // anywhere else is part of the line.
    qsizetype start = 0;
    while (start < text.size()) {
        qsizetype lf = text.indexOf(u'\n', start);
        const qsizetype stop = lf < 0 ? text.size() : lf;
        qsizetype end = stop;
        if (lf >= 0 && end > start && text[end - 1] == u'\r')
            --end;
        lines_.append(text.mid(start, end - start));
        start = stop + 1;
    }
}

QString TextReader::readLine()
{
    if (atEnd())
        return {};
    return lines_[next_++];
}

double TextReader::readNumber()
{
    return num::decimalCommaValue(readLine());
}

void TextReader::skipLine()
{
    if (!atEnd())
        ++next_;
}

TextWriter::TextWriter(const QString &path)
    : file_(std::make_unique<QSaveFile>(path))
{
    ok_ = file_->open(QIODevice::WriteOnly);
}

TextWriter::~TextWriter()
{
    // Without a commit the temporary file is thrown away and the old file
    // stays as it was.
    if (file_ && file_->isOpen())
        file_->cancelWriting();
}

void TextWriter::line(const QString &text)
{
    if (!ok_ || !file_)
        return;
    // Characters the code page holds at their own value go straight in; a
    // line with any other is converted as a whole.
    const qsizetype start = buffer_.size();
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if (u < 0x80 || (u >= 0xA0 && u <= 0xFF)) {
            buffer_.append(char(u));
        } else {
            buffer_.truncate(start);
            buffer_ += cp1252::encode(text);
            break;
        }
    }
    buffer_ += "\r\n";
}

void TextWriter::numberLine(double value)
{
    if (!ok_ || !file_)
        return;
    // Whole numbers below 1E15 are their digits, as num::numberLine writes
    // them: " 17 ", "-3 " (negative zero is " 0 ").
    if (std::fabs(value) < 1e15 && value == std::trunc(value)) {
        char text[24];
        char *p = text;
        const auto whole = static_cast<long long>(value);
        if (whole >= 0)
            *p++ = ' ';
        p = std::to_chars(p, text + sizeof text, whole).ptr;
        *p++ = ' ';
        buffer_.append(text, qsizetype(p - text));
        buffer_ += "\r\n";
        return;
    }
    line(num::numberLine(value));
}

bool TextWriter::commit()
{
    if (!file_)
        return false;
    // The whole file goes out in one write.
    if (ok_ && !buffer_.isEmpty() && file_->write(buffer_) != buffer_.size())
        ok_ = false;
    buffer_.clear();
    bool done = false;
    if (ok_)
        done = file_->commit();
    else if (file_->isOpen())
        file_->cancelWriting();
    file_.reset();
    ok_ = false;
    return done;
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
