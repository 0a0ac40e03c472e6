// The scoring over several races and every printout of the 1000-entry race,
// and 1000 random keys of the rankings' shape sorted as numbers (the
// rankings' own floor, on the race's keys, is in RaceBench.cpp).
#include <QDir>
#include <QFileInfo>
#include <algorithm>
#include <benchmark/benchmark.h>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <tuple>
#include <vector>

#include "BenchData.h"
#include "core/Form4.h"
#include "core/RaceFiles.h"
#include "core/RecordFiles.h"
#include "core/SharedState.h"
#include "lists/AlphabeticalList.h"
#include "lists/CoverSheet.h"
#include "lists/NotClassifiedList.h"
#include "lists/ParticipantList.h"
#include "lists/ResultList.h"
#include "lists/SecondRunStartList.h"
#include "platform/Form.h"
#include "platform/Printer.h"
#include "race/ClassAssignment.h"
#include "race/Ranking.h"
#include "scoring/CombinationRace.h"
#include "scoring/CupEvaluation.h"
#include "scoring/CupList.h"
#include "scoring/Form12.h"
#include "scoring/Form20.h"
#include "scoring/TeamResultList.h"
#include "scoring/TeamScoring.h"

namespace {

constexpr int ScoredRaces = 10;

// Random keys of the ranking's shape: class order, time, slot, as numbers.
struct NumericKey {
    int order;
    double time;
    int slot;
};

void BM_FloorSortRandomNumericKeys(benchmark::State &state)
{
    std::vector<NumericKey> keys;
    keys.reserve(BenchEntries);
    std::uint32_t s = 99;
    for (int i = 1; i <= BenchEntries; ++i) {
        s = s * 1103515245u + 12345u;
        keys.push_back({int((s >> 8) % 40) + 1, 40.0 + double((s >> 4) % 3000) / 100.0, i});
    }
    for (auto _ : state) {
        std::vector<NumericKey> sorted = keys;
        std::sort(sorted.begin(), sorted.end(), [](const NumericKey &a, const NumericKey &b) {
            return std::tie(a.order, a.time, a.slot) < std::tie(b.order, b.time, b.slot);
        });
        benchmark::DoNotOptimize(sorted.data());
    }
}
BENCHMARK(BM_FloorSortRandomNumericKeys)->Unit(benchmark::kMillisecond);

// Races 1..10 of 1000 entries each, the race window loaded as the opener of
// the scoring windows, race 1 current.
#define BENCH_RACES_DIR(state)                                                                 \
    BENCH_DIR(state);                                                                          \
    WriteBenchDatabase();                                                                      \
    for (int r = ScoredRaces; r >= 1; --r)                                                     \
        WriteBenchRaceAs(r, 777u + unsigned(r));                                               \
    Rec.RaceRecordNo = 1;                                                                      \
    Race.ActiveRaceNo = 1;                                                                     \
    ReadRaceHeader();                                                                          \
    LoadRaceFiles();                                                                           \
    form<Form4>().Hide()

Form20 &openCupWithAllRaces()
{
    Form20 &f = form<Form20>();
    f.Show();
    for (int k = 0; k < f.List1.ListCount(); ++k)
        f.List1.setSelected(k, true);
    f.Text3.setText(QStringLiteral("2"));
    return f;
}

void BM_EvaluateCup10x1000(benchmark::State &state)
{
    BENCH_RACES_DIR(state);
    Form20 &f = openCupWithAllRaces();
    for (auto _ : state)
        f.Command1_Click();
}
BENCHMARK(BM_EvaluateCup10x1000)->Unit(benchmark::kMillisecond);

void BM_PrintCupListPdf10x1000(benchmark::State &state)
{
    BENCH_RACES_DIR(state);
    openCupWithAllRaces().Command1_Click();
    if (!selectPrinter(pdfPrinterName())) {
        state.SkipWithError("no PDF printer");
        return;
    }
    for (auto _ : state)
        PrintCupList();
}
BENCHMARK(BM_PrintCupListPdf10x1000)->Unit(benchmark::kMillisecond);

void BM_CombineRaces10x1000(benchmark::State &state)
{
    BENCH_RACES_DIR(state);
    std::vector<std::int32_t> races;
    for (int r = 1; r <= ScoredRaces; ++r)
        races.push_back(r);
    for (auto _ : state) {
        if (!CombineRaces(races, ScoredRaces + 1)) {
            state.SkipWithError("the combination race was not built");
            return;
        }
    }
}
BENCHMARK(BM_CombineRaces10x1000)->Unit(benchmark::kMillisecond);

// The 1000 entries in 100 teams.
void spreadOverHundredTeams()
{
    for (int n = 1; n <= 100; ++n)
        Race.TeamNames[n] = QStringLiteral("Mannschaft %1").arg(n);
    for (int i = 1; i <= BenchEntries; ++i)
        Race.SlotTeam[i] = (i - 1) % 100 + 1;
}

// The race ranked, its clubs collected and the sum of the best three times
// of each team chosen.
void prepareTeamScoring()
{
    spreadOverHundredTeams();
    AssignClasses();
    ComputeProvisionalResult();
    CollectRaceClubs();
    TeamScoring.Category = TeamCategory::Team;
    TeamScoring.ScoreKind = TeamScoreKind::TimeSum;
    TeamScoring.TimeSumCount = 3;
}

void BM_ScoreTeams1000x100(benchmark::State &state)
{
    BENCH_RACES_DIR(state);
    prepareTeamScoring();
    for (auto _ : state)
        ScoreTeams();
}
BENCHMARK(BM_ScoreTeams1000x100)->Unit(benchmark::kMillisecond);

// Every printout of the 1000-entry race to the PDF printer.
void printToPdf(benchmark::State &state, void (*print)(), void (*prepare)() = nullptr)
{
    BENCH_RACE_DIR(state);
    if (prepare)
        prepare();
    if (!selectPrinter(pdfPrinterName())) {
        state.SkipWithError("no PDF printer");
        return;
    }
    for (auto _ : state)
        print();
    if (QDir(dir.path(QStringLiteral("PDF"))).entryInfoList(QDir::Files).isEmpty())
        state.SkipWithError("no PDF written");
}

// The team results window evaluated as the user does: the teams, the sum of
// the best three times, "auswerten"; its lists then hold the 100 teams.
void scoreTeamsForPrinting()
{
    spreadOverHundredTeams();
    Form12 &f = form<Form12>();
    f.Show();
    f.Check2.setValue(1);
    f.Option3.setValue(true);
    f.Combo2.setListIndex(1);
    f.Command2_Click();
}

// The team results window's print button hands its lines over.
void printTeamResults()
{
    Form12 &f = form<Form12>();
    if (f.List2.ListCount() != 100) {
        std::fprintf(stderr, "team results: %d lines, not the 100 teams\n", f.List2.ListCount());
        std::exit(1);
    }
    f.Command3_Click();
}

BENCHMARK_CAPTURE(printToPdf, ResultList, PrintResultList)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(printToPdf, SecondRunStartList, PrintSecondRunStartList)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(printToPdf, ParticipantList, PrintParticipantList)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(printToPdf, NotClassifiedList, PrintNotClassifiedList)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(printToPdf, AlphabeticalList, PrintAlphabeticalList)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(printToPdf, CoverSheet, PrintCoverSheet)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(printToPdf, TeamResults, printTeamResults, scoreTeamsForPrinting)
    ->Unit(benchmark::kMillisecond);

} // namespace
