#include "views/timestats/SpinField.h"

#include <QHBoxLayout>
#include <QLineEdit>
#include <QLocale>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>

namespace velor {

SpinField::SpinField(const char* name, int decimals, QWidget* parent)
    : QWidget(parent), m_edit(new QLineEdit(this)), m_decimals(decimals) {
    m_edit->setObjectName(QLatin1String(name));
    auto* up = new QToolButton(this);
    auto* down = new QToolButton(this);
    up->setArrowType(Qt::UpArrow);
    down->setArrowType(Qt::DownArrow);
    for (QToolButton* button : {up, down}) {
        button->setAutoRepeat(true);
        button->setFixedSize(16, 11);
        button->setFocusPolicy(Qt::NoFocus);
    }
    connect(up, &QToolButton::clicked, this, [this] { Step(1); });
    connect(down, &QToolButton::clicked, this, [this] { Step(-1); });
    auto* arrows = new QVBoxLayout();
    arrows->setSpacing(0);
    arrows->addWidget(up);
    arrows->addWidget(down);
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(1);
    row->addWidget(m_edit);
    row->addLayout(arrows);
}

QString SpinField::Text() const { return m_edit->text(); }

void SpinField::SetValue(double value) {
    m_edit->setText(m_decimals > 0 ? QLocale::c().toString(value, 'f', m_decimals)
                                   : QLocale::c().toString(static_cast<qlonglong>(value)));
}

void SpinField::SetRange(double low, double high) {
    m_low = low;
    m_high = high;
}

void SpinField::Step(int direction) {
    bool ok = false;
    const double current = QLocale::c().toDouble(m_edit->text().trimmed(), &ok);
    const double from = ok ? current : m_low;
    SetValue(std::clamp(from + direction * m_step, m_low, std::max(m_low, m_high)));
    emit Stepped();
}

}  // namespace velor
