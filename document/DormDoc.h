#pragma once
// The framework document: the flags and bookkeeping every measurement document shares —
// instrument and acquisition state, the pause count, the acquisition clients, the views and
// their notifications — and the virtual operations views and tools call. Operations a
// document type does not provide keep the base behaviour: nothing happens and 0 is returned.

#include <QString>
#include <array>
#include <cstdint>
#include <memory>
#include <vector>

#include "document/AcquisitionClient.h"
#include "document/DocumentEnvironment.h"
#include "document/file/DataCrc16.h"

namespace velor {

class DocumentView;

// Units argument of angle operations: on output 2 means radians, anything else degrees.
inline constexpr int kUnitsRadians = 2;
// On input (the two find operations) 1 means degrees, anything else radians.
inline constexpr int kUnitsDegreesIn = 1;

class CDormDoc {
public:
    explicit CDormDoc(const DocumentEnvironment& environment);
    virtual ~CDormDoc();
    CDormDoc(const CDormDoc&) = delete;
    CDormDoc& operator=(const CDormDoc&) = delete;

    // --- views --------------------------------------------------------------------------
    void AddView(DocumentView* view);
    void RemoveView(DocumentView* view);
    // Attaches a view the document owns from now on (views without a window).
    DocumentView* AdoptView(std::unique_ptr<DocumentView> view);
    const std::vector<DocumentView*>& Views() const { return m_views; }
    void UpdateAllViews(uint32_t hint);

    // --- title, path and modified flag ---------------------------------------------------
    virtual void SetTitle(const QString& title);
    const QString& GetTitle() const { return m_strTitle; }
    const QString& GetPathName() const { return m_strPathName; }
    void SetPathName(const QString& path) { m_strPathName = path; }
    virtual void SetModifiedFlag(bool modified = true) { m_bModified = modified; }
    // Changes the user has not saved.
    virtual bool IsModified() const { return m_bModified; }

    // --- document operations -------------------------------------------------------------
    virtual bool OnNewDocument();
    virtual bool SaveModified() { return true; }
    virtual bool CanOpenPowerView() { return false; }
    virtual bool CanOpen3DView() { return false; }
    virtual int GetMaxScanRate() { return 0; }
    virtual void DoDataAcquisition() {}
    virtual void OnAcquisitionTick() {}
    virtual void StopCapture() {}
    virtual int RunAutoGain() { return 0; }
    virtual void SetAcquisition(bool on);
    virtual bool IsAcquiring() const { return m_bAcquisitionOn; }
    virtual bool InitInstrument() { return false; }
    // Registers a window for count scans (negative: for ever) every periodMs; false when the
    // instrument cannot be initialised or 14 clients are already registered.
    virtual bool AddAcquisitionClient(int count, int periodMs, AcquisitionClientWindow* window);
    virtual bool RemoveAcquisitionClient(AcquisitionClientWindow* window);
    virtual void PauseAcquisition();
    // Pauses now and resumes when the frame's timer 4 fires after ms milliseconds.
    virtual void PauseAcquisitionFor(int ms);
    virtual void ResumeAcquisition();
    // A frame timer has fired (timer 4 ends a timed pause).
    virtual void OnTimer(int id);
    int ClientCount() const { return m_nClientCount; }
    const AcquisitionClient& Client(int slot) const { return m_clients[slot]; }

    // --- data file sections ----------------------------------------------------------------
    // Writer: nonzero on success. Reader: 1 success, 2 failure already reported, 0 failure.
    virtual int WriteDocumentSection(SerializeContext& /*context*/) { return 0; }
    virtual int ReadDocumentSection(SerializeContext& /*context*/) { return 0; }

    // --- framework flags ------------------------------------------------------------------
    bool HasInstrument() const { return m_bInstrument; }
    // Raising the flag also asks for the board to be initialised before the first scan, and
    // starts the acquisition tick: a document that may acquire ticks from the start, so a
    // view registered for scans gets them before anyone has switched acquisition on.
    void SetInstrumentFlag(bool present) {
        m_bInstrument = present ? 1 : 0;
        if (present) m_bNeedsInit = 1;
        if (present && !m_env.timers.IsTickRunning(*this)) m_env.timers.StartTick(*this);
    }
    bool NeedsInitialisation() const { return m_bNeedsInit; }
    bool HasLiveData() const { return m_bLiveData; }
    int PauseCount() const { return m_nPauseCount; }

    const DocumentEnvironment& Environment() const { return m_env; }

protected:
    DocumentEnvironment m_env;

    int32_t m_bInstrument = 0;     // acquisition allowed
    int32_t m_bAcquisitionOn = 0;  // automation ScanAcquisition
    int32_t m_bNeedsInit = 0;      // initialise the instrument before the next scan
    int32_t m_bLiveData = 0;       // data come from acquisition, not from a file
    int32_t m_nPauseCount = 0;

    std::array<AcquisitionClient, kAcquisitionClientSlots> m_clients{};
    std::array<AcquisitionClientWindow*, kAcquisitionClientSlots> m_notify{};
    int m_nDueCount = 0;
    int m_nClientCount = 0;
    bool m_bTimedPause = false;

private:
    std::vector<DocumentView*> m_views;
    std::vector<std::unique_ptr<DocumentView>> m_ownedViews;
    QString m_strTitle;
    QString m_strPathName;
    bool m_bModified = false;
};

}  // namespace velor
