// The list lines' number columns against the routines they stand in for:
// num::appendFormatNumber and FormatDecimal8.
#include <QString>
#include <cmath>
#include <cstdint>
#include <gtest/gtest.h>
#include <limits>
#include <vector>

#include "core/NumberTimeText.h"
#include "core/SharedState.h"
#include "platform/NumberText.h"
#include "race/LineText.h"

namespace {

std::vector<double> testValues()
{
    const double inf = std::numeric_limits<double>::infinity();
    std::vector<double> v = {0, -0.0, 0.004, 0.005, 0.0049999, 0.015, 0.125, 0.995, 1.005,
                             2.675, 1.0049999999999999, 30.01 + 30.01, 30.00 + 30.02, 59.995,
                             99999.99, 99999.995, 100000, 999999.99, 999999.995, 1e6 - 0.001,
                             1e6, 1e7, 12345678.9, 1e15, 1e20, -1.5, -0.004, -0.005, -0.006,
                             -123.456, -99999.995, std::nan(""), inf, -inf,
                             std::numeric_limits<double>::max(), 5e-324};
    // Sums of hundredths as the rankings make them, and values of every size.
    std::uint32_t s = 17;
    auto next = [&s] {
        s = s * 1103515245u + 12345u;
        return s >> 4;
    };
    for (int i = 0; i < 20000; ++i) {
        const double a = double(next() % 900000) / 100;
        const double b = double(next() % 900000) / 100;
        v.push_back(a + b);
        v.push_back(a - b);
        v.push_back(double(next()) / double(1 + next() % 100000) * std::pow(10.0, int(next() % 12) - 4));
        v.push_back(double(next() % 2000000) / 1000 + 0.005);
    }
    return v;
}

TEST(LineTextTest, NumberColumns_AsTheRoutinesTheyStandInFor)
{
    LineText line;
    for (const double v : testValues()) {
        SCOPED_TRACE(QString::number(v, 'g', 17).toStdString());
        line.clear();
        line.appendTimeKey(v);
        EXPECT_EQ(line.toString(), num::formatNumber(v, u"0####.#0"));

        line.clear();
        line.appendDecimal8(v);
        Work.CurrentSlot = v;
        FormatDecimal8();
        EXPECT_EQ(line.toString(), Work.WorkText);
    }
}

TEST(LineTextTest, ZeroPaddedIntegers_AsTheirFormatPatterns)
{
    LineText line;
    for (const int v : {0, 1, 7, 42, 999, 1000, 1234, 99999, -1, -42, -1000,
                        std::numeric_limits<int>::max(), std::numeric_limits<int>::min()}) {
        SCOPED_TRACE(v);
        line.clear();
        line.appendZeroPadded(v, 3);
        EXPECT_EQ(line.toString(), num::formatNumber(v, u"0##"));
        line.clear();
        line.appendZeroPadded(v, 4);
        EXPECT_EQ(line.toString(), num::formatNumber(v, u"0###"));
    }
}

} // namespace
