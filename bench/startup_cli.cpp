// Runs flowcalc-cli as a fresh process again and again, stdout to /dev/null, and prints the median and best
// wall time of a one-state solve (start to exit) and of the million-row isentropic table, and the table's CPU
// time (which does not depend on what else the shared machine is doing).
// Usage: startup_cli PATH_TO_FLOWCALC_CLI [solve runs] [table runs]
#include <fcntl.h>
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

struct Times {
    double wall;
    double cpu; // user and system, milliseconds
};

Times runOnce(const std::string& program, const std::vector<const char*>& args)
{
    std::vector<char*> argv { const_cast<char*>(program.c_str()) };
    for (const char* arg : args)
        argv.push_back(const_cast<char*>(arg));
    argv.push_back(nullptr);
    const auto start = std::chrono::steady_clock::now();
    const pid_t pid = fork();
    if (pid == 0) {
        const int null = open("/dev/null", O_WRONLY);
        if (null < 0 || dup2(null, STDOUT_FILENO) < 0)
            _exit(126);
        execv(program.c_str(), argv.data());
        _exit(127);
    }
    int status = 0;
    rusage usage {};
    wait4(pid, &status, 0, &usage);
    const auto end = std::chrono::steady_clock::now();
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        std::fprintf(stderr, "%s failed (status %d)\n", program.c_str(), status);
        std::exit(1);
    }
    const auto ms
        = [](const timeval& t) { return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_usec) / 1e3; };
    return { std::chrono::duration<double, std::milli>(end - start).count(), ms(usage.ru_utime) + ms(usage.ru_stime) };
}

struct Figures {
    double median;
    double best;
    double cpuMedian;
};

Figures measure(const std::string& program, const std::vector<const char*>& args, int runs)
{
    runOnce(program, args); // warm the file cache
    std::vector<double> wall, cpu;
    for (int i = 0; i < runs; ++i) {
        const Times t = runOnce(program, args);
        wall.push_back(t.wall);
        cpu.push_back(t.cpu);
    }
    std::sort(wall.begin(), wall.end());
    std::sort(cpu.begin(), cpu.end());
    return { wall[wall.size() / 2], wall.front(), cpu[cpu.size() / 2] };
}

} // namespace

int main(int argc, char* argv[])
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: startup_cli PATH_TO_FLOWCALC_CLI [solve runs] [table runs]\n");
        return 2;
    }
    const std::string program = argv[1];
    const int solveRuns = argc > 2 ? std::atoi(argv[2]) : 201;
    const int tableRuns = argc > 3 ? std::atoi(argv[3]) : 7;
    const Figures solve = measure(program, { "solve", "isentropic", "M=2" }, solveRuns);
    const Figures table = measure(program,
        { "table", "isentropic", "--from", "0.01", "--to", "10000.01", "--step", "0.01", "--format", "csv" },
        tableRuns);
    std::printf("| flowcalc-cli solve isentropic M=2, start to exit (median of %d) | %.2f ms | under 5 ms |\n",
        solveRuns, solve.median);
    std::printf("| flowcalc-cli solve isentropic M=2, start to exit (best of %d) | %.2f ms | under 5 ms |\n", solveRuns,
        solve.best);
    std::printf("| flowcalc-cli table isentropic, 1,000,001 rows of csv to /dev/null (median of %d) | %.0f ms | under "
                "1000 ms |\n",
        tableRuns, table.median);
    std::printf("| flowcalc-cli table isentropic, 1,000,001 rows of csv to /dev/null (best of %d) | %.0f ms | under "
                "1000 ms |\n",
        tableRuns, table.best);
    std::printf("| flowcalc-cli table isentropic, 1,000,001 rows, CPU time (user + system, median of %d) | %.0f ms | "
                "under 1000 ms |\n",
        tableRuns, table.cpuMedian);
    return 0;
}
