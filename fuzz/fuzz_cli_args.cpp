// Any argument list: flowcalc-cli exits 0, 1 or 2; on an error stdout is empty and the one stderr line starts
// "flowcalc-cli: "; no NaN, infinity or negative Mach number is ever printed, and every solution the engine
// gives for a parsed request is finite with non-negative Mach numbers. The bytes are split at newlines into
// arguments (at most 16).
#include "cli.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

namespace {

void require(bool condition)
{
    if (!condition)
        std::abort();
}

std::vector<std::string_view> split(std::string_view text, char separator)
{
    std::vector<std::string_view> parts;
    while (true) {
        const std::size_t end = text.find(separator);
        parts.push_back(text.substr(0, end));
        if (end == std::string_view::npos)
            return parts;
        text.remove_prefix(end + 1);
    }
}

bool isMach(std::string_view name)
{
    return !name.empty() && name[0] == 'M';
}

// A printed number: finite, read back by the program's own rule.
void requireNumber(std::string_view text)
{
    require(cli::readNumber(text).has_value());
}

// text: "name = value" lines; csv/tsv: a header and rows of the same width, empty or numeric fields.
void checkOutput(const cli::Request& request, const std::string& out)
{
    if (out.empty())
        return;
    require(out.back() == '\n');
    const auto lines = split(std::string_view(out).substr(0, out.size() - 1), '\n');
    if (request.format == cli::Format::Text) {
        for (const auto line : lines) {
            const std::size_t equals = line.find(" = ");
            require(equals != std::string_view::npos);
            requireNumber(line.substr(equals + 3));
            require(!isMach(line.substr(0, equals)) || line[equals + 3] != '-');
        }
    } else if (request.format == cli::Format::Csv || request.format == cli::Format::Tsv) {
        const char separator = request.format == cli::Format::Csv ? ',' : '\t';
        const auto header = split(lines[0], separator);
        require(lines.size() >= 2);
        for (std::size_t i = 1; i < lines.size(); ++i) {
            const auto fields = split(lines[i], separator);
            require(fields.size() == header.size());
            for (std::size_t k = 0; k < fields.size(); ++k) {
                if (fields[k].empty())
                    continue;
                requireNumber(fields[k]);
                require(!isMach(header[k]) || fields[k][0] != '-');
            }
        }
    } else {
        require(out.find("nan") == std::string::npos && out.find("inf") == std::string::npos);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size);
    std::vector<std::string_view> args = split(text, '\n');
    if (args.size() > 16)
        return 0;
    const auto parsed = cli::parse(args);
    const auto* request = std::get_if<cli::Request>(&parsed);
    if (request && request->command == cli::Command::Table) {
        // Keep each run short: at most 2000 rows.
        const double rows = (request->to - request->from) / request->step;
        if (std::isfinite(rows) && std::fabs(rows) > 2000)
            return 0;
    }

    const cli::Captured run = cli::runCaptured(args);
    require(run.exitStatus == 0 || run.exitStatus == 1 || run.exitStatus == 2);
    require(run.err.find('\n') == std::string::npos);
    if (!run.err.empty())
        require(run.err.starts_with(cli::kPrefix) && run.err.size() > cli::kPrefix.size());
    if (run.exitStatus != 0) {
        require(run.out.empty() && !run.err.empty());
        return 0;
    }
    require(request != nullptr); // a usage error never exits 0
    if (request->command == cli::Command::Solve || request->command == cli::Command::Table)
        checkOutput(*request, run.out);

    if (request->command == cli::Command::Solve) {
        const gasdyn::Outcome outcome = gasdyn::solve(request->flow, request->gamma, request->givens, request->branch);
        const auto* solution = std::get_if<gasdyn::Solution>(&outcome);
        require(solution != nullptr);
        const auto names = gasdyn::quantities(request->flow);
        for (std::size_t q = 0; q < names.size(); ++q) {
            if (const auto& value = solution->values[q]) {
                require(std::isfinite(*value));
                require(!isMach(names[q]) || *value >= 0.0);
            }
        }
    }
    return 0;
}
