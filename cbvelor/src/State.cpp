#include "State.h"

namespace cbvelor {

LibraryState& State() noexcept {
    static constinit LibraryState state;
    return state;
}

}  // namespace cbvelor
