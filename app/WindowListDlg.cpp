#include "app/WindowListDlg.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QListWidget>
#include <QVBoxLayout>

namespace velor {

CWindowListDlg::CWindowListDlg(const QStringList& titles, int current, QWidget* parent)
    : QDialog(parent) {
    setWindowTitle(QStringLiteral("Select Window"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("&Select window:"), this));
    m_list = new QListWidget(this);
    m_list->setObjectName(QLatin1String(kListName));
    m_list->addItems(titles);
    m_list->setCurrentRow(current);
    layout->addWidget(m_list);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_list, &QListWidget::itemDoubleClicked, this, &QDialog::accept);
    layout->addWidget(buttons);
}

int CWindowListDlg::Chosen() const {
    return m_list->currentRow();
}

}  // namespace velor
