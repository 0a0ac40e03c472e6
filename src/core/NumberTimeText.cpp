#include "NumberTimeText.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>

#include "SharedState.h"
#include "platform/NumberText.h"
#include "platform/Printer.h"
#include "platform/RememberedTable.h"
#include "platform/Strings.h"

namespace {

QString formatDecimalCore()
{
    QString t = num::formatNumber(Work.CurrentSlot, u"#.#0");
    const qsizetype dot = t.indexOf(u'.');
    if (dot >= 0)
        t[dot] = u',';
    return t;
}

void leadingZeroBeforeComma(QString &t)
{
    const qsizetype at = t.indexOf(QStringLiteral(" ,"));
    if (at >= 0)
        t.replace(at, 2, QStringLiteral("0,"));
}

// The time text padded on the left with blanks to a printed width of 14 in
// the current font.
QString padTo14(QString t)
{
    const Printer &p = printer();
    double width = p.TextWidth(t);
    // Start from the blanks that the width of one blank says are needed,
    // less one, so that a list of many times measures each only a few times;
    // the loop below then adds blanks one at a time as before.
    if (width < 14) {
        const double blank = p.TextWidth(QStringLiteral(" "));
        if (blank > 0) {
            const int guess = std::min(200, int(std::ceil((14 - width) / blank)) - 1);
            if (guess > 0) {
                const QString padded = blanks(guess) + t;
                const double w = p.TextWidth(padded);
                if (w < 14) {
                    t = padded;
                    width = w;
                }
            }
        }
    }
    // Pad to 14 units; stop when a blank adds no width (a device that cannot
    // measure) so that the loop always ends.
    for (int guard = 0; width < 14 && guard < 200; ++guard) {
        const QString wider = u' ' + t;
        const double w = p.TextWidth(wider);
        if (!(w > width))
            break;
        t = wider;
        width = w;
    }
    return t;
}

// The time as hours:minutes:seconds,hundredths without leading zeros,
// padded to a printed width of 14 in the current font.
QString hmsText(double hours, double minutes, double seconds)
{
    seconds = num::roundHalfAway(seconds, 2);
    // Seconds that round up to 60 carry into the minutes, and those into the
    // hours, so that 59.996 s reads 1:00,00 and never 60,00.
    if (seconds >= 60) {
        seconds -= 60;
        minutes += 1;
    }
    if (minutes >= 60) {
        minutes -= 60;
        hours += 1;
    }
    QString t = num::numberText(hours) + u':' + num::formatNumber(minutes, u"0#") + u':'
        + num::formatNumber(seconds, u"0#.00");
    qsizetype lead = 0;
    while (lead < t.size() && (t[lead] == u' ' || t[lead] == u'0' || t[lead] == u':'))
        ++lead;
    t.remove(0, lead);
    return padTo14(std::move(t));
}

// The key of a time text remembered per font and device: the hours, minutes
// and seconds it was made of, compared bit for bit.
struct TimeKey {
    std::uint64_t font, hours, minutes, seconds;
    bool operator==(const TimeKey &) const = default;

    // Every bit of the key reaches the low bits that pick the slot: times
    // such as 45.5 s have none set in their low mantissa bits.
    std::uint32_t hash() const
    {
        auto mix = [](std::uint64_t x) {
            x ^= x >> 30;
            x *= 0xbf58476d1ce4e5b9ull;
            x ^= x >> 27;
            x *= 0x94d049bb133111ebull;
            return x ^ (x >> 31);
        };
        std::uint64_t h = mix(font);
        for (const std::uint64_t v : {hours, minutes, seconds})
            h = mix(h ^ v);
        return std::uint32_t(h ^ (h >> 32));
    }
};

} // namespace

void FormatDecimal8()
{
    QString t = rightChars(QStringLiteral("      ") + formatDecimalCore(), 8);
    leadingZeroBeforeComma(t);
    Work.WorkText = t;
}

void FormatDecimal10()
{
    QString t = formatDecimalCore();
    if (t.size() < 10)
        t = blanks(10 - t.size()) + t;
    else
        t = rightChars(t, 10);
    leadingZeroBeforeComma(t);
    Work.WorkText = t;
}

void SecondsToHms()
{
    double s = Work.HmsInput;
    if (!std::isfinite(s))
        s = 0;
    Work.HmsHours = std::floor(s / 3600);
    s -= 3600 * Work.HmsHours;
    Work.HmsMinutes = std::floor(s / 60);
    s -= 60 * Work.HmsMinutes;
    Work.HmsSeconds = std::floor(s * 1000 + 0.00001) / 1000;
}

void FormatHms()
{
    // A list prints the same few thousand times in one font, and making and
    // padding a text measures it several times.
    static RememberedTable<TimeKey, QString, 8192> remembered;
    const TimeKey key{printer().measureKey(), std::bit_cast<std::uint64_t>(Work.HmsHours),
                      std::bit_cast<std::uint64_t>(Work.HmsMinutes),
                      std::bit_cast<std::uint64_t>(Work.HmsSeconds)};
    const std::uint32_t hash = key.hash();
    if (const QString *text = remembered.find(key, hash)) {
        Work.WorkText = *text;
        return;
    }
    Work.WorkText = hmsText(Work.HmsHours, Work.HmsMinutes, Work.HmsSeconds);
    remembered.add(key, hash, Work.WorkText);
}

void NormalizeDecimalText()
{
    QString t = trimBlanks(Work.WorkText);
    if (t.isEmpty())
        t = QStringLiteral("0");
    const qsizetype dot = t.indexOf(u'.');
    if (dot >= 0)
        t[dot] = u',';
    Work.WorkText = t;
}
