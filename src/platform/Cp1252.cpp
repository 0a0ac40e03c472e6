#include "Cp1252.h"

#include <array>

namespace cp1252 {

namespace {

// 0x80..0x9F of Windows-1252. The five bytes the code page leaves undefined
// map to the C1 control of the same value, so that every byte round-trips.
// This table stands in place of QStringDecoder/QStringEncoder("windows-1252"):
// Qt converts that code page only through ICU, which a Qt build may lack, and
// what the five undefined bytes become depends on the ICU table in use; the
// files must keep every byte on every build. A table lookup also decodes a
// record field without setting up a converter for it.
constexpr char16_t High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

constexpr std::array<char16_t, 256> makeTable()
{
    std::array<char16_t, 256> t{};
    for (int i = 0; i < 256; ++i)
        t[std::size_t(i)] = (i >= 0x80 && i < 0xA0) ? High[i - 0x80] : char16_t(i);
    return t;
}

constexpr std::array<char16_t, 256> ToUnicode = makeTable();

// The byte for a UTF-16 code unit, or -1 when the code page has none.
int byteFor(char16_t u)
{
    if (u < 0x80 || (u >= 0xA0 && u <= 0xFF))
        return u;
    for (int i = 0; i < 32; ++i)
        if (High[i] == u)
            return 0x80 + i;
    return -1;
}

} // namespace

QString decode(const QByteArray &bytes)
{
    return decode(bytes.constData(), bytes.size());
}

QString decode(const char *data, qsizetype size)
{
    QString out(size, Qt::Uninitialized);
    QChar *d = out.data();
    for (qsizetype i = 0; i < size; ++i)
        d[i] = QChar(ToUnicode[std::uint8_t(data[i])]);
    return out;
}

QByteArray encode(QStringView text)
{
    QByteArray out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t u = text[i].unicode();
        // A surrogate pair is one character, and one the code page cannot hold.
        if (QChar::isHighSurrogate(u) && i + 1 < text.size()
            && QChar::isLowSurrogate(text[i + 1].unicode()))
            ++i;
        const int b = byteFor(u);
        out.append(b < 0 ? '?' : char(b));
    }
    return out;
}

bool canEncode(QStringView text)
{
    for (QChar c : text)
        if (byteFor(c.unicode()) < 0)
            return false;
    return true;
}

} // namespace cp1252
