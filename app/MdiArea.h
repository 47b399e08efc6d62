#pragma once
// The area holding the view windows. With the Background Logo preference on it shows the
// program's logo centred on light grey, and keeps it centred as the window is resized. Its
// Cascade gives the windows one size, each a title bar's height below and right of the one
// before.

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
    // The windows that are not minimised, in the order they were opened, one size, stepped
    // down and right from the top left corner (and from there again where the area ends).
    void CascadeInOneSize();
    bool ShowsLogo() const { return m_logo; }
    const QPixmap& Logo() const { return m_pixmap; }

protected:
    void showEvent(QShowEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    QPixmap m_pixmap;
    bool m_logo = false;
};

// The program's logo, drawn rather than stored.
QPixmap MakeLogo();

}  // namespace velor
