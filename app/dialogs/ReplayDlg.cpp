#include "app/dialogs/ReplayDlg.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QVBoxLayout>

#include "document/Velor32Doc.h"

namespace velor {

CReplayDlg::CReplayDlg(CVelor32Doc& doc, QWidget* parent) : QDialog(parent), m_doc(doc) {
    setWindowTitle(QStringLiteral("Replay"));
    auto* layout = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    m_list = new QComboBox(this);
    m_list->setObjectName(QLatin1String(kListName));
    // The scan at 180 degrees repeats the one at 0 mirrored, so it is not offered.
    const int scans = doc.m_nScans3D;
    for (int k = 0; k < scans; ++k) {
        m_list->addItem(QString::asprintf("%.3f", k * 180.0 / scans));
    }
    form->addRow(QStringLiteral("Display Data at Phi:"), m_list);
    layout->addLayout(form);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::rejected, this, &CReplayDlg::reject);
    layout->addWidget(buttons);
    connect(m_list, qOverload<int>(&QComboBox::currentIndexChanged), this, [this](int k) {
        if (k >= 0) m_doc.ReplayScan(k);
    });
}

void CReplayDlg::reject() {
    if (m_doc.IsReplayMode()) m_doc.ToggleReplay();
}

}  // namespace velor
