// The command-line solver: reads the arguments into a request, answers it with the gas-dynamics engine and
// writes the answer as text, JSON, CSV or TSV. No Qt. The program (main.cpp) only hands the arguments over,
// copies the output to stdout and the one diagnostic line to stderr, and exits with the status.
#pragma once

#include "gasdyn.h"
#include "grid.h"

#include <cstddef>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace cli {

// Exit statuses.
inline constexpr int kSuccess = 0;
inline constexpr int kNoSolution = 1; // a value without a solution, a result that overflows, a table without rows
inline constexpr int kUsage = 2; // the question cannot be asked this way

// Every diagnostic line starts with this.
inline constexpr std::string_view kPrefix = "flowcalc-cli: ";

// A table refuses to run beyond this many rows (a usage error naming the limit).
inline constexpr long long kMaxTableRows = 100'000'000;

enum class Command { Help, Version, List, Solve, Table };
enum class Format { Text, Json, Csv, Tsv };

struct Request {
    Command command = Command::Help;
    gasdyn::Flow flow = gasdyn::Flow::Isentropic;
    bool hasFlow = false; // list: a flow was named
    std::vector<gasdyn::Given> givens; // NAME=VALUE in the order given (for a table: the fixed inputs)
    double gamma = 1.4;
    gasdyn::Branch branch = gasdyn::Branch::None;
    Format format = Format::Text; // solve defaults to text, table to csv
    // table only
    double from = 0.0;
    double to = 0.0;
    double step = 0.0;
    std::string fromText; // --from and --step as written: row i is the decimal fromText + i*stepText
    std::string stepText;
    int input = -1; // the table's input quantity (index into gasdyn::quantities(flow))
};

// A usage error found while reading the arguments: the message without the prefix.
struct UsageError {
    std::string message;
};

// Reads the arguments (without the program name). Checks the syntax, the names (command, flow, quantity,
// option, format, branch), duplicates and the numbers; the engine checks the rest when the request runs.
std::variant<Request, UsageError> parse(std::span<const std::string_view> args);

// Receives the output in blocks (up to about a megabyte each), in order.
using Sink = std::function<void(std::string_view)>;

struct Status {
    int exitStatus = kSuccess;
    std::string diagnostic; // the stderr line, prefix included and newline excluded; empty for none
};

// Runs a parsed request. On an error nothing has been given to the sink.
Status execute(const Request& request, const Sink& sink);

// What solve writes for this solution in the request's format.
std::string formatSolution(const Request& request, const gasdyn::Solution& solution);

// atmosphere, flight, state and table atmosphere (flight_cli.cpp): the status, or nullopt for any other
// command.
std::optional<Status> runRealQuantities(std::span<const std::string_view> args, const Sink& sink);

// parse() and execute() together.
Status run(std::span<const std::string_view> args, const Sink& out);

// The same, collecting stdout into a string (tests and the fuzz target).
struct Captured {
    int exitStatus = kSuccess;
    std::string out;
    std::string err; // the diagnostic line, newline excluded
};
Captured runCaptured(std::span<const std::string_view> args);
Captured runCaptured(std::initializer_list<std::string_view> args);

// Reads a number in the C locale's notation: an optional sign, digits with an optional point, an optional
// exponent; nothing else, and finite. "2x", "1,5", "", "nan" and "inf" are refused.
std::optional<double> readNumber(std::string_view text);
// The shortest text that reads back to the same double ("0.1", "1e+20"); zero is written "0".
std::string writeNumber(double value);

// The text of --help.
std::string_view helpText();

} // namespace cli
