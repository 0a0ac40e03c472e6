#include "TextOrder.h"

#include <QCollator>
#include <QCollatorSortKey>
#include <QLocale>
#include <algorithm>
#include <numeric>
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

// Below this size comparing directly is cheaper than making sort keys.
constexpr qsizetype SortKeyThreshold = 32;

} // namespace

int compareText(const QString &a, const QString &b)
{
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
    if (lines.size() < SortKeyThreshold) {
        std::stable_sort(lines.begin(), lines.end(), textLess);
        return;
    }
    // Sort keys compare exactly as the collator does, and are made once per
    // line instead of once per comparison.
    const QCollator &c = collator();
    std::vector<QCollatorSortKey> keys;
    keys.reserve(std::size_t(lines.size()));
    for (const QString &l : std::as_const(lines))
        keys.push_back(c.sortKey(l));
    std::vector<qsizetype> order(std::size_t(lines.size()));
    std::iota(order.begin(), order.end(), qsizetype(0));
    std::stable_sort(order.begin(), order.end(), [&](qsizetype x, qsizetype y) {
        const int r = keys[std::size_t(x)].compare(keys[std::size_t(y)]);
        if (r != 0)
            return r < 0;
        return QString::compare(lines.at(x), lines.at(y), Qt::CaseSensitive) < 0;
    });
    QStringList sorted;
    sorted.reserve(lines.size());
    for (qsizetype i : order)
        sorted.append(lines.at(i));
    lines = std::move(sorted);
}
