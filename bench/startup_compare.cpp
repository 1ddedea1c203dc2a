// Runs the program's start-up and the bare Qt floor alternately, each as a fresh process on the offscreen
// platform, and prints the median wall time and peak resident memory of each and their ratio.
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

struct Run {
    double milliseconds;
    long peakKiB;
};

Run runOnce(const std::string& program)
{
    const auto start = std::chrono::steady_clock::now();
    const pid_t pid = fork();
    if (pid == 0) {
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
        if (FILE* quiet = std::freopen("/dev/null", "w", stderr); quiet == nullptr)
            _exit(126);
        execl(program.c_str(), program.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    int status = 0;
    rusage usage {};
    wait4(pid, &status, 0, &usage);
    const auto end = std::chrono::steady_clock::now();
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        std::fprintf(stderr, "%s failed\n", program.c_str());
        std::exit(1);
    }
    return { std::chrono::duration<double, std::milli>(end - start).count(), usage.ru_maxrss };
}

template <class T>
T median(std::vector<T> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

} // namespace

int main(int argc, char* argv[])
{
    const std::string folder = argc > 1 ? argv[1] : ".";
    const int runs = argc > 2 ? std::atoi(argv[2]) : 21;
    const std::string program = folder + "/startup_flowcalc";
    const std::string bare = folder + "/startup_bare";
    runOnce(program); // warm the file cache for both
    runOnce(bare);
    std::vector<double> programTimes, bareTimes;
    std::vector<long> programPeaks, barePeaks;
    for (int i = 0; i < runs; ++i) {
        const Run p = runOnce(program);
        const Run b = runOnce(bare);
        programTimes.push_back(p.milliseconds);
        programPeaks.push_back(p.peakKiB);
        bareTimes.push_back(b.milliseconds);
        barePeaks.push_back(b.peakKiB);
    }
    const double pt = median(programTimes), bt = median(bareTimes);
    const double pBest = *std::min_element(programTimes.begin(), programTimes.end());
    const double bBest = *std::min_element(bareTimes.begin(), bareTimes.end());
    const long pm = median(programPeaks), bm = median(barePeaks);
    std::printf("| start-up to main window shown (median of %d) | %.1f ms | bare Qt %.1f ms | %+.1f%% |\n", runs, pt,
        bt, 100.0 * (pt / bt - 1.0));
    std::printf("| start-up to main window shown (best of %d) | %.1f ms | bare Qt %.1f ms | %+.1f%% |\n", runs, pBest,
        bBest, 100.0 * (pBest / bBest - 1.0));
    std::printf("| peak memory at start-up (median of %d) | %ld KiB | bare Qt %ld KiB | %+.1f%% |\n", runs, pm, bm,
        100.0 * (double(pm) / double(bm) - 1.0));
    return 0;
}
