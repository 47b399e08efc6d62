#include "views/beamstats/FileLogDlg.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace velor {

CFileLogDlg::CFileLogDlg(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("File Logging"));
    auto* buttons = new QDialogButtonBox(this);
    const struct {
        const char* text;
        const char* name;
        ExistingLogChoice choice;
    } kButtons[] = {{"Append", kAppendName, ExistingLogChoice::Append},
                    {"Overwrite", kOverwriteName, ExistingLogChoice::Overwrite},
                    {"Cancel", kCancelName, ExistingLogChoice::Cancel}};
    for (const auto& b : kButtons) {
        QPushButton* button = buttons->addButton(QString::fromLatin1(b.text), QDialogButtonBox::ActionRole);
        button->setObjectName(QLatin1String(b.name));
        const ExistingLogChoice choice = b.choice;
        connect(button, &QPushButton::clicked, this, [this, choice] {
            m_choice = choice;
            if (choice == ExistingLogChoice::Cancel) {
                reject();
            } else {
                accept();
            }
        });
    }
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("File name already exists!"), this));
    layout->addWidget(buttons);
}

ExistingLogChoice CFileLogDlg::Ask(QWidget* parent) {
    CFileLogDlg dialog(parent);
    dialog.exec();
    return dialog.Choice();
}

}  // namespace velor
