// What the flow solver and gas tables windows share, without Qt: the text of rows as the command line writes
// them (tab- or comma-separated, shortest round-trip numbers), the grid of a table's inputs, and which rows of
// that grid have a solution.
#pragma once

#include "gasdyn.h"
#include "grid.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <variant>

namespace flowtable {

// The shortest text that reads back to the same double ("0.5", "1e-05", "2.5e+20"), with `decimalMark`.
std::string shortest(double value, char decimalMark = '.');

// A header line of the flow's quantity names, then the line of one solution: fields joined by `separator`,
// numbers as shortest(), an empty field where a quantity is not defined; each line ends with "\n".
void appendHeader(std::string& out, gasdyn::Flow flow, char separator);
void appendRow(std::string& out, gasdyn::Flow flow, const gasdyn::Solution& solution, char separator);
// The same for some of the columns only (indexes into quantities(flow), in the order given).
void appendHeader(std::string& out, gasdyn::Flow flow, std::span<const int> columns, char separator);
void appendRow(std::string& out, gasdyn::Flow flow, const gasdyn::Solution& solution, std::span<const int> columns,
    char separator);

// "Isentropic flow", "Normal shock", "Rayleigh flow (heat addition)", "Fanno flow (friction)", "Oblique shock",
// "Conical shock", "Prandtl-Meyer expansion", "Nozzle (back pressure)".
std::string_view flowTitle(gasdyn::Flow flow);
// "subsonic", "supersonic", "lower Mach number", "higher Mach number", "weak shock", "strong shock".
std::string_view branchTitle(gasdyn::Branch branch);

// Angles are in degrees: theta, beta, nu, mu and the quantities named after them.
bool isAngle(std::string_view quantity);

// One question asked for many values of one input: the flow, gamma, the input kind, which of its two inputs
// runs over the rows (the other one is fixed), and the branch.
struct Question {
    gasdyn::Flow flow = gasdyn::Flow::Isentropic;
    double gamma = 1.4;
    const gasdyn::InputKind* kind = nullptr;
    bool runsFirst = true; // the kind's first input runs over the rows, the second (if any) is fixed
    double fixed = 0.0;
    gasdyn::Branch branch = gasdyn::Branch::None;

    int runningQuantity() const { return runsFirst ? kind->first : kind->second; }
    gasdyn::Outcome solveAt(double input) const;
};

// The inputs A, A+S, A+2S, ... up to B; the grid point nearest B is the last one when (B-A)/S is within 1e-9 of
// a whole number. Made from the texts of From and Step, the i-th input is the decimal A + i*S rounded once to
// a double (gasdyn::DecimalGrid, as flowcalc-cli's table); from doubles, A + i*S in doubles.
struct Grid {
    double from = 0.0;
    double step = 1.0;
    std::int64_t count = 0;
    gasdyn::DecimalGrid inputs = gasdyn::DecimalGrid::ofDoubles(0.0, 1.0);

    double at(std::int64_t i) const { return inputs.at(i); }
};

inline constexpr std::int64_t kMaxRows = 10'000'000;

// The grid, or the refusal: "The step must not be 0", "The step must point from From towards To", "The table
// would have more than 10000000 rows", "From, To and Step must be finite numbers".
std::variant<Grid, std::string> makeGrid(double from, double to, double step);
// The same, the inputs being the decimal grid of the texts of From and Step (blanks left out, `decimalMark` or
// the point) when they are plain decimal numbers that read as `from` and `step`.
std::variant<Grid, std::string> makeGrid(
    double from, double to, double step, std::string_view fromText, std::string_view stepText, char decimalMark);

// Which rows of a grid are shown: the grid indexes first .. first+count-1. Each flow's set of inputs with a
// solution (the other input and the branch fixed) is an interval, so the left-out rows are a run at each end
// of the grid. Both ends are tried; when one of them has no solution, up to kSamples evenly spread rows find
// the rows that have one, and a bisection between a sample without a solution and its neighbour with one
// finds each edge: O(kSamples + log n) solves and O(1) memory. Should the samples find a row without a
// solution between two with one (a set that is not an interval), `holes` is set and the window shows such rows
// empty with their reason.
struct Rows {
    std::int64_t first = 0;
    std::int64_t count = 0;
    std::int64_t leftBelow = 0; // grid rows before `first`
    std::int64_t leftAbove = 0; // grid rows after the last shown row
    std::string reasonBelow; // the refusal of the shown range's nearest left-out row on each side
    std::string reasonAbove;
    bool holes = false;
};
inline constexpr std::int64_t kSamples = 1025;
Rows findRows(const Question& question, const Grid& grid);

// The status line after a table was made: "41 rows", "21 rows; left out 20 rows with theta from 23 to 42:
// theta 23 is above ...", "No row has a solution: ...". Inputs are written to 12 significant digits with `decimalMark`.
std::string describe(const Question& question, const Grid& grid, const Rows& rows, char decimalMark);

} // namespace flowtable
