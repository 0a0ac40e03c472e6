#pragma once
// The data the benchmarks run on, generated in a data directory of their
// own: 2000 athletes in 100 clubs, race 1 with 1000 entries in the 20
// standard classes and two runs timed.
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

constexpr int BenchAthletes = 2000;
constexpr int BenchClubs = 100;
constexpr int BenchEntries = 1000;
constexpr int BenchRaceNo = 1;

// An empty working directory (the data directory) with every piece of
// shared state reset, the date fixed and the recording printer current.
// Unloads every window before the directory goes.
class BenchDataDir {
public:
    BenchDataDir();
    ~BenchDataDir();
    BenchDataDir(const BenchDataDir &) = delete;
    BenchDataDir &operator=(const BenchDataDir &) = delete;
    bool valid() const { return ok_; }
    QString path(const QString &name) const { return dir_.filePath(name); }

private:
    QTemporaryDir dir_;
    QString oldDir_;
    bool ok_ = false;
};

// Writes the clubs and athletes (every athlete with sex and birth date) and
// leaves the three record files open.
void WriteBenchDatabase();
// Fills the race tables of race 1 (header, classes, entries, both runs),
// writes its header and its four files. Needs the database.
void WriteBenchRace();
// The same race as race raceNo, its times drawn from seed.
void WriteBenchRaceAs(int raceNo, unsigned seed);
// Race headers 1..count with names; race 1 keeps the bench race's header.
void WriteBenchRaceHeaders(int count);
// The four files of the active race, as LoadRaceFiles reads them.
QStringList BenchRaceFileNames();
// Unloads every window and lets Qt delete them.
void UnloadAllWindows();

// In a benchmark: a data directory of its own, `dir` (the benchmark ends
// with an error when none can be made).
#define BENCH_DIR(state)                                                                       \
    BenchDataDir dir;                                                                          \
    if (!dir.valid()) {                                                                        \
        state.SkipWithError("no data directory");                                              \
        return;                                                                                \
    }                                                                                          \
    static_assert(true)

// The same with the database and race 1 written.
#define BENCH_DATA_DIR(state)                                                                  \
    BENCH_DIR(state);                                                                          \
    WriteBenchDatabase();                                                                      \
    WriteBenchRace()

// The same, race 1 loaded.
#define BENCH_RACE_DIR(state)                                                                  \
    BENCH_DATA_DIR(state);                                                                     \
    LoadRaceFiles()
