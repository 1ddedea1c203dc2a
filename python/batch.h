// Solves many states of one flow and one input kind at once, split over threads. No Qt, no Python.
#pragma once

#include "gasdyn.h"

#include <cstddef>
#include <span>
#include <string>

namespace gasdyn::batch {

struct Failure {
    std::size_t index = 0; // the first failing state
    std::string message; // the engine's refusal of it
};

struct Result {
    std::size_t failures = 0; // how many states were refused
    Failure first; // the lowest-index refusal, when failures > 0
};

// Solves n states: state i has the inputs (quantity inputQuantities[k], value inputs[k][i]) and gamma[i].
// Writes quantity q of state i to out[q * n + i] (column-major, one column per quantity of the flow); NaN
// where the quantity is undefined or the state is refused. A quantity with categories gets its index.
// threads <= 0: the machine's cores, one thread for small n.
Result solve(Flow flow, std::span<const int> inputQuantities, std::span<const double* const> inputs,
    const double* gamma, std::size_t n, Branch branch, double* out, int threads = 0);

} // namespace gasdyn::batch
