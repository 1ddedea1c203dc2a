// The gas dynamics of a calorically perfect gas: every quantity of eight flows as a function of the Mach
// number (and the second parameter where the flow has one), and every inversion, with the branch named.
// No Qt, no rounding. Angles are in degrees at this interface.
#pragma once

#include <array>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <variant>

namespace gasdyn {

enum class Flow { Isentropic, NormalShock, Rayleigh, Fanno, ObliqueShock, ConicalShock, PrandtlMeyer, Nozzle };

// Which of two solutions: sub/sup (subsonic or supersonic Mach number), low/high (the smaller or the larger
// of two Mach numbers), weak/strong (oblique shock). None: no branch given.
enum class Branch { None, Sub, Sup, Low, High, Weak, Strong };

// The flows in the order above. Nozzle: a converging-diverging nozzle of area ratio Ae/At (1: converging
// only) between a reservoir at p0 and the back pressure pb.
std::span<const Flow> flows();
// "isentropic", "normal-shock", "rayleigh", "fanno", "oblique-shock", "conical-shock", "prandtl-meyer",
// "nozzle".
std::string_view name(Flow flow);
std::optional<Flow> flowNamed(std::string_view text);
// "sub", "sup", "low", "high", "weak", "strong"; "" for None.
std::string_view name(Branch branch);
std::optional<Branch> branchNamed(std::string_view text);

inline constexpr int kMaxQuantities = 16;

// The quantities of a flow in output order, spelled as the command line spells them ("M", "p/p0", "A/A*").
std::span<const std::string_view> quantities(Flow flow);
std::optional<int> quantityIndex(Flow flow, std::string_view text);
// The words a quantity's value stands for, where the quantity names a category rather than a number: the
// value is then an index into this list (0, 1, ...), and front-ends write the word. Empty for a numeric
// quantity; the nozzle's regime: "subsonic", "shock in nozzle", "overexpanded", "design", "underexpanded".
std::span<const std::string_view> categories(Flow flow, int quantity);
// The word a category quantity's value stands for; nothing for a numeric quantity (or an index out of range).
std::optional<std::string_view> categoryWord(Flow flow, int quantity, double value);

// One way of stating a problem: one input quantity or two (indexes into quantities(flow)), and the branches
// that choose between its solutions.
struct InputKind {
    int first;
    int second; // -1 for a single input
    std::span<const Branch> branches; // the choices; empty where the input has one solution
    Branch defaultBranch; // taken when none is given; None where the branch must be given
};
std::span<const InputKind> inputKinds(Flow flow);
// The kind whose inputs are exactly these quantities, in either order; nullptr when there is none.
const InputKind* findInputKind(Flow flow, std::span<const int> quantityIndexes);

struct Given {
    int quantity; // index into quantities(flow)
    double value;
};

struct Refusal {
    // Usage: the question cannot be asked this way (bad gamma, a quantity that cannot be an input, a missing
    // or unneeded branch, a value that is not finite). NoSolution: the value has no solution for this gas, or a
    // result leaves the double range. The message names the broken bound with its value for this gamma
    // ("A/A* must be 1 or more", "theta 25 is above the largest deflection 22.9735 degrees for M1 2 (detached
    // shock)"); numbers in messages are written with at most 6 significant digits.
    enum class Kind { Usage, NoSolution };
    Kind kind;
    std::string message;
};

// How the Mach number (or the wave angle) was found.
struct Method {
    std::string_view how; // "closed form", "TOMS 748", "Newton-Raphson", "Dormand-Prince", ...
    int passes = 0; // iterations or steps; 0 for a closed form
};

struct Solution {
    // One value per quantity of the flow, in output order; empty where the quantity is not defined for the
    // state (nu and mu below Mach 1). Every value present is finite.
    std::array<std::optional<double>, kMaxQuantities> values {};
    // The branch of the answer: the one given or defaulted; None where the input has no branch or the answer is
    // the point where both branches meet and no branch was given.
    Branch branch = Branch::None;
    Method method {};
};

using Outcome = std::variant<Solution, Refusal>;

// Solves one state. Checks, in order: gamma (finite, above 1), the inputs form an input kind of the flow,
// every value is finite, the branch is one of the kind's (or none); then the flow's own bounds.
Outcome solve(Flow flow, double gamma, std::span<const Given> inputs, Branch branch = Branch::None);

// The value of `quantity` in a solution, if present.
inline std::optional<double> valueOf(const Solution& solution, int quantity)
{
    return solution.values[static_cast<std::size_t>(quantity)];
}

// Direct relations for the charts.
namespace oblique {
// Deflection theta (degrees) behind an oblique shock of wave angle beta (degrees, from the Mach angle to
// 90) for upstream Mach number M1 > 1; M1 may be +infinity (the hypersonic limit). Zero at the Mach angle
// and at 90 degrees.
double deflection(double gamma, double M1, double beta);
struct Detachment {
    double theta; // the largest deflection, degrees
    double beta; // its wave angle, degrees
};
// The largest deflection for M1 (> 1, or +infinity) and its wave angle.
Detachment detachment(double gamma, double M1);
// The wave angle at which the flow behind the shock is exactly sonic (M2 = 1), just below the detachment
// wave angle; for M1 = +infinity the limit.
double sonicBeta(double gamma, double M1);
} // namespace oblique

} // namespace gasdyn
