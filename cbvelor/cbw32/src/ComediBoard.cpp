#include "ComediBoard.h"

#include "cbw32/cbw32.h"

namespace cbw32 {
namespace {

// Ports 10 to 13 as channel groups of the subdevice: A, B, C low, C high.
struct PortLines {
    unsigned int base;
    unsigned int count;
    unsigned int mask;
};
constexpr std::array<PortLines, 4> kPorts = {{{0, 8, 0xFF}, {8, 8, 0xFF}, {16, 4, 0x0F}, {20, 4, 0x0F}}};

// The bus needs all three ports of one 8255-style group.
constexpr int kLinesNeeded = 24;
constexpr int kBoardTypeOfBus = 40;

int PortIndex(int port) {
    return port >= CBW32_PORT_A && port <= CBW32_PORT_C_HIGH ? port - CBW32_PORT_A : -1;
}

}  // namespace

ComediBoard::~ComediBoard() {
    if (m_device != nullptr) m_comedi.close(m_device);
}

std::string ComediBoard::Open(int boardNumber) {
    const std::string path = ComediDevicePath(boardNumber);
    comedi_t* device = m_comedi.open(path.c_str());
    if (device == nullptr) return m_comedi.errorText(m_comedi.lastError());
    const int subdevice = m_comedi.findSubdeviceByType(device, COMEDI_SUBD_DIO, 0);
    if (subdevice < 0) {
        m_comedi.close(device);
        return "The device has no digital I/O subdevice.";
    }
    const int lines = m_comedi.channelCount(device, static_cast<unsigned int>(subdevice));
    if (lines < 0) {
        const std::string reason = m_comedi.errorText(m_comedi.lastError());
        m_comedi.close(device);
        return reason;
    }
    m_device = device;
    m_boardNumber = boardNumber;
    m_subdevice = static_cast<unsigned int>(subdevice);
    m_lines = lines;
    return {};
}

int ComediBoard::GetConfig(int infoType, int boardNum, int, int configItem, int* configVal) {
    if (!Answers(boardNum)) return CBW32_ERR_BOARD;
    if (configVal == nullptr) return CBW32_ERR_POINTER;
    if (infoType != CBW32_INFO_BOARD || configItem != CBW32_ITEM_BOARD_TYPE) return CBW32_ERR_CONFIG;
    // A type the board library refuses when the subdevice cannot carry the bus.
    *configVal = m_lines >= kLinesNeeded ? kBoardTypeOfBus : 0;
    return CBW32_OK;
}

int ComediBoard::ConfigPort(int boardNum, int portNum, int direction) {
    if (!Answers(boardNum)) return CBW32_ERR_BOARD;
    const int index = PortIndex(portNum);
    if (index < 0) return CBW32_ERR_PORT;
    if (direction != CBW32_OUTPUT && direction != CBW32_INPUT) return CBW32_ERR_DIRECTION;
    const unsigned int comediDirection = direction == CBW32_OUTPUT ? COMEDI_OUTPUT : COMEDI_INPUT;
    int result = CBW32_OK;
    const PortLines& lines = kPorts[static_cast<std::size_t>(index)];
    for (unsigned int channel = lines.base; channel < lines.base + lines.count; ++channel) {
        if (m_comedi.dioConfig(m_device, m_subdevice, channel, comediDirection) < 0) {
            result = CBW32_ERR_DEVICE;
            break;
        }
    }
    if (result == CBW32_OK) m_direction[static_cast<std::size_t>(index)] = direction;
    // An 8255 takes a direction change as a mode word, which clears every output latch: left
    // so, both strobes would go active. Whatever the outputs held goes back on them.
    RewriteOutputs();
    return result;
}

int ComediBoard::Out(int boardNum, int portNum, unsigned short value) {
    if (!Answers(boardNum)) return CBW32_ERR_BOARD;
    const int index = PortIndex(portNum);
    if (index < 0) return CBW32_ERR_PORT;
    if (value > kPorts[static_cast<std::size_t>(index)].mask) return CBW32_ERR_VALUE;
    m_output[static_cast<std::size_t>(index)] = static_cast<std::uint8_t>(value);
    return WritePort(index, value);
}

int ComediBoard::In(int boardNum, int portNum, unsigned short* value) {
    if (!Answers(boardNum)) return CBW32_ERR_BOARD;
    const int index = PortIndex(portNum);
    if (index < 0) return CBW32_ERR_PORT;
    if (value == nullptr) return CBW32_ERR_POINTER;
    const PortLines& lines = kPorts[static_cast<std::size_t>(index)];
    unsigned int bits = 0;
    if (m_comedi.dioBitfield2(m_device, m_subdevice, 0, &bits, lines.base) < 0) {
        return CBW32_ERR_DEVICE;
    }
    *value = static_cast<unsigned short>(bits & lines.mask);
    return CBW32_OK;
}

void ComediBoard::RewriteOutputs() {
    // The strobes first, so that they are idle again before anything else moves.
    for (const int index : {2, 0, 1, 3}) {
        const auto slot = static_cast<std::size_t>(index);
        if (m_direction[slot] == CBW32_OUTPUT && m_output[slot]) WritePort(index, *m_output[slot]);
    }
}

int ComediBoard::WritePort(int index, unsigned int value) {
    const PortLines& lines = kPorts[static_cast<std::size_t>(index)];
    unsigned int bits = value;
    return m_comedi.dioBitfield2(m_device, m_subdevice, lines.mask, &bits, lines.base) < 0
               ? CBW32_ERR_DEVICE
               : CBW32_OK;
}

}  // namespace cbw32
