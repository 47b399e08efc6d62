#pragma once
// What the picture tests of the 3D and topographic views share: a simulated measurement of a
// tilted elliptical laser diode written as the tools write it, and pictures reduced to a
// coarse signature (24 × 16 cells of mean red, green and blue) compared with a reference by
// their mean difference, which antialiasing and text placement barely move.

#include <QImage>
#include <QString>
#include <cstdio>
#include <cstdlib>
#include <gtest/gtest.h>
#include <memory>
#include <vector>

#include "document/HeadlessSession.h"
#include "document/simulation/SimulatedMeasurement.h"
#include "tests/support/RecordingPrompt.h"
#include "views/profile/ProfileSection.h"

namespace velor::test {

// A measurement of `model` simulated and written as the tools write it; the file carries a
// Rectangular View, as every data file carries a view.
inline QString WriteSimulatedMeasurement(const QString& path, const sim::BeamModel& model,
                                         const SimulationOptions& options) {
    RecordingPrompt quiet;
    ViewTypeRegistry types;
    HeadlessSession session(quiet, types);
    CVelor32Doc* doc = session.NewDocument();
    EXPECT_TRUE(SimulateMeasurement(*doc, model, options));
    doc->AdoptView(std::make_unique<ProfileSection>());
    EXPECT_TRUE(session.File().SaveDataFile(path));
    return path;
}

// A laser diode of 30° by 10° measured on perpendicular axes over N + 1 azimuth scans.
inline QString WritePerpendicularLaserDiode(const QString& path, uint16_t scans) {
    sim::LaserDiodeBeam beam;
    beam.majorFwhmDeg = 30.0;
    beam.minorFwhmDeg = 10.0;
    SimulationOptions options;
    options.scans3D = scans;
    options.perpendicular = true;
    return WriteSimulatedMeasurement(path, *sim::MakeLaserDiode(beam), options);
}

// A beam of 30° by 10°, its major axis at 20°, tilted 5° towards phi 40°, over N + 1 azimuth
// scans.
inline QString WriteLaserDiodeSample(const QString& path, uint16_t scans = 50) {
    sim::LaserDiodeBeam beam;
    beam.majorFwhmDeg = 30;
    beam.minorFwhmDeg = 10;
    beam.orientationDeg = 20;
    beam.tiltThetaDeg = 5;
    beam.tiltPhiDeg = 40;
    SimulationOptions options;
    options.scans3D = scans;
    return WriteSimulatedMeasurement(path, *sim::MakeLaserDiode(beam), options);
}

inline std::vector<int> Signature(const QImage& picture) {
    const QImage image = picture.convertToFormat(QImage::Format_RGB32);
    std::vector<int> cells;
    for (int cy = 0; cy < 16; ++cy) {
        for (int cx = 0; cx < 24; ++cx) {
            long sum[3] = {0, 0, 0}, n = 0;
            for (int y = cy * image.height() / 16; y < (cy + 1) * image.height() / 16; ++y) {
                for (int x = cx * image.width() / 24; x < (cx + 1) * image.width() / 24; ++x) {
                    const QRgb rgb = image.pixel(x, y);
                    sum[0] += qRed(rgb);
                    sum[1] += qGreen(rgb);
                    sum[2] += qBlue(rgb);
                    ++n;
                }
            }
            for (long s : sum) cells.push_back(n ? static_cast<int>(s / n) : 0);
        }
    }
    return cells;
}

inline double MeanDifference(const std::vector<int>& a, const std::vector<int>& b) {
    if (a.size() != b.size() || a.empty()) return 255.0;
    double sum = 0;
    for (size_t i = 0; i < a.size(); ++i) sum += std::abs(a[i] - b[i]);
    return sum / static_cast<double>(a.size());
}

// Ready to paste into a reference's .inc file: one row of cells a line.
inline void PrintSignature(const char* name, const std::vector<int>& s) {
    std::printf("%s:\n", name);
    for (size_t i = 0; i < s.size(); ++i) {
        std::printf("%d%s", s[i], i + 1 == s.size() ? "\n" : (i % 72 == 71 ? ",\n" : ","));
    }
}

}  // namespace velor::test
