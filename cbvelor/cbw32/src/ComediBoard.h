#pragma once
// The driver calls on a real 24-line digital I/O board through Comedi: the board's first
// digital I/O subdevice, its ports as channel groups, read and written a port at a time.

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "Backend.h"
#include "cbw32/Cbw32Backend.h"

namespace cbw32 {

class ComediBoard final : public Backend {
public:
    explicit ComediBoard(const ComediFunctions& functions) : m_comedi(functions) {}
    ~ComediBoard() override;
    ComediBoard(const ComediBoard&) = delete;
    ComediBoard& operator=(const ComediBoard&) = delete;

    // Opens /dev/comedi<boardNumber> and finds its digital I/O subdevice; empty on success,
    // else the reason.
    std::string Open(int boardNumber);

    int GetConfig(int infoType, int boardNum, int devNum, int configItem, int* configVal) override;
    int ConfigPort(int boardNum, int portNum, int direction) override;
    int Out(int boardNum, int portNum, unsigned short value) override;
    int In(int boardNum, int portNum, unsigned short* value) override;

private:
    static constexpr int kPortCount = 4;
    bool Answers(int boardNum) const { return m_device != nullptr && boardNum == m_boardNumber; }
    // Puts the remembered values back on every output port.
    void RewriteOutputs();
    int WritePort(int index, unsigned int value);

    ComediFunctions m_comedi;
    comedi_t* m_device = nullptr;
    int m_boardNumber = -1;
    unsigned int m_subdevice = 0;
    int m_lines = 0;
    std::array<int, kPortCount> m_direction{};  // 0 until configured
    std::array<std::optional<std::uint8_t>, kPortCount> m_output{};
};

}  // namespace cbw32
