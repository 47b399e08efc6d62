#pragma once
// Chart data and geometry built by hand, so the display lists are checked without a window.

#include <cmath>
#include <numbers>
#include <vector>

#include "views/chart/ChartModel.h"
#include "views/chart/DisplayList.h"

namespace velor::test {

struct ChartCase {
    ChartCase() {
        for (int i = 0; i < 181; ++i) angles.push_back(static_cast<float>((i - 90) * std::numbers::pi / 180.0));
        samples.assign(181, 0.0f);
        data.fieldOfView = 60.0f;
        data.axes[0] = {181, samples.data(), angles.data(), 0.0f, 12.5f};
        geometry.chartSize = QSize(640, 400);
        geometry.left = 40;
        geometry.right = 600;
        geometry.top = 30;
        geometry.bottom = 370;
        geometry.horizontalMargin = 40;
        geometry.clientWidth = 650;
    }
    // A peak of `value` counts at 0° (and its stored peak).
    void Peak(float value) {
        samples[90] = value;
        data.axes[0].peak = value;
    }

    std::vector<float> angles;
    std::vector<float> samples;
    ChartData data;
    ChartSettings settings;
    ChartGeometry geometry;
};

inline std::vector<QString> Texts(const DisplayList& list) {
    std::vector<QString> out;
    for (const DrawText& t : list.All<DrawText>()) out.push_back(t.text);
    return out;
}

inline bool HasText(const DisplayList& list, const QString& text) {
    for (const DrawText& t : list.All<DrawText>()) {
        if (t.text == text) return true;
    }
    return false;
}

inline const DrawText* FindText(const DisplayList& list, const QString& text) {
    for (const DisplayItem& item : list.items) {
        if (const auto* t = std::get_if<DrawText>(&item); t && t->text == text) return t;
    }
    return nullptr;
}

}  // namespace velor::test
