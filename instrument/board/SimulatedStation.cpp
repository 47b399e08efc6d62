#include "instrument/board/SimulatedStation.h"

#include "cbw32/Cbw32Backend.h"
#include "cbw32/Cbw32Sim.h"
#include "instrument/board/BoardTables.h"

namespace velor {

// The board access as the document gets it: the real one, except that a capture the detector
// failed to take counts as no samples at all rather than as the empty read-out's zeros. The
// failure is told after the board call returns, never from inside the driver.
class SimulatedStation::ReportingBoard final : public Tesk32 {
public:
    ReportingBoard(Tesk32& board, const SimulatedUnit& unit, UserPrompt& prompt)
        : m_board(board), m_unit(unit), m_prompt(prompt) {}

    int Tesk32_InitCard(int unit, int io) override { return m_board.Tesk32_InitCard(unit, io); }
    int Tesk32_GetHeadType(int unit, int* variant) override {
        return m_board.Tesk32_GetHeadType(unit, variant);
    }
    int Tesk32_SetSignalGain(int unit, int gain) override {
        return m_board.Tesk32_SetSignalGain(unit, gain);
    }
    int Tesk32_SetFine(int unit, int value) override { return m_board.Tesk32_SetFine(unit, value); }
    int Tesk32_IsPulsedSystem(int unit) override { return m_board.Tesk32_IsPulsedSystem(unit); }
    int Tesk32_TriggerData(int unit) override { return m_board.Tesk32_TriggerData(unit); }
    int Tesk32_IsScanReady(int unit) override { return m_board.Tesk32_IsScanReady(unit); }
    int Tesk32_DaqInProgress(int unit) override { return m_board.Tesk32_DaqInProgress(unit); }
    int Tesk32_ReadData(int unit, uint16_t* buffer, int count) override {
        return Checked(m_board.Tesk32_ReadData(unit, buffer, count));
    }
    int Tesk32_CapReadData(int unit, uint16_t* buffer, int count) override {
        return Checked(m_board.Tesk32_CapReadData(unit, buffer, count));
    }

private:
    int Checked(int delivered) {
        const std::string& failure = m_unit.LastFailure();
        if (failure.empty()) {
            m_told = false;
            return delivered;
        }
        if (!m_told) {
            m_told = true;
            m_prompt.Message(
                QStringLiteral("The simulated detector could not take a sweep:\n%1\n\n"
                               "Sweeps deliver no samples until it can.")
                    .arg(QString::fromStdString(failure)),
                QStringLiteral("Simulated Instrument"), PromptIcon::Exclamation);
        }
        return 0;
    }

    Tesk32& m_board;
    const SimulatedUnit& m_unit;
    UserPrompt& m_prompt;
    bool m_told = false;
};

SimulatedStation::SimulatedStation(std::shared_ptr<const sim::BeamModel> source,
                                   const SimulatedBoardSettings& settings,
                                   const MillisecondClock& clock, Sleeper& sleeper,
                                   UserPrompt& prompt, SimulatedUnit::StageAzimuth stage)
    : m_unit(std::move(source), settings, clock, std::move(stage)),
      m_access(BoardAccess{}, clock, sleeper),
      m_board(std::make_unique<ReportingBoard>(m_access, m_unit, prompt)) {
    cbw32::UseSimulatedBoard();
    // Outside tests nobody reads the call log: kept, it would grow by megabytes a sweep.
    cbw32sim::SetCallLogging(false);
    // Configured, not reset: the digital I/O board keeps its ports as the board library last
    // set them, or the library's record of their directions would no longer hold.
    cbw32sim::BoardConfig config;
    config.boardNumber = static_cast<int>(BoardAccess{}.boardNumber);
    cbw32sim::UnitConfig& unit = config.units[kUnit];
    unit.version = settings.boardVersion;
    unit.head = board::HeadCode(settings.headType, settings.headVariant, settings.pulsedSystem);
    cbw32sim::Configure(config);
    cbw32sim::AttachSource(kUnit, &m_unit);
}

SimulatedStation::~SimulatedStation() { cbw32sim::AttachSource(kUnit, nullptr); }

Tesk32& SimulatedStation::Board() { return *m_board; }

}  // namespace velor
