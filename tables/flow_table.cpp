#include "flow_table.h"

#include "number.h"

#include <array>
#include <charconv>
#include <cmath>

namespace flowtable {

std::string shortest(double value, char decimalMark)
{
    std::array<char, 32> buffer {};
    const auto end = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value).ptr;
    std::string text(buffer.data(), end);
    if (decimalMark != '.') {
        for (char& c : text) {
            if (c == '.')
                c = decimalMark;
        }
    }
    return text;
}

void appendHeader(std::string& out, gasdyn::Flow flow, std::span<const int> columns, char separator)
{
    const auto names = gasdyn::quantities(flow);
    for (std::size_t i = 0; i < columns.size(); ++i) {
        if (i > 0)
            out += separator;
        out += names[static_cast<std::size_t>(columns[i])];
    }
    out += '\n';
}

void appendRow(
    std::string& out, gasdyn::Flow flow, const gasdyn::Solution& solution, std::span<const int> columns, char separator)
{
    std::array<char, 32> buffer {};
    for (std::size_t i = 0; i < columns.size(); ++i) {
        if (i > 0)
            out += separator;
        const auto& value = solution.values[static_cast<std::size_t>(columns[i])];
        if (!value)
            continue;
        if (const auto word = gasdyn::categoryWord(flow, columns[i], *value))
            out += *word;
        else
            out.append(buffer.data(), std::to_chars(buffer.data(), buffer.data() + buffer.size(), *value).ptr);
    }
    out += '\n';
}

namespace {
constexpr std::array<int, gasdyn::kMaxQuantities> allColumns { 0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15 };
std::span<const int> columnsOf(gasdyn::Flow flow)
{
    return std::span<const int>(allColumns.data(), gasdyn::quantities(flow).size());
}
} // namespace

void appendHeader(std::string& out, gasdyn::Flow flow, char separator)
{
    appendHeader(out, flow, columnsOf(flow), separator);
}

void appendRow(std::string& out, gasdyn::Flow flow, const gasdyn::Solution& solution, char separator)
{
    appendRow(out, flow, solution, columnsOf(flow), separator);
}

std::string_view flowTitle(gasdyn::Flow flow)
{
    static constexpr std::array<std::string_view, 8> titles { "Isentropic flow", "Normal shock",
        "Rayleigh flow (heat addition)", "Fanno flow (friction)", "Oblique shock", "Conical shock",
        "Prandtl-Meyer expansion", "Nozzle (back pressure)" };
    return titles[static_cast<std::size_t>(flow)];
}

std::string_view branchTitle(gasdyn::Branch branch)
{
    static constexpr std::array<std::string_view, 7> titles { "", "subsonic", "supersonic", "lower Mach number",
        "higher Mach number", "weak shock", "strong shock" };
    return titles[static_cast<std::size_t>(branch)];
}

bool isAngle(std::string_view quantity)
{
    for (std::string_view prefix : { "theta", "beta", "nu", "mu" }) {
        if (quantity.starts_with(prefix))
            return true;
    }
    return false;
}

gasdyn::Outcome Question::solveAt(double input) const
{
    if (kind->second < 0) {
        const gasdyn::Given given[] { { kind->first, input } };
        return gasdyn::solve(flow, gamma, given, branch);
    }
    const gasdyn::Given given[] { { kind->first, runsFirst ? input : fixed },
        { kind->second, runsFirst ? fixed : input } };
    return gasdyn::solve(flow, gamma, given, branch);
}

std::variant<Grid, std::string> makeGrid(double from, double to, double step)
{
    if (!std::isfinite(from) || !std::isfinite(to) || !std::isfinite(step))
        return std::string("From, To and Step must be finite numbers");
    if (step == 0.0)
        return std::string("The step must not be 0");
    const double span = (to - from) / step;
    if (!std::isfinite(span) || span > static_cast<double>(kMaxRows))
        return std::string("The table would have more than 10000000 rows");
    if (span < -1e-9)
        return std::string("The step must point from From towards To");
    const double whole = std::nearbyint(span);
    double last = std::fabs(span - whole) <= 1e-9 ? whole : std::floor(span);
    if (last < 0.0)
        last = 0.0;
    const auto count = static_cast<std::int64_t>(last) + 1;
    if (count > kMaxRows)
        return std::string("The table would have more than 10000000 rows");
    return Grid { from, step, count, gasdyn::DecimalGrid::ofDoubles(from, step) };
}

std::variant<Grid, std::string> makeGrid(
    double from, double to, double step, std::string_view fromText, std::string_view stepText, char decimalMark)
{
    auto grid = makeGrid(from, to, step);
    auto* g = std::get_if<Grid>(&grid);
    if (!g)
        return grid;
    const auto withoutBlanks = [](std::string_view text) {
        std::string out;
        for (const char c : text) {
            if (c != ' ' && c != '\t' && c != '\r' && c != '\n')
                out += c;
        }
        return out;
    };
    const auto decimal = gasdyn::DecimalGrid::make(withoutBlanks(fromText), withoutBlanks(stepText), decimalMark);
    if (decimal && decimal->exact() && decimal->from() == from && decimal->step() == step)
        g->inputs = *decimal;
    return grid;
}

namespace {

std::string reasonAt(const Question& question, const Grid& grid, std::int64_t i)
{
    const gasdyn::Outcome outcome = question.solveAt(grid.at(i));
    if (const auto* refusal = std::get_if<gasdyn::Refusal>(&outcome))
        return refusal->message;
    return {};
}

} // namespace

Rows findRows(const Question& question, const Grid& grid)
{
    const std::int64_t n = grid.count;
    auto ok = [&](std::int64_t i) { return std::holds_alternative<gasdyn::Solution>(question.solveAt(grid.at(i))); };

    Rows rows;
    if (n <= 0)
        return rows;
    std::int64_t first = -1;
    std::int64_t last = -1;
    if (ok(0) && ok(n - 1)) {
        first = 0;
        last = n - 1;
    } else {
        const std::int64_t samples = std::min(n, kSamples);
        auto sample = [&](std::int64_t j) { return samples == 1 ? 0 : j * (n - 1) / (samples - 1); };
        std::int64_t firstSample = -1;
        std::int64_t lastSample = -1;
        bool gap = false; // a sample without a solution after one with a solution
        for (std::int64_t j = 0; j < samples; ++j) {
            if (ok(sample(j))) {
                if (firstSample < 0)
                    firstSample = j;
                if (gap)
                    rows.holes = true;
                lastSample = j;
            } else if (firstSample >= 0) {
                gap = true;
            }
        }
        if (firstSample < 0) {
            rows.leftBelow = n;
            rows.reasonBelow = reasonAt(question, grid, 0);
            return rows;
        }
        // Lower edge: the smallest index with a solution between the sample before and the first sample.
        first = sample(firstSample);
        if (firstSample > 0) {
            std::int64_t bad = sample(firstSample - 1);
            while (first - bad > 1) {
                const std::int64_t mid = bad + (first - bad) / 2;
                (ok(mid) ? first : bad) = mid;
            }
        }
        last = sample(lastSample);
        if (lastSample < samples - 1) {
            std::int64_t bad = sample(lastSample + 1);
            while (bad - last > 1) {
                const std::int64_t mid = last + (bad - last) / 2;
                (ok(mid) ? last : bad) = mid;
            }
        }
    }
    rows.first = first;
    rows.count = last - first + 1;
    rows.leftBelow = first;
    rows.leftAbove = n - 1 - last;
    if (rows.leftBelow > 0)
        rows.reasonBelow = reasonAt(question, grid, first - 1);
    if (rows.leftAbove > 0)
        rows.reasonAbove = reasonAt(question, grid, last + 1);
    return rows;
}

namespace {

std::string countOf(std::int64_t count, const char* noun)
{
    return std::to_string(count) + " " + noun + (count == 1 ? "" : "s");
}

// A grid input in a message: 12 significant digits hide the rounding of A + i*S ("-0.001", not
// "-0.00099999999999989").
std::string inputText(double value, char decimalMark)
{
    std::array<char, 32> buffer {};
    const auto end
        = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value, std::chars_format::general, 12).ptr;
    double rounded = value;
    std::from_chars(buffer.data(), end, rounded);
    return common::writeUnrounded(rounded, decimalMark);
}

std::string leftOut(const Question& question, const Grid& grid, std::int64_t from, std::int64_t count,
    const std::string& reason, char decimalMark)
{
    const std::string name(gasdyn::quantities(question.flow)[static_cast<std::size_t>(question.runningQuantity())]);
    std::string text = "; left out " + countOf(count, "row") + " with " + name + " ";
    if (count == 1) {
        text += inputText(grid.at(from), decimalMark);
    } else {
        text += "from " + inputText(grid.at(from), decimalMark) + " to "
            + inputText(grid.at(from + count - 1), decimalMark);
    }
    return text + ": " + reason;
}

} // namespace

std::string describe(const Question& question, const Grid& grid, const Rows& rows, char decimalMark)
{
    if (rows.count == 0)
        return "No row has a solution: " + rows.reasonBelow;
    std::string text = countOf(rows.count, "row");
    if (rows.leftBelow > 0)
        text += leftOut(question, grid, 0, rows.leftBelow, rows.reasonBelow, decimalMark);
    if (rows.leftAbove > 0)
        text += leftOut(question, grid, rows.first + rows.count, rows.leftAbove, rows.reasonAbove, decimalMark);
    if (rows.holes)
        text += "; rows inside the range without a solution are shown empty";
    return text;
}

} // namespace flowtable
