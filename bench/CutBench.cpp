// Cutting a text to a cell's width: a name of normal length, and the one
// line of 48 KB that a file with CR-only line ends reads as.
#include <benchmark/benchmark.h>

#include "lists/PrintHelpers.h"
#include "platform/Printer.h"
#include "platform/RecordingPrinter.h"

namespace {

void setCellFont()
{
    useRecordingPrinter();
    Printer &p = printer();
    p.FontName = QStringLiteral("Arial");
    p.FontSize = 10;
    p.FontBold = true;
    p.FontItalic = false;
}

void BM_FitToWidthName(benchmark::State &state)
{
    setCellFont();
    const QString name = QStringLiteral("HÖFLINGER-WEIßENBACH ÄNNE MARIA");
    for (auto _ : state)
        benchmark::DoNotOptimize(FitToWidth(name, 44));
    resetPrinter();
}
BENCHMARK(BM_FitToWidthName)->Unit(benchmark::kMicrosecond);

void BM_FitToWidthHugeText(benchmark::State &state)
{
    setCellFont();
    QString text;
    while (text.size() < 48 * 1024)
        text += QStringLiteral("Slalom\rRiesenslalom\r 1 \r 61,5\r");
    for (auto _ : state)
        benchmark::DoNotOptimize(FitToWidth(text, 25));
    resetPrinter();
}
BENCHMARK(BM_FitToWidthHugeText)->Unit(benchmark::kMillisecond);

} // namespace
