#pragma once
// Time Stat Timing: automatic collection at a rate for a duration, or manual collection of a
// number of points, one per activation. OK checks the rate against the instrument, the
// number of points a run would hold and the memory it needs, and keeps the dialog open with
// the reason on any refusal; the caller takes the result.

#include <QDialog>
#include <cstdint>
#include <functional>

#include "common/UserPrompt.h"

class QCheckBox;
class QComboBox;

namespace velor {

class SpinField;

struct TimingValues {
    uint16_t rate = 10;
    uint16_t rateUnit = 0;
    uint16_t duration = 1000;
    uint16_t durationUnit = 3;
    bool manual = false;
    int points = 1000;  // the number of points of a run
};

// Memory the system can hand out now, in bytes.
uint64_t AvailableMemoryBytes();

class CTimeTimDlg : public QDialog {
    Q_OBJECT

public:
    static constexpr const char* kRateName = "rate";                // edit 5109
    static constexpr const char* kRateUnitName = "rateUnit";        // combo 5124
    static constexpr const char* kDurationName = "duration";        // edit 5110
    static constexpr const char* kDurationUnitName = "durationUnit";  // combo 5125
    static constexpr const char* kManualName = "manual";            // check box 5023
    static constexpr const char* kPointsName = "points";            // edit 5115
    // The largest number of points the dialog lets a run ask for.
    static constexpr int kMaxPoints = 1000000;

    // maxPerSecond: the instrument's highest update rate; seriesCount: the lines a run fills.
    CTimeTimDlg(const TimingValues& values, int maxPerSecond, int seriesCount, UserPrompt& prompt,
                QWidget* parent = nullptr, std::function<uint64_t()> availableMemory = AvailableMemoryBytes);

    // The accepted values; the constructor's until OK succeeds.
    const TimingValues& GetValues() const { return m_values; }

    void accept() override;

private:
    void OnDurationUnit(int unit);
    void OnRateUnit(int unit);
    void Refuse(const QString& text);

    UserPrompt& m_prompt;
    TimingValues m_values;
    int m_maxPerSecond;
    int m_seriesCount;
    std::function<uint64_t()> m_availableMemory;
    int m_durationUnit;  // the unit the duration field is in
    SpinField* m_rate = nullptr;
    QComboBox* m_rateUnit = nullptr;
    SpinField* m_duration = nullptr;
    QComboBox* m_durationUnitBox = nullptr;
    QCheckBox* m_manual = nullptr;
    SpinField* m_points = nullptr;
};

}  // namespace velor
