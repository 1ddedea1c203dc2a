#include "batch.h"

#include <algorithm>
#include <array>
#include <limits>
#include <thread>
#include <vector>

namespace gasdyn::batch {

namespace {

Result solveRange(Flow flow, std::span<const int> inputQuantities, std::span<const double* const> inputs,
    const double* gamma, std::size_t n, std::size_t begin, std::size_t end, Branch branch, double* out)
{
    constexpr double nan = std::numeric_limits<double>::quiet_NaN();
    const std::size_t count = quantities(flow).size();
    std::array<Given, 2> given {};
    Result result;
    for (std::size_t i = begin; i < end; ++i) {
        for (std::size_t k = 0; k < inputQuantities.size(); ++k)
            given[k] = { inputQuantities[k], inputs[k][i] };
        const Outcome outcome = gasdyn::solve(flow, gamma[i], std::span(given.data(), inputQuantities.size()), branch);
        if (const auto* solution = std::get_if<Solution>(&outcome)) {
            for (std::size_t q = 0; q < count; ++q)
                out[q * n + i] = solution->values[q].value_or(nan);
            continue;
        }
        for (std::size_t q = 0; q < count; ++q)
            out[q * n + i] = nan;
        if (result.failures++ == 0)
            result.first = { i, std::get<Refusal>(outcome).message };
    }
    return result;
}

} // namespace

Result solve(Flow flow, std::span<const int> inputQuantities, std::span<const double* const> inputs,
    const double* gamma, std::size_t n, Branch branch, double* out, int threads)
{
    if (threads <= 0)
        threads = static_cast<int>(std::max(1U, std::thread::hardware_concurrency()));
    constexpr std::size_t kSmallest = 2048; // below this a thread costs more than it saves
    const auto parts = static_cast<std::size_t>(std::clamp<std::size_t>(n / kSmallest, 1, threads));
    if (parts == 1)
        return solveRange(flow, inputQuantities, inputs, gamma, n, 0, n, branch, out);
    std::vector<Result> results(parts);
    std::vector<std::thread> workers;
    workers.reserve(parts - 1);
    const std::size_t chunk = (n + parts - 1) / parts;
    for (std::size_t p = 1; p < parts; ++p)
        workers.emplace_back([&, p] {
            results[p] = solveRange(
                flow, inputQuantities, inputs, gamma, n, p * chunk, std::min(n, (p + 1) * chunk), branch, out);
        });
    results[0] = solveRange(flow, inputQuantities, inputs, gamma, n, 0, std::min(n, chunk), branch, out);
    for (std::thread& worker : workers)
        worker.join();
    Result total;
    for (const Result& part : results) { // in index order: the first part with a failure has the lowest one
        if (part.failures > 0 && total.failures == 0)
            total.first = part.first;
        total.failures += part.failures;
    }
    return total;
}

} // namespace gasdyn::batch
