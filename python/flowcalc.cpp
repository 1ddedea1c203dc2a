// The Python module flowcalc: the engine's solve over NumPy arrays, looped in C++ with the GIL released.
#include "batch.h"
#include "flowcalc_version.h"
#include "gasdyn.h"

#include <pybind11/numpy.h>
#include <pybind11/pybind11.h>
#include <pybind11/stl.h>

#include <string>
#include <vector>

namespace py = pybind11;
using namespace pybind11::literals;
using gasdyn::Branch;
using gasdyn::Flow;

namespace {

Flow flowOf(const std::string& text)
{
    if (auto flow = gasdyn::flowNamed(text))
        return *flow;
    std::string names;
    for (Flow flow : gasdyn::flows())
        names += (names.empty() ? "" : ", ") + std::string(gasdyn::name(flow));
    throw py::value_error("unknown flow \"" + text + "\" (one of " + names + ")");
}

std::string quantityName(Flow flow, int index)
{
    return std::string(gasdyn::quantities(flow)[static_cast<std::size_t>(index)]);
}

py::list flowNames()
{
    py::list names;
    for (Flow flow : gasdyn::flows())
        names.append(std::string(gasdyn::name(flow)));
    return names;
}

py::list quantityNames(const std::string& flowName)
{
    py::list names;
    for (std::string_view quantity : gasdyn::quantities(flowOf(flowName)))
        names.append(std::string(quantity));
    return names;
}

py::list inputKinds(const std::string& flowName)
{
    const Flow flow = flowOf(flowName);
    py::list kinds;
    for (const gasdyn::InputKind& kind : gasdyn::inputKinds(flow)) {
        py::dict entry;
        py::list inputs;
        inputs.append(quantityName(flow, kind.first));
        if (kind.second >= 0)
            inputs.append(quantityName(flow, kind.second));
        py::list branches;
        for (Branch branch : kind.branches)
            branches.append(std::string(gasdyn::name(branch)));
        entry["inputs"] = py::tuple(inputs);
        entry["branches"] = py::tuple(branches);
        entry["default_branch"] = kind.defaultBranch == Branch::None
            ? py::object(py::none())
            : py::object(py::str(std::string(gasdyn::name(kind.defaultBranch))));
        kinds.append(entry);
    }
    return kinds;
}

// "at index 3: " for a 1-d array, "at index (1, 2): " for more dimensions.
std::string indexText(std::size_t flat, const std::vector<py::ssize_t>& shape)
{
    if (shape.size() == 1)
        return "at index " + std::to_string(flat) + ": ";
    std::vector<py::ssize_t> index(shape.size());
    for (std::size_t d = shape.size(); d-- > 0;) {
        index[d] = static_cast<py::ssize_t>(flat) % shape[d];
        flat /= static_cast<std::size_t>(shape[d]);
    }
    std::string text = "at index (";
    for (std::size_t d = 0; d < index.size(); ++d)
        text += (d ? ", " : "") + std::to_string(index[d]);
    return text + "): ";
}

py::dict solve(const std::string& flowName, const py::dict& given, const py::object& gamma,
    const py::object& branchName, const std::string& errors)
{
    const Flow flow = flowOf(flowName);
    if (errors != "raise" && errors != "nan")
        throw py::value_error("errors must be \"raise\" or \"nan\", not \"" + errors + "\"");
    Branch branch = Branch::None;
    if (!branchName.is_none()) {
        const auto text = py::cast<std::string>(branchName);
        const auto named = gasdyn::branchNamed(text);
        if (!named || *named == Branch::None)
            throw py::value_error("unknown branch \"" + text + "\" (one of sub, sup, weak, strong, low, high)");
        branch = *named;
    }
    if (given.empty() || given.size() > 2)
        throw py::value_error("give one or two input quantities");
    std::vector<int> quantities;
    py::list arrays;
    for (const auto& [key, value] : given) {
        const auto text = py::cast<std::string>(key);
        const auto index = gasdyn::quantityIndex(flow, text);
        if (!index)
            throw py::value_error("\"" + text + "\" is not a quantity of the " + flowName + " flow");
        quantities.push_back(*index);
        arrays.append(value);
    }
    arrays.append(gamma);
    py::module_ numpy = py::module_::import("numpy");
    bool scalar = true;
    for (const auto& item : arrays)
        scalar = scalar && numpy.attr("ndim")(item).cast<int>() == 0;
    const py::list broadcast = numpy.attr("broadcast_arrays")(*arrays);
    std::vector<py::array_t<double, py::array::c_style | py::array::forcecast>> columns;
    for (const auto& item : broadcast)
        columns.emplace_back(numpy.attr("ascontiguousarray")(item, "dtype"_a = "float64"));
    std::vector<py::ssize_t> shape(columns[0].shape(), columns[0].shape() + columns[0].ndim());
    const auto n = static_cast<std::size_t>(columns[0].size());
    std::vector<const double*> inputs;
    for (std::size_t k = 0; k < quantities.size(); ++k)
        inputs.push_back(columns[k].data());
    const double* gammas = columns.back().data();

    const auto& names = gasdyn::quantities(flow);
    std::vector<double> out(names.size() * n);
    gasdyn::batch::Result result;
    {
        py::gil_scoped_release release;
        result = gasdyn::batch::solve(flow, quantities, inputs, gammas, n, branch, out.data());
    }
    if (result.failures > 0 && errors == "raise")
        throw py::value_error(
            scalar ? result.first.message : indexText(result.first.index, shape) + result.first.message);

    py::dict answer;
    for (std::size_t q = 0; q < names.size(); ++q) {
        const double* column = out.data() + q * n;
        const auto words = gasdyn::categories(flow, static_cast<int>(q));
        const py::str key(std::string(names[q]));
        if (!words.empty()) {
            py::list texts;
            for (std::size_t i = 0; i < n; ++i) {
                const double v = column[i];
                const bool present = v == v && v >= 0 && v < static_cast<double>(words.size());
                texts.append(py::str(present ? std::string(words[static_cast<std::size_t>(v)]) : std::string()));
            }
            answer[key] = scalar ? py::object(texts[0])
                                 : py::object(numpy.attr("array")(texts, "dtype"_a = "object").attr("reshape")(shape));
        } else if (scalar) {
            answer[key] = py::float_(column[0]);
        } else {
            py::array_t<double> values(static_cast<py::ssize_t>(n));
            std::copy(column, column + n, values.mutable_data());
            answer[key] = values.reshape(shape);
        }
    }
    return answer;
}

} // namespace

PYBIND11_MODULE(flowcalc, module)
{
    module.doc() = "Compressible gas dynamics of a calorically perfect gas: the flowcalc engine over NumPy arrays.";
    module.attr("__version__") = FLOWCALC_VERSION;
    module.def(
        "flows", &flowNames, "flows() -> list of str\n\nThe flows by name: \"isentropic\", \"normal-shock\", ...");
    module.def("quantities", &quantityNames, "flow"_a,
        "quantities(flow) -> list of str\n\nThe quantities of a flow in output order (\"M\", \"p/p0\", \"A/A*\", "
        "...).");
    module.def("input_kinds", &inputKinds, "flow"_a,
        "input_kinds(flow) -> list of dict\n\n"
        "The ways of stating a problem of the flow. Each dict has \"inputs\" (a tuple of one or two quantity\n"
        "names), \"branches\" (a tuple of the branch names that choose between solutions; empty where there\n"
        "is one) and \"default_branch\" (the branch taken when none is given; None where it must be given).");
    module.def("solve", &solve, "flow"_a, "inputs"_a, py::kw_only(), "gamma"_a = 1.4, "branch"_a = py::none(),
        "errors"_a = "raise",
        "solve(flow, inputs, *, gamma=1.4, branch=None, errors=\"raise\") -> dict\n\n"
        "Solves states of a flow. flow: a name from flows(). inputs: a dict quantity name -> number or array,\n"
        "e.g. {\"M\": 2.0}, {\"A/A*\": a}, {\"M1\": m, \"theta\": t}; the inputs and gamma (a number or an\n"
        "array) broadcast together as NumPy broadcasts. branch: None or \"sub\", \"sup\", \"weak\", \"strong\",\n"
        "\"low\", \"high\" (see input_kinds()).\n\n"
        "Returns a dict quantity name -> value for every quantity of the flow: a float when every input is a\n"
        "scalar, else an ndarray of the broadcast shape. NaN where a quantity is undefined (nu and mu below\n"
        "Mach 1). A quantity that names a category gives a str (an object array of str), \"\" where absent.\n\n"
        "A refused state raises ValueError with the engine's message, for arrays prefixed with the index of\n"
        "the first refused state (\"at index 3: ...\", \"at index (1, 2): ...\"). errors=\"nan\" instead gives\n"
        "NaN (\"\" for categories) for refused states and the call succeeds.\n\n"
        "The states are solved in C++ with the GIL released, large arrays split over the cores.");
}
