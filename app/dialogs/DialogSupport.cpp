#include "app/dialogs/DialogSupport.h"

#include <QBoxLayout>
#include <QDialog>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <cmath>

namespace velor {

QDialogButtonBox* AddOkCancel(QDialog& dialog, QBoxLayout& layout, bool okEnabled) {
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    buttons->button(QDialogButtonBox::Ok)->setEnabled(okEnabled);
    // Enter must not accept through a disabled OK.
    buttons->button(QDialogButtonBox::Ok)->setDefault(okEnabled);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    layout.addWidget(buttons);
    return buttons;
}

std::optional<double> ReadNumberField(QLineEdit& field, double low, double high,
                                      UserPrompt& prompt) {
    bool ok = false;
    // Fields always take a decimal point, whatever the user's language.
    const double value = QLocale::c().toDouble(field.text().trimmed(), &ok);
    QString problem;
    if (!ok || !std::isfinite(value)) {
        problem = QStringLiteral("Please enter a number.");
    } else if (value < low || value > high) {
        problem = QStringLiteral("Please enter a number between %1 and %2.")
                      .arg(FieldText(low), FieldText(high));
    } else {
        return value;
    }
    prompt.Message(problem, QString(), PromptIcon::Exclamation);
    field.setFocus();
    field.selectAll();
    return std::nullopt;
}

QString FieldText(double value) {
    return QString::number(value, 'g', 6);
}

}  // namespace velor
