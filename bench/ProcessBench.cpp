// The start of the whole program as the user waits for it: from exec to the
// first painted main window, each measurement a new process, beside a bare
// Qt window of the same size started the same way (the floor).
#include <QByteArray>
#include <QDir>
#include <QString>
#include <benchmark/benchmark.h>
#include <chrono>
#include <fcntl.h>
#include <cstdio>
#include <cstdlib>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

#include "BenchData.h"

extern char **environ;

namespace {

// Runs the probe with the arguments in the working directory and returns its
// standard output; false when it could not start or did not end with 0.
bool runProbe(const std::vector<std::string> &args, std::string *out)
{
    int pipeFds[2];
    if (::pipe(pipeFds) != 0)
        return false;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipeFds[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, pipeFds[0]);
    // Qt's notes about the offscreen platform are no part of the measure.
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    std::vector<char *> argv;
    // ZIRPA_STARTUP_PROBE in the environment names another build's probe,
    // to compare two builds in the same conditions.
    const char *other = std::getenv("ZIRPA_STARTUP_PROBE");
    std::string exe = other && *other ? other : ZIRPA_STARTUP_PROBE;
    argv.push_back(exe.data());
    std::vector<std::string> copies = args;
    for (std::string &a : copies)
        argv.push_back(a.data());
    argv.push_back(nullptr);
    pid_t pid = 0;
    const int rc = posix_spawn(&pid, exe.c_str(), &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    ::close(pipeFds[1]);
    if (rc != 0) {
        ::close(pipeFds[0]);
        return false;
    }
    char buffer[256];
    ssize_t n;
    while ((n = ::read(pipeFds[0], buffer, sizeof buffer)) > 0)
        if (out)
            out->append(buffer, std::size_t(n));
    ::close(pipeFds[0]);
    int status = 0;
    if (::waitpid(pid, &status, 0) != pid)
        return false;
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

// The main window's size, as the program's own start shows it.
bool mainWindowSize(std::string *width, std::string *height)
{
    std::string out;
    if (!runProbe({"program"}, &out))
        return false;
    const auto blank = out.find(' ');
    if (blank == std::string::npos)
        return false;
    *width = out.substr(0, blank);
    *height = out.substr(blank + 1, out.find('\n') - blank - 1);
    return true;
}

void timeProbe(benchmark::State &state, const std::vector<std::string> &args)
{
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        if (!runProbe(args, nullptr)) {
            state.SkipWithError("the probe did not start or did not end well");
            return;
        }
        const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
        state.SetIterationTime(took.count());
    }
}

void BM_ProcessFloorBareWindow(benchmark::State &state)
{
    BenchDataDir dir;
    std::string width, height;
    if (!dir.valid() || !mainWindowSize(&width, &height)) {
        state.SkipWithError("no data directory or no main window");
        return;
    }
    timeProbe(state, {"bare", width, height});
}
BENCHMARK(BM_ProcessFloorBareWindow)->UseManualTime()->Unit(benchmark::kMillisecond);

void BM_ProcessStartUpToPaintedMainWindow(benchmark::State &state)
{
    BENCH_DATA_DIR(state);
    UnloadAllWindows();
    timeProbe(state, {"program"});
}
BENCHMARK(BM_ProcessStartUpToPaintedMainWindow)->UseManualTime()->Unit(benchmark::kMillisecond);

} // namespace

namespace {

// Opening a window as the user does, from its button in the main or the race
// window (race 1, the 1000-entry race, selected there), until the window is
// painted with its lists filled: the first time in a process, and again in
// the same process after it was closed. Every measurement is a new process.
struct WindowOpening {
    const char *label;
    const char *opener;
    const char *button;
};

const WindowOpening Openings[] = {
    {"Form3 Laeufer", "Form1", "Command1"},
    {"Form2 Vereine", "Form1", "Command2"},
    {"Form4 Veranstaltungen", "Form1", "Command3"},
    {"Form5 Teilnehmerliste", "Form4", "Command4"},
    {"Form6 Startnummern", "Form4", "Command5"},
    {"Form7 Zeitnehmung", "Form4", "Command6"},
    {"Form8 Listen und Urkunden", "Form4", "Command8"},
    {"Form9 Rennen loeschen", "Form4", "Command9"},
    {"Form11 Mannschaften und Gruppen", "Form4", "Command10"},
    {"Form12 Mannschafts-Ergebnisse", "Form4", "Command11"},
    {"Form16 Renndaten", "Form4", "Command12"},
    {"Form10 Klassen-Bildungs-Regeln", "Form4", "Command13"},
    {"Form14 Auswertungskriterien", "Form4", "Command14"},
    {"Form15 Klassen-Start-Reihenfolge", "Form4", "Command15"},
    {"CupKopie Kopie herstellen", "Form4", "Command16"},
    {"Form20 Cupwertung", "Form4", "Command17"},
    {"Form19 Kombilauf", "Form4", "Command18"},
};

// Runs the probe and returns the blank-separated numbers of its line; none
// when it did not end well.
std::vector<double> probeNumbers(const std::vector<std::string> &args)
{
    std::vector<double> numbers;
    std::string line;
    if (!runProbe(args, &line))
        return numbers;
    const char *p = line.c_str();
    char *end = nullptr;
    for (double v = std::strtod(p, &end); end != p; v = std::strtod(p, &end)) {
        numbers.push_back(v);
        p = end;
    }
    return numbers;
}

void BM_OpenWindow(benchmark::State &state, const WindowOpening &w, bool again)
{
    BENCH_DATA_DIR(state);
    UnloadAllWindows();
    for (auto _ : state) {
        const std::vector<double> t = probeNumbers({"window", w.opener, w.button});
        if (t.size() < 2) {
            state.SkipWithError("the window did not open and paint");
            return;
        }
        state.SetIterationTime((again ? t[1] : t[0]) / 1000.0);
    }
}

// The floor of a window's opening: a bare Qt window of the same size shown
// in a running program of bare windows, the first time and again.
void BM_OpenWindowFloor(benchmark::State &state, const WindowOpening &w, bool again)
{
    BENCH_DATA_DIR(state);
    UnloadAllWindows();
    const std::vector<double> sized = probeNumbers({"window", w.opener, w.button});
    if (sized.size() < 4) {
        state.SkipWithError("the window did not open and paint");
        return;
    }
    const std::string width = std::to_string(int(sized[2]));
    const std::string height = std::to_string(int(sized[3]));
    for (auto _ : state) {
        const std::vector<double> t = probeNumbers({"barewindow", width, height});
        if (t.size() < 2) {
            state.SkipWithError("the bare window did not paint");
            return;
        }
        state.SetIterationTime((again ? t[1] : t[0]) / 1000.0);
    }
}

[[maybe_unused]] const bool registered = [] {
    for (const WindowOpening &w : Openings) {
        for (const bool again : {false, true}) {
            const std::string name = std::string("BM_OpenWindow/") + w.label
                + (again ? "/again" : "/first");
            benchmark::RegisterBenchmark(name.c_str(), [w, again](benchmark::State &s) {
                BM_OpenWindow(s, w, again);
            })->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(10);
            const std::string floor = std::string("BM_OpenWindowFloor/") + w.label
                + (again ? "/again" : "/first");
            benchmark::RegisterBenchmark(floor.c_str(), [w, again](benchmark::State &s) {
                BM_OpenWindowFloor(s, w, again);
            })->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(10);
        }
    }
    return true;
}();

} // namespace
