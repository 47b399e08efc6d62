#include "document/SettingsLimits.h"

#include <algorithm>
#include <cstring>

#include "document/SettingsFields.h"
#include "document/Velor32DocLSData.h"

namespace velor {

bool ValueRange::Allows(double value) const {
    if (anything) return true;
    if (!choices.empty()) return std::find(choices.begin(), choices.end(), value) != choices.end();
    return value >= low && (highExcluded ? value < high : value <= high);
}

bool IsValidGainCode(int gain) { return kGainRange.Allows(gain); }
bool IsValidUserDistance(float centimetres) { return kUserDistanceRange.Allows(centimetres); }
bool IsValidWavelength(float nm) { return kWavelengthRange.Allows(nm); }
bool IsValidAngularLimit(float degrees) { return kAngularLimitRange.Allows(degrees); }
bool IsValidSourceFrequency(float kHz) { return kSourceFrequencyRange.Allows(kHz); }
bool IsValidReferencePower(float power) { return kReferencePowerRange.Allows(power); }

bool CheckLoadedSettings(CVelor32DocLSData& s) {
    if (!std::memchr(s.m_szRefUnits, 0, sizeof s.m_szRefUnits)) {
        s.m_szRefUnits[sizeof s.m_szRefUnits - 1] = '\0';
    }
    const auto* record = reinterpret_cast<const unsigned char*>(&s);
    const std::span<const FieldDescriptor> fields = SettingsRecordFields();
    return std::all_of(fields.begin(), fields.end(), [record](const FieldDescriptor& field) {
        const std::optional<double> value = FieldValue(field, record);
        return !value || field.range.Allows(*value);
    });
}

}  // namespace velor
