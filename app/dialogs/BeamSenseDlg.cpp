#include "app/dialogs/BeamSenseDlg.h"

#include <QCloseEvent>
#include <QLabel>
#include <QSettings>
#include <QStringList>
#include <QVBoxLayout>

#include "app/Preferences.h"

namespace velor {
namespace {

QString Key() {
    return Preferences::Section() + QStringLiteral("/BEAM_SENSE");
}

}  // namespace

CBeamSenseDlg::CBeamSenseDlg(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Beam Information!"));
    auto* layout = new QVBoxLayout(this);
    m_text = new QLabel(this);
    m_text->setObjectName(QLatin1String(kTextName));
    m_text->setAlignment(Qt::AlignCenter);
    m_text->setMinimumWidth(220);
    layout->addWidget(m_text);
    adjustSize();
}

void CBeamSenseDlg::SetText(const QString& text) {
    if (m_text->text() != text) m_text->setText(text);
}

QString CBeamSenseDlg::Text() const {
    return m_text->text();
}

QRect CBeamSenseDlg::StoredRect() {
    const QStringList parts =
        QSettings().value(Key(), QStringLiteral("0,0,0,0")).toString().split(QLatin1Char(','));
    int v[4] = {};
    for (int i = 0; i < 4 && parts.size() == 4; ++i) {
        bool ok = false;
        v[i] = parts[i].trimmed().toInt(&ok);
        if (!ok) return {};
    }
    return QRect(QPoint(v[0], v[1]), QPoint(v[2] - 1, v[3] - 1));
}

void CBeamSenseDlg::RestorePlacement(const QRect& area) {
    const QRect stored = StoredRect();
    if (stored.isEmpty()) return;
    QRect r(stored.topLeft(), frameGeometry().size());
    if (r.right() > area.right()) r.moveRight(area.right());
    if (r.bottom() > area.bottom()) r.moveBottom(area.bottom());
    if (r.left() < area.left()) r.moveLeft(area.left());
    if (r.top() < area.top()) r.moveTop(area.top());
    move(r.topLeft());
}

void CBeamSenseDlg::StorePlacement() const {
    const QRect r = frameGeometry();
    QSettings().setValue(Key(), QStringLiteral("%1,%2,%3,%4")
                                    .arg(r.left())
                                    .arg(r.top())
                                    .arg(r.left() + r.width())
                                    .arg(r.top() + r.height()));
}

void CBeamSenseDlg::closeEvent(QCloseEvent* event) {
    StorePlacement();
    QDialog::closeEvent(event);
}

}  // namespace velor
