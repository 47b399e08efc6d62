#include "app/dialogs/DataCollectionDialogs.h"

#include "app/dialogs/CrossSectionDlg.h"
#include "app/dialogs/DistanceDlg.h"
#include "app/dialogs/IntegralParamDlg.h"
#include "app/dialogs/PhiAngleDlg.h"
#include "app/dialogs/PowerCalibDlg.h"
#include "app/dialogs/PulsedModeDlg.h"
#include "app/dialogs/ReplayDlg.h"
#include "app/dialogs/Scans3DDlg.h"
#include "app/dialogs/SensitivityDlg.h"
#include "document/CommandIds.h"
#include "document/Velor32Doc.h"

namespace velor {
namespace {

// Acquisition stands still while the user changes how it acquires.
class PausedAcquisition {
public:
    explicit PausedAcquisition(CVelor32Doc& doc) : m_doc(doc) { m_doc.PauseAcquisition(); }
    ~PausedAcquisition() { m_doc.ResumeAcquisition(); }
    PausedAcquisition(const PausedAcquisition&) = delete;
    PausedAcquisition& operator=(const PausedAcquisition&) = delete;

private:
    CVelor32Doc& m_doc;
};

// A modeless window that closes for good: hidden now, deleted once its own handlers are done.
template <typename Dialog>
void Dismiss(QPointer<Dialog>& dialog) {
    if (!dialog) return;
    dialog->hide();
    dialog->deleteLater();
    dialog = nullptr;
}

}  // namespace

DataCollectionDialogs::DataCollectionDialogs(QWidget& parent, UserPrompt& prompt)
    : m_parent(parent), m_prompt(prompt) {}

DataCollectionDialogs::~DataCollectionDialogs() {
    delete m_replay;
    delete m_crossSections;
}

bool DataCollectionDialogs::Handles(int id) {
    switch (id) {
        case ID_PHI_ANGLE:
        case ID_APERTURE_SOURCE_DISTANCE:
        case ID_PULSED_MODE:
        case ID_REFERENCE_POWER:
        case ID_INTEGRAL_PARAMETERS:
        case ID_3D_AZIMUTH_SCANS:
        case ID_SENSITIVITY:
            return true;
        default:
            return false;
    }
}

void DataCollectionDialogs::Run(int id, CVelor32Doc& doc) {
    const bool instrument = doc.HasInstrument();
    switch (id) {
        case ID_PHI_ANGLE:
            RunPhiAngle(doc, instrument);
            break;
        case ID_APERTURE_SOURCE_DISTANCE:
            RunDistance(doc, instrument);
            break;
        case ID_PULSED_MODE:
            RunPulsedMode(doc, instrument);
            break;
        case ID_REFERENCE_POWER:
            RunReferencePower(doc);
            break;
        case ID_INTEGRAL_PARAMETERS:
            RunIntegralParameters(doc);
            break;
        case ID_3D_AZIMUTH_SCANS:
            RunScans3D(doc, instrument);
            break;
        case ID_SENSITIVITY:
            RunSensitivity(doc, instrument);
            break;
        default:
            break;
    }
}

void DataCollectionDialogs::RunPhiAngle(CVelor32Doc& doc, bool instrument) {
    PausedAcquisition paused(doc);
    CPhiAngleDlg dialog(doc.m_fPhi, instrument, &m_parent);
    if (dialog.exec() == QDialog::Accepted) doc.ApplyPhiAngle(dialog.GetPhi());
}

void DataCollectionDialogs::RunDistance(CVelor32Doc& doc, bool instrument) {
    PausedAcquisition paused(doc);
    CDistanceDlg dialog(doc.GetApertureSourceDistance(), instrument, m_prompt, &m_parent);
    if (dialog.exec() == QDialog::Accepted) doc.ApplyApertureSourceDistance(dialog.GetDistance());
}

void DataCollectionDialogs::RunPulsedMode(CVelor32Doc& doc, bool instrument) {
    PausedAcquisition paused(doc);
    CPulsedModeDlg dialog(doc.GetPulsedMode(), doc.GetSourceFrequency(), instrument, m_prompt,
                          &m_parent);
    if (dialog.exec() == QDialog::Accepted)
        doc.ApplyPulsedMode(dialog.IsPulsed(), dialog.GetFrequency());
}

void DataCollectionDialogs::RunReferencePower(CVelor32Doc& doc) {
    CPowerCalibDlg dialog(doc.GetRefPower(), QString::fromLatin1(doc.GetRefUnits()), m_prompt,
                          &m_parent);
    if (dialog.exec() == QDialog::Accepted)
        doc.ApplyReferencePower(dialog.GetPower(), dialog.GetUnits());
}

void DataCollectionDialogs::RunIntegralParameters(CVelor32Doc& doc) {
    CIntegralParamDlg dialog(doc.GetWavelength(), doc.GetAngularLimit(), doc.GetFieldOfView(0),
                             m_prompt, &m_parent);
    if (dialog.exec() == QDialog::Accepted) {
        doc.ApplyIntegralParameters(dialog.GetWavelength(), dialog.GetAngularLimit());
    }
}

void DataCollectionDialogs::RunScans3D(CVelor32Doc& doc, bool instrument) {
    PausedAcquisition paused(doc);
    CScans3DDlg dialog(doc.m_nScans3D, instrument, &m_parent);
    if (dialog.exec() == QDialog::Accepted) doc.ApplyScans3D(dialog.GetScans());
}

void DataCollectionDialogs::RunSensitivity(CVelor32Doc& doc, bool instrument) {
    const CVelor32Doc::SensitivitySettings atOpening = doc.BeginSensitivity();
    CSensitivityDlg dialog(doc, instrument, m_prompt, &m_parent);
    const bool accepted = dialog.exec() == QDialog::Accepted;
    doc.EndSensitivity(accepted, atOpening);
}

void DataCollectionDialogs::OpenModeDialog(DocumentMode mode, CVelor32Doc& doc) {
    CloseModeDialog(mode);
    QDialog* dialog = nullptr;
    if (mode == DocumentMode::Replay) {
        m_replay = new CReplayDlg(doc, &m_parent);
        dialog = m_replay;
    } else {
        m_crossSections = new CCrossSectionDlg(doc, m_prompt, &m_parent);
        dialog = m_crossSections;
    }
    dialog->show();
}

void DataCollectionDialogs::CloseModeDialog(DocumentMode mode) {
    if (mode == DocumentMode::Replay) {
        Dismiss(m_replay);
    } else {
        Dismiss(m_crossSections);
    }
}

QWidget* DataCollectionDialogs::ModeDialog(DocumentMode mode) const {
    return mode == DocumentMode::Replay ? static_cast<QWidget*>(m_replay) : m_crossSections;
}

}  // namespace velor
