#include "views/topo/TopoModel.h"

#include <algorithm>
#include <span>

namespace velor {

TopoModel BuildTopoModel(const CVelor32Doc::Sampled3dData& data, const C2dData& settings) {
    TopoModel model;
    model.disc = UnfoldOntoDisc(data.theta, data.phi, data.values);
    if (model.disc.IsEmpty()) return {};
    model.logarithmic = settings.m_bLogarithmic != 0;
    if (model.logarithmic) ApplyDecibelRule(model.disc.values);
    model.maximum = NormaliseToPercent(model.disc.values);
    const int count = std::clamp<int>(settings.m_nClipCount, 0, kMaxClipLevels);
    model.entries = MappingEntries(model.logarithmic, model.maximum, std::span(settings.m_nClipLevel, count),
                                   std::span(settings.m_crClipColor, count));
    return model;
}

TopoModel TopoModelFor(const CVelor32Doc& document, const C2dData& settings) {
    if (document.m_b3DValid == 0) return {};
    CVelor32Doc::Sampled3dData data;
    if (!document.GetSampled3dData(static_cast<int>(settings.m_nResolution), data)) return {};
    return BuildTopoModel(data, settings);
}

}  // namespace velor
