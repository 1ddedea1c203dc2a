#include "units.h"

#include <udunits2.h>

#include <array>
#include <charconv>
#include <cmath>
#include <memory>
#include <mutex>

namespace flight {

namespace {

struct QuantityInfo {
    std::string_view name;
    std::string_view si;
    std::string_view us;
    std::string_view examples;
};
constexpr std::array<QuantityInfo, 8> kInfo { { { "pressure", "Pa", "lbf/ft2", "kPa, bar or psi" },
    { "temperature", "K", "degR", "K, degC or degF" }, { "speed", "m/s", "ft/s", "m/s, km/h or kn" },
    { "density", "kg/m3", "slug/ft3", "kg/m3 or slug/ft3" }, { "length", "m", "ft", "m, km or ft" },
    { "viscosity", "Pa*s", "lbf*s/ft2", "Pa*s or lbf*s/ft2" },
    { "kinematic viscosity", "m2/s", "ft2/s", "m2/s or ft2/s" },
    { "mass flux", "kg/(s*m2)", "slug/(s*ft2)", "kg/(s*m2)" } } };

const QuantityInfo& info(Quantity quantity)
{
    return kInfo[static_cast<std::size_t>(quantity)];
}

struct SystemDeleter {
    void operator()(ut_system* system) const { ut_free_system(system); }
};
struct UnitDeleter {
    void operator()(ut_unit* unit) const { ut_free(unit); }
};
using Unit = std::unique_ptr<ut_unit, UnitDeleter>;

// Adds `alias` as a name of `definition`, replacing a meaning UDUNITS gives it by parsing ("mph" would be a
// milliphot).
void alias(ut_system* system, const char* name, const char* definition)
{
    const Unit unit(ut_parse(system, definition, UT_ASCII));
    if (unit)
        ut_map_name_to_unit(name, UT_ASCII, unit.get());
}

// The unit database (read once, from the installed XML files; no network).
ut_system* database()
{
    static std::unique_ptr<ut_system, SystemDeleter> system;
    static std::once_flag once;
    std::call_once(once, [] {
        ut_set_error_message_handler(ut_ignore);
        system.reset(ut_read_xml(nullptr));
        if (!system)
            return;
        // Missing from the database or meaning something else there.
        alias(system.get(), "psf", "lbf/ft2");
        alias(system.get(), "kn", "knot");
        alias(system.get(), "mph", "mi/h");
        alias(system.get(), "kt", "knot");
        // The database's slug is 14.5939 kg; the exact one is lbf s2/ft.
        ut_unmap_name_to_unit(system.get(), "slug", UT_ASCII);
        alias(system.get(), "slug", "lbf*s2/ft");
    });
    return system.get();
}

Unit parse(std::string_view text)
{
    ut_system* system = database();
    if (!system)
        return nullptr;
    const std::string owned(text);
    return Unit(ut_parse(system, owned.c_str(), UT_ASCII));
}

std::string trimmed(std::string_view text)
{
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos)
        return {};
    const auto last = text.find_last_not_of(" \t");
    return std::string(text.substr(first, last - first + 1));
}

std::variant<double, std::string> convert(double value, std::string_view from, std::string_view to)
{
    const Unit source = parse(from);
    const Unit target = parse(to);
    if (!source || !target)
        return std::string("unknown unit ") + std::string(from);
    if (ut_are_convertible(source.get(), target.get()) == 0)
        return std::string("not convertible");
    cv_converter* converter = ut_get_converter(source.get(), target.get());
    const double result = cv_convert_double(converter, value);
    cv_free(converter);
    return result;
}

} // namespace

std::string_view quantityName(Quantity quantity)
{
    return info(quantity).name;
}

std::string_view unitOf(Quantity quantity, System system)
{
    return system == System::SI ? info(quantity).si : info(quantity).us;
}

std::variant<double, std::string> readQuantity(std::string_view text, Quantity quantity, System system)
{
    const std::string whole = trimmed(text);
    double value = 0.0;
    const char* begin = whole.data();
    const char* end = whole.data() + whole.size();
    if (begin != end && *begin == '+')
        ++begin;
    const auto [rest, error] = std::from_chars(begin, end, value);
    if (error != std::errc() || !std::isfinite(value) || (rest != end && *rest != ' ' && *rest != '\t'))
        return "\"" + whole + "\" is not a " + std::string(info(quantity).name) + " (a number and a unit such as "
            + std::string(info(quantity).examples) + ")";
    const std::string unit = trimmed(std::string_view(rest, static_cast<std::size_t>(end - rest)));
    if (unit.empty())
        return system == System::SI ? value : std::get<double>(convert(value, info(quantity).us, info(quantity).si));
    const Unit parsed = parse(unit);
    if (!parsed)
        return "unknown unit \"" + unit + "\" for a " + std::string(info(quantity).name) + ": give a unit such as "
            + std::string(info(quantity).examples);
    auto converted = convert(value, unit, info(quantity).si);
    if (std::holds_alternative<std::string>(converted))
        return "\"" + whole + "\" is not a " + std::string(info(quantity).name) + ": give a unit such as "
            + std::string(info(quantity).examples);
    return converted;
}

double toSystem(double si, Quantity quantity, System system)
{
    if (system == System::SI)
        return si;
    // Every US unit here is a pure scale of its SI unit: divide by its size in SI, so that a value typed in
    // it (and converted to SI by multiplying) reads back as typed ("35000 ft" stays 35000, not 34999.99...).
    const auto size = convert(1.0, info(quantity).us, info(quantity).si);
    return si / std::get<double>(size);
}

std::variant<double, std::string> toUnit(double si, Quantity quantity, std::string_view unit)
{
    auto converted = convert(si, info(quantity).si, unit);
    if (std::holds_alternative<std::string>(converted)) {
        std::string message(1, '"');
        message.append(unit).append("\" is not a unit of ").append(info(quantity).name);
        message.append(": give a unit such as ").append(info(quantity).examples);
        return message;
    }
    return converted;
}

} // namespace flight
