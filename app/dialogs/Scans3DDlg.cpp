#include "app/dialogs/Scans3DDlg.h"

#include <QComboBox>
#include <QFormLayout>
#include <QVBoxLayout>

#include "app/dialogs/DialogSupport.h"

namespace velor {
namespace {

const QString kEntries[] = {
    QStringLiteral(" 10    (18.0\u00B0)"), QStringLiteral(" 20    ( 9.0\u00B0)"),
    QStringLiteral(" 50    ( 3.6\u00B0)"), QStringLiteral("100    ( 1.8\u00B0)"),
    QStringLiteral("200    ( 0.9\u00B0)"),
};

uint16_t LeadingNumber(const QString& text) {
    return static_cast<uint16_t>(text.trimmed().section(QLatin1Char(' '), 0, 0).toUInt());
}

}  // namespace

CScans3DDlg::CScans3DDlg(uint16_t scans, bool okEnabled, QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("3D Azimuth Scans"));
    auto* layout = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    m_list = new QComboBox(this);
    m_list->setObjectName(QLatin1String(kListName));
    for (const QString& entry : kEntries) {
        m_list->addItem(entry);
        if (LeadingNumber(entry) == scans) m_list->setCurrentIndex(m_list->count() - 1);
    }
    form->addRow(QStringLiteral("&Azimuth scans:"), m_list);
    layout->addLayout(form);
    AddOkCancel(*this, *layout, okEnabled);
}

uint16_t CScans3DDlg::GetScans() const {
    return LeadingNumber(m_list->currentText());
}

}  // namespace velor
