#pragma once
// The beam statistics view's section without its window: the placement block, the record and
// the per-row arrays, checked as the view checks them. Lets tools read and write measurements
// that carry a beam statistics view exactly as the viewer does.

#include "document/DocumentView.h"
#include "document/file/ViewTypeRegistry.h"
#include "views/beamstats/BeamDataData.h"

namespace velor {

class BeamSection : public DocumentView, public CBeamDataData {
public:
    BeamSection() : DocumentView(kBeamDataViewTag) {}

    CBeamDataData& Settings() { return *this; }
    BeamRowArrays& Rows() { return m_rows; }
    // The metric rows' additional block, kept as read and written back.
    CBeamMetricData& Metrics() { return m_metrics; }

    bool WriteSection(SerializeContext& context) override;
    bool ReadSection(SerializeContext& context) override;

private:
    BeamRowArrays m_rows;
    CBeamMetricData m_metrics;
};

void RegisterHeadlessBeamSection(ViewTypeRegistry& registry);

}  // namespace velor
