#include "cli.h"

#include "flowcalc_version.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>
#include <optional>

namespace cli {

namespace {

using gasdyn::Branch;
using gasdyn::Flow;

// Output is collected here and handed to the sink in blocks of about this size.
constexpr std::size_t kBlock = 1 << 20;

class Writer {
public:
    explicit Writer(const Sink& sink)
        : sink_(sink)
        , buffer_(kBlock + 4096)
    {
    }
    Writer(const Writer&) = delete;
    Writer& operator=(const Writer&) = delete;

    void text(std::string_view s)
    {
        if (s.size() > buffer_.size() - used_) {
            flush();
            if (s.size() > buffer_.size()) {
                sink_(s);
                return;
            }
        }
        std::memcpy(buffer_.data() + used_, s.data(), s.size());
        used_ += s.size();
    }
    void character(char c)
    {
        if (used_ == buffer_.size())
            flush();
        buffer_[used_++] = c;
    }
    void number(double value)
    {
        if (buffer_.size() - used_ < 32)
            flush();
        if (value == 0.0) { // also -0
            buffer_[used_++] = '0';
            return;
        }
        const auto result = std::to_chars(buffer_.data() + used_, buffer_.data() + buffer_.size(), value);
        used_ = static_cast<std::size_t>(result.ptr - buffer_.data());
    }
    // A JSON string with its quotes.
    void jsonString(std::string_view s)
    {
        character('"');
        for (const char c : s) {
            const auto u = static_cast<unsigned char>(c);
            if (c == '"' || c == '\\') {
                character('\\');
                character(c);
            } else if (u < 0x20) {
                static constexpr char hex[] = "0123456789abcdef";
                text("\\u00");
                character(hex[u >> 4]);
                character(hex[u & 15]);
            } else {
                character(c);
            }
        }
        character('"');
    }
    // Hands a full block on; called between rows.
    void rowDone()
    {
        if (used_ >= kBlock)
            flush();
    }
    void flush()
    {
        if (used_ > 0)
            sink_(std::string_view(buffer_.data(), used_));
        used_ = 0;
    }

private:
    const Sink& sink_;
    std::vector<char> buffer_;
    std::size_t used_ = 0;
};

std::string joined(std::span<const std::string_view> items, std::string_view last)
{
    std::string text;
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (i > 0)
            text += i + 1 == items.size() ? last : std::string_view(", ");
        text += items[i];
    }
    return text;
}

std::string flowList()
{
    std::vector<std::string_view> names;
    for (const Flow flow : gasdyn::flows())
        names.push_back(gasdyn::name(flow));
    return joined(names, ", ");
}

std::string branchList(std::span<const Branch> branches)
{
    std::vector<std::string_view> names;
    for (const Branch branch : branches)
        names.push_back(gasdyn::name(branch));
    return joined(names, " or ");
}

std::string quoted(std::string_view text)
{
    // Appended piece by piece: GCC 12's -O3 flags "'" + std::string as overlapping copies (-Wrestrict).
    std::string out;
    out.reserve(text.size() + 2);
    out += '\'';
    out += text;
    out += '\'';
    return out;
}

std::string_view quantityName(Flow flow, int index)
{
    return gasdyn::quantities(flow)[static_cast<std::size_t>(index)];
}

// The quantity a table runs over when --input is not given.
int defaultTableInput(Flow flow)
{
    switch (flow) {
    case Flow::Isentropic:
    case Flow::Rayleigh:
    case Flow::Fanno:
        return *gasdyn::quantityIndex(flow, "M");
    case Flow::NormalShock:
        return *gasdyn::quantityIndex(flow, "M1");
    case Flow::ObliqueShock:
    case Flow::PrandtlMeyer:
        return *gasdyn::quantityIndex(flow, "theta");
    case Flow::ConicalShock:
        return *gasdyn::quantityIndex(flow, "theta_c");
    case Flow::Nozzle:
        return *gasdyn::quantityIndex(flow, "pb/p0");
    }
    return 0;
}

std::string_view formatName(Format format)
{
    switch (format) {
    case Format::Text:
        return "text";
    case Format::Json:
        return "json";
    case Format::Csv:
        return "csv";
    case Format::Tsv:
        return "tsv";
    }
    return "";
}

// Why a solution cannot be printed, if it cannot: a value that is not finite (the engine promises none) or a
// negative Mach number.
std::optional<std::string> unprintable(Flow flow, const gasdyn::Solution& solution)
{
    const auto names = gasdyn::quantities(flow);
    for (std::size_t i = 0; i < names.size(); ++i) {
        const auto& value = solution.values[i];
        if (!value)
            continue;
        if (!std::isfinite(*value))
            return std::string("the result is too large to be represented");
        if (const auto words = gasdyn::categories(flow, static_cast<int>(i)); !words.empty()
            && !(*value >= 0.0 && *value < static_cast<double>(words.size()) && *value == std::floor(*value)))
            return "the engine gave an unknown " + std::string(names[i]) + "; please report this";
        if (names[i][0] == 'M' && *value < 0.0)
            return "the engine gave a negative " + std::string(names[i]) + "; please report this";
    }
    return std::nullopt;
}

Status usage(std::string message)
{
    return { kUsage, std::string(kPrefix) + std::move(message) };
}

Status refused(const gasdyn::Refusal& refusal)
{
    return { refusal.kind == gasdyn::Refusal::Kind::Usage ? kUsage : kNoSolution,
        std::string(kPrefix) + refusal.message };
}

// ---- parsing

struct OptionSpec {
    std::string_view name;
    bool solve;
    bool table;
};
constexpr OptionSpec kOptions[] = {
    { "--gamma", true, true },
    { "--branch", true, true },
    { "--format", true, true },
    { "--from", false, true },
    { "--to", false, true },
    { "--step", false, true },
    { "--input", false, true },
};

std::optional<UsageError> readValue(std::string_view what, std::string_view text, double& value)
{
    const auto number = readNumber(text);
    if (!number)
        return UsageError { std::string(what) + ": " + quoted(text) + " is not a number" };
    value = *number;
    return std::nullopt;
}

} // namespace

std::optional<double> readNumber(std::string_view text)
{
    // from_chars takes no plus sign; one is allowed before a digit or a point.
    if (!text.empty() && text[0] == '+') {
        text.remove_prefix(1);
        if (text.empty() || !(std::isdigit(static_cast<unsigned char>(text[0])) || text[0] == '.'))
            return std::nullopt;
    }
    double value = 0.0;
    const char* end = text.data() + text.size();
    const auto result = std::from_chars(text.data(), end, value, std::chars_format::general);
    if (text.empty() || result.ec != std::errc() || result.ptr != end || !std::isfinite(value))
        return std::nullopt;
    return value;
}

std::string writeNumber(double value)
{
    if (value == 0.0)
        return "0";
    char buffer[32];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

std::variant<Request, UsageError> parse(std::span<const std::string_view> args)
{
    Request request;
    if (args.empty())
        return UsageError { "no command given; see flowcalc-cli --help" };
    const std::string_view first = args[0];
    if (std::find(args.begin(), args.end(), "--help") != args.end()
        || std::find(args.begin(), args.end(), "-h") != args.end()) {
        request.command = Command::Help;
        return request;
    }
    if (first == "--version") {
        if (args.size() > 1)
            return UsageError { "--version takes no argument; " + quoted(args[1]) + " was given" };
        request.command = Command::Version;
        return request;
    }
    if (first == "list")
        request.command = Command::List;
    else if (first == "solve")
        request.command = Command::Solve;
    else if (first == "table")
        request.command = Command::Table;
    else if (first.starts_with("-"))
        return UsageError { "unknown option " + quoted(first)
            + "; the first argument is a command: solve, table, "
              "list, --help or --version" };
    else
        return UsageError { "unknown command " + quoted(first)
            + "; the commands are solve, table, list, --help and "
              "--version" };

    const bool isTable = request.command == Command::Table;
    std::optional<std::string_view> optionValues[std::size(kOptions)];
    std::vector<std::pair<std::string_view, std::string_view>> pairs; // NAME=VALUE, flow not known yet
    std::optional<std::string_view> flowText;

    for (std::size_t i = 1; i < args.size(); ++i) {
        const std::string_view arg = args[i];
        if (arg.starts_with("--")) {
            const std::size_t equals = arg.find('=');
            const std::string_view option = arg.substr(0, equals);
            const auto spec = std::find_if(
                std::begin(kOptions), std::end(kOptions), [&](const OptionSpec& o) { return o.name == option; });
            if (spec == std::end(kOptions))
                return UsageError { "unknown option " + quoted(option) };
            if (request.command == Command::List || !(isTable ? spec->table : spec->solve))
                return UsageError { std::string(first) + " takes no option " + std::string(option) };
            auto& slot = optionValues[spec - std::begin(kOptions)];
            if (slot)
                return UsageError { std::string(option) + " is given twice" };
            if (equals != std::string_view::npos) {
                slot = arg.substr(equals + 1);
            } else {
                if (i + 1 >= args.size())
                    return UsageError { std::string(option) + " needs a value" };
                slot = args[++i];
            }
            continue;
        }
        if (!flowText) {
            flowText = arg;
            const auto flow = gasdyn::flowNamed(arg);
            if (!flow)
                return UsageError { "unknown flow " + quoted(arg) + "; the flows are " + flowList() };
            request.flow = *flow;
            request.hasFlow = true;
            continue;
        }
        if (request.command == Command::List)
            return UsageError { "list takes one flow; " + quoted(arg) + " is one argument too many" };
        const std::size_t equals = arg.find('=');
        if (equals == std::string_view::npos)
            return UsageError { quoted(arg) + " is not NAME=VALUE" };
        pairs.emplace_back(arg.substr(0, equals), arg.substr(equals + 1));
    }

    if (request.command == Command::List)
        return request;
    if (!flowText)
        return UsageError { std::string(first) + " needs a flow: " + flowList() };

    const Flow flow = request.flow;
    const auto names = gasdyn::quantities(flow);
    const auto unknownQuantity = [&](std::string_view name) {
        return UsageError { "unknown quantity " + quoted(name) + " of " + std::string(gasdyn::name(flow))
            + "; its quantities are " + joined(names, ", ") };
    };
    for (const auto& [name, text] : pairs) {
        const auto index = gasdyn::quantityIndex(flow, name);
        if (!index)
            return unknownQuantity(name);
        for (const gasdyn::Given& given : request.givens) {
            if (given.quantity == *index)
                return UsageError { std::string(name) + " is given twice" };
        }
        double value = 0.0;
        if (auto error = readValue(name, text, value))
            return *error;
        request.givens.push_back({ *index, value });
    }

    // --gamma, --branch, --format, --from, --to, --step, --input in the order of kOptions.
    if (const auto& gamma = optionValues[0]) {
        if (auto error = readValue("--gamma", *gamma, request.gamma))
            return *error;
    }
    if (const auto& branch = optionValues[1]) {
        const auto named = gasdyn::branchNamed(*branch);
        if (!named)
            return UsageError { "--branch: unknown branch " + quoted(*branch)
                + "; the branches are sub, sup, low, high, weak and strong" };
        request.branch = *named;
    }
    request.format = isTable ? Format::Csv : Format::Text;
    if (const auto& format = optionValues[2]) {
        const std::array<Format, 3> allowed = isTable ? std::array { Format::Csv, Format::Tsv, Format::Json }
                                                      : std::array { Format::Text, Format::Json, Format::Csv };
        const auto found
            = std::find_if(allowed.begin(), allowed.end(), [&](Format f) { return formatName(f) == *format; });
        if (found == allowed.end()) {
            const std::array<std::string_view, 3> allowedNames { formatName(allowed[0]), formatName(allowed[1]),
                formatName(allowed[2]) };
            return UsageError { "--format: " + std::string(first) + " takes " + joined(allowedNames, " or ") + ", not "
                + quoted(*format) };
        }
        request.format = *found;
    }
    if (isTable) {
        std::vector<std::string_view> missing;
        const std::array<std::pair<const char*, double*>, 3> range { { { "--from", &request.from },
            { "--to", &request.to }, { "--step", &request.step } } };
        for (std::size_t k = 0; k < range.size(); ++k) {
            if (const auto& text = optionValues[3 + k]) {
                if (auto error = readValue(range[k].first, *text, *range[k].second))
                    return *error;
                if (k == 0)
                    request.fromText = *text;
                else if (k == 2)
                    request.stepText = *text;
            } else {
                missing.emplace_back(range[k].first);
            }
        }
        if (!missing.empty())
            return UsageError { "table needs " + joined(missing, " and ") };
        if (const auto& input = optionValues[6]) {
            const auto index = gasdyn::quantityIndex(flow, *input);
            if (!index)
                return unknownQuantity(*input);
            request.input = *index;
        } else {
            request.input = defaultTableInput(flow);
        }
    }
    return request;
}

namespace {

// ---- list

void writeList(const Request& request, Writer& out)
{
    if (!request.hasFlow) {
        for (const Flow flow : gasdyn::flows()) {
            out.text(gasdyn::name(flow));
            out.character('\n');
        }
        return;
    }
    const Flow flow = request.flow;
    const auto names = gasdyn::quantities(flow);
    std::size_t width = 0;
    for (const auto name : names)
        width = std::max(width, name.size());
    const auto branches = [](const gasdyn::InputKind& kind) -> std::string {
        if (kind.branches.empty())
            return "";
        std::string text = "--branch " + branchList(kind.branches);
        if (kind.defaultBranch != Branch::None)
            text += ", default " + std::string(gasdyn::name(kind.defaultBranch));
        return text;
    };
    for (std::size_t q = 0; q < names.size(); ++q) {
        const int index = static_cast<int>(q);
        std::string alone;
        std::vector<std::string> partners;
        for (const gasdyn::InputKind& kind : gasdyn::inputKinds(flow)) {
            if (kind.second < 0 && kind.first == index) {
                alone = "input";
                if (!kind.branches.empty())
                    alone += ", needs " + branches(kind);
            } else if (kind.second >= 0 && (kind.first == index || kind.second == index)) {
                std::string partner(quantityName(flow, kind.first == index ? kind.second : kind.first));
                if (!kind.branches.empty())
                    partner += " (" + branches(kind) + ")";
                partners.push_back(std::move(partner));
            }
        }
        std::string description = alone;
        if (!partners.empty()) {
            std::vector<std::string_view> views(partners.begin(), partners.end());
            description = "input with " + joined(views, " or ");
        }
        if (description.empty())
            description = "output only";
        if (const auto words = gasdyn::categories(flow, index); !words.empty())
            description += ", one of: " + joined(words, " or ");
        out.text(names[q]);
        out.text(std::string(width + 2 - names[q].size(), ' '));
        out.text(description);
        out.character('\n');
    }
}

// ---- solve

// `{"flow": ..., "gamma": ..., "branch": ... or null, "<key>": {name: value, ...}` (the object left open).
void writeJsonHead(const Request& request, Branch branch, const char* key, Writer& out)
{
    out.text("{\"flow\": ");
    out.jsonString(gasdyn::name(request.flow));
    out.text(", \"gamma\": ");
    out.number(request.gamma);
    out.text(", \"branch\": ");
    if (branch == Branch::None)
        out.text("null");
    else
        out.jsonString(gasdyn::name(branch));
    out.text(", \"");
    out.text(key);
    out.text("\": {");
    for (std::size_t i = 0; i < request.givens.size(); ++i) {
        if (i > 0)
            out.text(", ");
        out.jsonString(quantityName(request.flow, request.givens[i].quantity));
        out.text(": ");
        out.number(request.givens[i].value);
    }
    out.character('}');
}

// One value: the number, or the word where the quantity names a category (a JSON string in JSON).
void writeValue(Flow flow, std::size_t q, double value, bool json, Writer& out)
{
    const auto words = gasdyn::categories(flow, static_cast<int>(q));
    if (words.empty()) {
        out.number(value);
        return;
    }
    const std::string_view word = words[static_cast<std::size_t>(value)];
    if (json)
        out.jsonString(word);
    else
        out.text(word);
}

// `{name: value, ...}` of the quantities defined for the state.
void writeJsonValues(Flow flow, const gasdyn::Solution& solution, Writer& out)
{
    const auto names = gasdyn::quantities(flow);
    out.character('{');
    bool first = true;
    for (std::size_t q = 0; q < names.size(); ++q) {
        if (!solution.values[q])
            continue;
        if (!first)
            out.text(", ");
        first = false;
        out.jsonString(names[q]);
        out.text(": ");
        writeValue(flow, q, *solution.values[q], true, out);
    }
    out.character('}');
}

char separatorOf(Format format)
{
    return format == Format::Csv ? ',' : '\t';
}

// The header line of csv and tsv: the quantity names.
void writeSeparatedNames(std::span<const std::string_view> names, char separator, Writer& out)
{
    for (std::size_t q = 0; q < names.size(); ++q) {
        if (q > 0)
            out.character(separator);
        out.text(names[q]);
    }
    out.character('\n');
}

// One line of csv or tsv: an empty field where a quantity is not defined for the state.
void writeSeparatedValues(Flow flow, const gasdyn::Solution& solution, char separator, Writer& out)
{
    const auto names = gasdyn::quantities(flow);
    for (std::size_t q = 0; q < names.size(); ++q) {
        if (q > 0)
            out.character(separator);
        if (solution.values[q])
            writeValue(flow, q, *solution.values[q], false, out);
    }
    out.character('\n');
}

void writeSolve(const Request& request, const gasdyn::Solution& solution, Writer& out)
{
    const Flow flow = request.flow;
    const auto names = gasdyn::quantities(flow);
    switch (request.format) {
    case Format::Text:
        for (std::size_t q = 0; q < names.size(); ++q) {
            if (!solution.values[q])
                continue;
            out.text(names[q]);
            out.text(" = ");
            writeValue(flow, q, *solution.values[q], false, out);
            out.character('\n');
        }
        return;
    case Format::Json:
        writeJsonHead(request, solution.branch, "inputs", out);
        out.text(", \"results\": ");
        writeJsonValues(flow, solution, out);
        out.text("}\n");
        return;
    case Format::Csv:
    case Format::Tsv:
        writeSeparatedNames(names, separatorOf(request.format), out);
        writeSeparatedValues(flow, solution, separatorOf(request.format), out);
        return;
    }
}

Status runSolve(const Request& request, const Sink& sink)
{
    const gasdyn::Outcome outcome = gasdyn::solve(request.flow, request.gamma, request.givens, request.branch);
    if (const auto* refusal = std::get_if<gasdyn::Refusal>(&outcome))
        return refused(*refusal);
    const auto& solution = std::get<gasdyn::Solution>(outcome);
    if (auto why = unprintable(request.flow, solution))
        return { kNoSolution, std::string(kPrefix) + *why };
    Writer out(sink);
    writeSolve(request, solution, out);
    out.flush();
    return {};
}

// ---- table

// The rows of a table: A + i*S for i = 0 .. last, the last one being the grid point nearest B when (B-A)/S is
// within 1e-9 of a whole number. Row i's input is the decimal A + i*S rounded once (gasdyn::DecimalGrid).
struct Rows {
    long long last = 0;
    bool endsAtB = false;
};

std::variant<Rows, UsageError> tableRows(const Request& request)
{
    if (request.step == 0.0)
        return UsageError { "--step must not be zero" };
    const double span = (request.to - request.from) / request.step;
    if (std::isnan(span) || span < 0.0)
        return UsageError { "--step " + writeNumber(request.step) + " points away from --to " + writeNumber(request.to)
            + " (--from " + writeNumber(request.from) + ")" };
    if (!(span < static_cast<double>(kMaxTableRows)))
        return UsageError { "the table would have more than " + std::to_string(kMaxTableRows)
            + " rows (the limit); choose a larger --step" };
    const double whole = std::round(span);
    Rows rows;
    rows.endsAtB = std::fabs(span - whole) <= 1e-9;
    rows.last = static_cast<long long>(rows.endsAtB ? whole : std::floor(span));
    if (rows.last + 1 > kMaxTableRows)
        return UsageError { "the table would have more than " + std::to_string(kMaxTableRows)
            + " rows (the limit); choose a larger --step" };
    return rows;
}

void writeTableHeader(const Request& request, Branch branch, Writer& out)
{
    if (request.format == Format::Json) {
        writeJsonHead(request, branch, "fixed", out);
        out.text(", \"rows\": [\n");
        return;
    }
    writeSeparatedNames(gasdyn::quantities(request.flow), separatorOf(request.format), out);
}

void writeTableRow(const Request& request, const gasdyn::Solution& solution, bool firstRow, Writer& out)
{
    if (request.format == Format::Json) {
        if (!firstRow)
            out.text(",\n");
        writeJsonValues(request.flow, solution, out);
        return;
    }
    writeSeparatedValues(request.flow, solution, separatorOf(request.format), out);
}

Status runTable(const Request& request, const Sink& sink)
{
    const Flow flow = request.flow;
    const std::string flowName(gasdyn::name(flow));
    const std::string inputName(quantityName(flow, request.input));
    for (const gasdyn::Given& given : request.givens) {
        if (given.quantity == request.input)
            return usage(inputName + " is the table's input and cannot also be fixed");
    }
    std::vector<int> indexes { request.input };
    for (const gasdyn::Given& given : request.givens)
        indexes.push_back(given.quantity);
    const gasdyn::InputKind* kind = gasdyn::findInputKind(flow, indexes);
    if (!kind && request.givens.empty()) {
        std::vector<std::string> partners;
        for (const gasdyn::InputKind& k : gasdyn::inputKinds(flow)) {
            if (k.second >= 0 && (k.first == request.input || k.second == request.input))
                partners.push_back(
                    std::string(quantityName(flow, k.first == request.input ? k.second : k.first)) + "=VALUE");
        }
        if (!partners.empty()) {
            std::vector<std::string_view> views(partners.begin(), partners.end());
            return usage("a table of " + inputName + " for " + flowName + " needs a fixed " + joined(views, " or "));
        }
    }
    if (kind && request.branch == Branch::None && kind->defaultBranch == Branch::None && !kind->branches.empty())
        return usage("a table of " + inputName + " needs --branch " + branchList(kind->branches));

    const auto rowsOrError = tableRows(request);
    if (const auto* error = std::get_if<UsageError>(&rowsOrError))
        return usage(error->message);
    const Rows rows = std::get<Rows>(rowsOrError);
    const auto decimal = gasdyn::DecimalGrid::make(request.fromText, request.stepText);
    const gasdyn::DecimalGrid grid = decimal ? *decimal : gasdyn::DecimalGrid::ofDoubles(request.from, request.step);

    std::vector<gasdyn::Given> inputs { { request.input, request.from } };
    inputs.insert(inputs.end(), request.givens.begin(), request.givens.end());
    {
        // The questions every row asks are checked once, on the first row.
        const gasdyn::Outcome probe = gasdyn::solve(flow, request.gamma, inputs, request.branch);
        if (const auto* refusal = std::get_if<gasdyn::Refusal>(&probe);
            refusal && refusal->kind == gasdyn::Refusal::Kind::Usage)
            return refused(*refusal);
    }

    // The branch of every row: the one given, or the input's default (weak for an oblique shock from theta).
    const Branch branch = request.branch != Branch::None ? request.branch : kind ? kind->defaultBranch : Branch::None;
    Writer out(sink);
    long long written = 0;
    long long leftOut = 0;
    double firstLeftOut = 0.0;
    double lastLeftOut = 0.0;
    std::string firstReason;
    for (long long i = 0; i <= rows.last; ++i) {
        const double value = grid.at(i);
        inputs[0].value = value;
        const gasdyn::Outcome outcome = gasdyn::solve(flow, request.gamma, inputs, request.branch);
        const auto* solution = std::get_if<gasdyn::Solution>(&outcome);
        std::optional<std::string> why;
        if (!solution)
            why = std::get<gasdyn::Refusal>(outcome).message;
        else
            why = unprintable(flow, *solution);
        if (why) {
            if (leftOut == 0) {
                firstLeftOut = value;
                firstReason = std::move(*why);
            }
            lastLeftOut = value;
            ++leftOut;
            continue;
        }
        if (written == 0)
            writeTableHeader(request, branch, out);
        writeTableRow(request, *solution, written == 0, out);
        ++written;
        out.rowDone();
    }
    Status status;
    if (leftOut > 0) {
        const long long total = rows.last + 1;
        std::string line = std::string(kPrefix) + (written == 0 ? "no row has a solution: " : "") + "left out "
            + std::to_string(leftOut) + " of " + std::to_string(total) + (total == 1 ? " row" : " rows");
        if (leftOut == 1)
            line += " (at " + inputName + " = " + writeNumber(firstLeftOut) + "): " + firstReason;
        else
            line += " (first at " + inputName + " = " + writeNumber(firstLeftOut) + ", last at " + inputName + " = "
                + writeNumber(lastLeftOut) + "); first reason: " + firstReason;
        status.diagnostic = std::move(line);
    }
    if (written == 0) {
        status.exitStatus = kNoSolution;
        return status;
    }
    if (request.format == Format::Json)
        out.text("\n]}\n");
    out.flush();
    return status;
}

} // namespace

Status execute(const Request& request, const Sink& sink)
{
    switch (request.command) {
    case Command::Help: {
        Writer out(sink);
        out.text(helpText());
        out.flush();
        return {};
    }
    case Command::Version: {
        Writer out(sink);
        out.text("flowcalc-cli " FLOWCALC_VERSION "\n");
        out.flush();
        return {};
    }
    case Command::List: {
        Writer out(sink);
        writeList(request, out);
        out.flush();
        return {};
    }
    case Command::Solve:
        return runSolve(request, sink);
    case Command::Table:
        return runTable(request, sink);
    }
    return usage("unknown command");
}

std::string formatSolution(const Request& request, const gasdyn::Solution& solution)
{
    std::string text;
    const Sink sink = [&](std::string_view block) { text.append(block); };
    Writer out(sink);
    writeSolve(request, solution, out);
    out.flush();
    return text;
}

Status run(std::span<const std::string_view> args, const Sink& out)
{
    if (auto status = runRealQuantities(args, out))
        return *status;
    auto parsed = parse(args);
    if (auto* error = std::get_if<UsageError>(&parsed))
        return usage(std::move(error->message));
    return execute(std::get<Request>(parsed), out);
}

Captured runCaptured(std::span<const std::string_view> args)
{
    Captured captured;
    const Status status = run(args, [&](std::string_view block) { captured.out.append(block); });
    captured.exitStatus = status.exitStatus;
    captured.err = status.diagnostic;
    return captured;
}

Captured runCaptured(std::initializer_list<std::string_view> args)
{
    return runCaptured(std::span<const std::string_view>(args.begin(), args.size()));
}

} // namespace cli
