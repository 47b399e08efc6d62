#include "DioBoard.h"

#include "cbw32/cbw32.h"

namespace cbw32sim {

namespace {

constexpr int kData = 0;
constexpr int kAddress = 1;
constexpr int kStrobes = 2;
constexpr std::array<std::uint8_t, kUnitCount> kUnitBases = {0x40, 0x48, 0x60, 0x68};
constexpr std::uint8_t kReadStrobe = 0x01;
constexpr std::uint8_t kWriteStrobe = 0x02;
constexpr std::uint8_t kStrobesIdle = kReadStrobe | kWriteStrobe;

}  // namespace

void DioBoard::PowerOnPorts() {
    m_direction.fill(CBW32_INPUT);
    m_output.fill(0);
    m_dataBus = 0xFF;
}

void DioBoard::PowerOnUnits(const BoardConfig& config) {
    for (int unit = 0; unit < kUnitCount; ++unit) m_units[unit].PowerOn(config.units[unit], unit);
}

int DioBoard::ConfigPort(int port, int direction) {
    const int index = Index(port);
    if (index < 0) return CBW32_ERR_PORT;
    if (direction != CBW32_OUTPUT && direction != CBW32_INPUT) return CBW32_ERR_DIRECTION;
    const std::uint8_t strobesBefore = StrobeLines();
    m_direction[index] = direction;
    if (index == kData && direction == CBW32_OUTPUT) m_dataBus = m_output[kData];
    if (index == kStrobes) StrobesMoved(strobesBefore);
    return CBW32_OK;
}

int DioBoard::Out(int port, unsigned short value) {
    const int index = Index(port);
    if (index < 0) return CBW32_ERR_PORT;
    const unsigned width = index < kStrobes ? 0xFF : 0x0F;
    if (value > width) return CBW32_ERR_VALUE;
    const std::uint8_t strobesBefore = StrobeLines();
    m_output[index] = static_cast<std::uint8_t>(value);
    if (index == kData && IsOutput(kData)) m_dataBus = m_output[kData];
    if (index == kStrobes) StrobesMoved(strobesBefore);
    return CBW32_OK;
}

int DioBoard::In(int port, unsigned short* value) {
    const int index = Index(port);
    if (index < 0) return CBW32_ERR_PORT;
    if (value == nullptr) return CBW32_ERR_POINTER;
    if (IsOutput(index)) {
        *value = m_output[index];
        return CBW32_OK;
    }
    if (index != kData) {
        *value = index < kStrobes ? 0xFF : 0x0F;  // nothing drives them
        return CBW32_OK;
    }
    // With no strobe active only the sample read-out may answer; otherwise the data lines hold
    // what was last driven on them.
    int offset = 0;
    AcquisitionUnit* unit = StrobeLines() == kStrobesIdle ? Addressed(offset) : nullptr;
    if (unit != nullptr) {
        if (const auto answer = unit->UnstrobedRead(offset)) m_dataBus = *answer;
    }
    *value = m_dataBus;
    return CBW32_OK;
}

PortState DioBoard::Ports() const {
    PortState state;
    state.direction = m_direction;
    state.output = m_output;
    state.dataBus = m_dataBus;
    return state;
}

int DioBoard::Index(int port) {
    return port >= CBW32_PORT_A && port <= CBW32_PORT_C_HIGH ? port - CBW32_PORT_A : -1;
}

bool DioBoard::IsOutput(int index) const {
    return m_direction[index] == CBW32_OUTPUT;
}

std::uint8_t DioBoard::AddressLines() const {
    return IsOutput(kAddress) ? m_output[kAddress] : 0xFF;
}

std::uint8_t DioBoard::StrobeLines() const {
    return (IsOutput(kStrobes) ? m_output[kStrobes] : 0x0F) & kStrobesIdle;
}

void DioBoard::StrobesMoved(std::uint8_t before) {
    const std::uint8_t now = StrobeLines();
    const bool writeFell = (before & kWriteStrobe) && !(now & kWriteStrobe) && (now & kReadStrobe);
    const bool readFell = (before & kReadStrobe) && !(now & kReadStrobe) && (now & kWriteStrobe);
    if (!writeFell && !readFell) return;
    int offset = 0;
    AcquisitionUnit* unit = Addressed(offset);
    if (unit == nullptr) return;
    if (writeFell) {
        // An input data port does not drive the lines: the unit latches what they hold.
        unit->Write(offset, IsOutput(kData) ? m_output[kData] : m_dataBus);
        return;
    }
    const auto driven = unit->StrobedRead(offset);
    // Against an output data port the digital I/O board wins the lines.
    if (driven && !IsOutput(kData)) m_dataBus = *driven;
}

AcquisitionUnit* DioBoard::Addressed(int& offset) {
    const std::uint8_t address = AddressLines();
    for (int unit = 0; unit < kUnitCount; ++unit) {
        const int relative = address - kUnitBases[unit];
        if (relative >= 0 && relative < AcquisitionUnit::kRegisterCount &&
            m_units[unit].Present()) {
            offset = relative;
            return &m_units[unit];
        }
    }
    return nullptr;
}

}  // namespace cbw32sim
