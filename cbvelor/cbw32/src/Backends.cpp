// The choice between the simulated boards and Comedi, and the real Comedi library's calls.

#include <memory>

#include "ComediBoard.h"
#include "Simulation.h"
#include "cbw32/Cbw32Backend.h"

namespace cbw32 {
namespace {

struct Selection {
    std::unique_ptr<ComediBoard> comedi;  // in use when set
};

Selection& TheSelection() {
    static Selection selection;
    return selection;
}

}  // namespace

Backend& ActiveBackend() {
    Selection& selection = TheSelection();
    if (selection.comedi) return *selection.comedi;
    return cbw32sim::TheSimulation();
}

const ComediFunctions& RealComedi() {
    static const ComediFunctions functions{
        comedi_open,
        comedi_close,
        comedi_find_subdevice_by_type,
        comedi_get_n_channels,
        comedi_dio_config,
        comedi_dio_bitfield2,
        comedi_errno,
        comedi_strerror,
    };
    return functions;
}

void UseSimulatedBoard() {
    TheSelection().comedi.reset();
}

std::string UseComedi(int boardNumber, const ComediFunctions& functions) {
    auto board = std::make_unique<ComediBoard>(functions);
    std::string reason = board->Open(boardNumber);
    if (!reason.empty()) return reason;
    TheSelection().comedi = std::move(board);
    return {};
}

std::string ComediDevicePath(int boardNumber) {
    return "/dev/comedi" + std::to_string(boardNumber);
}

}  // namespace cbw32
