#pragma once
// The common base of every view window: a widget showing the document in an MDI child frame,
// with its type tag and settings section, its placement (in the settings and in the data
// file), data collection as an acquisition client, the base reactions to document hints,
// Copy, Save Image and Print.

#include <QList>
#include <QSettings>
#include <QSize>
#include <QWidget>

#include "document/AcquisitionClient.h"
#include "document/CommandIds.h"
#include "document/DocumentView.h"
#include "document/file/ViewTypeRegistry.h"
#include "views/framework/ViewCommands.h"

class QPainter;
class QPrinter;

namespace velor {

class CVelor32Doc;
class CViewFrame;
class ViewHost;

// Settings section of each view type ("WNDRECT" is kept there).
QString ViewSectionName(uint16_t tag);

class CDormView : public QWidget, public DocumentView, public AcquisitionClientWindow {
    Q_OBJECT

public:
    CDormView(uint16_t tag, ViewHost& host, QWidget* parent = nullptr);
    ~CDormView() override;

    CVelor32Doc* Document() const;
    CViewFrame* Frame() const;
    ViewHost& Host() const { return m_host; }
    QString SectionName() const { return ViewSectionName(Tag()); }

    // --- overridable operations, in the order the framework has always called them -----------
    virtual QString ViewName() const { return SectionName(); }
    virtual bool IsFixedSize() const { return false; }
    virtual bool CanClose() { return true; }
    // Raises a proposed frame size to at least an eighth of the screen wide and a sixth high.
    virtual QSize SizeHook(QSize proposed) const;
    virtual void RequestRepaint();
    // False while the view's frame or the main window is minimised, or the frame is hidden:
    // the view then draws nothing.
    bool IsInSight() const;
    virtual void RegisterAsClient();
    // Runs once the view sits in its frame: the placement from the settings.
    virtual void OnInitialUpdate();
    // The kind of window the Window menu asked for, before the view is first shown: the 3D
    // views are polar (1) or rectangular (3). Views of a single kind have nothing to choose.
    virtual void SetDisplayMode(int /*mode*/) {}

    // The view's own menu (an Options menu while it is active, and its local tool bar).
    virtual QList<ViewCommand> MenuCommands() const { return {}; }
    virtual bool OnCommand(int id);
    virtual CommandState GetCommandState(int id) const;
    // The view's menu as a popup at a global position (the right-button menu), each item in
    // the state its command has now; the chosen one runs.
    void ShowCommandMenu(const QPoint& globalPos);

    // Asked before the user's save writes the view: false when the user would rather not
    // save now (the save is then abandoned without a message).
    virtual bool ConfirmSave() { return true; }

    // The picture of the view for Copy, Save Image and Print.
    virtual QImage RenderImage();
    virtual void Print(QPainter& painter, const QRect& page);

    // --- DocumentView ----------------------------------------------------------------------
    bool ReadSection(SerializeContext& context) override;
    void OnUpdate(uint32_t hint) override;
    void RefreshPlacement() override;
    // --- AcquisitionClientWindow -----------------------------------------------------------
    void PostScanDone(int code) override;

    bool DataCollection() const { return m_viewData.m_bDataCollection != 0; }
    void SetDataCollection(bool on);
    void ApplyStoredPlacement();
    // Shows the frame where the placement read from a file puts it (or where it is, without
    // one); a loaded document's windows appear only once the whole file has been read.
    void ShowInPlace();
    // Writes the placement to the settings as "WNDRECT".
    void StorePlacementInSettings();
    // What the view keeps in the settings, written as its window closes: the placement, and
    // whatever else a view type keeps there.
    virtual void StoreSettings() { StorePlacementInSettings(); }

    bool CopyToClipboard();
    // Save Image: asks for a file of the frame's image type and writes the view into it.
    void SaveImage();

protected:
    bool event(QEvent* event) override;
    // A scan asked for has completed (1 axis 0, 2 axis 1, 3 both).
    virtual void OnScanDone(int /*code*/) {}
    // Period in milliseconds of the view's plot frequency; 0 for none.
    virtual int ClientPeriodMs() const;
    // Period in milliseconds of `rate` plots a second (unit 0), minute (1) or hour (2); 0 for
    // none.
    static int PlotPeriodMs(int rate, int unit);
    // Timing: asks for the plot frequency with acquisition paused; on OK stores it and, while
    // the view collects data, registers it again at the new period.
    void AskPlotFrequency(uint16_t& rate, uint16_t& unit);

private:
    ViewHost& m_host;
    bool m_applyingPlacement = false;
    bool m_placementFromFile = false;
};

}  // namespace velor
