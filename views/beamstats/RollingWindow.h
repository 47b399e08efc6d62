#pragma once
// The last L samples of one row for rolling statistics: a ring of values and of their
// squares with running sums, and the window's minimum and maximum.

#include <vector>

namespace velor {

class RollingWindow {
public:
    explicit RollingWindow(int length);

    void Push(double v);
    void Clear();

    int Length() const { return m_length; }
    // Values in the window: L once the ring is full, else as many as were pushed.
    int Count() const { return m_full ? m_length : m_position; }
    double Minimum() const { return m_minimum; }
    double Maximum() const { return m_maximum; }
    // Rounded to single precision, as the table has always shown them; the mean of an empty
    // window is its sum, 0.
    double Mean() const;
    // The sample standard deviation; 0 for fewer than two values or a radicand not above 0.
    double StdDev() const;

private:
    int m_length;
    std::vector<double> m_values;
    std::vector<double> m_squares;
    int m_position = 0;
    bool m_full = false;
    double m_sum = 0.0;
    double m_sumSquares = 0.0;
    double m_minimum = 0.0;
    double m_maximum = 0.0;
};

}  // namespace velor
