#pragma once
// The exports are C functions: nothing may propagate out of them. The only exception the
// numerics can raise is an allocation failure, which becomes the routine's failure result.

namespace quarn {

template <typename Result, typename Body>
Result NoThrow(Result onFailure, Body&& body) noexcept {
    try {
        return body();
    } catch (...) {
        return onFailure;
    }
}

}  // namespace quarn
