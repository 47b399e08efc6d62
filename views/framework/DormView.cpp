#include "views/framework/DormView.h"

#include <QApplication>
#include <QClipboard>
#include <QCoreApplication>
#include <QEvent>
#include <QGuiApplication>
#include <QImage>
#include <QMdiArea>
#include <QMenu>
#include <QPainter>
#include <QScreen>
#include <algorithm>

#include "images/ImageExport.h"
#include "common/UserPrompt.h"
#include "document/UpdateHints.h"
#include "document/Velor32Doc.h"
#include "document/file/SaveAs.h"
#include "views/common/TimingDlg.h"
#include "views/framework/ViewFrame.h"
#include "views/framework/ViewHost.h"

namespace velor {
namespace {

// A completed scan, posted to the view like the window message it stands for.
class ScanDoneEvent : public QEvent {
public:
    static QEvent::Type Id() {
        static const int type = QEvent::registerEventType();
        return static_cast<QEvent::Type>(type);
    }
    explicit ScanDoneEvent(int code) : QEvent(Id()), code(code) {}
    int code;
};

// Re-applies the stored placement.
constexpr uint16_t kHintApplyPlacement = 0x094D;

const char kWindowRectKey[] = "WNDRECT";

// The largest coordinate or size a stored placement may give a window.
constexpr int32_t kMaxPlacementExtent = 16384;

}  // namespace

QString ViewSectionName(uint16_t tag) {
    switch (tag) {
        case kTimeStatViewTag: return QStringLiteral("GRAPHSTAT");
        case kProfileViewTag: return QStringLiteral("BEAMPROFILE");
        case kNoteViewTag: return QStringLiteral("EDITNOTE");
        case kPowerViewTag: return QStringLiteral("POWERMETER");
        case kBeamDataViewTag: return QStringLiteral("BEAMDATA");
        case k3dViewTag: return QStringLiteral("OI3DMODEL");
        case kPolarViewTag: return QStringLiteral("POLARDATA");
        case kTopoViewTag: return QStringLiteral("TOPO");
        case kNearFieldViewTag: return QStringLiteral("NEARFIELD");
        default: return QStringLiteral("VIEW%1").arg(tag);
    }
}

CDormView::CDormView(uint16_t tag, ViewHost& host, QWidget* parent)
    : QWidget(parent), DocumentView(tag), m_host(host) {}

CDormView::~CDormView() {
    if (CVelor32Doc* doc = Document()) doc->RemoveAcquisitionClient(this);
}

CVelor32Doc* CDormView::Document() const { return static_cast<CVelor32Doc*>(GetDocument()); }

CViewFrame* CDormView::Frame() const {
    for (QWidget* w = parentWidget(); w; w = w->parentWidget()) {
        if (auto* frame = qobject_cast<CViewFrame*>(w)) return frame;
    }
    return nullptr;
}

QSize CDormView::SizeHook(QSize proposed) const {
    const QScreen* screen = QGuiApplication::primaryScreen();
    const QSize screenSize = screen ? screen->geometry().size() : QSize(1024, 768);
    return QSize(std::max(proposed.width(), screenSize.width() / 8),
                 std::max(proposed.height(), screenSize.height() / 6));
}

bool CDormView::IsInSight() const {
    const CViewFrame* frame = Frame();
    if (frame && (frame->isMinimized() || frame->isHidden())) return false;
    return !window()->isMinimized();
}

void CDormView::RequestRepaint() {
    if (!IsInSight()) return;
    update();  // Qt folds every request of one event-loop pass into one repaint
}

int CDormView::PlotPeriodMs(int rate, int unit) {
    static const int kUnitMs[] = {1000, 60000, 3600000};
    if (rate == 0 || unit < 0 || unit > 2) return 0;
    return kUnitMs[unit] / rate;
}

int CDormView::ClientPeriodMs() const {
    return PlotPeriodMs(m_viewData.m_nUpdateRate, m_viewData.m_nUpdateRateUnit);
}

void CDormView::AskPlotFrequency(uint16_t& rate, uint16_t& unit) {
    CVelor32Doc* doc = Document();
    if (doc) doc->PauseAcquisition();
    CTimingDlg dialog(rate, unit, doc ? static_cast<unsigned>(doc->GetMaxScanRate()) : 10, Host().Prompt(), this);
    if (dialog.exec() == QDialog::Accepted) {
        rate = dialog.GetUpdateRate();
        unit = static_cast<uint16_t>(dialog.GetUpdateRateUnit());
        if (DataCollection()) RegisterAsClient();
    }
    if (doc) doc->ResumeAcquisition();
}

void CDormView::RegisterAsClient() {
    CVelor32Doc* doc = Document();
    if (!doc) return;
    doc->RemoveAcquisitionClient(this);
    if (!DataCollection()) return;
    const int period = ClientPeriodMs();
    if (period > 0 && !doc->AddAcquisitionClient(-1, period, this)) m_viewData.m_bDataCollection = 0;
}

void CDormView::SetDataCollection(bool on) {
    m_viewData.m_bDataCollection = on ? 1 : 0;
    RegisterAsClient();
}

void CDormView::OnInitialUpdate() {
    int left = 0, top = 0, right = 300, bottom = 300, show = 1;
    QSettings settings;
    const QStringList parts =
        settings.value(SectionName() + QLatin1Char('/') + QLatin1String(kWindowRectKey),
                       QStringLiteral("0 0 300 300 1"))
            .toString()
            .split(QLatin1Char(','));
    bool ok = parts.size() >= 5;
    int values[5] = {};
    for (int i = 0; ok && i < 5; ++i) values[i] = parts[i].trimmed().toInt(&ok);
    if (ok) {
        left = values[0];
        top = values[1];
        right = values[2];
        bottom = values[3];
        show = values[4];
    }
    if (show == 1) {
        // A frame dragged partly off the top or left comes back at the edge, its size kept.
        if (left < 0) {
            right -= left;
            left = 0;
        }
        if (top < 0) {
            bottom -= top;
            top = 0;
        }
    }
    const QSize size = SizeHook(QSize(right - left + 1, bottom - top + 1));
    right = left + size.width() - 1;
    bottom = top + size.height() - 1;
    if (CViewFrame* frame = Frame()) {
        frame->setGeometry(left, top, right - left, bottom - top);
        frame->KeepInsideArea();
    }
}

void CDormView::StorePlacementInSettings() {
    CViewFrame* frame = Frame();
    if (!frame) return;
    const QRect r = frame->NormalGeometry();
    const int show = frame->isMinimized() ? 2 : frame->isMaximized() ? 3 : 1;
    QSettings settings;
    settings.setValue(SectionName() + QLatin1Char('/') + QLatin1String(kWindowRectKey),
                      QStringLiteral("%1,%2,%3,%4,%5")
                          .arg(r.left())
                          .arg(r.top())
                          .arg(r.left() + r.width())
                          .arg(r.top() + r.height())
                          .arg(show));
}

void CDormView::RefreshPlacement() {
    CViewFrame* frame = Frame();
    if (!frame || m_applyingPlacement) return;
    WindowPlacement& p = m_viewData.m_placement;
    const QRect r = frame->NormalGeometry();
    p.length = sizeof(WindowPlacement);
    p.flags = 0;
    p.showCmd = frame->isMinimized() ? kShowMinimized : frame->isMaximized() ? kShowMaximized : kShowNormal;
    p.normalPosition[0] = r.left();
    p.normalPosition[1] = r.top();
    p.normalPosition[2] = r.left() + r.width();
    p.normalPosition[3] = r.top() + r.height();
}

void CDormView::ApplyStoredPlacement() {
    CViewFrame* frame = Frame();
    const WindowPlacement& p = m_viewData.m_placement;
    if (!frame || p.length != sizeof(WindowPlacement)) return;
    m_applyingPlacement = true;
    // A placement from a file is whatever the file says: kept to sizes a screen can hold, so
    // no file can make a window of millions of pixels.
    const auto clamp = [](int32_t v) { return std::clamp(v, -kMaxPlacementExtent, kMaxPlacementExtent); };
    const int left = clamp(p.normalPosition[0]);
    const int top = clamp(p.normalPosition[1]);
    frame->setGeometry(left, top, std::clamp(clamp(p.normalPosition[2]) - left, 0, kMaxPlacementExtent),
                       std::clamp(clamp(p.normalPosition[3]) - top, 0, kMaxPlacementExtent));
    frame->KeepInsideArea();
    frame->RememberNormalGeometry();
    if (p.showCmd == kShowMinimized || p.showCmd == 6) {
        frame->showMinimized();
    } else if (p.showCmd == kShowMaximized) {
        frame->showMaximized();
    } else {
        frame->showNormal();
    }
    m_applyingPlacement = false;
}

bool CDormView::ReadSection(SerializeContext& context) {
    const bool wasCollecting = DataCollection();
    if (!DocumentView::ReadSection(context)) return false;
    if (wasCollecting) {
        if (CVelor32Doc* doc = Document()) doc->RemoveAcquisitionClient(this);
    }
    m_placementFromFile = true;
    return true;
}

void CDormView::ShowInPlace() {
    CViewFrame* frame = Frame();
    if (!frame) return;
    if (m_placementFromFile && m_viewData.m_placement.length == sizeof(WindowPlacement)) {
        ApplyStoredPlacement();
    } else if (!frame->isVisible()) {
        frame->show();
    }
    m_placementFromFile = false;
}

void CDormView::OnUpdate(uint32_t hint) {
    if (HintEvent(hint) == UM_ACQSTATE_EVENT) {
        SetDataCollection(HintParameter(hint) != 0);
    } else if (HintEvent(hint) == kHintApplyPlacement) {
        ApplyStoredPlacement();
    }
}

void CDormView::PostScanDone(int code) { QCoreApplication::postEvent(this, new ScanDoneEvent(code)); }

bool CDormView::event(QEvent* event) {
    if (event->type() == ScanDoneEvent::Id()) {
        OnScanDone(static_cast<ScanDoneEvent*>(event)->code);
        return true;
    }
    return QWidget::event(event);
}

bool CDormView::OnCommand(int id) {
    switch (id) {
        case ID_EDIT_COPY:
            CopyToClipboard();
            return true;
        case ID_DATA_COLLECTION:
            SetDataCollection(!DataCollection());
            return true;
        case ID_SAVE_IMAGE:
            SaveImage();
            return true;
        default:
            return false;
    }
}

CommandState CDormView::GetCommandState(int id) const {
    switch (id) {
        case ID_DATA_COLLECTION: {
            const CVelor32Doc* doc = Document();
            return {doc && doc->IsAcquiring(), DataCollection(), false};
        }
        case ID_EDIT_COPY:
        case ID_SAVE_IMAGE:
            return {true, false, false};
        default:
            return {false, false, false};
    }
}

void CDormView::ShowCommandMenu(const QPoint& globalPos) {
    QMenu menu(this);
    for (const ViewCommand& command : MenuCommands()) {
        if (command.separatorBefore) menu.addSeparator();
        QAction* action = menu.addAction(command.text);
        const CommandState state = GetCommandState(command.id);
        action->setEnabled(state.enabled);
        action->setCheckable(state.checked);
        action->setChecked(state.checked);
        action->setData(command.id);
    }
    if (QAction* chosen = menu.exec(globalPos)) OnCommand(chosen->data().toInt());
}

QImage CDormView::RenderImage() { return grab().toImage(); }

void CDormView::Print(QPainter& painter, const QRect& page) {
    const QImage image = RenderImage();
    if (image.isNull()) return;
    const QSize fitted = image.size().scaled(page.size(), Qt::KeepAspectRatio);
    painter.drawImage(QRect(page.topLeft(), fitted), image);
}

bool CDormView::CopyToClipboard() {
    CViewFrame* frame = Frame();
    if (frame && frame->isMinimized()) return false;
    QApplication::clipboard()->setImage(RenderImage());
    return true;
}

void CDormView::SaveImage() {
    CViewFrame* frame = Frame();
    if (frame && frame->isMinimized()) return;
    CVelor32Doc* doc = Document();
    if (doc) doc->PauseAcquisition();
    const ImageType type = ImageTypeFromNumber(m_host.ImageType()).value_or(ImageType::Bmp);
    const ImageTypeInfo& info = GetImageTypeInfo(type);
    const auto choice = m_host.Prompt().AskSaveFile(
        {FileFilter{QString::fromLatin1(info.filter), QString::fromLatin1(info.pattern)}},
        QString::fromLatin1(info.extension), QString(), QStringLiteral("Save Image"));
    if (choice) {
        // The file's name says its format; a different existing file is replaced only if the
        // user agrees.
        const QString path = ReplaceExtension(choice->path, QString::fromLatin1(info.extension));
        if (ConfirmReplacement(m_host.Prompt(), choice->path, path) &&
            !velor::SaveImage(RenderImage(), path, type, m_host.ImageQuality())) {
            m_host.Prompt().Message(kImageSaveFailedMessage, QString(), PromptIcon::Exclamation);
        }
    }
    if (doc) doc->ResumeAcquisition();
}

}  // namespace velor
