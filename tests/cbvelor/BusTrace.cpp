#include "BusTrace.h"

#include <cstdio>

#include "cbvelor/cbvelor.h"
#include "cbw32/cbw32.h"

namespace cbvelor::test {

namespace {

// The driver keeps no log unless asked; every test here reads it.
const bool kLogging = [] {
    cbw32sim::SetCallLogging(true);
    return true;
}();

std::string Hex(int value) {
    char text[8];
    std::snprintf(text, sizeof text, "0x%02X", static_cast<unsigned>(value));
    return text;
}

std::string Out(int port, int value) {
    return "out " + std::to_string(port) + " " + Hex(value);
}

}  // namespace

Trace LoggedTrace() {
    Trace trace;
    for (const cbw32sim::DriverCall& call : cbw32sim::CallLog()) {
        switch (call.function) {
            case cbw32sim::Function::GetConfig:
                trace.push_back("getconfig " + std::to_string(call.infoType) + " " +
                                std::to_string(call.device) + " " + std::to_string(call.port));
                break;
            case cbw32sim::Function::DConfigPort:
                trace.push_back("config " + std::to_string(call.port) + " " +
                                std::to_string(call.value));
                break;
            case cbw32sim::Function::DOut:
                trace.push_back(Out(call.port, call.value));
                break;
            case cbw32sim::Function::DIn:
                trace.push_back("in " + std::to_string(call.port));
                break;
        }
    }
    return trace;
}

std::vector<int> ValuesRead() {
    std::vector<int> values;
    for (const cbw32sim::DriverCall& call : cbw32sim::CallLog()) {
        if (call.function == cbw32sim::Function::DIn) values.push_back(call.value);
    }
    return values;
}

std::set<int> BoardsUsed() {
    std::set<int> boards;
    for (const cbw32sim::DriverCall& call : cbw32sim::CallLog()) boards.insert(call.board);
    return boards;
}

std::vector<std::pair<int, int>> RegisterWrites() {
    std::vector<std::pair<int, int>> writes;
    int address = -1;
    int data = -1;
    int strobes = 3;
    for (const cbw32sim::DriverCall& call : cbw32sim::CallLog()) {
        if (call.function != cbw32sim::Function::DOut) continue;
        if (call.port == CBW32_PORT_B) address = call.value;
        if (call.port == CBW32_PORT_A) data = call.value;
        if (call.port == CBW32_PORT_C_LOW) {
            if (strobes == 3 && call.value == 1) writes.emplace_back(address, data);
            strobes = call.value;
        }
    }
    return writes;
}

std::vector<int> WritesTo(int address) {
    std::vector<int> values;
    for (const auto& [to, value] : RegisterWrites()) {
        if (to == address) values.push_back(value);
    }
    return values;
}

Trace Configure(int direction) {
    return {"config 10 " + std::to_string(direction), "config 11 1", "config 12 1"};
}

Trace Write(int address, int value) {
    return {Out(12, 3), Out(11, address), Out(10, value), Out(12, 3), Out(12, 1), Out(12, 3)};
}

Trace Read(int address) {
    return {Out(11, address), Out(12, 3), Out(12, 2), "in 10", Out(12, 3)};
}

Trace Select(int address) {
    return {Out(12, 3), Out(11, address)};
}

Trace DirectRead() {
    return {"in 10"};
}

Trace Join(std::initializer_list<Trace> parts) {
    Trace joined;
    for (const Trace& part : parts) joined.insert(joined.end(), part.begin(), part.end());
    return joined;
}

Trace Repeat(const Trace& part, int times) {
    Trace repeated;
    for (int i = 0; i < times; ++i) repeated.insert(repeated.end(), part.begin(), part.end());
    return repeated;
}

void BoardTest::Start(const cbw32sim::BoardConfig& config, std::uint32_t unit,
                      std::int32_t directRead, std::int32_t expected) {
    cbw32sim::Configure(config);
    CbVelorInitCard(unit, static_cast<std::uint32_t>(config.boardNumber), directRead);
    ASSERT_EQ(CbVelorInitCard(unit, static_cast<std::uint32_t>(config.boardNumber), directRead),
              expected);
    cbw32sim::ClearCallLog();
}

cbw32sim::BoardConfig BoardTest::WithVersion(int version, int unit) {
    cbw32sim::BoardConfig config;
    config.units[unit].version = version;
    return config;
}

}  // namespace cbvelor::test
