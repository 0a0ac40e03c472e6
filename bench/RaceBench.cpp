// The actions on the 1000-entry race, the race list over 30,000 races, the
// result list on both printers and the start-up, each beside the floor:
// reading the race's file bytes and sorting 1000 keys of the shape the
// sorted lists use.
#include <QColor>
#include <QDir>
#include <QImage>
#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <benchmark/benchmark.h>
#include <vector>

#include "BenchData.h"
#include "core/Form1.h"
#include "core/Form17.h"
#include "core/Form4.h"
#include "core/RaceFiles.h"
#include "core/RecordFiles.h"
#include "core/SharedState.h"
#include "lists/Certificates.h"
#include "lists/Form8.h"
#include "lists/ResultList.h"
#include "platform/Form.h"
#include "platform/NumberText.h"
#include "platform/Printer.h"
#include "platform/RecordingPrinter.h"
#include "platform/TextOrder.h"
#include "race/ClassAssignment.h"
#include "race/Form5.h"
#include "race/Form7.h"
#include "race/Ranking.h"
#include "race/TimingLists.h"

namespace {

// Keys like "007 00065,30 NAME   123": class order, time, name, slot.
std::vector<QString> floorKeys()
{
    std::vector<QString> keys;
    keys.reserve(BenchEntries);
    std::uint32_t s = 99;
    for (int i = 1; i <= BenchEntries; ++i) {
        s = s * 1103515245u + 12345u;
        const int order = int((s >> 8) % 40) + 1;
        const double t = 40.0 + double((s >> 4) % 3000) / 100.0;
        keys.push_back(num::formatNumber(order, u"0##") + QStringLiteral(" ")
                       + num::formatNumber(t, u"0####.#0") + QStringLiteral(" NAME")
                       + QString::number(s % 1000) + QStringLiteral("   ") + QString::number(i));
    }
    return keys;
}

void BM_Floor(benchmark::State &state)
{
    BENCH_RACE_DIR(state);
    const QStringList files = BenchRaceFileNames();
    const std::vector<QString> keys = floorKeys();
    for (auto _ : state) {
        qint64 bytes = 0;
        for (const QString &name : files) {
            QFile f(name);
            if (f.open(QIODevice::ReadOnly))
                bytes += f.readAll().size();
        }
        std::vector<QString> sorted = keys;
        std::sort(sorted.begin(), sorted.end(), textLess);
        benchmark::DoNotOptimize(bytes);
        benchmark::DoNotOptimize(sorted.data());
    }
}
BENCHMARK(BM_Floor)->Unit(benchmark::kMillisecond);

// The floor's two halves, to see which part an action is close to.
void BM_FloorReadFiles(benchmark::State &state)
{
    BENCH_RACE_DIR(state);
    const QStringList files = BenchRaceFileNames();
    for (auto _ : state) {
        qint64 bytes = 0;
        for (const QString &name : files) {
            QFile f(name);
            if (f.open(QIODevice::ReadOnly))
                bytes += f.readAll().size();
        }
        benchmark::DoNotOptimize(bytes);
    }
}
BENCHMARK(BM_FloorReadFiles)->Unit(benchmark::kMillisecond);

void BM_FloorSortKeys(benchmark::State &state)
{
    const std::vector<QString> keys = floorKeys();
    for (auto _ : state) {
        std::vector<QString> sorted = keys;
        std::sort(sorted.begin(), sorted.end(), textLess);
        benchmark::DoNotOptimize(sorted.data());
    }
}
BENCHMARK(BM_FloorSortKeys)->Unit(benchmark::kMillisecond);

void BM_LoadRaceFiles(benchmark::State &state)
{
    BENCH_RACE_DIR(state);
    for (auto _ : state)
        LoadRaceFiles();
    if (Race.SlotAthleteId[BenchEntries] == 0)
        state.SkipWithError("race not loaded");
}
BENCHMARK(BM_LoadRaceFiles)->Unit(benchmark::kMillisecond);

void BM_SaveRaceFiles(benchmark::State &state)
{
    BENCH_RACE_DIR(state);
    for (auto _ : state)
        SaveRaceFiles();
    if (Work.CheckOk != 1)
        state.SkipWithError("the reminder found missing data");
}
BENCHMARK(BM_SaveRaceFiles)->Unit(benchmark::kMillisecond);

// The save each commit in the time entry makes while it is open: the four
// files, no reminder.
void BM_SaveRaceFilesWithoutReminder(benchmark::State &state)
{
    BENCH_RACE_DIR(state);
    for (auto _ : state)
        if (!SaveRaceFilesWithoutReminder())
            state.SkipWithError("save failed");
}
BENCHMARK(BM_SaveRaceFilesWithoutReminder)->Unit(benchmark::kMillisecond);

// Leaving the time box of the entry shown (Enter, Tab, a click elsewhere)
// with a changed time (argument 1: stored and saved) or the same one
// (argument 0: stored, nothing to save). Typing itself stores nothing.
void BM_Form7CommitTime(benchmark::State &state)
{
    BENCH_RACE_DIR(state);
    Form7 &f = form<Form7>();
    f.List2.setListIndex(0);
    const int slot = f.ShownSlot();
    if (slot == 0) {
        state.SkipWithError("no entry shown");
        return;
    }
    const bool changes = state.range(0) == 1;
    const QString texts[] = {QStringLiteral("61.23"), QStringLiteral("61.24")};
    int n = 0;
    for (auto _ : state) {
        f.Text1.setText(texts[changes ? (n++ & 1) : 0]);
        f.Text1_LostFocus();
    }
    if (Race.SlotTime1[slot] < 61.2)
        state.SkipWithError("time not stored");
}
BENCHMARK(BM_Form7CommitTime)->ArgName("changed")->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond);

void BM_AssignClasses(benchmark::State &state)
{
    BENCH_RACE_DIR(state);
    for (auto _ : state)
        AssignClasses();
}
BENCHMARK(BM_AssignClasses)->Unit(benchmark::kMillisecond);

// The numeric floor of the rankings: the keys of the entries that
// ComputeProvisionalResult ranks, gathered from the slot tables as it
// gathers them (ranking group, total with the handicaps rounded to the
// hundredth, slot), sorted by the ranking's numeric comparison and given
// their ranks with its tolerance; no text. The sex of each athlete (for the
// men handicap) is looked up before, as it is no key.
void BM_FloorSortNumericKeys(benchmark::State &state)
{
    BENCH_RACE_DIR(state);
    OpenAthleteFile();
    std::vector<int> sexOf(MaxSlots + 1, 2);
    for (int slot = 1; slot <= MaxSlots; ++slot) {
        Rec.CurrentAthleteId = Race.SlotAthleteId[slot];
        if (Rec.CurrentAthleteId >= 1 && Rec.CurrentAthleteId <= Rec.AthleteCount) {
            ReadAthleteRecord();
            sexOf[slot] = Rec.AthleteSex;
        }
    }
    struct Key {
        RankingNumbers numbers;
        double value;
        int slot;
    };
    std::vector<Key> keys;
    keys.reserve(MaxSlots);
    std::vector<int> ranks(MaxSlots + 1);
    const bool byClass = Rec.EvalByClass == 1;
    const bool byTime = Rec.EvalByTime == 1;
    const bool twoRuns = Rec.TwoRuns == 1;
    for (auto _ : state) {
        keys.clear();
        bool run2Started = false;
        for (int slot = 1; slot <= MaxSlots && !run2Started; ++slot)
            run2Started = Race.SlotTime2[slot] > 0;
        for (int slot = 1; slot <= MaxSlots; ++slot) {
            if (Race.SlotAthleteId[slot] == 0 || Race.SlotStatus1[slot] != 0
                || Race.SlotStatus2[slot] != 0 || Race.SlotTime1[slot] == 0
                || (Race.SlotTime2[slot] == 0 && run2Started))
                continue;
            const double handicap = (Race.SlotGuest[slot] == 1 ? Rec.GuestTimeHandicap : 0)
                + (sexOf[slot] == 1 ? Rec.MenTimeHandicap : 0);
            const double adj1 = Race.SlotTime1[slot] + handicap;
            const double time2 = Race.SlotTime2[slot];
            const double adj2 = time2 > 0 ? time2 + handicap : time2;
            const double value = !byTime ? Race.SlotPoints[slot] : (twoRuns ? adj1 + adj2 : adj1);
            const int group = byClass ? Race.SlotClassOrder[slot] : Race.SlotGroup[slot];
            keys.push_back({{group, num::roundHalfAway(value, 2)}, value, slot});
        }
        std::sort(keys.begin(), keys.end(), [](const Key &a, const Key &b) {
            if (RankingNumbersLess(a.numbers, b.numbers))
                return true;
            if (RankingNumbersLess(b.numbers, a.numbers))
                return false;
            return a.slot < b.slot;
        });
        int position = 0;
        for (std::size_t i = 0; i < keys.size(); ++i) {
            const bool newGroup = i == 0 || keys[i].numbers.group != keys[i - 1].numbers.group;
            position = newGroup ? 1 : position + 1;
            ranks[keys[i].slot] = !newGroup && RankingValuesEqual(keys[i].value, keys[i - 1].value)
                ? ranks[keys[i - 1].slot]
                : position;
        }
        benchmark::DoNotOptimize(keys.data());
        benchmark::DoNotOptimize(ranks.data());
    }
    if (keys.size() < std::size_t(BenchEntries) / 2)
        state.SkipWithError("too few keys");
}
BENCHMARK(BM_FloorSortNumericKeys)->Unit(benchmark::kMillisecond);

void BM_ComputeProvisionalResult(benchmark::State &state)
{
    BENCH_RACE_DIR(state);
    for (auto _ : state)
        ComputeProvisionalResult();
    if (Ranking.RankedCount < BenchEntries / 2)
        state.SkipWithError("too few ranked");
}
BENCHMARK(BM_ComputeProvisionalResult)->Unit(benchmark::kMillisecond);

void BM_RankAfterRun1(benchmark::State &state)
{
    BENCH_RACE_DIR(state);
    for (auto _ : state)
        RankAfterRun1();
}
BENCHMARK(BM_RankAfterRun1)->Unit(benchmark::kMillisecond);

// Argument: the order as Form7's option buttons number it.
void BM_FillTimingLists(benchmark::State &state)
{
    BENCH_RACE_DIR(state);
    Form7 &f = form<Form7>();
    OptionButton *options[] = {&f.Option1, &f.Option2, &f.Option3, &f.Option4, &f.Option5};
    // Selecting the option fills the lists once already.
    options[state.range(0) - 1]->setValue(true);
    for (auto _ : state)
        FillTimingLists();
    // The second run lists only those with a run-1 time.
    if (f.List2.ListCount() < BenchEntries * 9 / 10)
        state.SkipWithError("lists not filled");
}
BENCHMARK(BM_FillTimingLists)
    ->ArgName("order")
    ->DenseRange(1, 5)
    ->Unit(benchmark::kMillisecond);

void BM_FillEntryList(benchmark::State &state)
{
    BENCH_RACE_DIR(state);
    Form5 &f = form<Form5>();
    for (auto _ : state)
        FillEntryList();
    if (f.List2.ListCount() < BenchEntries)
        state.SkipWithError("entry list not filled");
}
BENCHMARK(BM_FillEntryList)->Unit(benchmark::kMillisecond);

// The floor of the race list: reading the 30,000 headers' bytes of
// Rennen.rec (34 MB) in one go.
void BM_FloorReadRaceFile30000(benchmark::State &state)
{
    BENCH_RACE_DIR(state);
    WriteBenchRaceHeaders(30000);
    for (auto _ : state) {
        QFile f(QStringLiteral("Rennen.rec"));
        qint64 bytes = 0;
        if (f.open(QIODevice::ReadOnly))
            bytes = f.readAll().size();
        benchmark::DoNotOptimize(bytes);
    }
}
BENCHMARK(BM_FloorReadRaceFile30000)->Unit(benchmark::kMillisecond);

void BM_FillRaceList30000(benchmark::State &state)
{
    BENCH_RACE_DIR(state);
    WriteBenchRaceHeaders(30000);
    Form4 &f = form<Form4>();
    for (auto _ : state)
        FillRaceList();
    if (f.List1.ListCount() != 30000)
        state.SkipWithError("race list incomplete");
}
BENCHMARK(BM_FillRaceList30000)->Unit(benchmark::kMillisecond);

// The whole opening of the race window as the main window does it: the
// window built and loaded (list filled, current race loaded) and shown.
void BM_OpenRaceWindow30000(benchmark::State &state)
{
    BENCH_RACE_DIR(state);
    WriteBenchRaceHeaders(30000);
    UnloadAllWindows();
    int listed = 0;
    for (auto _ : state) {
        state.PauseTiming();
        OpenAthleteFile();
        OpenClubFile();
        OpenRaceFile();
        state.ResumeTiming();
        Form4 &f = form<Form4>();
        f.Show();
        f.Text1.setText(QStringLiteral("1"));
        state.PauseTiming();
        listed = f.List1.ListCount();
        UnloadAllWindows();
        state.ResumeTiming();
    }
    if (listed != 30000)
        state.SkipWithError("race list incomplete");
}
BENCHMARK(BM_OpenRaceWindow30000)->Unit(benchmark::kMillisecond);

void BM_PrintResultListRecording(benchmark::State &state)
{
    BENCH_RACE_DIR(state);
    RecordingPrinter &rec = useRecordingPrinter();
    for (auto _ : state) {
        rec.clear();
        PrintResultList();
    }
    state.counters["pages"] = rec.pageCount(rec.jobCount());
}
BENCHMARK(BM_PrintResultListRecording)->Unit(benchmark::kMillisecond);

void BM_PrintResultListPdf(benchmark::State &state)
{
    BENCH_RACE_DIR(state);
    if (!selectPrinter(pdfPrinterName())) {
        state.SkipWithError("no PDF printer");
        return;
    }
    for (auto _ : state)
        PrintResultList();
    const QFileInfoList pdfs = QDir(dir.path(QStringLiteral("PDF"))).entryInfoList(QDir::Files);
    if (pdfs.isEmpty())
        state.SkipWithError("no PDF written");
    else
        state.counters["pdf_kB"] = double(pdfs.first().size()) / 1024.0;
}
BENCHMARK(BM_PrintResultListPdf)->Unit(benchmark::kMillisecond);

// The print window over the bench race with the first 100 finishers marked
// and a logo beside the data; the skier pictogram.
bool markCertificates(int count)
{
    QImage logo(420, 216, QImage::Format_RGB32);
    logo.fill(QColor(0, 80, 160));
    if (!logo.save(QStringLiteral("Logo.jpg"), "JPG"))
        return false;
    Rec.CertificatePictogram = 0;
    Rec.BestTimeTitle = 3;
    Form8 &f = form<Form8>();
    f.Show();
    if (f.List2.ListCount() < count)
        return false;
    for (int i = 0; i < count; ++i)
        f.List2.setSelected(i, true);
    return true;
}

constexpr int BenchCertificates = 100;

void BM_PrintCertificatesRecording(benchmark::State &state)
{
    BENCH_RACE_DIR(state);
    RecordingPrinter &rec = useRecordingPrinter();
    if (!markCertificates(BenchCertificates)) {
        state.SkipWithError("no certificates to mark");
        return;
    }
    for (auto _ : state) {
        rec.clear();
        form<Form8>().Command5_Click();
    }
    state.counters["jobs"] = rec.jobCount();
}
BENCHMARK(BM_PrintCertificatesRecording)->Unit(benchmark::kMillisecond);

void BM_PrintCertificatesPdf(benchmark::State &state)
{
    BENCH_RACE_DIR(state);
    if (!selectPrinter(pdfPrinterName())) {
        state.SkipWithError("no PDF printer");
        return;
    }
    if (!markCertificates(BenchCertificates)) {
        state.SkipWithError("no certificates to mark");
        return;
    }
    // The clock stands still here, so each job's file name is tried against
    // every earlier one: the folder is emptied between the runs.
    QDir pdfDir(dir.path(QStringLiteral("PDF")));
    qint64 bytes = 0;
    for (auto _ : state) {
        form<Form8>().Command5_Click();
        state.PauseTiming();
        bytes = 0;
        for (const QFileInfo &pdf : pdfDir.entryInfoList(QDir::Files))
            bytes += pdf.size();
        pdfDir.removeRecursively();
        state.ResumeTiming();
    }
    if (bytes == 0)
        state.SkipWithError("no PDF written");
    else
        state.counters["pdf_kB_per_page"] = double(bytes) / 1024.0 / BenchCertificates;
}
BENCHMARK(BM_PrintCertificatesPdf)->Unit(benchmark::kMillisecond);

void BM_StartUpToMainWindow(benchmark::State &state)
{
    BENCH_DATA_DIR(state);
    UnloadAllWindows();
    for (auto _ : state) {
        form<Form1>().Show();
        state.PauseTiming();
        UnloadAllWindows();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_StartUpToMainWindow)->Unit(benchmark::kMillisecond);

} // namespace
