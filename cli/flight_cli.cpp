// flowcalc-cli atmosphere, flight, state and table atmosphere: real quantities from flight_core, with
// typed units. Kept apart from the flow commands; run() hands these commands over before its own parse.
#include "cli.h"

#include "atmosphere.h"
#include "condition.h"
#include "units.h"

#include <array>
#include <cmath>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace cli {

namespace {

using flight::Quantity;

struct Output {
    std::string_view name;
    double si;
    std::optional<Quantity> quantity; // nullopt: a pure number
    bool perLength = false; // Re/L: 1/length
};

struct FlightArgs {
    std::map<std::string, std::string, std::less<>> options; // --name -> value
    std::vector<std::pair<std::string, std::string>> givens; // NAME=VALUE
    std::vector<std::string_view> positional;
};

constexpr std::string_view kValued[] = { "--altitude", "--geopotential", "--format", "--units", "--p0", "--T0", "--gas",
    "--R", "--gamma", "--from", "--to", "--step", "--branch" };

std::variant<FlightArgs, std::string> split(std::span<const std::string_view> args)
{
    FlightArgs out;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string_view arg = args[i];
        if (arg.starts_with("--")) {
            std::string name(arg);
            std::string value;
            const auto eq = arg.find('=');
            if (eq != std::string_view::npos) {
                name = std::string(arg.substr(0, eq));
                value = std::string(arg.substr(eq + 1));
            }
            bool known = false;
            for (const std::string_view option : kValued)
                known = known || option == name;
            if (!known)
                return "unknown option " + name;
            if (eq == std::string_view::npos) {
                if (i + 1 >= args.size())
                    return name + " needs a value";
                value = std::string(args[++i]);
            }
            if (!out.options.emplace(name, value).second)
                return name + " is given twice";
        } else if (const auto eq = arg.find('='); eq != std::string_view::npos) {
            out.givens.emplace_back(std::string(arg.substr(0, eq)), std::string(arg.substr(eq + 1)));
        } else {
            out.positional.push_back(arg);
        }
    }
    return out;
}

std::optional<std::string> option(const FlightArgs& args, std::string_view name)
{
    const auto it = args.options.find(name);
    if (it == args.options.end())
        return std::nullopt;
    return it->second;
}

struct Settings {
    Format format = Format::Text;
    flight::System system = flight::System::SI;
};

std::variant<Settings, std::string> settings(const FlightArgs& args, Format fallback)
{
    Settings s;
    s.format = fallback;
    if (const auto f = option(args, "--format")) {
        if (*f == "text")
            s.format = Format::Text;
        else if (*f == "json")
            s.format = Format::Json;
        else if (*f == "csv")
            s.format = Format::Csv;
        else if (*f == "tsv")
            s.format = Format::Tsv;
        else
            return "unknown format " + *f + " (text, json, csv or tsv)";
    }
    if (const auto u = option(args, "--units")) {
        if (*u == "si")
            s.system = flight::System::SI;
        else if (*u == "us")
            s.system = flight::System::US;
        else
            return "unknown unit system " + *u + " (si or us)";
    }
    return s;
}

double shown(const Output& o, flight::System system)
{
    if (o.perLength)
        return system == flight::System::SI ? o.si : o.si * 0.3048;
    return o.quantity ? flight::toSystem(o.si, *o.quantity, system) : o.si;
}

std::string unitText(const Output& o, flight::System system)
{
    if (o.perLength)
        return system == flight::System::SI ? "1/m" : "1/ft";
    return o.quantity ? std::string(flight::unitOf(*o.quantity, system)) : std::string();
}

std::string jsonString(std::string_view text)
{
    std::string out = "\"";
    for (const char c : text) {
        if (c == '"' || c == '\\')
            out += '\\';
        out += c;
    }
    return out + "\"";
}

void writeHeader(const std::vector<Output>& outputs, char separator, std::string& out)
{
    for (std::size_t i = 0; i < outputs.size(); ++i) {
        if (i > 0)
            out += separator;
        out += outputs[i].name;
    }
    out += '\n';
}

void writeRow(const std::vector<Output>& outputs, flight::System system, char separator, std::string& out)
{
    for (std::size_t i = 0; i < outputs.size(); ++i) {
        if (i > 0)
            out += separator;
        out += writeNumber(shown(outputs[i], system));
    }
    out += '\n';
}

std::string jsonObject(const std::vector<Output>& outputs, flight::System system)
{
    std::string out = "{";
    for (std::size_t i = 0; i < outputs.size(); ++i) {
        if (i > 0)
            out += ", ";
        out += jsonString(outputs[i].name) + ": " + writeNumber(shown(outputs[i], system));
    }
    return out + "}";
}

std::string units(const std::vector<Output>& outputs, flight::System system)
{
    std::string out = "{";
    bool first = true;
    for (const Output& o : outputs) {
        const std::string unit = unitText(o, system);
        if (unit.empty())
            continue;
        if (!first)
            out += ", ";
        first = false;
        out += jsonString(o.name) + ": " + jsonString(unit);
    }
    return out + "}";
}

std::string write(
    std::string_view command, const std::vector<Output>& outputs, const Settings& s, std::string_view inputsJson = "{}")
{
    std::string out;
    switch (s.format) {
    case Format::Text:
        for (const Output& o : outputs) {
            out += std::string(o.name) + " = " + writeNumber(shown(o, s.system));
            const std::string unit = unitText(o, s.system);
            if (!unit.empty())
                out += " " + unit;
            out += '\n';
        }
        break;
    case Format::Json:
        out = "{\"command\": " + jsonString(command) + ", \"units\": " + units(outputs, s.system)
            + ", \"inputs\": " + std::string(inputsJson) + ", \"results\": " + jsonObject(outputs, s.system) + "}\n";
        break;
    case Format::Csv:
    case Format::Tsv:
        writeHeader(outputs, s.format == Format::Csv ? ',' : '\t', out);
        writeRow(outputs, s.system, s.format == Format::Csv ? ',' : '\t', out);
        break;
    }
    return out;
}

std::vector<Output> atmosphereOutputs(const flight::Atmosphere& a)
{
    return { { "z", a.z, Quantity::Length }, { "H", a.H, Quantity::Length }, { "T", a.T, Quantity::Temperature },
        { "p", a.p, Quantity::Pressure }, { "rho", a.rho, Quantity::Density }, { "a", a.a, Quantity::Speed },
        { "mu", a.mu, Quantity::Viscosity }, { "nu", a.nu, Quantity::KinematicViscosity } };
}

Status usageError(const std::string& message)
{
    return { kUsage, std::string(kPrefix) + message };
}

Status noSolution(const std::string& message)
{
    return { kNoSolution, std::string(kPrefix) + message };
}

// The altitude of --altitude or --geopotential (exactly one), in the system's length unit unless typed.
std::variant<flight::Atmosphere, Status> readAtmosphere(const FlightArgs& args, flight::System system)
{
    const auto z = option(args, "--altitude");
    const auto h = option(args, "--geopotential");
    if (z.has_value() == h.has_value())
        return usageError("give one of --altitude and --geopotential");
    const auto value = flight::readQuantity(z ? *z : *h, Quantity::Length, system);
    if (const auto* message = std::get_if<std::string>(&value))
        return usageError("altitude: " + *message);
    auto atm = flight::atmosphere(
        std::get<double>(value), z ? flight::AltitudeKind::Geometric : flight::AltitudeKind::Geopotential);
    if (const auto* message = std::get_if<std::string>(&atm))
        return noSolution(*message);
    return std::get<flight::Atmosphere>(atm);
}

Status emit(const std::string& text, const Sink& sink)
{
    sink(text);
    return {};
}

Status runAtmosphere(const FlightArgs& args, const Settings& s, const Sink& sink)
{
    if (!args.givens.empty() || args.positional.size() != 1)
        return usageError("atmosphere takes --altitude Z or --geopotential H only");
    auto atm = readAtmosphere(args, s.system);
    if (auto* status = std::get_if<Status>(&atm))
        return *status;
    return emit(write("atmosphere", atmosphereOutputs(std::get<flight::Atmosphere>(atm)), s), sink);
}

Status runFlight(const FlightArgs& args, const Settings& s, const Sink& sink)
{
    if (args.givens.size() != 1 || args.positional.size() != 1)
        return usageError("flight takes one of M=VALUE, V=VALUE, p02-p=VALUE or p02/p=VALUE");
    auto atmOr = readAtmosphere(args, s.system);
    if (auto* status = std::get_if<Status>(&atmOr))
        return *status;
    const auto& atm = std::get<flight::Atmosphere>(atmOr);
    const auto& [name, text] = args.givens.front();
    std::variant<flight::FlightCondition, std::string> condition;
    if (name == "M" || name == "p02/p") {
        const auto number = readNumber(text);
        if (!number)
            return usageError(name + " must be a number: " + text);
        if (name == "M") {
            condition = flight::flightCondition(atm, flight::Speed::Mach, *number);
        } else {
            const auto M = flight::machFromPitot(flight::kAirGamma, *number);
            if (const auto* message = std::get_if<std::string>(&M))
                return noSolution(*message);
            condition = flight::flightCondition(atm, flight::Speed::Mach, std::get<double>(M));
        }
    } else if (name == "V" || name == "p02-p") {
        const Quantity q = name == "V" ? Quantity::Speed : Quantity::Pressure;
        const auto value = flight::readQuantity(text, q, s.system);
        if (const auto* message = std::get_if<std::string>(&value))
            return usageError(name + ": " + *message);
        condition = name == "V" ? flight::flightCondition(atm, flight::Speed::TrueAirspeed, std::get<double>(value))
                                : flight::fromPitotDifference(atm, std::get<double>(value));
    } else {
        return usageError("unknown flight input " + name + " (M, V, p02-p or p02/p)");
    }
    if (const auto* message = std::get_if<std::string>(&condition))
        return noSolution(*message);
    const auto& c = std::get<flight::FlightCondition>(condition);
    std::vector<Output> outputs = atmosphereOutputs(atm);
    outputs.push_back({ "M", c.M, std::nullopt });
    outputs.push_back({ "V", c.V, Quantity::Speed });
    outputs.push_back({ "T0", c.T0, Quantity::Temperature });
    outputs.push_back({ "p0", c.p0, Quantity::Pressure });
    outputs.push_back({ "q", c.q, Quantity::Pressure });
    outputs.push_back({ "Re/L", c.ReL, std::nullopt, true });
    outputs.push_back({ "p02", c.p02, Quantity::Pressure });
    outputs.push_back({ "CAS", c.cas, Quantity::Speed });
    return emit(write("flight", outputs, s), sink);
}

Status runState(const FlightArgs& args, const Settings& s, const Sink& sink)
{
    if (args.positional.size() != 2)
        return usageError("state takes a flow: state FLOW NAME=VALUE ... --p0 P --T0 T [--gas NAME]");
    const auto flow = gasdyn::flowNamed(args.positional[1]);
    if (!flow)
        return usageError("unknown flow " + std::string(args.positional[1]));
    flight::Gas gas { "air", 287.05, 1.4 };
    const std::string gasName = option(args, "--gas").value_or("air");
    if (gasName == "custom") {
        const auto R = readNumber(option(args, "--R").value_or(""));
        const auto g = readNumber(option(args, "--gamma").value_or(""));
        if (!R || !g)
            return usageError("--gas custom needs --R (J/(kg K)) and --gamma as numbers");
        gas = { "custom", *R, *g };
    } else if (const flight::Gas* known = flight::gasNamed(gasName)) {
        gas = *known;
        if (option(args, "--R") || option(args, "--gamma"))
            return usageError("--R and --gamma go with --gas custom only");
    } else {
        return usageError("unknown gas " + gasName + " (air, N2, O2, He, Ar, CO2, H2 or custom)");
    }
    const auto p0Text = option(args, "--p0");
    const auto T0Text = option(args, "--T0");
    if (!p0Text || !T0Text)
        return usageError("state needs --p0 and --T0");
    const auto p0 = flight::readQuantity(*p0Text, Quantity::Pressure, s.system);
    if (const auto* message = std::get_if<std::string>(&p0))
        return usageError("--p0: " + *message);
    const auto T0 = flight::readQuantity(*T0Text, Quantity::Temperature, s.system);
    if (const auto* message = std::get_if<std::string>(&T0))
        return usageError("--T0: " + *message);

    // The flow's own question, asked as solve asks it.
    std::vector<std::string> owned { "solve", std::string(args.positional[1]) };
    for (const auto& [name, value] : args.givens) {
        std::string given(name);
        given += '=';
        given += value;
        owned.push_back(std::move(given));
    }
    if (const auto b = option(args, "--branch"))
        owned.push_back("--branch=" + *b);
    owned.push_back("--gamma=" + writeNumber(gas.gamma));
    const std::vector<std::string_view> views(owned.begin(), owned.end());
    auto parsed = parse(views);
    if (const auto* error = std::get_if<UsageError>(&parsed))
        return usageError(error->message);
    const Request& request = std::get<Request>(parsed);
    const gasdyn::Outcome outcome = gasdyn::solve(request.flow, request.gamma, request.givens, request.branch);
    if (const auto* refusal = std::get_if<gasdyn::Refusal>(&outcome))
        return { refusal->kind == gasdyn::Refusal::Kind::Usage ? kUsage : kNoSolution,
            std::string(kPrefix) + refusal->message };
    const auto& solution = std::get<gasdyn::Solution>(outcome);
    auto mIndex = gasdyn::quantityIndex(*flow, "M");
    if (!mIndex)
        mIndex = gasdyn::quantityIndex(*flow, "M1");
    const auto M = mIndex ? gasdyn::valueOf(solution, *mIndex) : std::nullopt;
    if (!M)
        return usageError("the flow has no Mach number to take the state at");
    const auto state = flight::stagnationState(gas, std::get<double>(p0), std::get<double>(T0), *M);
    if (const auto* message = std::get_if<std::string>(&state))
        return noSolution(*message);
    const auto& st = std::get<flight::GasState>(state);

    std::vector<Output> outputs;
    const auto names = gasdyn::quantities(*flow);
    for (std::size_t q = 0; q < names.size(); ++q)
        if (solution.values[q])
            outputs.push_back({ names[q], *solution.values[q], std::nullopt });
    outputs.push_back({ "p", st.p, Quantity::Pressure });
    outputs.push_back({ "T", st.T, Quantity::Temperature });
    outputs.push_back({ "rho", st.rho, Quantity::Density });
    outputs.push_back({ "a", st.a, Quantity::Speed });
    outputs.push_back({ "V", st.V, Quantity::Speed });
    outputs.push_back({ "mdot/A", st.massFlux, Quantity::MassFlux });
    const std::string inputs = "{\"gas\": " + jsonString(gas.name) + ", \"R\": " + writeNumber(gas.R)
        + ", \"gamma\": " + writeNumber(gas.gamma) + ", \"p0\": " + writeNumber(std::get<double>(p0))
        + ", \"T0\": " + writeNumber(std::get<double>(T0)) + "}";
    return emit(write("state", outputs, s, inputs), sink);
}

Status runAtmosphereTable(const FlightArgs& args, const Settings& s, const Sink& sink)
{
    if (!args.givens.empty() || args.positional.size() != 2 || option(args, "--altitude")
        || option(args, "--geopotential"))
        return usageError("table atmosphere takes --from A --to B --step S (altitudes)");
    std::array<double, 3> range {};
    const std::array<std::string_view, 3> names { "--from", "--to", "--step" };
    for (std::size_t i = 0; i < names.size(); ++i) {
        const auto text = option(args, names[i]);
        if (!text)
            return usageError("table atmosphere needs " + std::string(names[i]));
        const auto value = flight::readQuantity(*text, Quantity::Length, s.system);
        if (const auto* message = std::get_if<std::string>(&value))
            return usageError(std::string(names[i]) + ": " + *message);
        range[i] = std::get<double>(value);
    }
    const auto [from, to, step] = range;
    if (step == 0.0 || (to - from) / step < 0.0)
        return usageError("--step must be nonzero and point from --from to --to");
    const double span = (to - from) / step;
    const auto count = static_cast<long long>(std::floor(span + 1e-9)) + 1;
    if (count > kMaxTableRows)
        return usageError("the table would have more than 100000000 rows");
    for (const double end : { from, from + static_cast<double>(count - 1) * step }) {
        const auto check = flight::atmosphere(end);
        if (const auto* message = std::get_if<std::string>(&check))
            return noSolution(*message);
    }
    const char separator = s.format == Format::Tsv ? '\t' : ',';
    std::string out;
    bool first = true;
    for (long long i = 0; i < count; ++i) {
        const double z
            = i == count - 1 && std::abs(span - std::round(span)) <= 1e-9 ? to : from + static_cast<double>(i) * step;
        const auto atm = std::get<flight::Atmosphere>(flight::atmosphere(z));
        const auto outputs = atmosphereOutputs(atm);
        if (s.format == Format::Json) {
            out += first
                ? "{\"command\": \"table atmosphere\", \"units\": " + units(outputs, s.system) + ", \"rows\": ["
                : std::string(", ");
            out += jsonObject(outputs, s.system);
        } else {
            if (first)
                writeHeader(outputs, separator, out);
            writeRow(outputs, s.system, separator, out);
        }
        first = false;
        if (out.size() > (1U << 20U)) {
            sink(out);
            out.clear();
        }
    }
    if (s.format == Format::Json)
        out += "]}\n";
    sink(out);
    return {};
}

} // namespace

std::optional<Status> runRealQuantities(std::span<const std::string_view> args, const Sink& sink)
{
    if (args.empty())
        return std::nullopt;
    const bool table = args[0] == "table" && args.size() > 1 && args[1] == "atmosphere";
    if (!table && args[0] != "atmosphere" && args[0] != "flight" && args[0] != "state")
        return std::nullopt;
    auto split_ = split(args);
    if (const auto* message = std::get_if<std::string>(&split_))
        return usageError(*message);
    const auto& parsed = std::get<FlightArgs>(split_);
    auto s = settings(parsed, table ? Format::Csv : Format::Text);
    if (const auto* message = std::get_if<std::string>(&s))
        return usageError(*message);
    const Settings& settings_ = std::get<Settings>(s);
    if (table) {
        if (settings_.format == Format::Text)
            return usageError("table atmosphere writes csv, tsv or json");
        return runAtmosphereTable(parsed, settings_, sink);
    }
    if (args[0] == "atmosphere")
        return runAtmosphere(parsed, settings_, sink);
    if (args[0] == "flight")
        return runFlight(parsed, settings_, sink);
    return runState(parsed, settings_, sink);
}

} // namespace cli
