#pragma once
// The 24-line digital I/O board and the bus its first group of ports forms with the acquisition
// board: port A the data lines, port B the address lines, port C low the two active-low
// strobes (bit 0 read, bit 1 write). Lines of a port set to input float high.

#include <array>
#include <cstdint>

#include "AcquisitionUnit.h"
#include "cbw32/Cbw32Sim.h"

namespace cbw32sim {

class DioBoard {
public:
    static constexpr int kPortCount = 4;

    // Every port an input with a zero output value; the data lines float high.
    void PowerOnPorts();
    void PowerOnUnits(const BoardConfig& config);

    // Driver operations on a valid board number; CBW32_ codes.
    int ConfigPort(int port, int direction);
    int Out(int port, unsigned short value);
    int In(int port, unsigned short* value);

    AcquisitionUnit& UnitAt(int index) { return m_units.at(index); }
    PortState Ports() const;

private:
    static int Index(int port);
    bool IsOutput(int index) const;
    std::uint8_t AddressLines() const;
    std::uint8_t StrobeLines() const;
    // Decodes a strobe edge between the strobe lines before a change and now.
    void StrobesMoved(std::uint8_t before);
    AcquisitionUnit* Addressed(int& offset);

    std::array<int, kPortCount> m_direction{};
    std::array<std::uint8_t, kPortCount> m_output{};
    std::uint8_t m_dataBus = 0xFF;
    std::array<AcquisitionUnit, kUnitCount> m_units{};
};

}  // namespace cbw32sim
