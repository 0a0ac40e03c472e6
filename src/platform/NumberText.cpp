#include "NumberText.h"

#include <algorithm>
#include <cfloat>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <string>
#include <system_error>

namespace num {

namespace {

// A finite non-negative decimal 0.d1d2...dn * 10^point with no leading or
// trailing zero digits; no digits means zero. Working on digit strings keeps
// rounding exact on the text the user sees, which binary arithmetic cannot.
struct Decimal {
    std::string digits;
    int point = 0;   // digits before the decimal point (may be <= 0 or > size)
};

// Reads the output of std::to_chars in scientific form ("d.ddde+XX").
Decimal fromScientific(const char *first, const char *last)
{
    Decimal d;
    const char *p = first;
    for (; p != last && *p != 'e'; ++p)
        if (*p >= '0' && *p <= '9')
            d.digits.push_back(*p);
    int exp = 0;
    if (p != last)
        std::from_chars(p + 1 + (p[1] == '+' ? 1 : 0), last, exp);
    const auto firstNonZero = d.digits.find_first_not_of('0');
    if (firstNonZero == std::string::npos)
        return {};
    // to_chars writes a non-zero leading digit for non-zero values.
    d.point = exp + 1;
    d.digits.erase(d.digits.find_last_not_of('0') + 1);
    return d;
}

// Not-a-number has no text of its own; infinities are written as the largest
// finite value so that every text we write reads back as a number.
template <typename T> T tameNonFinite(T value)
{
    if (std::isnan(value))
        return 0;
    if (std::isinf(value))
        return value > 0 ? std::numeric_limits<T>::max() : -std::numeric_limits<T>::max();
    return value;
}

// The shortest digits that read back as the same value; when those are more
// than maxDigits, the value rounded to maxDigits significant digits.
template <typename T> Decimal shortestDecimal(T magnitude, int maxDigits)
{
    char buf[64];
    auto r = std::to_chars(buf, buf + sizeof buf, magnitude, std::chars_format::scientific);
    Decimal d = fromScientific(buf, r.ptr);
    if (int(d.digits.size()) > maxDigits) {
        r = std::to_chars(buf, buf + sizeof buf, magnitude, std::chars_format::scientific,
                          maxDigits - 1);
        d = fromScientific(buf, r.ptr);
    }
    return d;
}

// The digits that rounding works on: those of the text numberText shows, so
// that arithmetic noise such as 1.0049999999999999 rounds like the 1,005 it
// stands for. From 16 integer digits on, the cap would alter whole digits,
// so there the exact shortest digits are kept.
Decimal roundingDecimal(double magnitude)
{
    Decimal d = shortestDecimal(magnitude, 17);
    if (d.digits.size() > 15 && d.point <= 15)
        d = shortestDecimal(magnitude, 15);
    return d;
}

void roundDigits(Decimal &d, int decimals)
{
    const long keep = long(d.point) + decimals;
    if (keep >= long(d.digits.size()))
        return;
    if (keep < 0) {
        d = {};
        return;
    }
    const bool up = d.digits[std::size_t(keep)] >= '5';
    d.digits.resize(std::size_t(keep));
    if (up) {
        std::size_t i = d.digits.size();
        while (i > 0 && d.digits[i - 1] == '9')
            d.digits[--i] = '0';
        if (i == 0) {
            d.digits.insert(d.digits.begin(), '1');
            ++d.point;
        } else {
            ++d.digits[i - 1];
        }
    }
    const auto last = d.digits.find_last_not_of('0');
    if (last == std::string::npos)
        d = {};
    else
        d.digits.erase(last + 1);
}

double toDouble(const Decimal &d, bool negative)
{
    if (d.digits.empty())
        return 0.0;
    std::string s = d.digits;
    s += 'e';
    s += std::to_string(d.point - int(d.digits.size()));
    double v = 0;
    const auto r = std::from_chars(s.data(), s.data() + s.size(), v);
    if (r.ec == std::errc::result_out_of_range)
        v = d.point > 0 ? DBL_MAX : 0.0;
    return negative ? -v : v;
}

// Beyond 15 integer digits the digits would only be padding zeros, and below
// 1E-15 only leading zeros, so such values are written with an exponent.
constexpr int MaxFixedIntegerDigits = 15;
constexpr int MinFixedPoint = -14;   // 0,000000000000001

// The text of count digits (zero when none) with point digits before the
// decimal point, written at out.
char *layoutBytes(const char *digits, int count, int point, char *out)
{
    if (count == 0) {
        *out++ = '0';
        return out;
    }
    const auto copy = [&out](const char *from, int n) {
        std::memcpy(out, from, std::size_t(n));
        out += n;
    };
    const auto zeros = [&out](int n) {
        std::memset(out, '0', std::size_t(n));
        out += n;
    };
    if (point > MaxFixedIntegerDigits || point < MinFixedPoint) {
        *out++ = digits[0];
        if (count > 1) {
            *out++ = ',';
            copy(digits + 1, count - 1);
        }
        const int exp = point - 1;
        *out++ = 'E';
        *out++ = exp < 0 ? '-' : '+';
        const int a = std::abs(exp);
        if (a < 10)
            *out++ = '0';
        out = std::to_chars(out, out + 8, a).ptr;
    } else if (point <= 0) {
        *out++ = '0';
        *out++ = ',';
        zeros(-point);
        copy(digits, count);
    } else if (point >= count) {
        copy(digits, count);
        zeros(point - count);
    } else {
        copy(digits, point);
        *out++ = ',';
        copy(digits + point, count - point);
    }
    return out;
}

QString layout(const Decimal &d)
{
    char text[NumberTextBytes];
    const char *end = layoutBytes(d.digits.data(), int(d.digits.size()), d.point, text);
    return QString::fromLatin1(text, qsizetype(end - text));
}

template <typename T> QString plainText(T value, int maxDigits)
{
    value = tameNonFinite(value);
    const Decimal d = shortestDecimal(std::fabs(value), maxDigits);
    QString s = layout(d);
    // Negative zero, and anything that came out as zero, has no sign.
    if (value < 0 && !d.digits.empty())
        s.prepend(u'-');
    return s;
}

bool isBlank(QChar c)
{
    return c == u' ' || c == u'\t';
}

bool isDigit(QChar c)
{
    return c.unicode() >= u'0' && c.unicode() <= u'9';
}

struct Scan {
    double value = 0;
    bool anyDigits = false;
    qsizetype end = 0;
};

// The number at pos: sign, digits, a decimal separator ("." and, when
// commaToo, ","), digits, and an exponent only when digits follow the "E".
// Out-of-range values saturate instead of becoming infinite.
// scanNumber for the numbers files mostly hold ("17", "-65,32"): at most 15
// digits and no exponent. Their digits as a whole number are exact in a
// double, and so is the power of ten, so one division gives the correctly
// rounded value, as the conversion of the decimal text does. False when the
// text is not of that kind.
bool scanShortNumber(QStringView s, qsizetype pos, bool commaToo, Scan &r)
{
    static constexpr double Powers[] = {1e0, 1e1, 1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                        1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};
    const qsizetype n = s.size();
    bool negative = false;
    if (pos < n && (s[pos] == u'+' || s[pos] == u'-')) {
        negative = s[pos] == u'-';
        ++pos;
    }
    std::uint64_t digits = 0;
    int count = 0;
    int decimals = 0;
    while (pos < n && isDigit(s[pos])) {
        digits = digits * 10 + (s[pos].unicode() - u'0');
        ++count;
        ++pos;
    }
    if (pos < n && (s[pos] == u'.' || (commaToo && s[pos] == u','))) {
        ++pos;
        while (pos < n && isDigit(s[pos])) {
            digits = digits * 10 + (s[pos].unicode() - u'0');
            ++count;
            ++decimals;
            ++pos;
            if (count > 15)
                return false;
        }
    }
    if (count == 0 || count > 15 || (pos < n && (s[pos] == u'E' || s[pos] == u'e')))
        return false;
    r.anyDigits = true;
    r.end = pos;
    const double v = double(digits) / Powers[decimals];
    r.value = v == 0 ? 0.0 : (negative ? -v : v);
    return true;
}

Scan scanNumber(QStringView s, qsizetype pos, bool commaToo)
{
    Scan r;
    if (scanShortNumber(s, pos, commaToo, r))
        return r;
    const qsizetype n = s.size();
    bool negative = false;
    if (pos < n && (s[pos] == u'+' || s[pos] == u'-')) {
        negative = s[pos] == u'-';
        ++pos;
    }
    std::string mant;
    long long intDigits = 0;       // after leading zeros
    long long fracZeros = 0;       // zeros right after the point before any other digit
    bool seenNonZero = false;
    while (pos < n && isDigit(s[pos])) {
        const char c = char(s[pos].unicode());
        if (c != '0' || seenNonZero) {
            seenNonZero = true;
            mant.push_back(c);
            ++intDigits;
        }
        r.anyDigits = true;
        ++pos;
    }
    if (pos < n && (s[pos] == u'.' || (commaToo && s[pos] == u','))) {
        ++pos;
        if (!seenNonZero)
            mant.clear();
        mant.push_back('.');
        while (pos < n && isDigit(s[pos])) {
            const char c = char(s[pos].unicode());
            if (!seenNonZero && c == '0')
                ++fracZeros;
            if (c != '0')
                seenNonZero = true;
            mant.push_back(c);
            r.anyDigits = true;
            ++pos;
        }
    }
    if (!r.anyDigits) {
        r.end = pos;
        return r;
    }
    long long exp = 0;
    if (pos < n && (s[pos] == u'E' || s[pos] == u'e')) {
        qsizetype p = pos + 1;
        bool expNegative = false;
        if (p < n && (s[p] == u'+' || s[p] == u'-')) {
            expNegative = s[p] == u'-';
            ++p;
        }
        if (p < n && isDigit(s[p])) {
            while (p < n && isDigit(s[p])) {
                // Far beyond any double's range; the cap keeps the arithmetic safe.
                if (exp < 100000)
                    exp = exp * 10 + (s[p].unicode() - u'0');
                ++p;
            }
            if (expNegative)
                exp = -exp;
            pos = p;
        }
    }
    r.end = pos;
    if (!seenNonZero)
        return r;   // zero, whatever the exponent

    std::string text = mant.empty() || mant[0] == '.' ? "0" + mant : mant;
    text += 'e';
    text += std::to_string(exp);
    double v = 0;
    const auto res = std::from_chars(text.data(), text.data() + text.size(), v);
    const long long magnitude = intDigits > 0 ? intDigits + exp : exp - fracZeros;
    if (res.ec == std::errc::result_out_of_range || !std::isfinite(v))
        v = magnitude > 0 ? DBL_MAX : 0.0;
    r.value = v == 0 ? 0.0 : (negative ? -v : v);
    return r;
}

template <typename Int> Int saturate(double rounded)
{
    if (std::isnan(rounded))
        return 0;
    if (rounded >= double(std::numeric_limits<Int>::max()))
        return std::numeric_limits<Int>::max();
    if (rounded <= double(std::numeric_limits<Int>::min()))
        return std::numeric_limits<Int>::min();
    return Int(rounded);
}

// Whole numbers below 1E15 have at most 15 digits and are written as their
// integer digits by the general path too; this skips its digit strings for
// the counts and codes most number lines hold.
bool isSmallWholeNumber(double value)
{
    return std::fabs(value) < 1e15 && value == std::trunc(value);
}

// The integer digits of a small whole number, with "-" for a negative one
// (negative zero has none); lead is put in front of a non-negative one.
QString wholeNumberText(double value, const char *lead, const char *trail)
{
    char buf[40];
    char *p = buf;
    const auto whole = static_cast<long long>(value);
    if (whole >= 0)
        for (const char *l = lead; *l; ++l)
            *p++ = *l;
    p = std::to_chars(p, buf + 24, whole).ptr;
    for (const char *t = trail; *t; ++t)
        *p++ = *t;
    return QString::fromLatin1(buf, qsizetype(p - buf));
}

// The digits of the scientific text of std::to_chars: point and count set,
// trailing zeros dropped, zero as no digits (as fromScientific gives them).
void scientificDigits(const char *first, const char *last, char *digits, int &count, int &point)
{
    count = 0;
    const char *p = first;
    for (; p != last && *p != 'e'; ++p)
        if (*p >= '0' && *p <= '9')
            digits[count++] = *p;
    int exp = 0;
    if (p != last)
        std::from_chars(p + 1 + (p[1] == '+' ? 1 : 0), last, exp);
    while (count > 0 && digits[count - 1] == '0')
        --count;
    point = count == 0 ? 0 : exp + 1;
}

// Rounding value to a few decimals on the binary value instead of its
// decimal text: below 1E8 at the scale of the last place, the text (15
// significant digits, or the shortest) lies within 1E-7 of the value there,
// so away from a half both round to the same whole number of last places.
// False when the value is too large or too close to a half for that.
constexpr double Pow10[] = {1, 10, 100, 1e3, 1e4, 1e5, 1e6, 1e7, 1e8};

bool roundScaled(double magnitude, int decimals, std::int64_t &units)
{
    if (decimals < 0 || decimals > 8)
        return false;
    const double scaled = magnitude * Pow10[decimals];
    if (!(scaled < 1e8))
        return false;
    const double whole = std::floor(scaled);
    const double frac = scaled - whole;
    if (std::fabs(frac - 0.5) <= 1e-6)
        return false;
    units = static_cast<std::int64_t>(whole) + (frac > 0.5 ? 1 : 0);
    return true;
}

// plainText() on stack buffers: the same shortest digits (or maxDigits
// significant ones when those are more) and the same layout.
template <typename T> char *plainBytes(T value, int maxDigits, char *out)
{
    value = tameNonFinite(value);
    char buf[64];
    char digits[32];
    int count = 0;
    int point = 0;
    auto r = std::to_chars(buf, buf + sizeof buf, std::fabs(value), std::chars_format::scientific);
    scientificDigits(buf, r.ptr, digits, count, point);
    if (count > maxDigits) {
        r = std::to_chars(buf, buf + sizeof buf, std::fabs(value), std::chars_format::scientific,
                          maxDigits - 1);
        scientificDigits(buf, r.ptr, digits, count, point);
    }
    // Negative zero, and anything that came out as zero, has no sign.
    if (value < 0 && count > 0)
        *out++ = '-';
    return layoutBytes(digits, count, point, out);
}

// formatNumber for the values and patterns of everyday use (below 1E15, few
// places), on stack buffers, appended to out: the same digits (shortest, or 15 significant
// when those are more), the same half-away rounding and the same layout as
// the general path below. False when it does not apply.
bool formatSmallNumber(double value, QStringView prefix, int minIntDigits, int decimals,
                       QStringView suffix, QString &out)
{
    const double a = std::fabs(value);
    if (!(a < 1e15) || decimals > 15 || minIntDigits > 20)
        return false;
    std::int64_t units = 0;
    if (roundScaled(a, decimals, units)) {
        // The digits of the rounded value straight from the whole number of
        // last places: as many integer digits as it has (none below one).
        char text[48];
        int len = 0;
        if (value < 0 && units != 0)
            text[len++] = '-';
        const std::int64_t scale = static_cast<std::int64_t>(Pow10[decimals]);
        const std::int64_t whole = units / scale;
        char intDigits[24];
        const int intLen =
            whole > 0 ? int(std::to_chars(intDigits, intDigits + sizeof intDigits, whole).ptr
                            - intDigits)
                      : 0;
        for (int j = intLen; j < minIntDigits; ++j)
            text[len++] = '0';
        std::memcpy(text + len, intDigits, std::size_t(intLen));
        len += intLen;
        if (decimals > 0) {
            text[len++] = ',';
            std::int64_t fraction = units % scale;
            for (int j = decimals - 1; j >= 0; --j) {
                text[len + j] = char('0' + fraction % 10);
                fraction /= 10;
            }
            len += decimals;
        }
        out.reserve(out.size() + prefix.size() + len + suffix.size());
        out.append(prefix);
        out.append(QLatin1StringView(text, len));
        out.append(suffix);
        return true;
    }
    char buf[64];
    char digits[32];
    int n = 0;
    int point = 0;
    auto r = std::to_chars(buf, buf + sizeof buf, a, std::chars_format::scientific);
    scientificDigits(buf, r.ptr, digits, n, point);
    if (n > 15) {
        r = std::to_chars(buf, buf + sizeof buf, a, std::chars_format::scientific, 14);
        scientificDigits(buf, r.ptr, digits, n, point);
    }
    // Half away from zero at the last place shown.
    const int keep = point + decimals;
    if (keep < n) {
        if (keep < 0) {
            n = 0;
            point = 0;
        } else {
            const bool up = digits[keep] >= '5';
            n = keep;
            if (up) {
                int i = n;
                while (i > 0 && digits[i - 1] == '9')
                    digits[--i] = '0';
                if (i == 0) {
                    // All nines: a one in front, the rest zeros.
                    for (int j = n; j > 0; --j)
                        digits[j] = digits[j - 1];
                    digits[0] = '1';
                    ++n;
                    ++point;
                } else {
                    ++digits[i - 1];
                }
            }
            while (n > 0 && digits[n - 1] == '0')
                --n;
            if (n == 0)
                point = 0;
        }
    }
    char text[80];
    int len = 0;
    if (value < 0 && n > 0)
        text[len++] = '-';
    const int intDigits = std::max(point, 0);
    for (int j = intDigits; j < minIntDigits; ++j)
        text[len++] = '0';
    for (int i = 0; i < intDigits; ++i)
        text[len++] = i < n ? digits[i] : '0';
    if (decimals > 0) {
        text[len++] = ',';
        for (int j = 0; j < decimals; ++j) {
            const int i = point + j;
            text[len++] = i >= 0 && i < n ? digits[i] : '0';
        }
    }
    out.reserve(out.size() + prefix.size() + len + suffix.size());
    out.append(prefix);
    out.append(QLatin1StringView(text, len));
    out.append(suffix);
    return true;
}

} // namespace

double numericValue(QStringView text)
{
    qsizetype pos = 0;
    while (pos < text.size() && isBlank(text[pos]))
        ++pos;
    return scanNumber(text, pos, false).value;
}

bool typedNumber(QStringView text, double *value)
{
    qsizetype pos = 0;
    while (pos < text.size() && isBlank(text[pos]))
        ++pos;
    const Scan r = scanNumber(text, pos, false);
    if (value)
        *value = r.value;
    return r.anyDigits;
}

double decimalCommaValue(QStringView text, bool *ok)
{
    qsizetype pos = 0;
    while (pos < text.size() && isBlank(text[pos]))
        ++pos;
    const Scan r = scanNumber(text, pos, true);
    pos = r.end;
    while (pos < text.size() && isBlank(text[pos]))
        ++pos;
    if (ok)
        *ok = r.anyDigits && pos == text.size();
    return r.value;
}

QString plainNumberText(double value)
{
    if (isSmallWholeNumber(value))
        return wholeNumberText(value, "", "");
    return plainText(value, 15);
}

QString plainNumberTextSingle(float value)
{
    return plainText(value, 7);
}

QString numberText(double value)
{
    if (isSmallWholeNumber(value))
        return wholeNumberText(value, " ", "");
    QString s = plainNumberText(value);
    if (!s.startsWith(u'-'))
        s.prepend(u' ');
    return s;
}

QString numberTextSingle(float value)
{
    QString s = plainNumberTextSingle(value);
    if (!s.startsWith(u'-'))
        s.prepend(u' ');
    return s;
}

QString numberLine(double value)
{
    if (isSmallWholeNumber(value))
        return wholeNumberText(value, " ", " ");
    return numberText(value) + u' ';
}

qsizetype appendFormatNumber(QString &line, double value, QStringView pattern)
{
    const qsizetype before = line.size();
    // Split the pattern into literal prefix, placeholders and literal suffix.
    const auto isPlaceholder = [](QChar c) { return c == u'#' || c == u'0' || c == u'.'; };
    qsizetype begin = 0;
    while (begin < pattern.size() && !isPlaceholder(pattern[begin]))
        ++begin;
    qsizetype end = begin;
    while (end < pattern.size() && isPlaceholder(pattern[end]))
        ++end;
    const QStringView prefix = pattern.left(begin);
    const QStringView body = pattern.mid(begin, end - begin);
    const QStringView suffix = pattern.mid(end);

    const qsizetype dot = body.indexOf(u'.');
    const QStringView intPart = dot < 0 ? body : body.left(dot);
    const int decimals = dot < 0 ? 0 : int(body.size() - dot - 1);
    const qsizetype firstZero = intPart.indexOf(u'0');
    const int minIntDigits = firstZero < 0 ? 0 : int(intPart.size() - firstZero);

    value = tameNonFinite(value);
    if (formatSmallNumber(value, prefix, minIntDigits, decimals, suffix, line))
        return line.size() - before;
    Decimal d = roundingDecimal(std::fabs(value));
    roundDigits(d, decimals);

    std::string intText;
    if (d.point > 0) {
        intText.assign(d.digits, 0, std::min<std::size_t>(std::size_t(d.point), d.digits.size()));
        if (d.point > int(d.digits.size()))
            intText.append(std::size_t(d.point) - d.digits.size(), '0');
    }
    if (int(intText.size()) < minIntDigits)
        intText.insert(0, std::size_t(minIntDigits) - intText.size(), '0');

    QString out = prefix.toString();
    if (value < 0 && !d.digits.empty())
        out += u'-';
    out += QLatin1StringView(intText.data(), qsizetype(intText.size()));
    if (decimals > 0) {
        out += u',';
        for (int j = 0; j < decimals; ++j) {
            const long i = long(d.point) + j;
            out += (i >= 0 && i < long(d.digits.size())) ? QChar(d.digits[std::size_t(i)])
                                                           : QChar(u'0');
        }
    }
    out += suffix;
    line.append(out);
    return line.size() - before;
}

char *plainNumberBytes(double value, char *out)
{
    if (isSmallWholeNumber(value))
        return std::to_chars(out, out + 24, static_cast<long long>(value)).ptr;
    // Hundredths, as times and points are: when the value is the double
    // nearest to cents / 100, that decimal of at most 15 digits is the only
    // one of so few digits that reads as the value, so it is the shortest
    // text too.
    const double a = std::fabs(value);
    if (a < 1e13) {
        const auto cents = static_cast<long long>(std::llround(a * 100));
        if (double(cents) / 100 == a) {
            char digits[24];
            int count = int(std::to_chars(digits, digits + sizeof digits, cents).ptr - digits);
            const int point = count - 2;
            while (count > 0 && digits[count - 1] == '0')
                --count;
            if (value < 0)
                *out++ = '-';
            return layoutBytes(digits, count, point, out);
        }
    }
    return plainBytes(value, 15, out);
}

char *plainNumberBytesSingle(float value, char *out)
{
    return plainBytes(value, 7, out);
}

char *numberLineBytes(double value, char *out)
{
    // The plain text one place on, then its sign or a blank in front.
    char *end = plainNumberBytes(value, out + 1);
    if (out[1] == '-') {
        std::memmove(out, out + 1, std::size_t(end - out - 1));
        --end;
    } else {
        out[0] = ' ';
    }
    *end++ = ' ';
    return end;
}

QString formatNumber(double value, QStringView pattern)
{
    QString s;
    appendFormatNumber(s, value, pattern);
    return s;
}

double roundHalfAway(double value, int decimals)
{
    if (!std::isfinite(value))
        return tameNonFinite(value);
    decimals = std::clamp(decimals, -400, 400);
    if (decimals == 0) {
        // Far from a half the binary rounding gives the same and is much
        // cheaper. Below 1E8 the 15-digit text is within 1E-7 of the value,
        // so it cannot lie on the other side of a half 1E-6 away.
        const double a = std::fabs(value);
        const double frac = a - std::floor(a);
        if (a < 1e8 && std::fabs(frac - 0.5) > 1e-6) {
            const double r = std::round(value);
            return r == 0 ? 0.0 : r;
        }
    }
    std::int64_t units = 0;
    if (decimals > 0 && roundScaled(std::fabs(value), decimals, units)) {
        if (units == 0)
            return 0.0;
        // One correctly rounded division: the double nearest to the decimal,
        // as reading its text gives.
        const double r = double(units) / Pow10[decimals];
        return value < 0 ? -r : r;
    }
    Decimal d = roundingDecimal(std::fabs(value));
    roundDigits(d, decimals);
    return toDouble(d, value < 0);
}

std::int32_t toInt32(double value)
{
    return saturate<std::int32_t>(roundHalfAway(value, 0));
}

std::int16_t toInt16(double value)
{
    return saturate<std::int16_t>(roundHalfAway(value, 0));
}

std::int32_t floorToInt32(double value)
{
    return saturate<std::int32_t>(std::floor(value));
}

} // namespace num
