#pragma once
// The topographic view: the measurement's far field as a colour map seen from above, a disc
// whose radius is theta (0° at the centre, 90° at the rim) and whose angle is the azimuth,
// filled with the clip levels' colours. The user pans and zooms it, and reads theta, phi and
// the level under the mouse pointer in the status bar.

#include <memory>

#include "views/framework/DormView.h"
#include "views/topo/TopoData.h"

namespace velor {

class PlaneViewer;
struct TopoLook;
struct TopoModel;

enum TopoCommandId : int {
    ID_2D_CLIP_LEVEL = 33120,
    ID_2D_CLIP_LEGEND = 33082,
    ID_2D_MESH_LINES = 33083,
    ID_2D_LOW = 32828,
    ID_2D_MEDIUM = 32827,
    ID_2D_HIGH = 32826,
    ID_2D_LINEAR = 33149,
    ID_2D_LOGARITHMIC = 33148,
};

// Shown when the map cannot be had.
inline const QString kTopoMemoryMessage = QStringLiteral("Not enoough memory on your system");

class C2dView : public CDormView, public C2dData {
    Q_OBJECT

public:
    explicit C2dView(ViewHost& host, QWidget* parent = nullptr);
    ~C2dView() override;

    static QString FrameTitle();

    PlaneViewer& Viewer() const { return *m_viewer; }
    // Builds the map now if a rebuild waits for the next pass of the event loop.
    void FlushRebuild();
    int BuildCount() const { return m_builds; }
    // What the status bar shows for the pointer at a pixel of the viewer; empty off the disc.
    QString ReadingAt(QPoint pixel) const;

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
    void BuildMap();
    void Restyle();
    TopoLook Look() const;
    void ApplyCamera();
    void StoreCamera();
    void ShowReading(QPoint pixel);
    void ClearReading();

    PlaneViewer* m_viewer;
    std::unique_ptr<TopoModel> m_model;  // what the map shows, for the pointer's readings
    bool m_rebuildPending = false;
    bool m_showingReading = false;
    int m_builds = 0;
};

}  // namespace velor
