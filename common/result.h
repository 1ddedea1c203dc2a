// The outcome of one calculation: the quantities it found, or the refusal the user is shown.
#pragma once

#include "message.h"

#include <utility>
#include <variant>

namespace common {

template <class T>
class Result {
public:
    Result(T value)
        : m_outcome(std::move(value))
    {
    }
    Result(Message refusal)
        : m_outcome(std::move(refusal))
    {
    }

    bool ok() const { return std::holds_alternative<T>(m_outcome); }
    const T& value() const { return std::get<T>(m_outcome); }
    const Message& refusal() const { return std::get<Message>(m_outcome); }

private:
    std::variant<T, Message> m_outcome;
};

// What a bounded iteration leaves: its last value, the passes it ran and whether it met its tolerance.
struct Iteration {
    double value = 0.0;
    int passes = 0;
    bool converged = false;
};

} // namespace common
