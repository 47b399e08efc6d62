#pragma once
// An 8255-type parallel interface in mode 0: ports A and B and the two halves of port C, each an
// input or an output as the mode word says. The acquisition units are built from two of them.

#include <array>
#include <cstdint>

namespace cbw32sim {

class ParallelInterface {
public:
    static constexpr std::uint8_t kPowerOnMode = 0x9B;  // every port an input
    static constexpr int kPortA = 0;
    static constexpr int kPortB = 1;
    static constexpr int kPortC = 2;

    void PowerOn();
    // A mode word (bit 7 set) sets the directions and clears every output latch, as the part does.
    void SetMode(std::uint8_t mode);
    std::uint8_t Mode() const { return m_mode; }
    void WriteLatch(int port, std::uint8_t value) { m_latch.at(port) = value; }
    // Bits of the port that are outputs.
    std::uint8_t OutputMask(int port) const;
    bool IsInput(int port) const { return OutputMask(port) == 0; }
    // What the logic behind the interface sees: the latch on output bits, pulled high elsewhere.
    std::uint8_t Lines(int port) const;
    // What a bus read returns: the latch on output bits, the logic's inputs elsewhere.
    std::uint8_t Read(int port, std::uint8_t inputs) const;

private:
    std::uint8_t m_mode = kPowerOnMode;
    std::array<std::uint8_t, 3> m_latch{};
};

}  // namespace cbw32sim
