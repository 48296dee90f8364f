// Timing, child processes with a time limit, and peak resident memory: the
// measuring tools of the markup benchmark.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// Best and median wall time of repeated runs, and the best processor time of
// this process for one run (user and system), in seconds. On a shared
// machine the processor time is the steadier figure: it leaves out the time
// spent waiting for a core.
struct Timing {
    double best = 0;
    double median = 0;
    double bestCpu = 0;
    int runs = 0;
};

// Runs each piece of work once per round, round after round: at least
// minRounds rounds and until minSeconds have passed in total, at most
// maxRounds. Returns one Timing per piece. Interleaved, pieces whose times are
// compared with each other meet the same conditions on a shared machine.
std::vector<Timing> TimeRounds(const std::vector<std::function<void()>>& works, int minRounds,
                               int maxRounds, double minSeconds);

// Runs work in a forked child and returns what it returned, or false when
// the child failed or did not finish within timeoutSeconds (it is then
// killed). Keeps a runaway measurement from stalling the whole benchmark.
bool RunForked(const std::function<std::string()>& work, int timeoutSeconds, std::string& result);

// Runs this executable again with the given arguments (a fresh process, so
// its memory figures owe nothing to this one) and returns its standard output.
bool RunSelf(const std::string& arguments1, const std::string& arguments2, int timeoutSeconds,
             std::string& output);

// The peak resident set size of this process so far (VmHWM), in bytes.
int64_t PeakResidentBytes();

// FNV-1a, to show that runs convert the same text to the same output.
uint64_t Fingerprint(const char* data, size_t length);
