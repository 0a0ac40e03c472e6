#pragma once
// The program's text order for every sorted list: German collation (umlauts
// beside their base letters, letter case ignored at first), blanks and digits
// significant and ordered blank < digits < letters, ties broken by plain
// code-point order. The same on every machine whatever its LANG.
#include <QString>
#include <QStringList>

int compareText(const QString &a, const QString &b);   // <0, 0, >0
inline bool textLess(const QString &a, const QString &b) { return compareText(a, b) < 0; }

// Puts lines in text order, equal lines in the order they come in: the order
// that adding them one by one, each after every line not after it, gives.
void sortInTextOrder(QStringList &lines);

// A sorted list used only for ordering (no widget). Lines added one by one
// or in bulk; reading it gives them in text order (equal lines keep the
// order they were added in).
class SortedTextList {
public:
    void clear();
    void add(const QString &line);
    int count() const { return int(lines_.size()); }
    const QString &at(int index);               // 0-based, sorted
    const QStringList &lines();                 // all, sorted

private:
    void sortIfNeeded();
    QStringList lines_;
    bool sorted_ = true;
};
