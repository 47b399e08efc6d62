#pragma once
// Numbers as the user reads them in tables, copies, logs and exports: a fixed number of
// decimals, and no sign on a value that rounds to zero ("0.00", never "-0.00", which would
// claim a direction the measurement does not have).

#include <QString>

namespace velor {

// The value to hand to a printf-style "%.<decimals>f": the value itself, or +0 when it
// would be written as a negative zero.
double WithoutNegativeZero(double value, int decimals);

// "%<width>.<decimals>f" of the value, without a negative zero.
QString FixedText(double value, int decimals, int width = 0);

}  // namespace velor
