#include <gtest/gtest.h>

#include <QCollator>
#include <QLocale>
#include <algorithm>
#include <cstdint>
#include <random>
#include <thread>

#include "platform/TextOrder.h"

namespace {

int sign(int v)
{
    return (v > 0) - (v < 0);
}

// The program's order, pinned line by line.
const QStringList &orderedLines()
{
    static const QStringList lines = {
        "    7  MAIER Hans          12",
        "   12  AIGNER Eva",
        "0", "001", "0012,50", "0012,60", "002", "010", "9",
        "A", "a", QStringLiteral("Ä"), QStringLiteral("ä"), "A B", "AB", "Ab",
        "Apfel", QStringLiteral("Äpfel"), QStringLiteral("Armdrücken"), "Armel",
        QStringLiteral("Ärmel"), "Armer",
        "MAIER", "Maier", "maier", "Mayer", QStringLiteral("Müller"), "Mumm",
        "Ol", QStringLiteral("Öl"), "Oma", "Z", "Zebra",
    };
    return lines;
}

// Lists compared as one text, so that a failure shows readable lines.
std::string joined(const QStringList &lines)
{
    return lines.join(u'|').toStdString();
}

QStringList shuffled(QStringList lines, unsigned seed)
{
    std::mt19937 g(seed);
    std::shuffle(lines.begin(), lines.end(), g);
    return lines;
}

} // namespace

TEST(TextOrder, SortsBlanksBeforeDigitsBeforeLettersWithUmlautsBesideTheirBase)
{
    for (unsigned seed : {1u, 2u, 3u}) {
        QStringList lines = shuffled(orderedLines(), seed);
        std::sort(lines.begin(), lines.end(), textLess);
        EXPECT_EQ(joined(lines), joined(orderedLines())) << "seed " << seed;
    }
}

TEST(TextOrder, PairsCompareBothWaysConsistently)
{
    const struct {
        QString less, more;
    } pairs[] = {
        {"    7", "   12"},
        {" ", "0"},
        {"9", "A"},
        {"A", "a"},            // same letter: code point decides, never equal
        {"MAIER", "Maier"},
        {"Armel", QStringLiteral("Ärmel")},
        {QStringLiteral("Ärmel"), "Armer"},
        {QStringLiteral("Ärmel"), "Zebra"},     // not after Z
        {QStringLiteral("Öl"), "Oma"},
        {QStringLiteral("Ü"), "V"},
        {"001", "002"},
        {"002", "010"},
        {"0009,99", "0012,50"},
        {"Maier Hans", "Maier Hansi"},
        {"Maier Hans", "Maierhofer"},
    };
    for (const auto &p : pairs) {
        EXPECT_LT(compareText(p.less, p.more), 0) << p.less.toStdString() << " / " << p.more.toStdString();
        EXPECT_GT(compareText(p.more, p.less), 0) << p.less.toStdString() << " / " << p.more.toStdString();
    }
    EXPECT_EQ(compareText("Maier", "Maier"), 0);
    EXPECT_EQ(compareText("", ""), 0);
    EXPECT_LT(compareText("", " "), 0);
}

TEST(TextOrder, OrderIsTotalAndTransitive)
{
    QStringList s = orderedLines();
    s << "" << " " << "  " << "a b" << "a-b" << "ab " << QStringLiteral("ß") << "ss"
      << QStringLiteral("Straße") << "Strasse" << "\t" << QString(QChar(0x01)) + "ab";
    for (const QString &a : s) {
        for (const QString &b : s) {
            const int ab = sign(compareText(a, b));
            ASSERT_EQ(ab, -sign(compareText(b, a))) << a.toStdString() << " / " << b.toStdString();
            ASSERT_EQ(ab == 0, a == b) << a.toStdString() << " / " << b.toStdString();
            if (ab >= 0)
                continue;
            for (const QString &c : s) {
                if (compareText(b, c) < 0) {
                    ASSERT_LT(compareText(a, c), 0)
                        << a.toStdString() << " < " << b.toStdString() << " < " << c.toStdString();
                }
            }
        }
    }
}

// The comparator decides many pairs without ICU: it must agree with ICU's
// German order (plus the code-point tie) on every pair, also where the short
// cut must not apply: a difference in letter case only, an umlaut or a
// combining mark next to the first difference, a control character, one text
// the start of the other.
TEST(TextOrder, AgreesWithTheGermanCollatorOnEveryPair)
{
    QCollator reference(QLocale(QLocale::German, QLocale::Germany));
    reference.setCaseSensitivity(Qt::CaseInsensitive);
    reference.setNumericMode(false);
    reference.setIgnorePunctuation(false);
    auto expected = [&](const QString &a, const QString &b) {
        const int r = reference.compare(a, b);
        return sign(r != 0 ? r : QString::compare(a, b, Qt::CaseSensitive));
    };
    QStringList fixed = orderedLines();
    fixed << "" << " " << "-" << "_" << "," << "." << "'" << "a-b" << "ab" << "a b" << "a_b"
          << "A1" << "a1" << "a 1" << "Maier Hans 12" << "Maier Hans 112" << "Maier  Hans"
          << QStringLiteral("Mu\u0308ller") << "Muller" << "Mueller" << QStringLiteral("Müller")
          << QStringLiteral("ß") << "ss" << "sz" << "st" << "\t" << "a\tb" << "a\x01" "b" << "a~"
          << "a@" << "a#" << "a$" << "0,5" << "0.5" << "0 5" << QStringLiteral("Ärmel 1")
          << QStringLiteral("Ärmel 2") << QStringLiteral("Jürgen 12") << QStringLiteral("Jürgen 13");
    for (const QString &a : fixed)
        for (const QString &b : fixed)
            ASSERT_EQ(sign(compareText(a, b)), expected(a, b))
                << a.toStdString() << " / " << b.toStdString();

    const QString alphabet = QStringLiteral(" 019aAbBmMzZ-_.,;'()/&+~\tüÜößé\u0308\u0001");
    std::mt19937 g(7);
    std::uniform_int_distribution<int> length(0, 6);
    std::uniform_int_distribution<int> pick(0, int(alphabet.size()) - 1);
    auto randomText = [&] {
        QString t;
        for (int n = length(g); n > 0; --n)
            t += alphabet.at(pick(g));
        return t;
    };
    for (int k = 0; k < 20000; ++k) {
        const QString a = randomText();
        // Often the same start, so that the first difference lies further in.
        QString b = k % 2 ? a.left(length(g)) + randomText() : randomText();
        ASSERT_EQ(sign(compareText(a, b)), expected(a, b))
            << a.toStdString() << " / " << b.toStdString();
    }
}

// Swedish puts "Ä" after "Z"; the program's order must not follow the
// default locale. A new thread makes the comparator start afresh.
TEST(TextOrder, DoesNotDependOnTheDefaultLocale)
{
    const QLocale old;
    QLocale::setDefault(QLocale(QLocale::Swedish, QLocale::Sweden));
    int r = 0;
    std::thread t([&] { r = compareText(QStringLiteral("Ärmel"), "Zebra"); });
    t.join();
    QLocale::setDefault(old);
    EXPECT_LT(r, 0);
}

TEST(SortedTextList, ReadingGivesTheLinesInTextOrder)
{
    SortedTextList l;
    EXPECT_EQ(l.count(), 0);
    EXPECT_TRUE(l.lines().isEmpty());
    for (const QString &line : shuffled(orderedLines(), 7))
        l.add(line);
    EXPECT_EQ(l.count(), orderedLines().size());
    EXPECT_EQ(joined(l.lines()), joined(orderedLines()));
    EXPECT_EQ(l.at(0).toStdString(), orderedLines().first().toStdString());
    EXPECT_EQ(l.at(l.count() - 1).toStdString(), orderedLines().last().toStdString());
    EXPECT_EQ(l.at(-1), "");
    EXPECT_EQ(l.at(l.count()), "");

    // Adding after reading sorts again.
    l.add("     5");
    l.add("Aal");
    EXPECT_EQ(l.at(0).toStdString(), "     5");
    EXPECT_EQ(l.lines().indexOf("Aal"), l.lines().indexOf("A B") + 1);
    l.clear();
    EXPECT_EQ(l.count(), 0);
    l.add("b");
    l.add("a");
    EXPECT_EQ(joined(l.lines()), "a|b");
}

// A long list, sorted once when read, in exactly the comparator's order.
TEST(SortedTextList, LongListsSortExactlyLikeTheComparator)
{
    const QString alphabet = QStringLiteral(" 019AaÄäBbMmüz-,");
    std::uint32_t x = 12345;
    QStringList lines;
    SortedTextList l;
    for (int i = 0; i < 1500; ++i) {
        QString line;
        x = x * 1664525u + 1013904223u;
        const int len = 1 + int(x >> 28) % 6;
        for (int k = 0; k < len; ++k) {
            x = x * 1664525u + 1013904223u;
            line += alphabet[int((x >> 24) % unsigned(alphabet.size()))];
        }
        lines << line;
        l.add(line);
    }
    std::stable_sort(lines.begin(), lines.end(), textLess);
    EXPECT_EQ(joined(l.lines()), joined(lines));
    for (qsizetype i = 1; i < lines.size(); ++i)
        ASSERT_LE(compareText(lines[i - 1], lines[i]), 0);
}
