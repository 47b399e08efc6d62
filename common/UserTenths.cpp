#include "common/UserTenths.h"

#include <charconv>
#include <cmath>

namespace velor {
namespace {

constexpr float kLargest = 1e8f;
constexpr int kLargestTenths = 1'000'000'000;

}  // namespace

int TenthsFromUserValue(float value) {
    if (std::isnan(value)) return 0;
    if (std::fabs(value) >= kLargest) return value < 0 ? -kLargestTenths : kLargestTenths;
    // A field holds the float nearest to what was typed, and the float's shortest decimal form
    // is what was typed. Rounding that text rounds the user's number rather than its binary
    // neighbour: 2.55 is held as 2.5499999523, yet the user meant 2.55 and gets 2.6.
    char text[64];
    const auto [end, error] = std::to_chars(text, text + sizeof text, value, std::chars_format::fixed);
    if (error != std::errc()) return static_cast<int>(std::lround(static_cast<double>(value) * 10.0));
    const char* p = text;
    const bool negative = *p == '-';
    if (negative) ++p;
    long long tenths = 0;
    for (; p < end && *p != '.'; ++p) tenths = tenths * 10 + (*p - '0');
    tenths *= 10;
    if (p < end && *p == '.') {
        ++p;
        if (p < end) tenths += *p++ - '0';
        // The magnitude rounds up from a hundredth of 5 on: half away from zero.
        if (p < end && *p >= '5') ++tenths;
    }
    return static_cast<int>(negative ? -tenths : tenths);
}

}  // namespace velor
