#pragma once
// The measurement report as PDF: for each measurement its file, date, source and station
// settings, note, parameter table with limits and verdicts, and the pictures the views draw
// (the profiles, and with 3D data the topographic map and the power curve); after several
// measurements a summary, one row per file and axis with its failures. Every page carries a
// header and its number. Laid out and painted without a display: the viewer's File > Report
// and vnqtool report share it.

#include <QByteArray>
#include <QDateTime>
#include <QPageSize>
#include <QString>
#include <QStringList>
#include <memory>

#include "views/ViewContents.h"

namespace velor {

class CVelor32Doc;

class MeasurementReport {
public:
    MeasurementReport(QPageSize::PageSizeId paper, const QDateTime& when);
    ~MeasurementReport();
    MeasurementReport(const MeasurementReport&) = delete;
    MeasurementReport& operator=(const MeasurementReport&) = delete;

    // Lays out the measurement's pages from the document as it stands; the document is not
    // needed afterwards. path: its data file, empty when it has none.
    void AddMeasurement(CVelor32Doc& document, const QString& path, const ViewContents& views);
    // A file that could not be read: left out, and named under the summary.
    void AddLeftOut(const QString& path);

    // The PDF's bytes, with a summary when asked for; empty when the PDF cannot be made.
    QByteArray Finish(bool withSummary);

private:
    struct Parts;
    std::unique_ptr<Parts> m_parts;
};

}  // namespace velor
