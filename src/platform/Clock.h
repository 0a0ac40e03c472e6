#pragma once
// Today, now and the random generator, so that a test can fix the day and the
// draw of start numbers.
#include <QDate>
#include <QDateTime>
#include <vector>


namespace sysclock {

QDate today();
QDateTime now();
double secondsSinceMidnight();   // timer value, seed of the random generator

// Tests: fix the current moment (an invalid value goes back to the real clock).
void setFixedNow(const QDateTime &moment);

} // namespace sysclock

namespace rnd {

// Restarts the generator; the same seed gives the same sequence on every
// machine. Until the first call the sequence is that of reset().
void randomize(double seed);
double next();                    // uniform in [0, 1)

// Tests: the next values next() returns, in order and as given, before it
// goes on with the generator. randomize() keeps them queued, so a test can
// queue values for code that seeds the generator itself.
void queueValues(const std::vector<double> &values);
// Clears the queue and restarts the generator with the fixed default seed.
void reset();

} // namespace rnd
