#include "document/SettingsFields.h"

#include <cstdint>
#include <cstring>

#include "document/Velor32DocLSData.h"

namespace velor {
namespace {

#define VELOR_FIELD(member, kind, range)                                          \
    FieldDescriptor {                                                             \
        #member, offsetof(CVelor32DocLSData, member), FieldKind::kind,            \
            sizeof(CVelor32DocLSData::member), range                              \
    }

// Reserved fields are kept as read whatever they hold. Flags mean "on" when nonzero, and a
// head type or variant the program does not know means "unknown": every value is valid.
constexpr FieldDescriptor kFields[] = {
    VELOR_FIELD(m_reserved0, U16, kAnyValue),
    VELOR_FIELD(m_nSignalGain, U16, kGainRange),
    VELOR_FIELD(m_reserved4, U32, kAnyValue),
    VELOR_FIELD(m_nScanMode, S32, kScanModeRange),
    VELOR_FIELD(m_nFilter, S32, kFilterRange),
    VELOR_FIELD(m_fDistance, F32, kStoredDistanceRange),
    VELOR_FIELD(m_fPhi, F32, kPhiRange),
    VELOR_FIELD(m_nAveraging, S32, kAveragingRange),
    VELOR_FIELD(m_nScans3D, U16, kScans3DRange),
    VELOR_FIELD(m_reserved30, U16, kAnyValue),
    FieldDescriptor{"m_fNoise[0]", offsetof(CVelor32DocLSData, m_fNoise), FieldKind::F32, 4, kCountsRange},
    FieldDescriptor{"m_fNoise[1]", offsetof(CVelor32DocLSData, m_fNoise) + 4, FieldKind::F32, 4, kCountsRange},
    FieldDescriptor{"m_fOffset[0]", offsetof(CVelor32DocLSData, m_fOffset), FieldKind::F32, 4, kCountsRange},
    FieldDescriptor{"m_fOffset[1]", offsetof(CVelor32DocLSData, m_fOffset) + 4, FieldKind::F32, 4, kCountsRange},
    VELOR_FIELD(m_bBlindSpot, S32, kAnyValue),
    VELOR_FIELD(m_b3DValid, S32, kAnyValue),
    VELOR_FIELD(m_fRefPower, F32, kReferencePowerRange),
    VELOR_FIELD(m_szRefUnits, Text, kAnyValue),
    VELOR_FIELD(m_reserved70, U16, kAnyValue),
    VELOR_FIELD(m_fCalCounts, F32, kCalCountsRange),
    VELOR_FIELD(m_nUnits, U16, kUnitsRange),
    VELOR_FIELD(m_nCalGain, U16, kGainRange),
    VELOR_FIELD(m_nHeadType, S32, kAnyValue),
    VELOR_FIELD(m_reserved84, U16, kAnyValue),
    VELOR_FIELD(m_reserved86, U16, kAnyValue),
    VELOR_FIELD(m_nHeadVariant, S32, kAnyValue),
    VELOR_FIELD(m_reserved92, U32, kAnyValue),
    VELOR_FIELD(m_reserved96, F64, kAnyValue),
    VELOR_FIELD(m_fAngularLimit, F32, kAngularLimitRange),
    VELOR_FIELD(m_fWavelength, F32, kWavelengthRange),
    VELOR_FIELD(m_reserved112, F64, kAnyValue),
    VELOR_FIELD(m_bPulsed, S32, kAnyValue),
    VELOR_FIELD(m_fSourceFreq, F32, kSourceFrequencyRange),
    VELOR_FIELD(m_reserved128, F64, kAnyValue),
    VELOR_FIELD(m_n3DGain, U16, kGainRange),
    VELOR_FIELD(m_reserved138, Bytes, kAnyValue),
};

#undef VELOR_FIELD

template <typename T>
T Load(const unsigned char* p) {
    T value;
    std::memcpy(&value, p, sizeof value);
    return value;
}

}  // namespace

std::span<const FieldDescriptor> SettingsRecordFields() { return kFields; }

std::optional<double> FieldValue(const FieldDescriptor& field, const unsigned char* record) {
    const unsigned char* p = record + field.offset;
    switch (field.kind) {
        case FieldKind::U16: return Load<uint16_t>(p);
        case FieldKind::U32: return Load<uint32_t>(p);
        case FieldKind::S32: return Load<int32_t>(p);
        case FieldKind::F32: return Load<float>(p);
        case FieldKind::F64: return Load<double>(p);
        case FieldKind::Text:
        case FieldKind::Bytes: break;
    }
    return std::nullopt;
}

QString FormatField(const FieldDescriptor& field, const unsigned char* record) {
    const unsigned char* p = record + field.offset;
    switch (field.kind) {
        case FieldKind::U16:
            return QString::number(Load<uint16_t>(p));
        case FieldKind::U32:
            return QString::number(Load<uint32_t>(p));
        case FieldKind::S32:
            return QString::number(Load<int32_t>(p));
        case FieldKind::F32:
            return QString::number(static_cast<double>(Load<float>(p)), 'g', 9);
        case FieldKind::F64:
            return QString::number(Load<double>(p), 'g', 17);
        case FieldKind::Text: {
            const auto* text = reinterpret_cast<const char*>(p);
            return QLatin1Char('"') + QString::fromLatin1(text, static_cast<int>(strnlen(text, field.size))) +
                   QLatin1Char('"');
        }
        case FieldKind::Bytes: {
            QString hex;
            for (size_t i = 0; i < field.size; ++i) {
                if (i) hex += QLatin1Char(' ');
                hex += QStringLiteral("%1").arg(p[i], 2, 16, QLatin1Char('0'));
            }
            return hex;
        }
    }
    return QString();
}

}  // namespace velor
