#include "Bus.h"

#include "State.h"
#include "cbw32/cbw32.h"

namespace cbvelor {

void SetDataDirection(int direction) noexcept {
    LibraryState& state = State();
    if (state.dataDirection == direction) return;
    state.dataDirection = direction;
    cbDConfigPort(state.boardNumber, kDataPort, direction);
    cbDConfigPort(state.boardNumber, kAddressPort, kOutput);
    cbDConfigPort(state.boardNumber, kStrobePort, kOutput);
}

void WriteRegister(std::uint8_t address, std::uint8_t value) noexcept {
    SetDataDirection(kOutput);
    const int board = State().boardNumber;
    cbDOut(board, kStrobePort, kStrobesIdle);
    cbDOut(board, kAddressPort, address);
    cbDOut(board, kDataPort, value);
    cbDOut(board, kStrobePort, kStrobesIdle);
    cbDOut(board, kStrobePort, kWriteStrobe);
    cbDOut(board, kStrobePort, kStrobesIdle);
}

std::uint16_t ReadRegister(std::uint8_t address, bool* ok) noexcept {
    SetDataDirection(kInput);
    const int board = State().boardNumber;
    // The address goes out before the strobes are set idle, unlike a write.
    int failed = cbDOut(board, kAddressPort, address);
    failed |= cbDOut(board, kStrobePort, kStrobesIdle);
    failed |= cbDOut(board, kStrobePort, kReadStrobe);
    unsigned short value = 0;
    failed |= cbDIn(board, kDataPort, &value);
    cbDOut(board, kStrobePort, kStrobesIdle);
    if (ok != nullptr) *ok = failed == 0;
    return value;
}

void SelectRead(std::uint8_t address) noexcept {
    SetDataDirection(kInput);
    const int board = State().boardNumber;
    cbDOut(board, kStrobePort, kStrobesIdle);
    cbDOut(board, kAddressPort, address);
}

std::uint16_t DirectRead() noexcept {
    unsigned short value = 0;
    cbDIn(State().boardNumber, kDataPort, &value);
    return value;
}

}  // namespace cbvelor
