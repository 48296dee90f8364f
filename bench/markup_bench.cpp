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
#include <functional>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>
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
    // md4c on the Markdown twin of the text, when asked for and built in.
    bool peerMeasured = false;
    int peerResult = -1;
    size_t peerOutputLength = 0;
    Timing peer;
};

// Measures texts whose figures are compared with each other; their runs are
// interleaved (see TimeRounds), and so are md4c's on markdown, when given,
// whose figures go with the first text. All figures stay unset when any text
// fails.
std::vector<TextFigures> MeasureTexts(const std::vector<std::string_view>& texts,
                                      std::string_view markdown = {})
{
    const OutputFormat* html = HtmlOutputFormat();
    std::vector<TextFigures> figures(texts.size());
    std::vector<GrowingConversion> references;
    std::vector<std::unique_ptr<char[]>> buffers;
    for (size_t k = 0; k < texts.size(); ++k) {
        references.push_back(GrowingConvert(texts[k], 0, kLineEnd, html, 0));
        const GrowingConversion& reference = references.back();
        figures[k].result = reference.result;
        if (reference.result != MarkupOk)
            return figures;
        figures[k].outputLength = reference.outputLength;
        figures[k].attempts = reference.attempts;
        figures[k].bufferSize = reference.bufferSize;
        figures[k].outputFingerprint =
            Fingerprint(reference.output, size_t(reference.outputLength));
        figures[k].outputsAgree = true;
        buffers.emplace_back(new char[size_t(reference.bufferSize)]);
        std::memset(buffers.back().get(), 0, size_t(reference.bufferSize));  // fault pages in
    }

    std::vector<std::function<void()>> renders, growths;
    for (size_t k = 0; k < texts.size(); ++k) {
        renders.push_back([&, k] {
            const char* output = nullptr;
            int32_t outputLength = 0, outputChars = 0;
            const int32_t result = RenderMarkup(
                texts[k].data(), int32_t(texts[k].size()), buffers[k].get(),
                int32_t(references[k].bufferSize), 0, kLineEnd, html, 0, &output, &outputLength,
                &outputChars);
            if (result != MarkupOk || outputLength != references[k].outputLength ||
                std::memcmp(output, references[k].output, size_t(outputLength)) != 0)
                figures[k].outputsAgree = false;
        });
        growths.push_back([&, k] {
            const GrowingConversion c = GrowingConvert(texts[k], 0, kLineEnd, html, 0);
            if (c.result != MarkupOk || c.text() != references[k].text())
                figures[k].outputsAgree = false;
        });
    }
#ifdef QUORVEL_HAVE_MD4C
    std::string md4cOutput;
    if (!markdown.empty()) {
        md4cOutput.reserve(markdown.size() * 2);
        figures[0].peerMeasured = true;
        renders.push_back([&] {
            figures[0].peerResult = RenderMarkdownWithMd4c(markdown, md4cOutput);
            figures[0].peerOutputLength = md4cOutput.size();
        });
    }
#else
    (void)markdown;
#endif
    const std::vector<Timing> renderTimes = TimeRounds(renders, 7, 200, 2.0);
    const std::vector<Timing> growthTimes = TimeRounds(growths, 7, 200, 2.0);
    for (size_t k = 0; k < texts.size(); ++k) {
        figures[k].render = renderTimes[k];
        figures[k].growth = growthTimes[k];
    }
    if (figures[0].peerMeasured)
        figures[0].peer = renderTimes.back();
    return figures;
}

void PrintRates(const char* what, size_t bytes, const Timing& t)
{
    std::printf("         %-32s cpu %7.1f MB/s  wall %7.1f MB/s (%.1f)  %9.3f ms  [%d runs]\n",
                what, Rate(bytes, t.bestCpu), Rate(bytes, t.best), Rate(bytes, t.median),
                t.bestCpu * 1e3, t.runs);
}

// MeasureTexts in a child process with a time limit.
bool MeasureTextsForked(const std::vector<std::string_view>& texts,
                        std::vector<TextFigures>& figures, std::string_view markdown = {})
{
    std::string raw;
    const bool finished = RunForked(
        [&] {
            const std::vector<TextFigures> f = MeasureTexts(texts, markdown);
            return std::string(reinterpret_cast<const char*>(f.data()), f.size() * sizeof f[0]);
        },
        kTimeoutSeconds, raw);
    figures.assign(texts.size(), TextFigures());
    if (!finished || raw.size() != figures.size() * sizeof figures[0])
        return false;
    std::memcpy(figures.data(), raw.data(), raw.size());
    for (const TextFigures& f : figures)
        if (f.result != MarkupOk)
            return false;
    return true;
}


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
        std::vector<TextFigures> measured;
        if (!MeasureTextsForked({corpus.creole}, measured, corpus.markdown)) {
            std::printf("  %-6s engine failed or timed out (> %d s)  MISS\n", sizeName,
                        kTimeoutSeconds);
            allPass = false;
            worstEngineRate = 0;
            continue;
        }
        const TextFigures& f = measured[0];
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
        if (f.peerMeasured && f.peerResult == 0) {
            const size_t mn = corpus.markdown.size();
            const double md4cRate = Rate(mn, f.peer.bestCpu);
            md4cMeasured = true;
            md4cBeaten = md4cBeaten && engineRate >= md4cRate;
            PrintRates("md4c md_html on the Markdown", mn, f.peer);
            std::printf("           (Markdown %zu B -> HTML %zu B, runs interleaved with the "
                        "engine's; engine/md4c %.2f x)\n", mn, f.peerOutputLength,
                        engineRate / md4cRate);
        } else {
            std::printf("         md4c failed\n");
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
        // Both sizes in one child, their runs interleaved, so that the ratio
        // compares like with like.
        const std::string smallText = family.generate(sizes.small);
        const std::string largeText = family.generate(sizes.large);
        std::vector<TextFigures> measured;
        if (!MeasureTextsForked({smallText, largeText}, measured)) {
            std::vector<TextFigures> alone;
            const bool smallOk = MeasureTextsForked({smallText}, alone);
            std::printf("  %-26s %s failed or timed out (> %d s)  MISS\n", family.name,
                        smallOk ? sizes.largeName : sizes.smallName, kTimeoutSeconds);
            pathologicalPass = false;
            continue;
        }
        const TextFigures& small = measured[0];
        const TextFigures& large = measured[1];
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
