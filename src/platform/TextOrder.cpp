#include "TextOrder.h"

#include <QCollator>
#include <QLocale>
#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <vector>

namespace {

// The German collator, fixed so that the order does not depend on LANG.
// With ICU it keeps blanks and punctuation significant (before digits, which
// come before letters). QCollator initialises itself lazily on first use, so
// each thread keeps its own.
const QCollator &collator()
{
    thread_local const QCollator c = [] {
        QCollator k(QLocale(QLocale::German, QLocale::Germany));
        k.setCaseSensitivity(Qt::CaseInsensitive);
        k.setNumericMode(false);
        k.setIgnorePunctuation(false);
        return k;
    }();
    return c;
}

constexpr char16_t FirstPrintable = 0x20;
constexpr char16_t LastPrintable = 0x7E;

// The collator's primary order of the printable ASCII characters, taken from
// the collator itself: rank[c - FirstPrintable] is the character's place
// among them, equal for characters that differ only below the primary level
// (a letter and its capital), 0 for an ignorable one. All are 0 should two
// neighbours in that order differ below the primary level (never so with
// ICU's German order; kept in case a collator tailors ASCII otherwise).
struct PrimaryRanks {
    std::array<int, LastPrintable - FirstPrintable + 1> rank{};
};

PrimaryRanks makePrimaryRanks(const QCollator &c)
{
    std::vector<QChar> chars;
    for (char16_t u = FirstPrintable; u <= LastPrintable; ++u)
        chars.push_back(QChar(u));
    std::stable_sort(chars.begin(), chars.end(), [&c](QChar x, QChar y) {
        return c.compare(QStringView(&x, 1), QStringView(&y, 1)) < 0;
    });
    PrimaryRanks r;
    int rank = 1;
    for (std::size_t i = 0; i < chars.size(); ++i) {
        const QString here(chars[i]);
        bool decides = c.compare(here, QString()) != 0;   // else ignorable
        if (i > 0) {
            const QString before(chars[i - 1]);
            if (c.compare(before, here) != 0) {
                // A primary difference decides before anything that follows;
                // a lower one would lose against a longer text.
                if (c.compare(before + QStringLiteral("zz"), here) >= 0)
                    return PrimaryRanks{};   // no short cut at all
                ++rank;
            }
        }
        r.rank[chars[i].unicode() - FirstPrintable] = decides ? rank : 0;
    }
    return r;
}

// The same in every thread (the collator's rules are fixed): made once.
const PrimaryRanks &primaryRanks()
{
    static const PrimaryRanks r = makePrimaryRanks(collator());
    return r;
}

int rankOf(const PrimaryRanks &ranks, char16_t u)
{
    if (u < FirstPrintable || u > LastPrintable)
        return 0;
    return ranks.rank[u - FirstPrintable];
}

// The length of the common start of a and b (at most n), four characters
// at a time.
qsizetype commonStart(const QChar *a, const QChar *b, qsizetype n)
{
    qsizetype i = 0;
    for (; i + 4 <= n; i += 4) {
        std::uint64_t x, y;
        std::memcpy(&x, a + i, sizeof x);
        std::memcpy(&y, b + i, sizeof y);
        if (x != y)
            break;
    }
    while (i < n && a[i] == b[i])
        ++i;
    return i;
}

bool plainAscii(const QChar *text, qsizetype size, qsizetype at)
{
    return at < 0 || at >= size || text[at].unicode() < 0x80;
}

// The order of two texts whose first difference lies between two printable
// ASCII characters of different primary rank (or one text ends there), with
// plain ASCII on both sides of that place: the collator's order is then that
// of the two characters, whatever follows. 0 when that does not decide.
int decideAtFirstDifference(const QString &a, const QString &b)
{
    const QChar *pa = a.constData();
    const QChar *pb = b.constData();
    const qsizetype na = a.size();
    const qsizetype nb = b.size();
    const qsizetype i = commonStart(pa, pb, std::min(na, nb));
    if (i == na && i == nb)
        return 0;
    if (!plainAscii(pa, na, i - 1) || !plainAscii(pa, na, i + 1) || !plainAscii(pb, nb, i + 1))
        return 0;
    const PrimaryRanks &ranks = primaryRanks();
    const int ra = i < na ? rankOf(ranks, pa[i].unicode()) : -1;
    const int rb = i < nb ? rankOf(ranks, pb[i].unicode()) : -1;
    if (ra == 0 || rb == 0 || ra == rb)
        return 0;
    // A text that ends first sorts before one that goes on with a character
    // of primary weight.
    return ra < rb ? -1 : 1;
}

} // namespace

int compareText(const QString &a, const QString &b)
{
    // Most lines of a sorted list differ first in a plain letter, digit or
    // blank: that place decides without asking ICU, which costs about as
    // much as the rest of sorting a list.
    if (const int r = decideAtFirstDifference(a, b))
        return r;
    const int r = collator().compare(a, b);
    if (r != 0)
        return r;
    return QString::compare(a, b, Qt::CaseSensitive);
}

void SortedTextList::clear()
{
    lines_.clear();
    sorted_ = true;
}

void SortedTextList::add(const QString &line)
{
    // Lines that arrive in order keep the list sorted without a sort.
    if (sorted_ && !lines_.isEmpty() && compareText(lines_.constLast(), line) > 0)
        sorted_ = false;
    lines_.append(line);
}

const QString &SortedTextList::at(int index)
{
    sortIfNeeded();
    static const QString none;
    if (index < 0 || index >= lines_.size())
        return none;
    return lines_.at(index);
}

const QStringList &SortedTextList::lines()
{
    sortIfNeeded();
    return lines_;
}

void SortedTextList::sortIfNeeded()
{
    if (sorted_)
        return;
    sorted_ = true;
    sortInTextOrder(lines_);
}

void sortInTextOrder(QStringList &lines)
{
    // Comparing directly (mostly without ICU, see compareText) is much
    // faster than making ICU sort keys for the lines (measured three times
    // faster even with ICU on every pair), so the comparator sorts lists of
    // any length.
    std::stable_sort(lines.begin(), lines.end(), textLess);
}
