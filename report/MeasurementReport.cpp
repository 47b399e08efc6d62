#include "report/MeasurementReport.h"

#include <QBuffer>
#include <QFileInfo>
#include <QFontMetrics>
#include <QPainter>
#include <QPdfWriter>
#include <QRegularExpression>
#include <cmath>

#include "ProgramIdentity.h"
#include "common/FixedText.h"
#include "document/Velor32Doc.h"
#include "document/parameters/StandardParameters.h"
#include "report/ReportBlocks.h"
#include "report/ReportParameters.h"
#include "report/TopoPicture.h"
#include "views/chart/LabelFit.h"
#include "views/chart/RectChart.h"
#include "views/power/PowerChart.h"
#include "views/power/PowerModel.h"
#include "views/scene/ClipMapping.h"
#include "views/topo/TopoModel.h"

namespace velor {
namespace {

constexpr int kResolution = 300;  // device units per inch
const QString kDash = QStringLiteral("\u2014");
// Chart sizes in the views' pixels: the profile as a wide window shows it, the power view as a
// window with room for its results.
const QSize kProfileChart(900, 330);
const QSize kPowerChart(560, 420);
constexpr int kDiscPixels = 360;
constexpr double kRimDegrees = 90.0;

QString Escaped(const QString& text) { return text.toHtmlEscaped(); }

QString Stamp(const QDateTime& when) { return when.toString(QStringLiteral("yyyy-MM-dd HH:mm")); }

QString VerdictCell(Verdict verdict) {
    switch (verdict) {
        case Verdict::Pass: return QStringLiteral("<font color=\"#1a7f37\"><b>PASS</b></font>");
        case Verdict::Fail: return QStringLiteral("<font color=\"#c00000\"><b>FAIL</b></font>");
        case Verdict::NoLimits: break;
    }
    return kDash;
}

const char kTable[] = "<table border=\"1\" cellspacing=\"0\" cellpadding=\"3\" width=\"100%\">";

QString HeadingRow(const QStringList& headings) {
    QString row = QStringLiteral("<tr>");
    for (const QString& h : headings) row += QStringLiteral("<th bgcolor=\"#e4e4e4\">%1</th>").arg(Escaped(h));
    return row + QStringLiteral("</tr>");
}

// --- settings --------------------------------------------------------------------------------------

QString HeadName(int head) {
    switch (head) {
        case 0: return QStringLiteral("InGaAs");
        case 1: return QStringLiteral("Si");
        default: return QStringLiteral("not identified");
    }
}

QString UnitsName(int units) {
    switch (units) {
        case 1: return QStringLiteral("Counts");
        case 2: return QStringLiteral("Intensity (W/sr)");
        default: return QStringLiteral("Relative (%)");
    }
}

QString SettingsHtml(const CVelor32Doc& d) {
    const QString degree = QStringLiteral("\u00B0");
    const int ranges = d.GetGainRanges();
    QString data3d = d.m_b3DValid ? QStringLiteral("N = %1 (%2 azimuth scans, 3D gain %3 dB)")
                                        .arg(d.m_nScans3D)
                                        .arg(d.m_nScans3D + 1)
                                        .arg(d.m_n3DGain)
                                  : QStringLiteral("none (N = %1)").arg(d.m_nScans3D);
    const QString reference = FixedText(d.GetRefPower(), 2) + QLatin1Char(' ') + QString::fromLatin1(d.GetRefUnits()) +
                              (d.GetCalCounts() == 0.0f ? QStringLiteral(" (no calibration)") : QString());
    const QList<QPair<QString, QString>> items = {
        {QStringLiteral("Wavelength"), FixedText(d.GetWavelength(), 1) + QStringLiteral(" nm")},
        {QStringLiteral("Aperture-source distance"), FixedText(d.GetApertureSourceDistance(), 2) + QStringLiteral(" cm")},
        {QStringLiteral("Gain"), QStringLiteral("%1 dB").arg(d.GetSignalGain())},
        {QStringLiteral("Gain ranges"), ranges > 1 ? QStringLiteral("%1 (20 dB apart)").arg(ranges) : QStringLiteral("1")},
        {QStringLiteral("Scan mode"), d.IsPerpendicular() ? QStringLiteral("Perpendicular Axes") : QStringLiteral("Single Axis")},
        {QStringLiteral("Phi"), FixedText(d.GetPhi(0, 0), 3) + degree},
        {QStringLiteral("3D data"), data3d},
        {QStringLiteral("Source"), d.GetPulsedMode() ? QStringLiteral("Pulsed, %1 kHz").arg(FixedText(d.GetSourceFrequency(), 1))
                                                     : QStringLiteral("Continuous")},
        {QStringLiteral("Averaging"), QStringLiteral("%1 sweeps").arg(d.GetAveraging())},
        {QStringLiteral("Filter"), QString::number(d.GetFilter())},
        {QStringLiteral("Angular limit"), QStringLiteral("\u00B1") + FixedText(d.GetAngularLimit(), 1) + degree},
        {QStringLiteral("Blind spot correction"), d.GetBlindSpotCorrection() ? QStringLiteral("On") : QStringLiteral("Off")},
        {QStringLiteral("Display units"), UnitsName(d.GetUnits())},
        {QStringLiteral("Reference power"), reference},
        {QStringLiteral("Detector head"), HeadName(d.m_nHeadType)},
    };
    QString html = QStringLiteral("<h3>Source and station</h3>") + QLatin1String(kTable);
    for (int i = 0; i < items.size(); i += 2) {
        html += QStringLiteral("<tr><td bgcolor=\"#f2f2f2\">%1</td><td>%2</td>")
                    .arg(Escaped(items[i].first), Escaped(items[i].second));
        if (i + 1 < items.size()) {
            html += QStringLiteral("<td bgcolor=\"#f2f2f2\">%1</td><td>%2</td>")
                        .arg(Escaped(items[i + 1].first), Escaped(items[i + 1].second));
        } else {
            html += QStringLiteral("<td></td><td></td>");
        }
        html += QStringLiteral("</tr>");
    }
    return html + QStringLiteral("</table>");
}

// --- charts ----------------------------------------------------------------------------------------

TextMetrics MetricsOf(const PrintStyle& style) {
    return TextMetrics{[style](const QString& text, FontRole font) {
                           const QFontMetrics m(font == FontRole::Title ? style.titleFont : style.axisFont);
                           return QSize(m.horizontalAdvance(text), m.height());
                       },
                       [style](const QString& text, FontRole font, int width) {
                           const QFontMetrics m(font == FontRole::Title ? style.titleFont : style.axisFont);
                           return m.elidedText(text, Qt::ElideRight, width);
                       }};
}

ChartSettings ProfileSettings(const ViewContents& views) {
    ChartSettings s;
    if (!views.profile) return s;
    const CProfileData& r = *views.profile;
    s.zoomRange = r.m_fZoomRange;
    s.zoomOffset = r.m_fZoomOffset;
    s.zoomGrid = r.m_nZoomGrid;
    s.normalize = r.m_bNormalize != 0;
    s.logarithmic = r.m_bLogarithmic != 0;
    s.magnification = r.m_nMagnification > 0 ? r.m_nMagnification : 1;
    return s;
}

// The rectangular view's chart of an axis, laid out as the view lays out its charts.
DisplayList ProfileChart(CVelor32Doc& doc, const ViewContents& views, int axis, const PrintStyle& style) {
    const QFontMetrics axisFont(style.axisFont);
    const int horizontal = static_cast<int>(2.5 * axisFont.maxWidth());
    const int vertical = axisFont.height() * 15 / 10;
    ChartGeometry g;
    g.chartSize = kProfileChart;
    g.horizontalMargin = horizontal;
    g.left = horizontal;
    g.right = kProfileChart.width() - horizontal;
    g.top = vertical;
    g.bottom = kProfileChart.height() - vertical;
    g.clientWidth = kProfileChart.width();
    DisplayList list = RenderRectChart(ChartData::From(doc), ProfileSettings(views), g, axis);
    FitLabels(list, MetricsOf(style));
    return list;
}

std::unique_ptr<ReportBlock> PowerBlock(CVelor32Doc& doc, const ViewContents& views, const PrintStyle& style) {
    CPowerData record = views.power.value_or(CPowerData{});
    const PowerSnapshot snapshot = TakePowerSnapshot(record, doc);
    const QFontMetrics axisFont(style.axisFont);
    const PowerLayout layout =
        PowerLayout::Specified(kPowerChart, 5 * axisFont.maxWidth(), axisFont.height() * 15 / 10);
    std::optional<PowerResults> results;
    DisplayList list = RenderPowerChart(record, snapshot, layout, &results);
    FitLabels(list, MetricsOf(style));
    return std::make_unique<ChartBlock>(
        QStringLiteral("Power view"), std::move(list), style,
        results ? QString() : QStringLiteral("No reference power entered: the power view shows no values."));
}

std::unique_ptr<ReportBlock> TopoBlock(const CVelor32Doc& doc, const ViewContents& views, const PrintStyle& style) {
    const TopoModel model = TopoModelFor(doc, views.topo.value_or(C2dData{}));
    std::vector<DiscBlock::LegendEntry> legend;
    for (const LegendRow& row : LegendRows(model)) legend.push_back({row.label, QColor::fromRgb(row.colour)});
    return std::make_unique<DiscBlock>(QStringLiteral("Topographic view (rim at %1\u00B0)")
                                           .arg(kRimDegrees, 0, 'f', 0),
                                       RasteriseDisc(model, kDiscPixels, kRimDegrees), QString::fromLatin1(LegendTitle(model.logarithmic)),
                                       std::move(legend), style);
}

// --- summary ---------------------------------------------------------------------------------------

struct SummaryRow {
    QString file;
    QString axis;
    QString width;
    QString na;
    QString mfd;
    Verdict verdict = Verdict::NoLimits;
    QStringList failures;
};

QString StandardValue(const CVelor32Doc& doc, const char* key, int axis) {
    for (const ParameterEntry& e : StandardParameters()) {
        if (qstrcmp(e.key, key) != 0) continue;
        const double v = e.value(doc, axis);
        return std::isnan(v) ? QStringLiteral("no fit") : FixedText(v, e.decimals);
    }
    return QString();
}

// One row per measured axis: its key figures, and the verdicts of its rows and of the rows of
// the whole measurement.
std::vector<SummaryRow> SummaryOf(const CVelor32Doc& doc, const QString& file, const ParameterTable& table) {
    std::vector<SummaryRow> rows;
    const int axes = doc.IsPerpendicular() ? 2 : 1;
    for (int axis = 0; axis < axes; ++axis) {
        SummaryRow row{file, QStringLiteral("%1 (%2\u00B0)").arg(axis).arg(FixedText(doc.GetPhi(axis, 0), 1)),
                       StandardValue(doc, "width_13.5", axis), StandardValue(doc, "na_13.5", axis),
                       StandardValue(doc, "mfd", axis), Verdict::NoLimits, {}};
        for (const ReportRow& r : table.rows) {
            if (r.axis != axis && r.axis != kWholeMeasurement) continue;
            if (r.verdict == Verdict::Fail) {
                row.verdict = Verdict::Fail;
                row.failures << r.name;
            } else if (r.verdict == Verdict::Pass && row.verdict == Verdict::NoLimits) {
                row.verdict = Verdict::Pass;
            }
        }
        rows.push_back(row);
    }
    return rows;
}

}  // namespace

struct MeasurementReport::Parts {
    QBuffer buffer;
    std::unique_ptr<QPdfWriter> writer;
    QDateTime when;
    PrintStyle style;
    QFont textFont;
    QFont headerFont;
    std::unique_ptr<PageFlow> flow;
    int headerHeight = 0;
    int footerHeight = 0;
    std::vector<SummaryRow> summary;
    int measurements = 0;
    QStringList leftOut;

    std::unique_ptr<ReportBlock> Html(const QString& html) const {
        return std::make_unique<HtmlBlock>(writer.get(), textFont, html, QStringList(), QString(), QString());
    }
    std::unique_ptr<ReportBlock> Table(const QString& title, const QStringList& headings, const QStringList& rows) const {
        const QString head = QLatin1String(kTable) + HeadingRow(headings);
        return std::make_unique<HtmlBlock>(writer.get(), textFont, title + head, rows, QStringLiteral("</table>"), head);
    }
};

MeasurementReport::MeasurementReport(QPageSize::PageSizeId paper, const QDateTime& when)
    : m_parts(std::make_unique<Parts>()) {
    Parts& p = *m_parts;
    p.when = when;
    p.buffer.open(QIODevice::WriteOnly);
    p.writer = std::make_unique<QPdfWriter>(&p.buffer);
    p.writer->setResolution(kResolution);
    p.writer->setPageSize(QPageSize(paper));
    p.writer->setPageMargins(QMarginsF(15, 12, 15, 12), QPageLayout::Millimeter);
    p.writer->setTitle(QStringLiteral("Measurement report"));
    p.writer->setCreator(QStringLiteral("Orbiscan Viewer " VELOR_VERSION));

    p.textFont = QFont(QStringLiteral("DejaVu Sans"));
    p.textFont.setPointSizeF(8.5);
    p.headerFont = p.textFont;
    p.headerFont.setPointSizeF(8.0);
    // The charts' fonts as the chart windows make them (pixel sizes in the charts' pixels).
    p.style.axisFont = QFont(QStringLiteral("DejaVu Sans"));
    p.style.axisFont.setPixelSize(10);
    p.style.axisFont.setBold(true);
    p.style.titleFont = QFont(QStringLiteral("DejaVu Sans"));
    p.style.titleFont.setPixelSize(15);
    p.style.titleFont.setBold(true);
    p.style.captionFont = p.textFont;
    p.style.captionFont.setBold(true);
    p.style.device = p.writer.get();

    const QFontMetrics header(p.headerFont, p.writer.get());
    p.headerHeight = header.height() * 5 / 2;
    p.footerHeight = header.height() * 2;
    const QSize content(p.writer->width(), p.writer->height() - p.headerHeight - p.footerHeight);
    p.flow = std::make_unique<PageFlow>(content, header.height());
}

MeasurementReport::~MeasurementReport() = default;

void MeasurementReport::AddMeasurement(CVelor32Doc& doc, const QString& path, const ViewContents& views) {
    Parts& p = *m_parts;
    const QString file = path.isEmpty() ? QStringLiteral("Untitled") : QFileInfo(path).fileName();
    p.flow->StartSection(file);

    const QFileInfo info(path);
    const QString date = info.exists() ? Stamp(info.lastModified()) : QStringLiteral("not saved");
    p.flow->Add(p.Html(QStringLiteral("<h2>%1</h2><p>%2<br>File date: %3</p>")
                           .arg(Escaped(file), Escaped(path.isEmpty() ? file : info.absoluteFilePath()), date)));
    p.flow->Add(p.Html(SettingsHtml(doc)));

    if (!views.note.trimmed().isEmpty()) {
        QStringList lines;
        for (const QString& line : views.note.split(QRegularExpression(QStringLiteral("\r\n|\r|\n")))) {
            lines << QStringLiteral("<p style=\"margin:0\">%1</p>").arg(line.isEmpty() ? QStringLiteral("&nbsp;")
                                                                                    : Escaped(line));
        }
        p.flow->Add(std::make_unique<HtmlBlock>(p.writer.get(), p.textFont, QStringLiteral("<h3>Note</h3>"), lines,
                                                QString(), QString()));
    }

    const ParameterTable table = BuildParameterTable(doc, views);
    QStringList rows;
    for (const ReportRow& r : table.rows) {
        rows << QStringLiteral("<tr><td>%1</td><td align=\"right\">%2</td><td align=\"right\">%3</td>"
                               "<td align=\"right\">%4</td><td align=\"center\">%5</td></tr>")
                    .arg(Escaped(r.name), Escaped(r.value), r.minLimit.isEmpty() ? kDash : Escaped(r.minLimit),
                         r.maxLimit.isEmpty() ? kDash : Escaped(r.maxLimit), VerdictCell(r.verdict));
    }
    const QString source = table.fromBeamStatistics
                               ? QStringLiteral("The rows and limits of the file's Beam Statistics view.")
                               : QStringLiteral("The standard parameters (the file has no Beam Statistics view); "
                                                "no limits are set.");
    p.flow->Add(p.Table(QStringLiteral("<h3>Parameters</h3><p>%1</p>").arg(source),
                        {QStringLiteral("Parameter"), QStringLiteral("Value"), QStringLiteral("Min Limit"),
                         QStringLiteral("Max Limit"), QStringLiteral("Result")},
                        rows));

    const int axes = doc.IsPerpendicular() ? 2 : 1;
    for (int axis = 0; axis < axes; ++axis) {
        p.flow->Add(std::make_unique<ChartBlock>(QStringLiteral("Rectangular view, axis %1").arg(axis),
                                                 ProfileChart(doc, views, axis, p.style), p.style));
    }
    if (doc.m_b3DValid) {
        p.flow->Add(std::make_unique<PairBlock>(TopoBlock(doc, views, p.style), PowerBlock(doc, views, p.style), 0.45));
    }

    const std::vector<SummaryRow> summary = SummaryOf(doc, file, table);
    p.summary.insert(p.summary.end(), summary.begin(), summary.end());
    ++p.measurements;
}

void MeasurementReport::AddLeftOut(const QString& path) { m_parts->leftOut << QFileInfo(path).fileName(); }

QByteArray MeasurementReport::Finish(bool withSummary) {
    Parts& p = *m_parts;
    if (withSummary) {
        p.flow->StartSection(QStringLiteral("Summary"));
        QStringList rows;
        int failed = 0;
        for (const SummaryRow& r : p.summary) {
            if (r.verdict == Verdict::Fail) ++failed;
            rows << QStringLiteral("<tr><td>%1</td><td>%2</td><td align=\"right\">%3</td><td align=\"right\">%4</td>"
                                   "<td align=\"right\">%5</td><td align=\"center\">%6</td><td>%7</td></tr>")
                        .arg(Escaped(r.file), Escaped(r.axis), Escaped(r.width), Escaped(r.na), Escaped(r.mfd),
                             VerdictCell(r.verdict), Escaped(r.failures.join(QStringLiteral("; "))));
        }
        const QString title = QStringLiteral("<h2>Summary</h2><p>%1 measurements, %2 axes; %3 with a failed limit.</p>")
                                  .arg(p.measurements)
                                  .arg(p.summary.size())
                                  .arg(failed);
        p.flow->Add(p.Table(title,
                            {QStringLiteral("File"), QStringLiteral("Axis (phi)"), QStringLiteral("13.5% Width (deg)"),
                             QStringLiteral("13.5% NA"), QStringLiteral("MFD (\u00B5m)"), QStringLiteral("Result"),
                             QStringLiteral("Failed")},
                            rows));
        if (!p.leftOut.isEmpty()) {
            p.flow->Add(p.Html(QStringLiteral("<p><b>Not reported</b> (the files could not be read): %1</p>")
                                   .arg(Escaped(p.leftOut.join(QStringLiteral(", "))))));
        }
    }

    const std::vector<PageFlow::Page>& pages = p.flow->Pages();
    QPainter painter;
    if (pages.empty() || !painter.begin(p.writer.get())) return {};
    const int width = p.writer->width();
    const int height = p.writer->height();
    const QFontMetrics header(p.headerFont, p.writer.get());
    for (size_t i = 0; i < pages.size(); ++i) {
        if (i > 0) p.writer->newPage();
        painter.setFont(p.headerFont);
        painter.setPen(Qt::black);
        const QRect top(0, 0, width, header.height());
        painter.drawText(top, Qt::AlignLeft | Qt::AlignVCenter,
                         header.elidedText(QStringLiteral("Orbiscan measurement report \u2014 %1").arg(pages[i].header),
                                           Qt::ElideMiddle, width * 2 / 3));
        painter.drawText(top, Qt::AlignRight | Qt::AlignVCenter, Stamp(p.when));
        painter.setPen(QPen(Qt::gray, 0));
        painter.drawLine(0, header.height() * 3 / 2, width, header.height() * 3 / 2);
        painter.setPen(Qt::black);
        painter.drawText(QRect(0, height - header.height(), width, header.height()), Qt::AlignCenter,
                         QStringLiteral("Page %1 of %2").arg(i + 1).arg(pages.size()));
        for (const PageFlow::Placed& placed : pages[i].blocks) {
            placed.block->Paint(painter, placed.area.translated(0, p.headerHeight));
        }
    }
    if (!painter.end()) return {};
    p.buffer.close();
    return p.buffer.data();
}

}  // namespace velor
