#pragma once
// A list line put together in a buffer kept from line to line and made a
// QString in one allocation: the rankings and timing lists build a thousand
// of them per call, and appending piece by piece to a QString costs more
// than the ranking itself.
#include <QString>
#include <QStringView>
#include <algorithm>
#include <charconv>
#include <string>

#include "platform/NumberText.h"

class LineText {
public:
    // Room enough that formatting a number never reallocates (QString's
    // reserve reallocates when asked for exactly its capacity).
    LineText() { number_.reserve(64); }

    void clear() { buf_.clear(); }   // keeps the capacity
    qsizetype size() const { return qsizetype(buf_.size()); }
    QString toString() const
    {
        return QString(reinterpret_cast<const QChar *>(buf_.data()), qsizetype(buf_.size()));
    }

    QStringView view() const
    {
        return QStringView(buf_.data(), qsizetype(buf_.size()));
    }

    void append(QStringView text) { buf_.append(text.utf16(), std::size_t(text.size())); }
    void append(char16_t c) { buf_.push_back(c); }
    void appendLatin1(const char *text, qsizetype n)
    {
        for (qsizetype i = 0; i < n; ++i)
            buf_.push_back(char16_t(static_cast<unsigned char>(text[i])));
    }
    void appendBlanks(qsizetype n)
    {
        if (n > 0)
            buf_.append(std::size_t(n), u' ');
    }
    void appendInt(int value)
    {
        char digits[12];
        const auto end = std::to_chars(digits, digits + sizeof digits, value).ptr;
        appendLatin1(digits, qsizetype(end - digits));
    }
    // An integer right-aligned in width columns, longer ones whole.
    void appendRightAligned(int value, int width)
    {
        char digits[12];
        const auto end = std::to_chars(digits, digits + sizeof digits, value).ptr;
        const qsizetype n = qsizetype(end - digits);
        appendBlanks(width - n);
        appendLatin1(digits, n);
    }
    // The text left-aligned in exactly width columns.
    void appendFitLeft(QStringView text, qsizetype width)
    {
        if (text.size() >= width) {
            append(text.left(width));
        } else {
            append(text);
            appendBlanks(width - text.size());
        }
    }
    // What num::appendFormatNumber appends; returns its length.
    qsizetype appendNumber(double value, QStringView pattern)
    {
        number_.truncate(0);   // keeps the capacity: no allocation after the first
        num::appendFormatNumber(number_, value, pattern);
        append(number_);
        return number_.size();
    }
    // The eight columns FormatDecimal8 writes for a value: "#.#0" right-aligned
    // (its last eight characters when longer), a value below one with its
    // leading zero.
    void appendDecimal8(double value)
    {
        number_.truncate(0);
        num::appendFormatNumber(number_, value, u"#.#0");
        const qsizetype n = number_.size();
        if (n >= 8) {
            append(QStringView(number_).right(8));
            return;
        }
        appendBlanks(8 - n);
        if (n > 0 && number_.at(0) == u',')
            buf_.back() = u'0';
        append(number_);
    }

private:
    std::u16string buf_;
    QString number_;

};
