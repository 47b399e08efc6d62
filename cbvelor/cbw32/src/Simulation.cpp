#include "Simulation.h"

#include <ostream>
#include <sstream>
#include <utility>

namespace cbw32sim {

namespace {

bool IsUnit(int unit) {
    return unit >= 0 && unit < kUnitCount;
}

}  // namespace

Simulation& TheSimulation() {
    static Simulation simulation;
    return simulation;
}

void Reset() {
    Simulation& simulation = TheSimulation();
    simulation.board.PowerOnPorts();
    for (int unit = 0; unit < kUnitCount; ++unit) simulation.board.UnitAt(unit).AttachSource(nullptr);
    Configure(BoardConfig{});
}

void Configure(const BoardConfig& config) {
    Simulation& simulation = TheSimulation();
    simulation.config = config;
    simulation.board.PowerOnUnits(config);
    simulation.log.clear();
}

const BoardConfig& Configuration() {
    return TheSimulation().config;
}

void AttachSource(int unit, SweepSource* source) {
    if (IsUnit(unit)) TheSimulation().board.UnitAt(unit).AttachSource(source);
}

void SetCallLogging(bool on) {
    Simulation& simulation = TheSimulation();
    simulation.logging = on;
    if (!on) simulation.log = {};  // gives the memory back
}

std::uint64_t CallCount() {
    return TheSimulation().calls;
}

const std::vector<DriverCall>& CallLog() {
    return TheSimulation().log;
}

void ClearCallLog() {
    TheSimulation().log.clear();
}

void LoadSamples(int unit, std::vector<std::uint16_t> samples) {
    if (IsUnit(unit)) TheSimulation().board.UnitAt(unit).LoadSamples(std::move(samples));
}

void FinishCapture(int unit) {
    if (IsUnit(unit)) TheSimulation().board.UnitAt(unit).FinishCapture();
}

void RaiseOverScale(int unit) {
    if (IsUnit(unit)) TheSimulation().board.UnitAt(unit).RaiseOverScale();
}

UnitState Unit(int unit) {
    return IsUnit(unit) ? TheSimulation().board.UnitAt(unit).State() : UnitState{};
}

PortState Ports() {
    return TheSimulation().board.Ports();
}

std::string Describe(const DriverCall& call) {
    std::ostringstream text;
    switch (call.function) {
        case Function::GetConfig:
            text << "cbGetConfig(" << call.infoType << ", " << call.board << ", " << call.device
                 << ", " << call.port << ") -> " << call.value;
            break;
        case Function::DConfigPort:
            text << "cbDConfigPort(" << call.board << ", " << call.port << ", " << call.value
                 << ")";
            break;
        case Function::DOut:
            text << "cbDOut(" << call.board << ", " << call.port << ", " << call.value << ")";
            break;
        case Function::DIn:
            text << "cbDIn(" << call.board << ", " << call.port << ") -> " << call.value;
            break;
    }
    text << " = " << call.result;
    return text.str();
}

std::ostream& operator<<(std::ostream& out, const DriverCall& call) {
    return out << Describe(call);
}

}  // namespace cbw32sim
