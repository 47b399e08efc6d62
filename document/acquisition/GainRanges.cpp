// Wide-range acquisition: every sweep of an axis taken over R gain ranges, 20 dB apart from the
// signal gain up, and merged into one sweep of the base range (RangeMerge.h says how). The
// merged sweep then goes through averaging, smoothing and processing like any other, so
// everything downstream sees a sweep in the base range's counts with more of the wings.

#include <algorithm>

#include "document/SettingsLimits.h"
#include "document/Velor32Doc.h"
#include "document/acquisition/RangeMerge.h"

namespace velor {
namespace {

// The highest gain the Sensitivity dialog offers for each head; an unknown head may use every
// code the board accepts.
int HighestGainOf(int headType) {
    return headType == 0 ? 139 : headType == 1 ? 159 : kMaxGainCode;
}

}  // namespace

void CVelor32Doc::SetGainRanges(int ranges) {
    if (!IsValidGainRanges(ranges)) return;
    // Like a gain change: a sweep set under way was begun with the old ranges.
    StopCapture();
    m_ranges.m_nGainRanges = static_cast<uint16_t>(ranges);
    RefreshStatusBar();
}

int CVelor32Doc::RangesInReach() const {
    const int reach = 1 + std::max(0, HighestGainOf(m_nHeadType) - m_nSignalGain) / kGainRangeStepDb;
    return std::min<int>(m_ranges.m_nGainRanges, reach);
}

int CVelor32Doc::GetAxisRanges(int axis) const {
    return axis == 0 || axis == 1 ? m_ranges.m_nAxisRanges[axis] : 1;
}

QString CVelor32Doc::GainRangeStatus() const {
    const int wanted = m_ranges.m_nGainRanges;
    if (wanted <= 1) return QString();
    const int taken = RangesInReach();
    const int top = m_nSignalGain + kGainRangeStepDb * (taken - 1);
    const QString gains = taken > 1 ? QStringLiteral("%1-%2 dB").arg(m_nSignalGain).arg(top)
                                    : QStringLiteral("%1 dB").arg(m_nSignalGain);
    const QString rate = taken > 1 ? QStringLiteral(", sweep rate 1/%1").arg(taken) : QString();
    if (taken == wanted) return QStringLiteral("Gain ranges: %1 (%2)%3").arg(taken).arg(gains, rate);
    return QStringLiteral("Gain ranges: %1 of %2 (%3; the head stops at %4 dB)%5")
        .arg(taken)
        .arg(wanted)
        .arg(gains)
        .arg(HighestGainOf(m_nHeadType))
        .arg(rate);
}

void CVelor32Doc::SetRangeGain(int range) {
    m_env.board.Tesk32_SetSignalGain(m_nUnit, m_nSignalGain + kGainRangeStepDb * range);
    m_bRangeGainSet = range != 0;
}

void CVelor32Doc::AbandonRangeSet() {
    m_nRangeIndex = 0;
    if (m_bRangeGainSet) SetRangeGain(0);
}

void CVelor32Doc::TakeRangeWords(int axis, int range, int delivered) {
    const uint16_t* words = m_arrays.readBuffer.data();
    std::copy_n(words, kSamplesPerSweep, m_arrays.rangeSweep[range].begin());
    const int samples = std::max(delivered, 0);
    m_nRangesDelivered = range == 0 ? samples : std::min(m_nRangesDelivered, samples);
    if (range + 1 < m_nRangesInUse) return;

    SetRangeGain(0);
    m_nRawCount[axis] = static_cast<uint16_t>(m_nRangesDelivered);
    // A range that delivered nothing fails the whole sweep, as a failed read does.
    if (m_nRangesDelivered == 0) return;
    const float* sweeps[kMaxGainRanges];
    for (int r = 0; r < m_nRangesInUse; ++r) sweeps[r] = m_arrays.rangeSweep[r].data();
    const RangeMergeResult merge = MergeRangeSweeps(
        std::span<const float* const>(sweeps, static_cast<size_t>(m_nRangesInUse)), m_arrays.rawSweep[axis].data());
    m_nRawRanges[axis] = static_cast<uint16_t>(merge.stitched ? m_nRangesInUse : 1);
}

int CVelor32Doc::ReadAxisRanges(int axis) {
    if (m_nRangesInUse <= 1) {
        m_nRawRanges[axis & 1] = 1;
        return ReadAxisNow(axis);
    }
    if (axis != 0 && axis != 1) return -1;
    if (axis != m_nSelectedAxis) StopCapture();
    for (int range = 0; range < m_nRangesInUse; ++range) {
        SetRangeGain(range);
        TakeRangeWords(axis, range,
                       m_env.board.Tesk32_CapReadData(m_nUnit, m_arrays.readBuffer.data(), kSamplesPerSweep));
    }
    return m_nRawCount[axis];
}

}  // namespace velor
