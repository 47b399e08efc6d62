#pragma once
// The area holding the view windows. With the Background Logo preference on it shows the
// program's logo centred on light grey, and keeps it centred as the window is resized.

#include <QMdiArea>
#include <QPixmap>

namespace velor {

class CMyMdi : public QMdiArea {
    Q_OBJECT

public:
    explicit CMyMdi(QWidget* parent = nullptr);

    void SetLogo(bool on);
    // Window > Arrange Icons: the minimised windows in a row along the bottom, left to right;
    // the others stay where they are.
    void ArrangeIcons();
    bool ShowsLogo() const { return m_logo; }
    const QPixmap& Logo() const { return m_pixmap; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    QPixmap m_pixmap;
    bool m_logo = false;
};

// The program's logo, drawn rather than stored.
QPixmap MakeLogo();

}  // namespace velor
