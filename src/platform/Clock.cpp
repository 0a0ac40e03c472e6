#include "Clock.h"

#include <QTime>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <deque>

namespace sysclock {

namespace {
QDateTime fixedNow;   // invalid: the real clock
}

QDateTime now()
{
    return fixedNow.isValid() ? fixedNow : QDateTime::currentDateTime();
}

QDate today()
{
    return now().date();
}

double secondsSinceMidnight()
{
    return now().time().msecsSinceStartOfDay() / 1000.0;
}

void setFixedNow(const QDateTime &moment)
{
    fixedNow = moment;
}

} // namespace sysclock

namespace rnd {

namespace {

// PCG32 (XSH RR): small, fast, and the same sequence on every platform and
// standard library, which std::rand and the std distributions are not.
struct Pcg32 {
    std::uint64_t state = 0;
    std::uint64_t inc = 1;

    std::uint32_t next()
    {
        const std::uint64_t old = state;
        state = old * 6364136223846793005ULL + inc;
        const auto xorshifted = std::uint32_t(((old >> 18u) ^ old) >> 27u);
        const auto rot = std::uint32_t(old >> 59u);
        return (xorshifted >> rot) | (xorshifted << ((32u - rot) & 31u));
    }

    void seed(std::uint64_t initState, std::uint64_t sequence)
    {
        state = 0;
        inc = (sequence << 1u) | 1u;
        next();
        state += initState;
        next();
    }
};

std::uint64_t splitmix64(std::uint64_t &x)
{
    std::uint64_t z = (x += 0x9E3779B97F4A7C15ULL);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    return z ^ (z >> 31);
}

constexpr double DefaultSeed = 0.0;

Pcg32 seeded(double seed)
{
    if (seed == 0)
        seed = 0.0;   // -0 and 0 give the same sequence
    std::uint64_t bits;
    std::memcpy(&bits, &seed, sizeof bits);
    // Nearby seeds (successive timer values) must give unrelated sequences.
    std::uint64_t mix = bits;
    const std::uint64_t s = splitmix64(mix);
    const std::uint64_t seq = splitmix64(mix);
    Pcg32 g;
    g.seed(s, seq);
    return g;
}

Pcg32 generator = seeded(DefaultSeed);
std::deque<double> queued;

} // namespace

void randomize(double seed)
{
    generator = seeded(seed);
}

double next()
{
    if (!queued.empty()) {
        const double v = queued.front();
        queued.pop_front();
        return v;
    }
    // 53 random bits: every value is a multiple of 2^-53 below 1.
    const std::uint64_t hi = generator.next() >> 5;   // 27 bits
    const std::uint64_t lo = generator.next() >> 6;   // 26 bits
    return double((hi << 26) | lo) * 0x1.0p-53;
}

void queueValues(const std::vector<double> &values)
{
    queued.insert(queued.end(), values.begin(), values.end());
}

void reset()
{
    queued.clear();
    generator = seeded(DefaultSeed);
}

} // namespace rnd
