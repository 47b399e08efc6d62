#include "views/beamstats/BeamSettings.h"

#include <QSettings>
#include <variant>

#include "views/beamstats/BeamMetricKinds.h"

namespace velor {
namespace {

// One key: its field (of either width) and the values the dialog can give it.
struct Key {
    const char* name;
    std::variant<uint32_t CBeamDataData::*, uint16_t CBeamDataData::*, int16_t CBeamDataData::*> field;
    qint64 low;
    qint64 high;
};

const Key kKeys[] = {
    {"Width", &CBeamDataData::m_nWidthFlags, 0, 0x75},
    {"UserClip", &CBeamDataData::m_nUserClip, 0, 1000},
    {"UserClip2", &CBeamDataData::m_nUserClip2, 0, 1000},
    {"Elliptic", &CBeamDataData::m_nRatioFlags, 0, 0x1F},
    {"UserRatio1", &CBeamDataData::m_nUserRatio1, 0, 1000},
    {"UserRatio2", &CBeamDataData::m_nUserRatio2, 0, 1000},
    {"NumericAperture", &CBeamDataData::m_nApertureFlags, 0, 0x1F},
    {"FlatTop", &CBeamDataData::m_nFlatTop, 0, 0xFFFFFFFF},
    {"Display", &CBeamDataData::m_nDisplayFlags, 0, 0x7F},
    {"Pointing", &CBeamDataData::m_bPointing, 0, 0xFFFFFFFF},
    {"Centroid", &CBeamDataData::m_bCentroid, 0, 0xFFFFFFFF},
    {"Peak", &CBeamDataData::m_bPeak, 0, 0xFFFFFFFF},
    {"Rolling", &CBeamDataData::m_nRollingSize, 0, 100},
    {"Finite", &CBeamDataData::m_nFiniteSize, 0, 16383},
    {"Statistics", &CBeamDataData::m_nStatMode, kStatContinuous, kStatFinite},
    {"AngleAmplitude", &CBeamDataData::m_nAmplitudeFlags, 0, 0x0F},
    {"UserAngle1", &CBeamDataData::m_nUserAngle1, -900, 900},
    {"UserAngle2", &CBeamDataData::m_nUserAngle2, -900, 900},
    {"MFD", &CBeamDataData::m_bModeField, 0, 0xFFFFFFFF},
};

QString KeyPath(const QString& section, const Key& key) {
    return section + QLatin1Char('/') + QLatin1String(key.name);
}

QString MetricsPath(const QString& section) { return section + QStringLiteral("/Metrics"); }

}  // namespace

void ReadBeamSettings(const QString& section, CBeamDataData& record) {
    const QSettings settings;
    for (const Key& key : kKeys) {
        const QVariant stored = settings.value(KeyPath(section, key));
        if (!stored.isValid()) continue;
        bool ok = false;
        const qint64 value = stored.toLongLong(&ok);
        if (!ok || value < key.low || value > key.high) continue;
        std::visit([&](auto field) { record.*field = static_cast<std::remove_reference_t<decltype(record.*field)>>(value); },
                   key.field);
    }
}

void WriteBeamSettings(const QString& section, const CBeamDataData& record) {
    QSettings settings;
    for (const Key& key : kKeys) {
        std::visit([&](auto field) { settings.setValue(KeyPath(section, key), static_cast<qint64>(record.*field)); },
                   key.field);
    }
}

void ReadBeamMetricSettings(const QString& section, uint32_t& metricKinds) {
    const QVariant stored = QSettings().value(MetricsPath(section));
    bool ok = false;
    const qint64 value = stored.toLongLong(&ok);
    if (stored.isValid() && ok && value >= 0 && (value & ~static_cast<qint64>(BeamMetricBits())) == 0) {
        metricKinds = static_cast<uint32_t>(value);
    }
}

void WriteBeamMetricSettings(const QString& section, uint32_t metricKinds) {
    QSettings().setValue(MetricsPath(section), static_cast<qint64>(metricKinds));
}

}  // namespace velor
