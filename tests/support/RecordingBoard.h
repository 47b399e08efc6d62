#pragma once
// A board that records the calls the document makes, answering like an idle instrument.

#include <string>
#include <vector>

#include "instrument/board/Tesk32.h"

namespace velor::test {

class RecordingBoard : public Tesk32 {
public:
    struct Call {
        std::string name;
        int unit;
        int value;
    };
    std::vector<Call> calls;
    int headType = -1;
    int headVariant = -1;
    int pulsedSystem = 0;

    std::vector<Call> Named(const std::string& name) const {
        std::vector<Call> out;
        for (const Call& c : calls) {
            if (c.name == name) out.push_back(c);
        }
        return out;
    }

    int Tesk32_InitCard(int unit, int io) override { return Log("InitCard", unit, io); }
    int Tesk32_GetHeadType(int unit, int* variant) override {
        Log("GetHeadType", unit, 0);
        if (variant) *variant = headVariant;
        return headType;
    }
    int Tesk32_SetSignalGain(int unit, int gain) override { return Log("SetSignalGain", unit, gain); }
    int Tesk32_SetFine(int unit, int value) override { return Log("SetFine", unit, value); }
    int Tesk32_IsPulsedSystem(int unit) override {
        Log("IsPulsedSystem", unit, 0);
        return pulsedSystem;
    }
    int Tesk32_TriggerData(int unit) override { return Log("TriggerData", unit, 0); }
    int Tesk32_IsScanReady(int unit) override { return Log("IsScanReady", unit, 0); }
    int Tesk32_DaqInProgress(int unit) override { return Log("DaqInProgress", unit, 0); }
    int Tesk32_ReadData(int unit, uint16_t*, int count) override {
        Log("ReadData", unit, count);
        return 0;
    }
    int Tesk32_CapReadData(int unit, uint16_t*, int count) override {
        Log("CapReadData", unit, count);
        return 0;
    }

private:
    int Log(const char* name, int unit, int value) {
        calls.push_back({name, unit, value});
        return 0;
    }
};

}  // namespace velor::test
