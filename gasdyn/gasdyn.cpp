#include "gasdyn.h"

#include "flows.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace gasdyn {

namespace {

using namespace std::string_view_literals;

constexpr std::array allFlows { Flow::Isentropic, Flow::NormalShock, Flow::Rayleigh, Flow::Fanno, Flow::ObliqueShock,
    Flow::ConicalShock, Flow::PrandtlMeyer, Flow::Nozzle };
constexpr std::array flowNames { "isentropic"sv, "normal-shock"sv, "rayleigh"sv, "fanno"sv, "oblique-shock"sv,
    "conical-shock"sv, "prandtl-meyer"sv, "nozzle"sv };
constexpr std::array branchNames { ""sv, "sub"sv, "sup"sv, "low"sv, "high"sv, "weak"sv, "strong"sv };

constexpr std::array isentropicNames { "M"sv, "p/p0"sv, "T/T0"sv, "rho/rho0"sv, "A/A*"sv, "p/p*"sv, "T/T*"sv,
    "rho/rho*"sv, "V/a*"sv, "nu"sv, "mu"sv };
constexpr std::array normalShockNames { "M1"sv, "M2"sv, "p2/p1"sv, "rho2/rho1"sv, "T2/T1"sv, "p02/p01"sv, "p02/p1"sv,
    "(s2-s1)/R"sv };
constexpr std::array rayleighNames { "M"sv, "T0/T0*"sv, "T/T*"sv, "p/p*"sv, "rho/rho*"sv, "p0/p0*"sv, "V/V*"sv,
    "(s*-s)/R"sv };
constexpr std::array fannoNames { "M"sv, "4fL*/D"sv, "T/T*"sv, "p/p*"sv, "rho/rho*"sv, "p0/p0*"sv, "V/V*"sv,
    "(s*-s)/R"sv };
constexpr std::array obliqueNames { "M1"sv, "theta"sv, "beta"sv, "Mn1"sv, "Mn2"sv, "M2"sv, "p2/p1"sv, "rho2/rho1"sv,
    "T2/T1"sv, "p02/p01"sv, "theta_max"sv };
constexpr std::array conicalNames { "M1"sv, "theta_c"sv, "beta"sv, "Mc"sv, "M2"sv, "pc/p1"sv, "Tc/T1"sv, "rhoc/rho1"sv,
    "p02/p01"sv, "theta_c_max"sv };
constexpr std::array prandtlMeyerNames { "M1"sv, "M2"sv, "theta"sv, "nu1"sv, "nu2"sv, "mu1"sv, "mu2"sv, "p2/p1"sv,
    "T2/T1"sv, "rho2/rho1"sv };
constexpr std::array nozzleNames { "Ae/At"sv, "pb/p0"sv, "regime"sv, "Mt"sv, "Me"sv, "pe/p0"sv, "Te/T0"sv, "p0e/p0"sv,
    "As/At"sv, "Ms1"sv, "Ms2"sv, "pb/p0_sub"sv, "pb/p0_exit_shock"sv, "pb/p0_design"sv, "mdot_param"sv };
constexpr std::array nozzleRegimes { "subsonic"sv, "shock in nozzle"sv, "overexpanded"sv, "design"sv,
    "underexpanded"sv };
constexpr int kNozzleRegime = 2;

constexpr std::array<Branch, 2> subSup { Branch::Sub, Branch::Sup };
constexpr std::array<Branch, 2> lowHigh { Branch::Low, Branch::High };
constexpr std::array<Branch, 2> weakStrong { Branch::Weak, Branch::Strong };
constexpr std::span<const Branch> none {};

const std::array isentropicKinds {
    InputKind { 0, -1, none, Branch::None },
    InputKind { 1, -1, none, Branch::None },
    InputKind { 2, -1, none, Branch::None },
    InputKind { 3, -1, none, Branch::None },
    InputKind { 4, -1, subSup, Branch::None },
    InputKind { 5, -1, none, Branch::None },
    InputKind { 6, -1, none, Branch::None },
    InputKind { 7, -1, none, Branch::None },
    InputKind { 8, -1, none, Branch::None },
    InputKind { 9, -1, none, Branch::None },
    InputKind { 10, -1, none, Branch::None },
};
const std::array normalShockKinds {
    InputKind { 0, -1, none, Branch::None },
    InputKind { 1, -1, none, Branch::None },
    InputKind { 2, -1, none, Branch::None },
    InputKind { 3, -1, none, Branch::None },
    InputKind { 4, -1, none, Branch::None },
    InputKind { 5, -1, none, Branch::None },
    InputKind { 6, -1, none, Branch::None },
    InputKind { 7, -1, none, Branch::None },
};
const std::array rayleighKinds {
    InputKind { 0, -1, none, Branch::None },
    InputKind { 1, -1, subSup, Branch::None },
    InputKind { 2, -1, lowHigh, Branch::None },
    InputKind { 3, -1, none, Branch::None },
    InputKind { 4, -1, none, Branch::None },
    InputKind { 5, -1, subSup, Branch::None },
    InputKind { 6, -1, none, Branch::None },
    InputKind { 7, -1, subSup, Branch::None },
};
const std::array fannoKinds {
    InputKind { 0, -1, none, Branch::None },
    InputKind { 1, -1, subSup, Branch::None },
    InputKind { 2, -1, none, Branch::None },
    InputKind { 3, -1, none, Branch::None },
    InputKind { 4, -1, none, Branch::None },
    InputKind { 5, -1, subSup, Branch::None },
    InputKind { 6, -1, none, Branch::None },
    InputKind { 7, -1, subSup, Branch::None },
};
const std::array obliqueKinds {
    InputKind { 0, 1, weakStrong, Branch::Weak },
    InputKind { 0, 2, none, Branch::None },
    InputKind { 0, 3, none, Branch::None },
    InputKind { 1, 2, none, Branch::None },
};
const std::array nozzleKinds {
    InputKind { 0, 1, none, Branch::None },
};
const std::array conicalKinds {
    InputKind { 0, 1, none, Branch::None },
    InputKind { 0, 2, none, Branch::None },
};
const std::array prandtlMeyerKinds {
    InputKind { 0, 1, none, Branch::None },
    InputKind { 0, 2, none, Branch::None },
    InputKind { 1, 2, none, Branch::None },
};

std::size_t at(Flow flow)
{
    return static_cast<std::size_t>(flow);
}

std::string quantityList(Flow flow, const InputKind& kind)
{
    const auto names = quantities(flow);
    std::string text(names[static_cast<std::size_t>(kind.first)]);
    if (kind.second >= 0)
        text += " and " + std::string(names[static_cast<std::size_t>(kind.second)]);
    return text;
}

std::string branchList(std::span<const Branch> branches)
{
    std::string text;
    for (std::size_t i = 0; i < branches.size(); ++i) {
        if (i > 0)
            text += i + 1 == branches.size() ? " or " : ", ";
        text += name(branches[i]);
    }
    return text;
}

Refusal usage(std::string message)
{
    return Refusal { Refusal::Kind::Usage, std::move(message) };
}

} // namespace

std::span<const Flow> flows()
{
    return allFlows;
}

std::string_view name(Flow flow)
{
    return flowNames[at(flow)];
}

std::optional<Flow> flowNamed(std::string_view text)
{
    for (Flow flow : allFlows) {
        if (name(flow) == text)
            return flow;
    }
    return std::nullopt;
}

std::string_view name(Branch branch)
{
    return branchNames[static_cast<std::size_t>(branch)];
}

std::optional<Branch> branchNamed(std::string_view text)
{
    for (std::size_t i = 1; i < branchNames.size(); ++i) {
        if (branchNames[i] == text)
            return static_cast<Branch>(i);
    }
    return std::nullopt;
}

std::span<const std::string_view> quantities(Flow flow)
{
    switch (flow) {
    case Flow::Isentropic:
        return isentropicNames;
    case Flow::NormalShock:
        return normalShockNames;
    case Flow::Rayleigh:
        return rayleighNames;
    case Flow::Fanno:
        return fannoNames;
    case Flow::ObliqueShock:
        return obliqueNames;
    case Flow::ConicalShock:
        return conicalNames;
    case Flow::PrandtlMeyer:
        return prandtlMeyerNames;
    case Flow::Nozzle:
        return nozzleNames;
    }
    return {};
}

std::optional<int> quantityIndex(Flow flow, std::string_view text)
{
    const auto names = quantities(flow);
    const auto found = std::find(names.begin(), names.end(), text);
    if (found == names.end())
        return std::nullopt;
    return static_cast<int>(found - names.begin());
}

std::span<const std::string_view> categories(Flow flow, int quantity)
{
    if (flow == Flow::Nozzle && quantity == kNozzleRegime)
        return nozzleRegimes;
    return {};
}

std::optional<std::string_view> categoryWord(Flow flow, int quantity, double value)
{
    const auto words = categories(flow, quantity);
    if (words.empty() || !(value >= 0.0) || value >= static_cast<double>(words.size()))
        return std::nullopt;
    return words[static_cast<std::size_t>(value)];
}

std::span<const InputKind> inputKinds(Flow flow)
{
    switch (flow) {
    case Flow::Isentropic:
        return isentropicKinds;
    case Flow::NormalShock:
        return normalShockKinds;
    case Flow::Rayleigh:
        return rayleighKinds;
    case Flow::Fanno:
        return fannoKinds;
    case Flow::ObliqueShock:
        return obliqueKinds;
    case Flow::ConicalShock:
        return conicalKinds;
    case Flow::PrandtlMeyer:
        return prandtlMeyerKinds;
    case Flow::Nozzle:
        return nozzleKinds;
    }
    return {};
}

const InputKind* findInputKind(Flow flow, std::span<const int> quantityIndexes)
{
    for (const InputKind& kind : inputKinds(flow)) {
        if (quantityIndexes.size() == 1 && kind.second < 0 && kind.first == quantityIndexes[0])
            return &kind;
        if (quantityIndexes.size() == 2 && kind.second >= 0
            && ((kind.first == quantityIndexes[0] && kind.second == quantityIndexes[1])
                || (kind.first == quantityIndexes[1] && kind.second == quantityIndexes[0])))
            return &kind;
    }
    return nullptr;
}

Outcome solve(Flow flow, double gamma, std::span<const Given> inputs, Branch branch)
{
    if (!std::isfinite(gamma) || !(gamma > 1.0))
        return usage("gamma must be a number above 1");

    const auto names = quantities(flow);
    const InputKind* kind = nullptr;
    if (inputs.size() == 1 || inputs.size() == 2) {
        std::array<int, 2> indexes { inputs[0].quantity, inputs.size() == 2 ? inputs[1].quantity : -1 };
        bool known = true;
        for (std::size_t i = 0; i < inputs.size(); ++i)
            known = known && indexes[i] >= 0 && indexes[i] < static_cast<int>(names.size());
        if (known)
            kind = findInputKind(flow, std::span<const int>(indexes.data(), inputs.size()));
    }
    if (!kind) {
        std::string text;
        for (std::size_t i = 0; i < inputs.size(); ++i) {
            const int q = inputs[i].quantity;
            if (i > 0)
                text += " and ";
            text += q >= 0 && q < static_cast<int>(names.size()) ? std::string(names[static_cast<std::size_t>(q)])
                                                                 : std::string("?");
        }
        std::string takes;
        for (const InputKind& k : inputKinds(flow))
            takes += (takes.empty() ? "" : ", ") + quantityList(flow, k);
        if (inputs.empty())
            return usage(std::string(name(flow)) + " needs an input: " + takes);
        return usage(text + " cannot be the input of " + std::string(name(flow)) + "; it takes " + takes);
    }

    std::array<double, 2> values { 0.0, 0.0 };
    for (const Given& given : inputs) {
        if (!std::isfinite(given.value))
            return usage(std::string(names[static_cast<std::size_t>(given.quantity)]) + " must be a finite number");
        values[given.quantity == kind->first ? 0 : 1] = given.value;
    }

    if (branch != Branch::None
        && std::find(kind->branches.begin(), kind->branches.end(), branch) == kind->branches.end()) {
        if (kind->branches.empty())
            return usage(quantityList(flow, *kind) + " takes no branch");
        return usage("branch " + std::string(name(branch)) + " does not apply to " + quantityList(flow, *kind)
            + "; it takes " + branchList(kind->branches));
    }
    if (branch == Branch::None)
        branch = kind->defaultBranch;

    switch (flow) {
    case Flow::Isentropic:
        return detail::solveIsentropic(gamma, *kind, values, branch);
    case Flow::NormalShock:
        return detail::solveNormalShock(gamma, *kind, values, branch);
    case Flow::Rayleigh:
        return detail::solveRayleigh(gamma, *kind, values, branch);
    case Flow::Fanno:
        return detail::solveFanno(gamma, *kind, values, branch);
    case Flow::ObliqueShock:
        return detail::solveObliqueShock(gamma, *kind, values, branch);
    case Flow::ConicalShock:
        return detail::solveConicalShock(gamma, *kind, values, branch);
    case Flow::PrandtlMeyer:
        return detail::solvePrandtlMeyer(gamma, *kind, values, branch);
    case Flow::Nozzle:
        return detail::solveNozzle(gamma, *kind, values, branch);
    }
    return usage("unknown flow");
}

namespace detail {

std::string formatNumber(double value)
{
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%.6g", value);
    return buffer;
}

Refusal missingBranch(Flow flow, const InputKind& kind)
{
    return usage(quantityList(flow, kind) + " needs a branch: " + branchList(kind.branches));
}

Refusal noSolution(std::string message)
{
    return Refusal { Refusal::Kind::NoSolution, std::move(message) };
}

Refusal overflow()
{
    return noSolution("the result is too large to be represented");
}

} // namespace detail

} // namespace gasdyn
