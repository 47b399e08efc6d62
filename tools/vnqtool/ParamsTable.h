#pragma once
// The beam parameters of one measurement as vnqtool params reports them, and the three ways it
// prints a table of many: text with the viewer's decimals, and CSV and JSON at full precision
// (the shortest text that reads back as the same double) for scripts.

#include <QString>
#include <vector>

namespace velor {
class CVelor32Doc;
}

namespace vnqtool {

// What a parameter belongs to besides a single axis.
inline constexpr int kBothAxes = -1;   // the width ratios
inline constexpr int k3DDataSet = -2;  // the beam's shape from the 3D data

struct Parameter {
    int axis;         // 0, 1, kBothAxes or k3DDataSet
    QString key;      // CSV and JSON name
    QString name;     // text output
    double value;     // NaN when there is none: "no fit" in text, empty in CSV, null in JSON
    int decimals;     // as the viewer shows it
    QString unit;
};

struct FileParameters {
    QString path;
    bool loaded = false;
    QString errors;  // the program's messages while loading, for standard error
    int scanMode = 0;
    int units = 0;
    double phi[2] = {0.0, 0.0};
    std::vector<Parameter> parameters;
    // Beside each axis's effective area: why there is none, or what its dynamic range may hide.
    QString aeffNote[2];
    int Axes() const { return scanMode == 2 ? 2 : 1; }
};

// Every parameter of each measured axis, computed as the viewer computes it.
void CollectParameters(velor::CVelor32Doc& document, FileParameters& file);

// Only the files that loaded are printed; each format is one table for all of them.
void PrintText(const std::vector<FileParameters>& files);
void PrintCsv(const std::vector<FileParameters>& files);
void PrintJson(const std::vector<FileParameters>& files);

// The shortest text that reads back as the same double.
QString FullPrecision(double value);

}  // namespace vnqtool
