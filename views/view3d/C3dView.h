#pragma once
// The 3D views: the measurement's far field as a coloured surface the user turns and zooms,
// either drawn as a radius in every measured direction (the polar kind) or laid out flat with
// the intensity as the height (the rectangular kind). One class serves both kinds; the kind
// comes from the Window menu or from the file.

#include "views/framework/DormView.h"
#include "views/view3d/View3dData.h"

namespace velor {

class ExaminerViewer;
struct SceneLook;

enum View3dCommandId : int {
    ID_3D_SOLID_SURFACE = 32951,
    ID_3D_CLIP_LEVEL = 33120,
    ID_3D_CLIP_LEGEND = 33082,
    ID_3D_MESH_LINES = 33083,
    ID_3D_LOW = 32828,
    ID_3D_MEDIUM = 32827,
    ID_3D_HIGH = 32826,
    ID_3D_LINEAR = 33149,
    ID_3D_LOGARITHMIC = 33148,
};

// Shown when the scene cannot be had.
inline const QString kScene3dMemoryMessage = QStringLiteral("Not enoough memory on your system");

class C3dView : public CDormView, public C3dData {
    Q_OBJECT

public:
    explicit C3dView(ViewHost& host, QWidget* parent = nullptr);
    ~C3dView() override;

    // 1 polar, 3 rectangular; other modes leave the kind as it is.
    void SetDisplayMode(int mode) override;
    QString FrameTitle() const;

    ExaminerViewer& Viewer() const { return *m_viewer; }
    // Builds the scene now if a rebuild waits for the next pass of the event loop.
    void FlushRebuild();
    int BuildCount() const { return m_builds; }

    void OnInitialUpdate() override;
    QList<ViewCommand> MenuCommands() const override;
    bool OnCommand(int id) override;
    CommandState GetCommandState(int id) const override;
    void OnUpdate(uint32_t hint) override;
    bool WriteSection(SerializeContext& context) override;
    bool ReadSection(SerializeContext& context) override;
    QImage RenderImage() override;

private:
    bool RunCommand(int id);
    void OnClipLevels();
    // Rebuilds collapse into one build on the next pass of the event loop.
    void Rebuild();
    void BuildScene();
    void Restyle();
    SceneLook Look() const;
    void ApplyCamera();
    void StoreCamera();

    ExaminerViewer* m_viewer;
    bool m_rebuildPending = false;
    int m_builds = 0;
};

}  // namespace velor
