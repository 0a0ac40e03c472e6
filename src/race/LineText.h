#pragma once
// A list line put together in a buffer kept from line to line and made a
// QString in one allocation: the rankings and timing lists build a thousand
// of them per call, and appending piece by piece to a QString costs more
// than the ranking itself.
#include <QString>
#include <QStringView>
#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>
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
    // An integer with at least width digits, zeros in front: what
    // num::appendFormatNumber gives for it with "0##" (width 3) or "0###".
    void appendZeroPadded(int value, int width)
    {
        const long long v = value;
        char digits[24];
        const auto end = std::to_chars(digits, digits + sizeof digits, v < 0 ? -v : v).ptr;
        const qsizetype n = qsizetype(end - digits);
        if (v < 0)
            buf_.push_back(u'-');
        if (n < width)
            buf_.append(std::size_t(width - n), u'0');
        appendLatin1(digits, n);
    }
    // "0####.#0": what num::appendFormatNumber gives for a time key.
    void appendTimeKey(double value)
    {
        char text[48];
        const int n = hundredthsText(value, 5, text);
        if (n < 0)
            appendNumber(value, u"0####.#0");
        else
            appendLatin1(text, n);
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
        char fast[48];
        const int fastSize = hundredthsText(value, 0, fast);
        if (fastSize < 0) {
            number_.truncate(0);
            num::appendFormatNumber(number_, value, u"#.#0");
        }
        const qsizetype n = fastSize < 0 ? number_.size() : fastSize;
        const auto at = [&](qsizetype i) {
            return fastSize < 0 ? number_.at(i).unicode() : char16_t(fast[i]);
        };
        const qsizetype from = n >= 8 ? n - 8 : 0;
        if (n < 8) {
            appendBlanks(8 - n);
            if (n > 0 && at(0) == u',')
                buf_.back() = u'0';
        }
        for (qsizetype i = from; i < n; ++i)
            buf_.push_back(at(i));
    }

private:
    // The text num::appendFormatNumber gives with two decimals and at least
    // minIntDigits integer digits, straight from the whole number of
    // hundredths where the binary value is not near a half (its own short
    // cut); -1 where that does not apply (then it is asked itself).
    static int hundredthsText(double value, int minIntDigits, char *out)
    {
        const double a = std::fabs(value);
        const double scaled = a * 100;
        if (!(scaled < 1e8))   // also NaN and infinity
            return -1;
        const double whole = std::floor(scaled);
        const double frac = scaled - whole;
        if (std::fabs(frac - 0.5) <= 1e-6)
            return -1;
        const std::int64_t units = static_cast<std::int64_t>(whole) + (frac > 0.5 ? 1 : 0);
        int len = 0;
        if (value < 0 && units != 0)
            out[len++] = '-';
        char digits[24];
        const std::int64_t wholeUnits = units / 100;
        const int n = wholeUnits > 0
            ? int(std::to_chars(digits, digits + sizeof digits, wholeUnits).ptr - digits)
            : 0;
        for (int j = n; j < minIntDigits; ++j)
            out[len++] = '0';
        std::memcpy(out + len, digits, std::size_t(n));
        len += n;
        const int cents = int(units % 100);
        out[len++] = ',';
        out[len++] = char('0' + cents / 10);
        out[len++] = char('0' + cents % 10);
        return len;
    }

    std::u16string buf_;
    QString number_;

};
