#pragma once
// "Beam Information!" (dialog 6014, modeless): a warning about the beam, such as a saturated
// signal, that stays up while the condition lasts. Where it was last is kept in the
// preferences as "BEAM_SENSE" ("left,top,right,bottom").

#include <QDialog>
#include <QRect>

class QLabel;

namespace velor {

class CBeamSenseDlg : public QDialog {
    Q_OBJECT

public:
    static constexpr const char* kTextName = "beamSenseText";

    explicit CBeamSenseDlg(QWidget* parent = nullptr);

    // Changes the text only when it differs from the one shown.
    void SetText(const QString& text);
    QString Text() const;

    // Moves the window to the stored place, kept inside `area` (right and bottom edges first,
    // then left and top); the window keeps its size. Nothing when no place is stored.
    void RestorePlacement(const QRect& area);
    // Stores the window's place.
    void StorePlacement() const;

    static QRect StoredRect();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    QLabel* m_text;
};

}  // namespace velor
