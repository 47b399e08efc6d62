#pragma once
// An edit with up and down arrows beside it. The arrows step the value within their range;
// the edit itself takes any text, so that the dialog's own checks on OK decide, with their
// messages, what is accepted.

#include <QWidget>

class QLineEdit;
class QToolButton;

namespace velor {

class SpinField : public QWidget {
    Q_OBJECT

public:
    // `name` is the object name of the edit, for tests.
    SpinField(const char* name, int decimals, QWidget* parent = nullptr);

    QLineEdit* Edit() const { return m_edit; }
    QString Text() const;
    void SetValue(double value);
    void SetRange(double low, double high);
    void SetStep(double step) { m_step = step; }

signals:
    void Stepped();

private:
    void Step(int direction);

    QLineEdit* m_edit;
    int m_decimals;
    double m_low = 0.0;
    double m_high = 0.0;
    double m_step = 1.0;
};

}  // namespace velor
