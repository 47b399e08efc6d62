#pragma once
// The copy of the beam statistics selections in the program's settings, in the view type's
// section: read over the record's initial values when a view is made, written when its window
// closes. Values outside what the Parameters dialog allows are passed over.

#include <QString>

#include "views/beamstats/BeamDataData.h"

namespace velor {

void ReadBeamSettings(const QString& section, CBeamDataData& record);
void WriteBeamSettings(const QString& section, const CBeamDataData& record);
// The metric rows' selection, under "Metrics": bits of BeamMetricKinds.h.
void ReadBeamMetricSettings(const QString& section, uint32_t& metricKinds);
void WriteBeamMetricSettings(const QString& section, uint32_t metricKinds);

}  // namespace velor
