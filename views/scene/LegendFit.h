#pragma once
// What a 3D or topographic view's colour legend shows at the view's size: whether it is
// shown at all, its text sizes, its box and the levels it labels. No VTK type.

#include <string>
#include <vector>

namespace velor {

struct LegendFit {
    bool fits = false;  // false: hidden, whatever the legend flag says
    int titleSize = 0;  // text sizes (the toolkit's points: pixels on screen)
    int labelSize = 0;
    int width = 0;  // the box in pixels
    int height = 0;
    std::vector<std::string> labels;  // the levels labelled, highest first
};

// The toolkit's default text size: no legend text is smaller.
inline constexpr int kSmallestLegendText = 12;

}  // namespace velor
