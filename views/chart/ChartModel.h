#pragma once
// What a profile chart is drawn from: the view's settings and a snapshot of the document's
// data, and the geometry the view's layout gives the chart.

#include <QRect>
#include <QString>
#include <cstdint>

namespace velor {

class CVelor32Doc;

struct ChartSettings {
    float zoomRange = 180.0f;
    float zoomOffset = 0.0f;
    int zoomGrid = 10;
    bool normalize = false;
    bool logarithmic = false;
    int magnification = 1;

    float ZoomMinimum() const { return zoomOffset - zoomRange / 2.0f; }
    float ZoomMaximum() const { return zoomOffset + zoomRange / 2.0f; }
};

struct AxisData {
    int count = 0;                   // samples
    const float* samples = nullptr;  // counts
    const float* angles = nullptr;   // radians
    float peak = 0.0f;
    float phi = 0.0f;                // degrees
};

struct ChartData {
    int units = 0;                   // 0 relative, 1 counts, 2 intensity
    float intensityFactor = 0.0f;    // K
    QString powerUnit;               // "mW"
    bool perpendicular = false;
    bool crossSections = false;
    float fieldOfView = 0.0f;        // degrees
    AxisData axes[2];

    static ChartData From(CVelor32Doc& doc);
};

// The chart's plot box in chart coordinates, and the numbers of the view around it.
struct ChartGeometry {
    QSize chartSize;
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    int horizontalMargin = 0;
    int clientWidth = 0;  // of the whole view, for the phi label
};

}  // namespace velor
