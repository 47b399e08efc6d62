#include "views/beamstats/RollingWindow.h"

#include <algorithm>
#include <cmath>

namespace velor {

RollingWindow::RollingWindow(int length)
    : m_length(std::max(length, 1)), m_values(static_cast<size_t>(m_length)), m_squares(static_cast<size_t>(m_length)) {}

void RollingWindow::Clear() {
    std::fill(m_values.begin(), m_values.end(), 0.0);
    std::fill(m_squares.begin(), m_squares.end(), 0.0);
    m_position = 0;
    m_full = false;
    m_sum = m_sumSquares = m_minimum = m_maximum = 0.0;
}

void RollingWindow::Push(double v) {
    if (m_length == 1) {
        m_values[0] = v;
        m_squares[0] = v * v;
        m_sum = v;
        m_sumSquares = v * v;
        m_minimum = m_maximum = v;
        m_position = 1;
        m_full = true;
        return;
    }
    if (m_position >= m_length) {
        m_position = 0;
        m_full = true;
    }
    if (m_full) {
        m_sum -= m_values[m_position];
        m_sumSquares -= m_squares[m_position];
    }
    m_values[m_position] = v;
    m_squares[m_position] = v * v;
    m_sum += v;
    m_sumSquares += v * v;
    // v and every value stored before it (the whole ring once it is full).
    const auto stored = m_values.begin() + (m_full ? m_length : m_position + 1);
    const auto [low, high] = std::minmax_element(m_values.begin(), stored);
    m_minimum = *low;
    m_maximum = *high;
    ++m_position;
}

double RollingWindow::Mean() const {
    const int k = Count();
    return static_cast<float>(k > 0 ? m_sum / k : m_sum);
}

double RollingWindow::StdDev() const {
    const int k = Count();
    if (k < 2) return 0.0;
    const double radicand = (m_sumSquares - m_sum * m_sum / k) / (k - 1);
    return radicand > 0.0 ? static_cast<float>(std::sqrt(radicand)) : 0.0;
}

}  // namespace velor
