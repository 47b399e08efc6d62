#include "ParallelInterface.h"

namespace cbw32sim {

namespace {

// Mode-word bits that make a port (or half of port C) an input.
constexpr std::uint8_t kPortAInput = 0x10;
constexpr std::uint8_t kPortCHighInput = 0x08;
constexpr std::uint8_t kPortBInput = 0x02;
constexpr std::uint8_t kPortCLowInput = 0x01;

}  // namespace

void ParallelInterface::PowerOn() {
    m_mode = kPowerOnMode;
    m_latch = {};
}

void ParallelInterface::SetMode(std::uint8_t mode) {
    m_mode = mode;
    m_latch = {};
}

std::uint8_t ParallelInterface::OutputMask(int port) const {
    switch (port) {
        case kPortA:
            return (m_mode & kPortAInput) ? 0x00 : 0xFF;
        case kPortB:
            return (m_mode & kPortBInput) ? 0x00 : 0xFF;
        default:
            return static_cast<std::uint8_t>(((m_mode & kPortCHighInput) ? 0x00 : 0xF0) |
                                             ((m_mode & kPortCLowInput) ? 0x00 : 0x0F));
    }
}

std::uint8_t ParallelInterface::Lines(int port) const {
    return Read(port, 0xFF);
}

std::uint8_t ParallelInterface::Read(int port, std::uint8_t inputs) const {
    const std::uint8_t mask = OutputMask(port);
    return static_cast<std::uint8_t>((m_latch.at(port) & mask) | (inputs & ~mask));
}

}  // namespace cbw32sim
