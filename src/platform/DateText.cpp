#include "DateText.h"

#include <cmath>

namespace dates {

namespace {

// Julian day of 30.12.1899, day 0 of OLE dates.
constexpr qint64 EpochJulianDay = 2415019;

// OLE dates cover the years 100 to 9999.
bool inOleRange(const QDate &date)
{
    return date.isValid() && date.year() >= 100 && date.year() <= 9999;
}

bool isBlank(QChar c)
{
    return c == u' ' || c == u'\t';
}

// A run of 1..maxDigits ASCII digits.
bool readField(QStringView part, int maxDigits, int *value)
{
    if (part.isEmpty() || part.size() > maxDigits)
        return false;
    int v = 0;
    for (QChar c : part) {
        if (c.unicode() < u'0' || c.unicode() > u'9')
            return false;
        v = v * 10 + (c.unicode() - u'0');
    }
    *value = v;
    return true;
}

} // namespace

double oleFromDate(const QDate &date)
{
    if (!date.isValid())
        return 0;
    return double(date.toJulianDay() - EpochJulianDay);
}

QDate dateFromOle(double ole)
{
    // The bounds keep the conversion to an integer defined.
    if (!std::isfinite(ole) || ole < -700000.0 || ole > 3000000.0)
        return {};
    // The day part counts from the epoch towards zero and the fraction is the
    // time of that day whatever the sign (-1.25 is 29.12.1899 06:00). The time
    // is rounded to the second, so a day stored a hair below its whole number
    // still reads as that day.
    double dayPart = std::trunc(ole);
    const double seconds = std::round(std::fabs(ole - dayPart) * 86400.0);
    qint64 day = qint64(dayPart);
    if (seconds >= 86400.0)
        ++day;
    const QDate date = QDate::fromJulianDay(EpochJulianDay + day);
    return inOleRange(date) ? date : QDate();
}

QString germanDateText(double ole)
{
    const QDate d = dateFromOle(ole);
    if (!d.isValid())
        return {};
    return QStringLiteral("%1.%2.%3")
        .arg(d.day(), 2, 10, QLatin1Char('0'))
        .arg(d.month(), 2, 10, QLatin1Char('0'))
        .arg(d.year(), 4, 10, QLatin1Char('0'));
}

bool parseGermanDate(const QString &text, double *ole)
{
    QStringView s(text);
    while (!s.isEmpty() && isBlank(s.front()))
        s = s.mid(1);
    while (!s.isEmpty() && isBlank(s.back()))
        s.chop(1);

    const qsizetype dot1 = s.indexOf(u'.');
    if (dot1 < 0)
        return false;
    const qsizetype dot2 = s.indexOf(u'.', dot1 + 1);
    if (dot2 < 0)
        return false;
    int day = 0, month = 0, year = 0;
    if (!readField(s.left(dot1), 2, &day) || !readField(s.mid(dot1 + 1, dot2 - dot1 - 1), 2, &month)
        || !readField(s.mid(dot2 + 1), 4, &year))
        return false;
    if (s.size() - dot2 - 1 <= 2)
        year += year < 30 ? 2000 : 1900;
    const QDate date(year, month, day);
    if (!inOleRange(date))
        return false;
    if (ole)
        *ole = oleFromDate(date);
    return true;
}

} // namespace dates
