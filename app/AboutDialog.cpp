#include "app/AboutDialog.h"

#include <QDesktopServices>
#include <QDialogButtonBox>
#include <QFontMetrics>
#include <QMouseEvent>
#include <QUrl>
#include <QVBoxLayout>

#include "ProgramIdentity.h"
#include "app/MdiArea.h"

namespace velor {

CHyperlinkStatic::CHyperlinkStatic(const QString& text, const QString& url, QWidget* parent)
    : QLabel(text, parent), m_url(url) {
    QFont underlined = font();
    underlined.setUnderline(true);
    setFont(underlined);
    QPalette palette = this->palette();
    palette.setColor(QPalette::WindowText, QColor(0, 0, 255));
    setPalette(palette);
    setAttribute(Qt::WA_TranslucentBackground);
    setMouseTracking(true);
}

bool CHyperlinkStatic::OverText(const QPoint& position) const {
    const QRect extent(QPoint(0, 0), QFontMetrics(font()).size(Qt::TextSingleLine, text()));
    return extent.contains(position);
}

void CHyperlinkStatic::mouseMoveEvent(QMouseEvent* event) {
    setCursor(OverText(event->pos()) ? Qt::PointingHandCursor : Qt::ArrowCursor);
}

void CHyperlinkStatic::leaveEvent(QEvent*) { unsetCursor(); }

void CHyperlinkStatic::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && OverText(event->pos())) QDesktopServices::openUrl(QUrl(m_url));
}

CAboutDlg::CAboutDlg(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("About Orbiscan"));
    auto* layout = new QVBoxLayout(this);
    auto* logo = new QLabel(this);
    logo->setPixmap(MakeLogo());
    layout->addWidget(logo, 0, Qt::AlignHCenter);
    auto* name = new QLabel(QStringLiteral("Orbiscan Viewer, version " VELOR_VERSION), this);
    layout->addWidget(name, 0, Qt::AlignHCenter);
    auto* kind = new QLabel(QStringLiteral("Viewer software"), this);
    kind->setObjectName(QStringLiteral("text2017"));
    layout->addWidget(kind, 0, Qt::AlignHCenter);
    auto* link = new CHyperlinkStatic(kMakerWebAddress, kMakerWebAddress, this);
    link->setObjectName(QStringLiteral("hyperlink"));
    layout->addWidget(link, 0, Qt::AlignHCenter);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    layout->addWidget(buttons);
}

}  // namespace velor
