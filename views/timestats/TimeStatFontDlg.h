#pragma once
// Font: the standard font dialog on the chart font, preset with the stored face, size and
// weight; the caller stores the face, the point size and whether it is bold.

#include <QFontDialog>
#include <QString>

namespace velor {

struct ChartFontChoice {
    QString face;
    int size = 10;   // points
    bool bold = false;
};

// The chart's font as the record describes it: "face,size,bold" or "face,size,normal".
QString ChartFontString(const ChartFontChoice& choice);
// The font such a string names (the face may itself hold commas).
QFont FontFromString(const QString& text);

class CTimeStatFontDlg : public QFontDialog {
    Q_OBJECT

public:
    explicit CTimeStatFontDlg(const ChartFontChoice& choice, QWidget* parent = nullptr);

    // The font chosen on OK; the preset until then.
    ChartFontChoice Choice() const;
};

}  // namespace velor
