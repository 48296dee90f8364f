// Speed and memory of the markup engine: a realistic corpus beside md4c,
// the pathological families, and the peak resident memory of one large page.
// Prints its figures and whether each target is met; it asserts nothing.
//
//   quorvel_markup_bench            full run (1 MB and 10 MB inputs)
//   quorvel_markup_bench --quick    the same at 100 kB and 1 MB
//   quorvel_markup_bench --peak-rss FILE
//                                   converts FILE once with the growth loop
//                                   and prints the process's peak memory
#include <cinttypes>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <string_view>
#include <unistd.h>

#include "Corpus.h"
#include "Measure.h"
#include "markup/GrowingConvert.h"
#include "markup/MarkupEngine.h"
#ifdef QUORVEL_HAVE_MD4C
#include "Md4cDriver.h"
#endif

namespace {

constexpr double kMB = 1e6;
constexpr const char* kLineEnd = "\r\n";  // what the wiki passes
constexpr uint64_t kCorpusSeed = 20261211;
constexpr int kTimeoutSeconds = 120;

// Targets of the engine.
constexpr double kRealisticMinRate = 150;  // MB/s
constexpr double kPathologicalMaxRatio = 12;
constexpr double kPathologicalMinRate = 20;  // MB/s
constexpr double kPeakMaxFactor = 6;

struct Sizes {
    size_t small;
    size_t large;
    const char* smallName;
    const char* largeName;
};

double Rate(size_t bytes, double seconds) { return seconds > 0 ? bytes / kMB / seconds : 0; }

const char* Verdict(bool pass) { return pass ? "PASS" : "MISS"; }

// What one child measured on one text. Plain data: it travels through a pipe.
struct TextFigures {
    int32_t result = -1;         // of the growth loop (0 expected)
    int32_t outputLength = 0;
    int32_t attempts = 0;        // RenderMarkup calls of one growth loop
    int64_t bufferSize = 0;      // the growth loop's final buffer: sufficient
    bool outputsAgree = false;   // direct call and growth loop wrote the same
    uint64_t outputFingerprint = 0;
    Timing render;               // RenderMarkup with a sufficient buffer
    Timing growth;               // growth loop from 2 * n + 1024
};

TextFigures MeasureText(std::string_view text)
{
    TextFigures figures;
    const OutputFormat* html = HtmlOutputFormat();
    const GrowingConversion reference = GrowingConvert(text, 0, kLineEnd, html, 0);
    figures.result = reference.result;
    if (reference.result != MarkupOk)
        return figures;
    figures.outputLength = reference.outputLength;
    figures.attempts = reference.attempts;
    figures.bufferSize = reference.bufferSize;
    figures.outputFingerprint = Fingerprint(reference.output, size_t(reference.outputLength));

    const int32_t size = int32_t(reference.bufferSize);
    std::unique_ptr<char[]> buffer(new char[size_t(size)]);
    std::memset(buffer.get(), 0, size_t(size));  // fault the pages in before timing
    const char* output = nullptr;
    int32_t outputLength = 0, outputChars = 0, result = 0;
    figures.render = TimeRuns(
        [&] {
            result = RenderMarkup(text.data(), int32_t(text.size()), buffer.get(), size, 0,
                                  kLineEnd, html, 0, &output, &outputLength, &outputChars);
        },
        7, 200, 2.0);
    figures.outputsAgree = result == MarkupOk && outputLength == reference.outputLength &&
                           std::memcmp(output, reference.output, size_t(outputLength)) == 0;
    figures.growth = TimeRuns(
        [&] {
            const GrowingConversion c = GrowingConvert(text, 0, kLineEnd, html, 0);
            if (c.result != MarkupOk || c.outputLength != reference.outputLength)
                figures.outputsAgree = false;
        },
        7, 200, 2.0);
    return figures;
}

void PrintRates(const char* what, size_t bytes, const Timing& t)
{
    std::printf("         %-32s cpu %7.1f MB/s  wall %7.1f MB/s (%.1f)  %9.3f ms  [%d runs]\n",
                what, Rate(bytes, t.bestCpu), Rate(bytes, t.best), Rate(bytes, t.median),
                t.bestCpu * 1e3, t.runs);
}

// MeasureText in a child process with a time limit.
bool MeasureTextForked(std::string_view text, TextFigures& figures)
{
    std::string raw;
    const bool finished = RunForked(
        [&] {
            const TextFigures f = MeasureText(text);
            return std::string(reinterpret_cast<const char*>(&f), sizeof f);
        },
        kTimeoutSeconds, raw);
    if (!finished || raw.size() != sizeof figures)
        return false;
    std::memcpy(&figures, raw.data(), sizeof figures);
    return figures.result == MarkupOk;
}

#ifdef QUORVEL_HAVE_MD4C
struct Md4cFigures {
    int result = -1;
    size_t outputLength = 0;
    Timing render;
};

bool MeasureMd4cForked(std::string_view markdown, Md4cFigures& figures)
{
    std::string raw;
    const bool finished = RunForked(
        [&] {
            Md4cFigures f;
            std::string html;
            html.reserve(markdown.size() * 2);
            f.render = TimeRuns([&] { f.result = RenderMarkdownWithMd4c(markdown, html); }, 7,
                                200, 2.0);
            f.outputLength = html.size();
            return std::string(reinterpret_cast<const char*>(&f), sizeof f);
        },
        kTimeoutSeconds, raw);
    if (!finished || raw.size() != sizeof figures)
        return false;
    std::memcpy(&figures, raw.data(), sizeof figures);
    return figures.result == 0;
}
#endif

// --peak-rss FILE: one growth-loop conversion in this fresh process.
int PeakRssMode(const char* path)
{
    std::ifstream file(path, std::ios::binary | std::ios::ate);
    if (!file) {
        std::fprintf(stderr, "cannot read %s\n", path);
        return 1;
    }
    std::string text(size_t(file.tellg()), '\0');
    file.seekg(0);
    file.read(text.data(), std::streamsize(text.size()));
    const int64_t before = PeakResidentBytes();
    const GrowingConversion c = GrowingConvert(text, 0, kLineEnd, HtmlOutputFormat(), 0);
    const int64_t after = PeakResidentBytes();
    std::printf("%zu %" PRId64 " %" PRId64 " %d %" PRId64 " %d %d\n", text.size(), before, after,
                c.attempts, c.bufferSize, c.result, c.outputLength);
    return 0;
}

struct PeakFigures {
    size_t input = 0;
    int64_t before = 0, after = 0, bufferSize = 0;
    int attempts = 0, result = -1, outputLength = 0;
};

bool MeasurePeak(const std::string& text, PeakFigures& figures)
{
    char path[] = "/tmp/quorvel-bench-XXXXXX";
    const int fd = mkstemp(path);
    if (fd < 0)
        return false;
    bool written = write(fd, text.data(), text.size()) == ssize_t(text.size());
    close(fd);
    std::string output;
    const bool finished = written && RunSelf("--peak-rss", path, kTimeoutSeconds, output);
    unlink(path);
    if (!finished)
        return false;
    std::istringstream fields(output);
    fields >> figures.input >> figures.before >> figures.after >> figures.attempts >>
        figures.bufferSize >> figures.result >> figures.outputLength;
    return bool(fields) && figures.result == MarkupOk;
}

void PrintPeak(const char* name, const std::string& text, bool isTarget, bool& allPass)
{
    PeakFigures p;
    if (!MeasurePeak(text, p)) {
        std::printf("  %-28s failed or timed out (> %d s)%s\n", name, kTimeoutSeconds,
                    isTarget ? "  MISS" : "");
        if (isTarget)
            allPass = false;
        return;
    }
    const double factor = double(p.after) / double(p.input);
    std::printf("  %-28s input %6.2f MB  peak %7.2f MB = %5.2f x input  (%.2f MB before "
                "converting; %d attempt(s), last buffer %.2f MB)",
                name, p.input / kMB, p.after / kMB, factor, p.before / kMB, p.attempts,
                p.bufferSize / kMB);
    if (isTarget) {
        const bool pass = factor < kPeakMaxFactor;
        allPass = allPass && pass;
        std::printf("  target < %.0f x: %s", kPeakMaxFactor, Verdict(pass));
    }
    std::printf("\n");
}

int RunBenchmark(const Sizes& sizes)
{
    bool allPass = true;
    std::printf("Quorvel markup engine benchmark: HtmlOutputFormat, options 0, font size 0, "
                "line end CR LF\n");
    std::printf("1 MB = 1,000,000 bytes; rates are MB of input per second. Each figure is the "
                "best of repeated runs:\nprocessor time (user + system, what the targets are "
                "judged on: the machine is shared) and\nwall-clock time (best, and median in "
                "brackets).\n");
    std::printf("CPUs online: %ld\n\n", sysconf(_SC_NPROCESSORS_ONLN));

    // Realistic corpus, Creole and Markdown from the same document model.
    std::printf("Realistic corpus (seed %" PRIu64 "):\n", kCorpusSeed);
    double worstEngineRate = 1e30;
    bool md4cBeaten = true, md4cMeasured = false;
    for (const size_t target : {sizes.small, sizes.large}) {
        const char* sizeName = target == sizes.small ? sizes.smallName : sizes.largeName;
        const RealisticCorpus corpus = GenerateRealisticCorpus(target, kCorpusSeed);
        TextFigures f;
        if (!MeasureTextForked(corpus.creole, f)) {
            std::printf("  %-6s engine failed or timed out (> %d s)  MISS\n", sizeName,
                        kTimeoutSeconds);
            allPass = false;
            worstEngineRate = 0;
            continue;
        }
        const size_t n = corpus.creole.size();
        const double engineRate = Rate(n, f.render.bestCpu);
        worstEngineRate = std::min(worstEngineRate, engineRate);
        std::printf("  %-6s Creole %9zu B (fingerprint %016" PRIx64 ") -> HTML %9d B (%016" PRIx64
                    ")%s\n",
                    sizeName, n, Fingerprint(corpus.creole.data(), n), f.outputLength,
                    f.outputFingerprint, f.outputsAgree ? "" : "  OUTPUTS DIFFER");
        PrintRates("RenderMarkup, sufficient buffer", n, f.render);
        PrintRates("growth loop from 2n+1024", n, f.growth);
        std::printf("           (growth loop: %d attempt(s), last buffer %.2f MB, which is the "
                    "sufficient buffer above)\n", f.attempts, f.bufferSize / kMB);
        if (!f.outputsAgree)
            allPass = false;
#ifdef QUORVEL_HAVE_MD4C
        Md4cFigures m;
        if (MeasureMd4cForked(corpus.markdown, m)) {
            const size_t mn = corpus.markdown.size();
            const double md4cRate = Rate(mn, m.render.bestCpu);
            md4cMeasured = true;
            md4cBeaten = md4cBeaten && engineRate >= md4cRate;
            PrintRates("md4c md_html on the Markdown", mn, m.render);
            std::printf("           (Markdown %zu B -> HTML %zu B; engine/md4c %.2f x by "
                        "processor time)\n", mn, m.outputLength, engineRate / md4cRate);
        } else {
            std::printf("         md4c failed or timed out\n");
        }
#endif
    }
#ifndef QUORVEL_HAVE_MD4C
    std::printf("  md4c: not built (libmd4c-html0-dev and libmd4c-dev were missing at "
                "configure time)\n");
#endif

    // Pathological families.
    std::printf("\nPathological families (RenderMarkup with a sufficient buffer, processor "
                "time;\n  wall-clock rate and the growth loop's rate for information):\n");
    std::printf("  %-26s %11s %11s %7s %8s %8s %8s  %s\n", "family", sizes.smallName,
                sizes.largeName, "ratio", "MB/s", "wall", "growth", "target");
    bool pathologicalPass = true;
    for (const PathologicalFamily& family : PathologicalFamilies()) {
        TextFigures small, large;
        const bool smallOk = MeasureTextForked(family.generate(sizes.small), small);
        const bool largeOk = smallOk && MeasureTextForked(family.generate(sizes.large), large);
        if (!smallOk || !largeOk) {
            std::printf("  %-26s %s failed or timed out (> %d s)  MISS\n", family.name,
                        smallOk ? sizes.largeName : sizes.smallName, kTimeoutSeconds);
            pathologicalPass = false;
            continue;
        }
        const double ratio = large.render.bestCpu / small.render.bestCpu;
        const double rate = Rate(sizes.large, large.render.bestCpu);
        const bool pass = ratio <= kPathologicalMaxRatio && rate >= kPathologicalMinRate &&
                          small.outputsAgree && large.outputsAgree;
        pathologicalPass = pathologicalPass && pass;
        std::printf("  %-26s %8.2f ms %8.2f ms %7.2f %8.1f %8.1f %8.1f  %s%s\n", family.name,
                    small.render.bestCpu * 1e3, large.render.bestCpu * 1e3, ratio, rate,
                    Rate(sizes.large, large.render.best), Rate(sizes.large, large.growth.bestCpu),
                    Verdict(pass),
                    small.outputsAgree && large.outputsAgree ? "" : " (outputs differ)");
    }
    allPass = allPass && pathologicalPass;

    // Peak resident memory, each in a fresh process.
    std::printf("\nPeak resident memory of one growth-loop conversion of a %s page "
                "(fresh process, VmHWM, whole process):\n", sizes.largeName);
    PrintPeak("realistic corpus", GenerateRealisticCorpus(sizes.large, kCorpusSeed).creole, true,
              allPass);
    for (const PathologicalFamily& family : PathologicalFamilies())
        PrintPeak(family.name, family.generate(sizes.large), false, allPass);

    std::printf("\nTargets:\n");
    const bool ratePass = worstEngineRate >= kRealisticMinRate;
    std::printf("  realistic corpus >= %.0f MB/s in-process (slower of both sizes): %.1f MB/s  "
                "%s\n", kRealisticMinRate, worstEngineRate, Verdict(ratePass));
    allPass = allPass && ratePass;
    if (md4cMeasured) {
        std::printf("  realistic corpus at least as fast as md4c (both sizes):        %s\n",
                    Verdict(md4cBeaten));
        allPass = allPass && md4cBeaten;
    } else {
        std::printf("  realistic corpus at least as fast as md4c:                     "
                    "not measured\n");
    }
    std::printf("  pathological t(%s)/t(%s) <= %.0f and >= %.0f MB/s, every family:   %s\n",
                sizes.largeName, sizes.smallName, kPathologicalMaxRatio, kPathologicalMinRate,
                Verdict(pathologicalPass));
    std::printf("  (peak memory: see the realistic corpus line above)\n");
    std::printf("\nOverall: %s\n", allPass ? "all targets met" : "some targets missed");
    return 0;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc == 3 && std::strcmp(argv[1], "--peak-rss") == 0)
        return PeakRssMode(argv[2]);
    if (argc == 2 && std::strcmp(argv[1], "--quick") == 0)
        return RunBenchmark({100000, 1000000, "100 kB", "1 MB"});
    if (argc == 1)
        return RunBenchmark({1000000, 10000000, "1 MB", "10 MB"});
    std::fprintf(stderr, "usage: %s [--quick | --peak-rss FILE]\n", argv[0]);
    return 2;
}
