#include "TextFile.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

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
    QByteArray bytes = cp1252::encode(text);
    bytes += "\r\n";
    if (file_->write(bytes) != bytes.size())
        ok_ = false;
}

void TextWriter::numberLine(double value)
{
    line(num::numberLine(value));
}

bool TextWriter::commit()
{
    if (!file_)
        return false;
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
