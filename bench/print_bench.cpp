// Printing a long printer file: 5000 lines as a long teacher protocol or word
// list would give, with font changes, check marks and form feeds.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "screen/print/PdfRenderer.h"
#include "screen/print/PrintFonts.h"
#include "screen/print/PrintLayout.h"
#include "screen/print/PrinterFile.h"
#include "screen/print/Printing.h"

namespace {

std::vector<uint8_t> LongPrinterFile(int lines) {
    std::string file;
    for (int i = 1; i <= lines; ++i) {
        if (i % 60 == 0) {
            file += "\x0c\r\n";
        } else if (i % 10 == 0) {
            file += "\033E\033W\001Abschnitt " + std::to_string(i) + std::string("\x1bW\0\r\n", 5);
        } else {
            file += "          " + std::to_string(i % 100) + " Wortbaustein-Gr\x94\341e \xfb\r\n";
        }
    }
    return {file.begin(), file.end()};
}

void BM_ParsePrinterFile(benchmark::State& state) {
    auto file = LongPrinterFile(5000);
    for (auto _ : state) benchmark::DoNotOptimize(qs::ParsePrinterFile(file, false));
}
BENCHMARK(BM_ParsePrinterFile)->Unit(benchmark::kMillisecond);

void BM_LayOutPrinterFile(benchmark::State& state) {
    auto pieces = qs::ParsePrinterFile(LongPrinterFile(5000), false);
    qs::PrintFonts fonts;
    for (auto _ : state) benchmark::DoNotOptimize(qs::LayOutPrinterFile(pieces, fonts));
}
BENCHMARK(BM_LayOutPrinterFile)->Unit(benchmark::kMillisecond);

void BM_RenderPdf(benchmark::State& state) {
    auto pieces = qs::ParsePrinterFile(LongPrinterFile(5000), false);
    qs::PrintFonts fonts;
    auto layout = qs::LayOutPrinterFile(pieces, fonts);
    for (auto _ : state) benchmark::DoNotOptimize(qs::RenderPdf(layout, fonts));
}
BENCHMARK(BM_RenderPdf)->Unit(benchmark::kMillisecond);

// Everything PrintPrinterFile does before the document goes out, fonts
// looked up afresh as on every print.
void BM_PrinterFileToPdf(benchmark::State& state) {
    auto file = LongPrinterFile(5000);
    for (auto _ : state) benchmark::DoNotOptimize(qs::PrinterFileToPdf(file, false));
}
BENCHMARK(BM_PrinterFileToPdf)->Unit(benchmark::kMillisecond);

}  // namespace
