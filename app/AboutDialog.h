#pragma once
// Help > About: the program's name and version and a link to the maker's web site.

#include <QDialog>
#include <QLabel>

namespace velor {

// A label that draws its text as a link in pure blue, underlined, and opens the address
// with the desktop's handler when clicked on its text.
class CHyperlinkStatic : public QLabel {
    Q_OBJECT

public:
    CHyperlinkStatic(const QString& text, const QString& url, QWidget* parent = nullptr);
    const QString& Url() const { return m_url; }

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    bool OverText(const QPoint& position) const;
    QString m_url;
};

class CAboutDlg : public QDialog {
    Q_OBJECT

public:
    explicit CAboutDlg(QWidget* parent = nullptr);
};

inline const QString kMakerWebAddress = QStringLiteral("https://www.lumora.example/orbiscan");

}  // namespace velor
