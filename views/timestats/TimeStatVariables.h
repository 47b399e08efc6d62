#pragma once
// What a point of the time statistics view is: the variable codes with their names, Y steps,
// Y limits and formats, when each is offered, the value a scan gives for an axis, and the
// series names built from the variable, the clip level, the axis's phi and the units.

#include <QString>
#include <cstdint>
#include <optional>
#include <vector>

namespace velor {

class CVelor32Doc;
struct CTimeStatData;

enum TimeStatVariable : uint16_t {
    kAngularWidth = 22,
    kAngularCentroid = 23,
    kAngularPeak = 24,
    kAngleRatio = 25,
    kAmplitude = 26,
    kModeFieldDiameter = 27,
    kNumericalAperture = 28,
    // The beam metrics: kept in the record's m_nMetricVariable, with a classic stand-in.
    kSecondMomentWidth = 29,
    kSecondMomentNA = 30,
    kFitWidth = 31,
    kFitCenter = 32,
    kFitQuality = 33,
};

struct VariableInfo {
    uint16_t code;
    const char* name;
    double yStep;   // Y auto-scaling rounds to multiples of it
    double yLow;    // the Y range the Axes dialog allows
    double yHigh;
    int width;      // a value in the statistics table: at least this many characters,
    int decimals;   // with this many decimals
    uint16_t standIn;  // what older readers are shown of the record: the code itself, or
                       // for a beam metric the classic variable closest to it
};

// The entry of a code; an unknown code reads as Angular Width.
const VariableInfo& VariableOf(uint16_t code);
bool IsKnownVariable(uint16_t code);
// The variables an older reader knows, the only ones m_nVariable may hold.
bool IsClassicVariable(uint16_t code);

// The record's variable, and a variable stored into a record: a beam metric goes to
// m_nMetricVariable with its stand-in in m_nVariable, a classic one to m_nVariable alone.
uint16_t RecordVariable(const CTimeStatData& record);
void SetRecordVariable(CTimeStatData& record, uint16_t code);

// The variables in the order the Parameters dialog lists them.
const std::vector<uint16_t>& VariableListOrder();

// What the document offers: Angle Ratio needs perpendicular axes, the mode-field diameter a
// document able to compute it.
struct VariableContext {
    bool perpendicular = false;
    bool canComputeMfd = true;
};
bool IsVariableOffered(uint16_t code, const VariableContext& context);
VariableContext VariableContextOf(const CVelor32Doc& document);

// The value of the record's variable for an axis; none when the variable is not available.
std::optional<double> PointValue(const CVelor32Doc& document, const CTimeStatData& record, int axis);

// The choices a series name is built from.
struct SeriesNameInput {
    uint16_t variable = kAngularWidth;
    uint16_t clip = 50;
    int32_t amplitudeRef = 1;
    int16_t userAngle = 0;  // tenths of a degree
    float phi = 0.0f;       // the axis's phi, degrees
    uint16_t units = 0;     // the document's amplitude units
    QString refUnits;       // the reference power's unit
};
QString SeriesName(const SeriesNameInput& input);
// "(a.u.)", " (cnts)", "(mW/sr)", "(dB)".
QString AmplitudeUnitText(uint16_t units, const QString& refUnits);

// The input for one axis from the record and the document.
SeriesNameInput NameInputOf(const CTimeStatData& record, const CVelor32Doc& document, int axis);

// The axis series s charts: s itself when both axes are selected, else the selected axis.
int SeriesAxis(const CTimeStatData& record, int series);

}  // namespace velor
