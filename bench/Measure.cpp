#include "Measure.h"

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <vector>

#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

double ProcessCpuSeconds()
{
    timespec now;
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return double(now.tv_sec) + double(now.tv_nsec) * 1e-9;
}

}  // namespace

std::vector<Timing> TimeRounds(const std::vector<std::function<void()>>& works, int minRounds,
                               int maxRounds, double minSeconds)
{
    std::vector<std::vector<double>> seconds(works.size());
    std::vector<Timing> timings(works.size());
    double total = 0;
    for (int round = 0; round < maxRounds && (round < minRounds || total < minSeconds); ++round) {
        for (size_t k = 0; k < works.size(); ++k) {
            const double cpuStart = ProcessCpuSeconds();
            const auto start = std::chrono::steady_clock::now();
            works[k]();
            const std::chrono::duration<double> elapsed =
                std::chrono::steady_clock::now() - start;
            const double cpu = ProcessCpuSeconds() - cpuStart;
            if (round == 0 || cpu < timings[k].bestCpu)
                timings[k].bestCpu = cpu;
            seconds[k].push_back(elapsed.count());
            total += elapsed.count();
        }
    }
    for (size_t k = 0; k < works.size(); ++k) {
        std::sort(seconds[k].begin(), seconds[k].end());
        timings[k].runs = int(seconds[k].size());
        timings[k].best = seconds[k].front();
        timings[k].median = seconds[k][seconds[k].size() / 2];
    }
    return timings;
}

bool RunForked(const std::function<std::string()>& work, int timeoutSeconds, std::string& result)
{
    std::fflush(stdout);
    int pipeEnds[2];
    if (pipe(pipeEnds) != 0)
        return false;
    const pid_t child = fork();
    if (child < 0) {
        close(pipeEnds[0]);
        close(pipeEnds[1]);
        return false;
    }
    if (child == 0) {
        close(pipeEnds[0]);
        // Whatever the child prints travels with its result.
        dup2(pipeEnds[1], STDOUT_FILENO);
        const std::string text = work();
        const char* data = text.data();
        size_t left = text.size();
        while (left > 0) {
            const ssize_t written = write(pipeEnds[1], data, left);
            if (written <= 0)
                _exit(2);
            data += written;
            left -= size_t(written);
        }
        _exit(0);
    }
    close(pipeEnds[1]);
    result.clear();
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(timeoutSeconds);
    bool timedOut = false;
    for (;;) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0) {
            timedOut = true;
            break;
        }
        pollfd reader = {pipeEnds[0], POLLIN, 0};
        if (poll(&reader, 1, int(std::min<int64_t>(left.count(), 1000))) <= 0)
            continue;
        char chunk[4096];
        const ssize_t got = read(pipeEnds[0], chunk, sizeof chunk);
        if (got <= 0)
            break;
        result.append(chunk, size_t(got));
    }
    close(pipeEnds[0]);
    if (timedOut)
        kill(child, SIGKILL);
    int status = 0;
    waitpid(child, &status, 0);
    return !timedOut && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

bool RunSelf(const std::string& arguments1, const std::string& arguments2, int timeoutSeconds,
             std::string& output)
{
    return RunForked(
        [&]() -> std::string {
            execl("/proc/self/exe", "quorvel_markup_bench", arguments1.c_str(), arguments2.c_str(),
                  static_cast<char*>(nullptr));
            _exit(127);
        },
        timeoutSeconds, output);
}

int64_t PeakResidentBytes()
{
    std::FILE* status = std::fopen("/proc/self/status", "r");
    if (!status)
        return -1;
    char line[256];
    int64_t kilobytes = -1;
    while (std::fgets(line, sizeof line, status))
        if (std::strncmp(line, "VmHWM:", 6) == 0)
            kilobytes = std::atoll(line + 6);
    std::fclose(status);
    return kilobytes < 0 ? -1 : kilobytes * 1024;
}

uint64_t Fingerprint(const char* data, size_t length)
{
    uint64_t hash = 0xcbf29ce484222325ull;
    for (size_t k = 0; k < length; ++k)
        hash = (hash ^ uint8_t(data[k])) * 0x100000001b3ull;
    return hash;
}
