#pragma once
// Beam Statistics Parameters: which parameters the table shows, the user's clip levels and
// angles, the kind of statistics, the columns and the log's output, delimiter and flags. OK
// checks every field; a log file that exists is appended to or overwritten only as the user
// says. The caller stores the result and reopens the log, with OK or Cancel.

#include <QDialog>
#include <QStringList>
#include <array>
#include <functional>
#include <optional>
#include <vector>

#include "common/UserPrompt.h"
#include "views/beamstats/BeamDataData.h"
#include "views/beamstats/FileLogDlg.h"

class QAbstractButton;
class QCheckBox;
class QComboBox;
class QLineEdit;
class QRadioButton;

namespace velor {

class CBeamDataParameters : public QDialog {
    Q_OBJECT

public:
    // Object names of the controls, for tests. Clip rows in the order 5 %, 13.5 %, 50.0 %,
    // user 1, user 2.
    static constexpr std::array<const char*, 5> kWidthBoxNames{"width5", "width135", "width50", "widthUser1",
                                                               "widthUser2"};
    static constexpr std::array<const char*, 5> kApertureBoxNames{"na5", "na135", "na50", "naUser1", "naUser2"};
    static constexpr std::array<const char*, 2> kUserClipEditNames{"userClip1", "userClip2"};
    static constexpr std::array<const char*, 5> kRatioBoxNames{"ratio5", "ratio135", "ratio50", "ratioUser1",
                                                               "ratioUser2"};
    static constexpr std::array<const char*, 2> kUserRatioEditNames{"userRatio1", "userRatio2"};
    static constexpr const char* kCentroidBoxName = "positionCentroid";
    static constexpr const char* kPeakBoxName = "positionPeak";
    static constexpr std::array<const char*, 4> kAmplitudeBoxNames{"ampCentroid", "ampPeak", "ampUser1", "ampUser2"};
    static constexpr std::array<const char*, 2> kUserAngleEditNames{"userAngle1", "userAngle2"};
    static constexpr const char* kModeFieldBoxName = "modeField";
    static constexpr std::array<const char*, 3> kStatButtonNames{"continuous", "rolling", "finite"};
    static constexpr const char* kRollingEditName = "rollingSize";
    static constexpr const char* kFiniteEditName = "finiteSize";
    static constexpr std::array<const char*, 7> kDisplayBoxNames{"showValue", "showMean",     "showMin",     "showMax",
                                                                 "showStdDev", "showMinLimit", "showMaxLimit"};
    static constexpr std::array<const char*, 3> kOutputButtonNames{"outputNone", "outputFile", "outputPort"};
    static constexpr const char* kFileEditName = "logFile";
    static constexpr const char* kPortBoxName = "logPort";
    static constexpr const char* kDelimiterBoxName = "delimiter";
    static constexpr const char* kDateBoxName = "logDate";
    static constexpr const char* kTimeBoxName = "logTime";
    static constexpr const char* kSerialBoxName = "logSerial";
    static constexpr const char* kSerialEditName = "serialNumber";

    // Asked when the log file chosen exists.
    using ExistingLogQuestion = std::function<ExistingLogChoice(QWidget* parent)>;

    // metricKinds: the metric rows selected (bits of BeamMetricKinds.h), one box per kind.
    CBeamDataParameters(const CBeamDataData& settings, const QStringList& ports, UserPrompt& prompt,
                        QWidget* parent = nullptr, ExistingLogQuestion askExisting = &CFileLogDlg::Ask,
                        uint32_t metricKinds = 0);

    // The settings with the accepted choices; the constructor's until OK succeeds.
    const CBeamDataData& Settings() const { return m_settings; }
    // Copies what the dialog sets into a record (the rest of it, N and the column widths
    // among them, may have moved on while the dialog was open).
    void StoreChoices(CBeamDataData& record) const;
    // The user chose to overwrite the existing log file.
    bool OverwriteLog() const { return m_overwrite; }
    // The metric rows chosen; bits of kinds this program does not know stay as they came.
    uint32_t MetricKinds() const { return m_metricKinds; }

    void accept() override;

private:
    QWidget* MakeClipGroup();
    QWidget* MakeRatioGroup();
    QWidget* MakePositionGroup();
    QWidget* MakeAmplitudeGroup();
    QWidget* MakeMetricGroup();
    QWidget* MakeStatisticsGroup();
    QWidget* MakeDisplayGroup();
    QWidget* MakeLoggingGroup();
    void UpdateEnabling();
    // The field's number in tenths, rounded half away from zero, or nothing after
    // telling the user.
    std::optional<int> ReadTenths(QLineEdit* edit, float low, float high);
    std::optional<int> ReadInteger(QLineEdit* edit, int low, int high);
    void Refuse(QLineEdit* edit, const QString& message);

    UserPrompt& m_prompt;
    ExistingLogQuestion m_askExisting;
    CBeamDataData m_settings;
    uint32_t m_metricKinds;
    bool m_overwrite = false;

    std::array<QCheckBox*, 5> m_widthBoxes{};
    std::array<QCheckBox*, 5> m_apertureBoxes{};
    std::array<QLineEdit*, 2> m_userClipEdits{};
    std::array<QCheckBox*, 5> m_ratioBoxes{};
    std::array<QLineEdit*, 2> m_userRatioEdits{};
    QCheckBox* m_centroidBox = nullptr;
    QCheckBox* m_peakBox = nullptr;
    std::array<QCheckBox*, 4> m_amplitudeBoxes{};
    std::array<QLineEdit*, 2> m_userAngleEdits{};
    QCheckBox* m_modeFieldBox = nullptr;
    std::vector<std::pair<uint32_t, QCheckBox*>> m_metricBoxes;  // a kind's bit and its box
    std::array<QRadioButton*, 3> m_statButtons{};
    QLineEdit* m_rollingEdit = nullptr;
    QLineEdit* m_finiteEdit = nullptr;
    std::array<QCheckBox*, 7> m_displayBoxes{};
    std::array<QRadioButton*, 3> m_outputButtons{};
    QLineEdit* m_fileEdit = nullptr;
    QComboBox* m_portBox = nullptr;
    QComboBox* m_delimiterBox = nullptr;
    QCheckBox* m_dateBox = nullptr;
    QCheckBox* m_timeBox = nullptr;
    QCheckBox* m_serialBox = nullptr;
    QLineEdit* m_serialEdit = nullptr;
    QStringList m_ports;
};

}  // namespace velor
