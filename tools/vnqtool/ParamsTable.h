#pragma once
// The beam parameters of one measurement as vnqtool params reports them, and the three ways it
// prints a table of many: text with the viewer's decimals, and CSV and JSON at full precision
// (the shortest text that reads back as the same double) for scripts.

#include <QString>
#include <QStringList>
#include <utility>
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

// Which parameters to compute: every one, or those named. A name stands for the key itself
// and for the keys it begins followed by "_" ("width" for width_5, width_13.5 and width_50).
class ParameterChoice {
public:
    ParameterChoice() = default;  // every parameter
    explicit ParameterChoice(QStringList names) : m_names(std::move(names)) {}
    bool Wants(const QString& key) const;
    // The names that stand for no parameter vnqtool computes.
    QStringList Unknown() const;

private:
    QStringList m_names;
};

// The parameters chosen of each measured axis, computed as the viewer computes them; those
// not chosen are never computed (the effective area and the 3D figures cost most).
void CollectParameters(velor::CVelor32Doc& document, FileParameters& file, const ParameterChoice& choice = {});

// Only the files that loaded are printed; each format is one table for all of them.
void PrintText(const std::vector<FileParameters>& files);
void PrintCsv(const std::vector<FileParameters>& files);
void PrintJson(const std::vector<FileParameters>& files);

// The shortest text that reads back as the same double.
QString FullPrecision(double value);

}  // namespace vnqtool
