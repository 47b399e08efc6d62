#pragma once
// The icons of the four limit states, drawn here at the sizes the table uses: none set, within
// the limits, below the minimum, above the maximum.

#include <QIcon>

namespace velor {

// 48 for rows above 40 pixels, 32 for 21 to 40, else 16.
int StateIconSize(int rowHeight);

QIcon StateIcon(int state, int size);

}  // namespace velor
