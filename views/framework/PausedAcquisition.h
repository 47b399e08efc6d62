#pragma once
// Acquisition waits while a dialog of a view is open: the dialog may change what the next scan
// is taken with, and a scan arriving meanwhile would be shown with settings half made.

#include "document/Velor32Doc.h"

namespace velor {

class PausedAcquisition {
public:
    explicit PausedAcquisition(CVelor32Doc* doc) : m_doc(doc) {
        if (m_doc) m_doc->PauseAcquisition();
    }
    ~PausedAcquisition() {
        if (m_doc) m_doc->ResumeAcquisition();
    }
    PausedAcquisition(const PausedAcquisition&) = delete;
    PausedAcquisition& operator=(const PausedAcquisition&) = delete;

private:
    CVelor32Doc* m_doc;
};

}  // namespace velor
