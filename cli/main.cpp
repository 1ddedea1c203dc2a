// flowcalc-cli: the command-line solver. Everything but the writing to stdout and stderr is in cli_core.
#include "cli.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

int main(int argc, char* argv[])
{
    std::vector<std::string_view> args(argv + 1, argv + argc);
    bool writeFailed = false;
    const cli::Status status = cli::run(args, [&](std::string_view block) {
        if (!writeFailed && std::fwrite(block.data(), 1, block.size(), stdout) != block.size())
            writeFailed = true;
    });
    if (std::fflush(stdout) != 0 || writeFailed || std::ferror(stdout)) {
        std::fprintf(stderr, "%scannot write the output: %s\n", cli::kPrefix.data(), std::strerror(errno));
        return cli::kNoSolution;
    }
    if (!status.diagnostic.empty()) {
        std::fwrite(status.diagnostic.data(), 1, status.diagnostic.size(), stderr);
        std::fputc('\n', stderr);
    }
    return status.exitStatus;
}
