#include "views/topo/C2dView.h"

#include <QTimer>
#include <QVBoxLayout>
#include <cstring>
#include <new>

#include "document/UpdateHints.h"
#include "document/Velor32Doc.h"
#include "views/common/ColorClipDlg.h"
#include "views/framework/PausedAcquisition.h"
#include "views/framework/ViewFrame.h"
#include "views/framework/ViewHost.h"
#include "views/topo/DiscReadout.h"
#include "views/topo/PlaneViewer.h"
#include "views/topo/TopoModel.h"
#include "views/topo/TopoRecord.h"
#include "views/topo/TopoScene.h"

namespace velor {
namespace {

const QString kTitle = QStringLiteral("Topographic View - Lumora inc.");
const QString kClipDialogTitle = QStringLiteral("ClipLevels for 2D Plot");

// The document notifications that change what the map shows: parameters and a new 3D set.
constexpr uint16_t kHintParameters = 0x0954;
constexpr uint16_t kHint3dDone = 0x0955;

}  // namespace

C2dView::C2dView(ViewHost& host, QWidget* parent)
    : CDormView(kTopoViewTag, host, parent), m_model(std::make_unique<TopoModel>()) {
    m_viewer = new PlaneViewer(this);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_viewer);
    connect(m_viewer, &RenderArea::MenuRequested, this, &C2dView::ShowCommandMenu);
    connect(m_viewer, &PlaneViewer::PointerMoved, this, &C2dView::ShowReading);
    connect(m_viewer, &PlaneViewer::PointerLeft, this, &C2dView::ClearReading);
}

C2dView::~C2dView() { ClearReading(); }

QString C2dView::FrameTitle() { return kTitle; }

void C2dView::OnInitialUpdate() {
    if (CViewFrame* frame = Frame()) frame->setWindowTitle(FrameTitle());
    ApplyCamera();
    Rebuild();
    CDormView::OnInitialUpdate();
}

// --- the map ----------------------------------------------------------------------------------

void C2dView::Rebuild() {
    if (m_rebuildPending) return;
    m_rebuildPending = true;
    QTimer::singleShot(0, this, [this] { FlushRebuild(); });
}

void C2dView::FlushRebuild() {
    if (!m_rebuildPending) return;
    m_rebuildPending = false;
    BuildMap();
}

TopoLook C2dView::Look() const { return {m_bMeshLines != 0, m_bLegend != 0}; }

void C2dView::BuildMap() {
    ++m_builds;
    TopoScene& scene = m_viewer->Scene();
    CVelor32Doc* doc = Document();
    bool built = true;
    try {
        *m_model = doc ? TopoModelFor(*doc, *this) : TopoModel{};
        built = scene.Show(*m_model, Look());
    } catch (const std::bad_alloc&) {
        built = false;
    }
    if (!built) {
        *m_model = TopoModel{};
        scene.Clear();
        Host().Prompt().Message(kTopoMemoryMessage, QString(), PromptIcon::Exclamation);
    }
    m_viewer->RequestRender();
}

void C2dView::Restyle() {
    m_viewer->Scene().SetLook(Look());
    m_viewer->RequestRender();
}

void C2dView::ApplyCamera() {
    PlaneCamera camera;
    for (int i = 0; i < 3; ++i) camera.position[i] = m_fCameraPosition[i];
    camera.focalDistance = m_fFocalDistance;
    m_viewer->SetCamera(camera);
}

void C2dView::StoreCamera() {
    const PlaneCamera camera = m_viewer->Camera();
    for (int i = 0; i < 3; ++i) m_fCameraPosition[i] = static_cast<float>(camera.position[i]);
    m_fFocalDistance = static_cast<float>(camera.focalDistance);
}

QImage C2dView::RenderImage() {
    FlushRebuild();
    return m_viewer->Grab();
}

// --- the pointer's readings -------------------------------------------------------------------

QString C2dView::ReadingAt(QPoint pixel) const {
    const std::optional<QPointF> point = m_viewer->DiscPointAt(pixel);
    if (!point) return {};
    const std::optional<DiscReading> reading = ReadDisc(*m_model, point->x(), point->y());
    return reading ? ReadingText(*reading, m_model->logarithmic) : QString();
}

void C2dView::ShowReading(QPoint pixel) {
    const QString text = ReadingAt(pixel);
    if (text.isEmpty()) {
        ClearReading();
        return;
    }
    Host().ShowStatusMessage(text);
    m_showingReading = true;
}

void C2dView::ClearReading() {
    // Only a line of this view's own is taken away.
    if (!m_showingReading) return;
    m_showingReading = false;
    Host().ShowStatusMessage(QString());
}

// --- commands ---------------------------------------------------------------------------------

QList<ViewCommand> C2dView::MenuCommands() const {
    return {
        {ID_2D_CLIP_LEVEL, QStringLiteral("Clip &Level ..."), {}},
        {ID_2D_CLIP_LEGEND, QStringLiteral("Clip Legen&d"), {}},
        {ID_2D_MESH_LINES, QStringLiteral("&Mesh Lines"), {}},
        {ID_2D_LOW, QStringLiteral("&Low"), {}, true},
        {ID_2D_MEDIUM, QStringLiteral("&Medium"), {}},
        {ID_2D_HIGH, QStringLiteral("&High"), {}},
        {ID_2D_LINEAR, QStringLiteral("Li&near"), {}, true},
        {ID_2D_LOGARITHMIC, QStringLiteral("Lo&garithmic"), {}},
    };
}

bool C2dView::OnCommand(int id) {
    CVelor32Doc* doc = Document();
    // A 3D run holds the document: nothing may change it meanwhile.
    if (doc && doc->IsAcquiring3D()) return false;
    if (!GetCommandState(id).enabled) return false;
    // A changed setting is a change of the measurement's file, as any other. The camera is
    // kept in the file too, but looking at the map from elsewhere changes no setting.
    const C2dData before = *this;
    const bool handled = RunCommand(id);
    if (doc && std::memcmp(static_cast<const C2dData*>(this), &before, sizeof before) != 0) {
        doc->SetModifiedFlag(true);
    }
    return handled;
}

bool C2dView::RunCommand(int id) {
    switch (id) {
        case ID_2D_CLIP_LEVEL: OnClipLevels(); return true;
        case ID_2D_CLIP_LEGEND:
            m_bLegend = m_bLegend ? 0 : 1;
            Restyle();
            return true;
        case ID_2D_MESH_LINES:
            m_bMeshLines = m_bMeshLines ? 0 : 1;
            Restyle();
            return true;
        case ID_2D_LOW:
        case ID_2D_MEDIUM:
        case ID_2D_HIGH:
            m_nResolution = id == ID_2D_LOW ? kTopoLow : id == ID_2D_MEDIUM ? kTopoMedium : kTopoHigh;
            Rebuild();
            return true;
        case ID_2D_LINEAR:
        case ID_2D_LOGARITHMIC:
            m_bLogarithmic = id == ID_2D_LOGARITHMIC ? 1 : 0;
            Rebuild();
            return true;
        default: return CDormView::OnCommand(id);
    }
}

CommandState C2dView::GetCommandState(int id) const {
    const CVelor32Doc* doc = Document();
    const bool enabled = !(doc && doc->IsAcquiring3D());
    switch (id) {
        case ID_2D_CLIP_LEVEL: return {enabled && !m_bLogarithmic, false, false};
        case ID_2D_CLIP_LEGEND: return {enabled, m_bLegend != 0, false};
        case ID_2D_MESH_LINES: return {enabled, m_bMeshLines != 0, false};
        case ID_2D_LOW: return {enabled, m_nResolution == kTopoLow, false};
        case ID_2D_MEDIUM: return {enabled, m_nResolution == kTopoMedium, false};
        case ID_2D_HIGH: return {enabled, m_nResolution == kTopoHigh, false};
        case ID_2D_LINEAR: return {enabled, !m_bLogarithmic, false};
        case ID_2D_LOGARITHMIC: return {enabled, m_bLogarithmic != 0, false};
        default: return CDormView::GetCommandState(id);
    }
}

void C2dView::OnClipLevels() {
    PausedAcquisition paused(Document());
    if (EditClipLevels(m_nClipCount, m_nClipLevel, m_crClipColor, kClipDialogTitle, Host().Prompt(), this)) {
        Rebuild();
    }
}

// --- notifications and the data file -----------------------------------------------------------

void C2dView::OnUpdate(uint32_t hint) {
    const uint16_t event = HintEvent(hint);
    if (event == kHintParameters || event == kHint3dDone) {
        Rebuild();
    } else {
        CDormView::OnUpdate(hint);
    }
}

bool C2dView::WriteSection(SerializeContext& context) {
    if (!DocumentView::WriteSection(context)) return false;
    StoreCamera();
    return Write2dRecord(context.archive, *this);
}

bool C2dView::ReadSection(SerializeContext& context) {
    if (!CDormView::ReadSection(context)) return false;
    if (!Read2dRecord(context.archive, *this)) return false;
    ApplyCamera();
    if (CViewFrame* frame = Frame()) frame->setWindowTitle(FrameTitle());
    Rebuild();
    return true;
}

}  // namespace velor
