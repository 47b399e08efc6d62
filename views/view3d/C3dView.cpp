#include "views/view3d/C3dView.h"

#include <QTimer>
#include <QVBoxLayout>
#include <cmath>
#include <cstring>
#include <new>
#include <vector>

#include "document/UpdateHints.h"
#include "document/Velor32Doc.h"
#include "views/common/ColorClipDlg.h"
#include "views/framework/PausedAcquisition.h"
#include "views/framework/ViewFrame.h"
#include "views/framework/ViewHost.h"
#include "views/view3d/ExaminerViewer.h"
#include "views/view3d/SurfaceModel.h"
#include "views/view3d/SurfaceScene.h"
#include "views/view3d/View3dRecord.h"

namespace velor {
namespace {

const QString kPolarTitle = QStringLiteral("3D Polar View - Lumora inc.");
const QString kRectangularTitle = QStringLiteral("3D Rectangular View - Lumora inc.");
const QString kClipDialogTitle = QStringLiteral("ClipLevels for 3D Plots");

// The document notifications that change what the surface shows: parameters and a new 3D set.
constexpr uint16_t kHintParameters = 0x0954;
constexpr uint16_t kHint3dDone = 0x0955;

// The camera a new window starts with looks at the middle of the scene, the beam (polar) or
// the intensity (rectangular) pointing up.
CameraState InitialCamera(const C3dData& r) {
    CameraState state;
    state.position = {r.m_fCameraPosition[0], r.m_fCameraPosition[1], r.m_fCameraPosition[2]};
    const Vector3 up = r.IsRectangular() ? Vector3{0, 0, 1} : Vector3{0, 1, 0};
    const CameraFrame frame = LookAt(state.position, {0, 0, 0}, up);
    state.orientation = OrientationOf(frame.direction, frame.up);
    state.focalDistance = r.m_fFocalDistance;
    state.height = r.m_fCameraHeight;
    state.orthographic = r.m_bOrthographic != 0;
    return state;
}

CameraState RecordedCamera(const C3dData& r) {
    CameraState state;
    state.position = {r.m_fCameraPosition[0], r.m_fCameraPosition[1], r.m_fCameraPosition[2]};
    state.orientation = {{r.m_fCameraAxis[0], r.m_fCameraAxis[1], r.m_fCameraAxis[2]}, r.m_fCameraAngle};
    state.focalDistance = r.m_fFocalDistance;
    state.height = r.m_fCameraHeight;
    state.orthographic = r.m_bOrthographic != 0;
    return state;
}

}  // namespace

C3dView::C3dView(ViewHost& host, QWidget* parent) : CDormView(k3dViewTag, host, parent) {
    m_viewer = new ExaminerViewer(this);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_viewer);
    connect(m_viewer, &ExaminerViewer::MenuRequested, this, &C3dView::ShowCommandMenu);
}

C3dView::~C3dView() = default;

void C3dView::SetDisplayMode(int mode) {
    if (mode == static_cast<int>(k3dPolar) || mode == static_cast<int>(k3dRectangular)) {
        SetInitialKind(static_cast<uint32_t>(mode));
    }
}

QString C3dView::FrameTitle() const { return IsRectangular() ? kRectangularTitle : kPolarTitle; }

void C3dView::OnInitialUpdate() {
    if (CViewFrame* frame = Frame()) frame->setWindowTitle(FrameTitle());
    ApplyCamera();
    Rebuild();
    CDormView::OnInitialUpdate();
}

// --- the scene --------------------------------------------------------------------------------

void C3dView::Rebuild() {
    if (m_rebuildPending) return;
    m_rebuildPending = true;
    QTimer::singleShot(0, this, [this] { FlushRebuild(); });
}

void C3dView::FlushRebuild() {
    if (!m_rebuildPending) return;
    m_rebuildPending = false;
    BuildScene();
}

SceneLook C3dView::Look() const { return {m_bSolidSurface != 0, m_bMeshLines != 0, m_bLegend != 0}; }

void C3dView::BuildScene() {
    ++m_builds;
    SurfaceScene& scene = m_viewer->Scene();
    CVelor32Doc* doc = Document();
    bool built = true;
    try {
        const SurfaceModel model = doc ? SurfaceModelFor(*doc, *this) : SurfaceModel{};
        built = scene.Show(model, Look());
    } catch (const std::bad_alloc&) {
        built = false;
    }
    if (!built) {
        scene.Clear();
        Host().Prompt().Message(kScene3dMemoryMessage, QString(), PromptIcon::Exclamation);
    }
    m_viewer->RequestRender();
}

void C3dView::Restyle() {
    m_viewer->Scene().SetLook(Look());
    m_viewer->RequestRender();
}

void C3dView::ApplyCamera() { m_viewer->SetCamera(HasInitialCamera() ? InitialCamera(*this) : RecordedCamera(*this)); }

void C3dView::StoreCamera() {
    const CameraState camera = m_viewer->Camera();
    for (int i = 0; i < 3; ++i) {
        m_fCameraPosition[i] = static_cast<float>(camera.position[i]);
        m_fCameraAxis[i] = static_cast<float>(camera.orientation.axis[i]);
    }
    m_fCameraAngle = static_cast<float>(camera.orientation.angle);
    m_fFocalDistance = static_cast<float>(camera.focalDistance);
    m_bOrthographic = camera.orthographic ? 1 : 0;
    m_fCameraHeight = camera.orthographic ? static_cast<float>(camera.height) : 0.0f;
}

QImage C3dView::RenderImage() {
    FlushRebuild();
    return m_viewer->Grab();
}

// --- commands ---------------------------------------------------------------------------------

QList<ViewCommand> C3dView::MenuCommands() const {
    return {
        {ID_3D_SOLID_SURFACE, QStringLiteral("&Solid Surface"), {}},
        {ID_3D_CLIP_LEVEL, QStringLiteral("Clip &Level ..."), {}},
        {ID_3D_CLIP_LEGEND, QStringLiteral("Clip Legen&d"), {}},
        {ID_3D_MESH_LINES, QStringLiteral("&Mesh Lines"), {}},
        {ID_3D_LOW, QStringLiteral("&Low"), {}, true},
        {ID_3D_MEDIUM, QStringLiteral("&Medium"), {}},
        {ID_3D_HIGH, QStringLiteral("&High"), {}},
        {ID_3D_LINEAR, QStringLiteral("Li&near"), {}, true},
        {ID_3D_LOGARITHMIC, QStringLiteral("Lo&garithmic"), {}},
    };
}

bool C3dView::OnCommand(int id) {
    CVelor32Doc* doc = Document();
    // A 3D run holds the document: nothing may change it meanwhile.
    if (doc && doc->IsAcquiring3D()) return false;
    if (!GetCommandState(id).enabled) return false;
    // A changed setting is a change of the measurement's file, as any other. The camera is
    // kept in the file too, but looking at the surface from elsewhere changes no setting.
    const C3dData before = *this;
    const bool handled = RunCommand(id);
    if (doc && std::memcmp(static_cast<const C3dData*>(this), &before, sizeof before) != 0) {
        doc->SetModifiedFlag(true);
    }
    return handled;
}

bool C3dView::RunCommand(int id) {
    switch (id) {
        case ID_3D_SOLID_SURFACE:
            m_bSolidSurface = m_bSolidSurface ? 0 : 1;
            Restyle();
            return true;
        case ID_3D_CLIP_LEVEL: OnClipLevels(); return true;
        case ID_3D_CLIP_LEGEND:
            m_bLegend = m_bLegend ? 0 : 1;
            Restyle();
            return true;
        case ID_3D_MESH_LINES:
            m_bMeshLines = m_bMeshLines ? 0 : 1;
            Restyle();
            return true;
        case ID_3D_LOW:
        case ID_3D_MEDIUM:
        case ID_3D_HIGH:
            m_nResolution = id == ID_3D_LOW ? k3dLow : id == ID_3D_MEDIUM ? k3dMedium : k3dHigh;
            Rebuild();
            return true;
        case ID_3D_LINEAR:
        case ID_3D_LOGARITHMIC:
            m_bLogarithmic = id == ID_3D_LOGARITHMIC ? 1 : 0;
            Rebuild();
            return true;
        default: return CDormView::OnCommand(id);
    }
}

CommandState C3dView::GetCommandState(int id) const {
    const CVelor32Doc* doc = Document();
    const bool held = doc && doc->IsAcquiring3D();
    const bool enabled = !held;
    switch (id) {
        case ID_3D_SOLID_SURFACE: return {enabled, m_bSolidSurface != 0, false};
        case ID_3D_CLIP_LEVEL: return {enabled && IsRectangular() && !m_bLogarithmic, false, false};
        case ID_3D_CLIP_LEGEND: return {enabled && IsRectangular(), m_bLegend != 0, false};
        case ID_3D_MESH_LINES: return {enabled, m_bMeshLines != 0, false};
        case ID_3D_LOW: return {enabled, m_nResolution == k3dLow, false};
        case ID_3D_MEDIUM: return {enabled, m_nResolution == k3dMedium, false};
        case ID_3D_HIGH: return {enabled, m_nResolution == k3dHigh, false};
        case ID_3D_LINEAR: return {enabled, !m_bLogarithmic, false};
        case ID_3D_LOGARITHMIC: return {enabled, m_bLogarithmic != 0, false};
        default: return CDormView::GetCommandState(id);
    }
}

void C3dView::OnClipLevels() {
    PausedAcquisition paused(Document());
    EditClipLevels(m_nClipCount, m_nClipLevel, m_crClipColor, kClipDialogTitle, Host().Prompt(), this);
    Rebuild();
}

// --- notifications and the data file -----------------------------------------------------------

void C3dView::OnUpdate(uint32_t hint) {
    const uint16_t event = HintEvent(hint);
    if (event == kHintParameters || event == kHint3dDone) {
        Rebuild();
    } else {
        CDormView::OnUpdate(hint);
    }
}

bool C3dView::WriteSection(SerializeContext& context) {
    if (!DocumentView::WriteSection(context)) return false;
    StoreCamera();
    return Write3dRecord(context.archive, *this);
}

bool C3dView::ReadSection(SerializeContext& context) {
    if (!CDormView::ReadSection(context)) return false;
    if (!Read3dRecord(context.archive, *this)) return false;
    ApplyCamera();
    if (CViewFrame* frame = Frame()) frame->setWindowTitle(FrameTitle());
    Rebuild();
    return true;
}

}  // namespace velor
