#pragma once
// Helpers the source models share: parameter checks and numbers in descriptions.

#include <charconv>
#include <cmath>
#include <stdexcept>
#include <string>

namespace velor::sim::detail {

inline void RequirePositive(double value, const char* what) {
    if (!(value > 0.0) || !std::isfinite(value)) {
        throw std::invalid_argument(std::string(what) + " must be a positive number");
    }
}

inline void RequireFinite(double value, const char* what) {
    if (!std::isfinite(value)) throw std::invalid_argument(std::string(what) + " must be finite");
}

// Shortest text that reads back as the same number: 1550, 0.12, 10.4.
inline std::string Number(double value) {
    char text[32];
    const auto result = std::to_chars(text, text + sizeof text, value);
    return std::string(text, result.ptr);
}

}  // namespace velor::sim::detail
