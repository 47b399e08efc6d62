#include "views/view3d/SurfaceModel.h"

#include <algorithm>
#include <span>

namespace velor {

SurfaceModel BuildSurfaceModel(CVelor32Doc::Sampled3dData data, const C3dData& settings) {
    SurfaceModel model;
    const int rows = static_cast<int>(data.theta.size());
    const int columns = static_cast<int>(data.phi.size());
    if (rows == 0 || columns == 0 || data.values.size() != static_cast<size_t>(rows) * columns) return model;

    model.kind = settings.IsRectangular() ? SurfaceKind::Rectangular : SurfaceKind::Polar;
    model.logarithmic = settings.m_bLogarithmic != 0;
    CloseSeam(data.values, rows, columns);
    if (model.logarithmic) ApplyDecibelRule(data.values);
    const float maximum = NormaliseToPercent(data.values);
    model.points = SurfaceCoordinates(model.kind, data.theta, data.phi, data.values);
    const int count = std::clamp<int>(settings.m_nClipCount, 0, kMaxClipLevels);
    model.entries = MappingEntries(model.logarithmic, maximum, std::span(settings.m_nClipLevel, count),
                                   std::span(settings.m_crClipColor, count));
    if (model.kind == SurfaceKind::Polar) Whiten(model.entries);
    model.rows = rows;
    model.columns = columns;
    model.values = std::move(data.values);
    return model;
}

SurfaceModel SurfaceModelFor(const CVelor32Doc& document, const C3dData& settings) {
    if (document.m_b3DValid == 0) return {};
    CVelor32Doc::Sampled3dData data;
    if (!document.GetSampled3dData(static_cast<int>(settings.m_nResolution), data)) return {};
    return BuildSurfaceModel(std::move(data), settings);
}

}  // namespace velor
