#include "views/timestats/TimeStatFontDlg.h"

#include <algorithm>
#include <cmath>

namespace velor {

QString ChartFontString(const ChartFontChoice& c) {
    return QStringLiteral("%1,%2,%3").arg(c.face).arg(c.size).arg(c.bold ? QStringLiteral("bold") : QStringLiteral("normal"));
}

QFont FontFromString(const QString& text) {
    const int weightAt = text.lastIndexOf(QLatin1Char(','));
    const int sizeAt = weightAt > 0 ? text.lastIndexOf(QLatin1Char(','), weightAt - 1) : -1;
    QFont font(sizeAt >= 0 ? text.left(sizeAt) : text);
    bool ok = false;
    const int size = sizeAt >= 0 ? text.mid(sizeAt + 1, weightAt - sizeAt - 1).toInt(&ok) : 0;
    font.setPointSize(ok && size > 0 ? size : 10);
    font.setBold(weightAt >= 0 && text.mid(weightAt + 1) == QLatin1String("bold"));
    return font;
}

CTimeStatFontDlg::CTimeStatFontDlg(const ChartFontChoice& choice, QWidget* parent) : QFontDialog(parent) {
    // Qt's own dialog, so that it runs (and is tested) the same on every desktop.
    setOption(QFontDialog::DontUseNativeDialog);
    setCurrentFont(FontFromString(ChartFontString(choice)));
}

ChartFontChoice CTimeStatFontDlg::Choice() const {
    // What is on screen; on OK that is the selected font.
    const QFont font = currentFont();
    const double points = font.pointSizeF() > 0 ? font.pointSizeF() : 10.0;
    return {font.family(), std::clamp(static_cast<int>(std::lround(points)), 1, 512), font.weight() >= QFont::Bold};
}

}  // namespace velor
