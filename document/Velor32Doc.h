#pragma once
// The measurement document: settings, the two profiles, the 3D data set, the angle grid and
// calibration, and the run-time state of acquisition. Views and tools read it only through
// these operations and react to the hints it broadcasts.

#include <QString>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "common/WholeFileWrite.h"
#include "document/CommandIds.h"
#include "document/DocumentArrays.h"
#include "document/DocumentStart.h"
#include "document/DormDoc.h"
#include "document/GainRangeData.h"
#include "document/Velor32DocLSData.h"
#include "document/analysis/BeamMetrics.h"
#include "document/analysis/NearFieldChain.h"

namespace velor {

class CVelor32Doc : public CDormDoc, public CVelor32DocLSData {
public:
    explicit CVelor32Doc(const DocumentEnvironment& environment, DocumentStart start = DocumentStart::New);
    ~CVelor32Doc() override;

    // Settings record as the file sees it.
    CVelor32DocLSData& Settings() { return *this; }
    const CVelor32DocLSData& Settings() const { return *this; }

    // --- framework operations ----------------------------------------------------------------
    bool OnNewDocument() override;
    bool CanOpenPowerView() override { return true; }
    bool CanOpen3DView() override { return true; }
    int GetMaxScanRate() override;
    // Unsaved changes: those flagged, and any change of the settings since the document was
    // created, loaded or saved as a data file (every setter, command and dialog included).
    bool IsModified() const override;
    void SetModifiedFlag(bool modified = true) override;
    void StopCapture() override;
    bool InitInstrument() override;

    // --- acquisition -------------------------------------------------------------------------
    // The tick timer's callback: queues one tick message unless one is pending.
    void OnTimerCallback();
    void OnAcquisitionTick() override;
    void DoDataAcquisition() override;
    // 1 done; −2 unknown head; −3 saturated at every gain (gain 0 set, warning up); −4 signal
    // too low (the highest gain set); −5 instrument not ready.
    int RunAutoGain() override;
    static constexpr int kAutoGainSaturated = -3;
    void SelectAxis(int axis);
    // A synchronous capture of the selected axis (and the other one in perpendicular mode):
    // 1, or −1 when the signal is saturated.
    int CaptureNow();
    // The next averaged sweep is written to "datafile.csv".
    void DumpNextScan() { m_bDumpNextScan = 1; }
    bool IsCapturing() const { return m_bCapturing != 0; }
    void Acquire3D();
    // A 3D run holds the document: nothing may change or close it until the run has ended.
    bool IsAcquiring3D() const { return m_bAcquiring3D; }
    // Data measured by this document (sweeps or a 3D run), as opposed to settings alone.
    bool HoldsMeasurement() const { return m_bMeasured != 0 || m_b3DValid != 0; }
    // Phi moves of the automation interface; nothing happens without a motion controller.
    void IncrementPhi(int code);
    void Go90Deg(bool up);
    bool MotorGoHome();
    // Auto gain as the command runs it; its result as RunAutoGain gives it.
    int AutoGain() { return OnAutoGain(); }
    // What an auto gain result says, as the status bar shows it.
    QString AutoGainReport(int result) const;

    // Acquisition commands and the values of their dialogs.
    void OnAcquireScanData();
    int OnAutoGain();
    void OnShowScanRate();
    void ApplyScans3D(uint16_t scans);
    struct SensitivitySettings {
        int gain;
        int filter;
        int averaging;
        int gainRanges;
    };
    // The Sensitivity dialog changes take effect at once; these bracket it: the values at
    // opening come back unless the dialog was accepted.
    SensitivitySettings BeginSensitivity();
    void EndSensitivity(bool accepted, const SensitivitySettings& atOpening);
    bool IsBusy() const { return m_bBusy != 0; }
    uint16_t GetAcquisitionState() const { return m_nAcqState; }

    // --- settings ------------------------------------------------------------------------------
    int GetAveraging() const { return m_nAveraging; }
    void SetAveraging(int averaging);
    int GetFilter() const { return m_nFilter; }
    void SetFilter(int filter);
    int GetSignalGain() const { return m_nSignalGain; }
    void SetSignalGain(int gain);
    void SetFine(int value, int axis);
    int GetScanMode() const { return m_nScanMode; }
    bool IsPerpendicular() const { return GetScanMode() == 2; }

    // --- gain ranges -------------------------------------------------------------------------
    // Each sweep taken over this many gain ranges (1 to 4; others are ignored), 20 dB apart
    // from the signal gain up, and stitched into one.
    int GetGainRanges() const { return m_ranges.m_nGainRanges; }
    void SetGainRanges(int ranges);
    // The ranges the next sweep takes: the setting, fewer where the highest range would pass
    // the head's highest gain.
    int RangesInReach() const;
    // The ranges an axis's profile was stitched from (the 3D data's in replay and cross
    // sections); the mode-field diameter's floor follows it.
    int GetAxisRanges(int axis) const;
    const CGainRangeData& GainRangeRecord() const { return m_ranges; }
    // The status bar's word on the ranges: empty for one range.
    QString GainRangeStatus() const;
    // The file's gain range section: written only when the measurement uses more than one
    // range; false from the reader for a block that cannot be read or holds values the
    // program could never have written.
    bool HasGainRangeSection(int fileType) const;
    bool WriteGainRangeSection(SerializeContext& context) const;
    bool ReadGainRangeSection(SerializeContext& context);

    // --- profiles and angles ----------------------------------------------------------------
    uint16_t GetNumPoints(int axis) const;
    float* GetProfileData(int axis);
    float GetPeakIrradiance() const;
    float GetPeakValue(int axis) const;
    uint16_t GetPeakIndex(int axis) const;
    float GetPhi(int axis, int units) const;
    float GetFieldOfView(int units) const;
    float GetGridAngle(int index, int units) const;
    float GetProfileAngle(int index, int units, int axis) const;
    uint16_t FindGridIndex(float angle, int units) const;
    uint16_t FindProfileIndex(float angle, int units, int axis) const;
    float* GetAngleGrid() { return m_arrays.angleGrid.data(); }
    const float* GetGridWeights() const { return m_arrays.gridWeight.data(); }
    float* GetProfileAngles(int axis);
    void ApplyCorrections(int axis, float* profile);
    float* GetConePower() {
        Ensure3DAnalysis();
        return m_arrays.conePower.data();
    }
    float* Get3DData() { return m_arrays.data3D.data(); }
    float* GetScanNoise() { return m_arrays.scanNoise.data(); }
    float Get3DNoiseMaximum() const { return m_f3DNoiseMax; }
    void SetMeasured3DNoise(float maximum) { m_f3DNoiseMax = maximum; }
    uint16_t GetRawSampleCount(int axis) const;
    float* GetRawSweep(int axis);

    bool IsCrossSectionMode() const { return m_bCrossSection != 0; }
    bool IsReplayMode() const { return m_bReplay != 0; }

    float GetCalCounts() const { return m_fCalCounts; }
    float GetRefPower() const { return m_fRefPower; }
    uint16_t GetUnits() const { return m_nUnits; }
    const char* GetRefUnits() const { return m_szRefUnits; }
    float GetIntensityFactor() const { return m_fIntensityFactor; }
    bool IsViewTimingLocked() const { return true; }
    bool IsSaturated() const { return m_bSaturated != 0; }
    uint16_t GetSelectedAxis() const { return m_nSelectedAxis; }

    // --- beam parameters, computed afresh on every call --------------------------------------
    float GetAngularWidth(int axis, uint16_t clip) const;
    float GetNumericalAperture(int axis, uint16_t clip) const;
    float GetWidthRatio(uint16_t clip) const;
    float GetCentroidAngle(int axis) const;
    float GetPeakAngle(int axis) const;
    float GetAmplitudeAt(int axis, float angleDegrees) const;
    float GetModeFieldDiameter(int axis) const;
    // What the mode-field diameter rests on: the profile's peak over the 16-count floor below
    // which samples are left out, in dB, and the angles (about the beam's centroid) of the
    // first and last samples the integral took in. Zeros when there is no diameter.
    struct ModeFieldSupport {
        float dynamicRangeDb = 0.0f;
        float fromDegrees = 0.0f;
        float toDegrees = 0.0f;
    };
    ModeFieldSupport GetModeFieldSupport(int axis) const;
    // The near field of the axis's far field, computed when first asked and kept until the
    // profile, its angles, the wavelength, the angular limit or the noise floor change, so
    // that acquisition pays nothing for it while nobody looks.
    const NearField& GetNearField(int axis) const;
    // Its effective area in µm²; 0 when there are no data or a step of the chain fails.
    float GetEffectiveArea(int axis) const;
    // What belongs beside the area: the reason there is none, or what the far field's dynamic
    // range may hide; empty when there is nothing to say.
    QString GetEffectiveAreaNote(int axis) const;
    // Second-moment width and Gaussian fit of an axis's profile (BeamMetrics.h), computed once
    // for each profile the axis holds; an axis beyond 1 has none.
    const ProfileMetrics& GetProfileMetrics(int axis) const;
    // Bridges the shadow of the arm's two supports in a profile taken at phi (degrees).
    void CorrectBlindSpots(float phi, float* profile) const;

    // --- 3D data: analysis, replay, cross sections, exports ---------------------------------
    bool Analyse3dData();
    void ComputeConePower();
    // A loaded file's 3D analysis and cone power wait until something asks for them: loading
    // never pays for them, and every reader below gets them computed from the loaded data.
    void Ensure3DAnalysis() const;
    // The beam shape alone, while the rest waits: the figures need it, and it is a fraction of
    // the whole (no principal axes, no cone powers). Taken on the same condition as with the
    // rest; the whole analysis, when it comes, computes the same shape again.
    void EnsureBeamShape() const;
    // The same on any thread, ahead of the reader: false, and nothing taken, when memory ran
    // out (the reader's own call then reports it).
    bool PrepareBeamShape() const;
    // Direction of the 3D centroid: polar angle (signed) and azimuth in [0, 180], degrees.
    const float* GetCentroidAngles() const {
        Ensure3DAnalysis();
        return m_fCentroidAngles;
    }
    const float* GetCentroidVector() const {
        Ensure3DAnalysis();
        return m_fCentroid;
    }
    const float* GetPrincipalAxis(int which) const {
        Ensure3DAnalysis();
        return which == 0 ? m_fAxisA : m_fAxisB;
    }
    // Divergences along the principal axes, ellipticity and orientation of the 3D data set.
    const BeamShape& GetBeamShape() const {
        EnsureBeamShape();
        return m_beamShape;
    }
    const float* GetCentroidPower() const {
        Ensure3DAnalysis();
        return m_arrays.centroidPower.data();
    }
    uint16_t GetCentroidPowerCount() const {
        Ensure3DAnalysis();
        return m_nCentroidPowerCount;
    }
    // A thinned copy of the 3D data for the 3D and topographic views; false for an unknown
    // resolution (0 coarse, 1 medium, 2 fine).
    struct Sampled3dData {
        std::vector<float> theta;   // degrees
        std::vector<float> phi;     // radians, N + 1
        std::vector<float> values;  // theta count rows of N + 1, negatives raised to 0
    };
    bool GetSampled3dData(int resolution, Sampled3dData& out) const;

    void ToggleReplay();
    void ReplayScan(int k);
    void ToggleCrossSections();
    // Fills both axes with cuts through the 3D data about the chosen direction, the major and
    // minor axes turned by offset (radians); false (after telling the user) when it cannot.
    bool ComputeCrossSections(float offset);
    uint16_t GetCrossSectionMode() const { return m_nCrossMode; }
    void SetCrossSectionMode(uint16_t mode) { if (mode <= 2) m_nCrossMode = mode; }
    void GetUserDirection(float* theta, float* phi) const;
    void SetUserDirection(float theta, float phi);

    // The document's part of the ASCII export: the gain, then the profiles in counts.
    QByteArray TextExport() const;
    // The 3D data file's bytes, and the file written whole (the caller reports a failure).
    QByteArray Data3dExport() const;
    WriteResult Export3dData(const QString& path) const;

    // --- helpers ---------------------------------------------------------------------------------
    void SetPhiPair(float phi);
    void SendPhiToBoard(int axis, float phi);
    float GetScanRate() const;
    void ResetScanRate() { m_nRateStart = 0; }
    static int FindPeak(const float* data, int n, float* peak, uint16_t* index);
    void RecomputeIntensityFactor();

    // --- automation properties ------------------------------------------------------------
    bool GetShowWindow() const { return m_bShowWindow != 0; }
    void SetShowWindow(bool show);
    bool GetScanAcquisition() const { return IsAcquiring(); }
    // Acquisition on or off, with the tick timer started or stopped to match.
    void SetScanAcquisition(bool on);
    float GetApertureSourceDistance() const { return m_fDistance - kApertureOffset; }
    void SetApertureSourceDistance(float distance);
    bool GetBlindSpotCorrection() const { return m_bBlindSpot != 0; }
    void SetBlindSpotCorrection(bool on);
    int16_t GetDataIncrement() const { return static_cast<int16_t>(m_nDataIncrement); }
    void SetDataIncrement(int16_t increment);
    float GetWavelength() const { return m_fWavelength; }
    void SetWavelength(float nm);
    float GetAngularLimit() const { return m_fAngularLimit; }
    void SetAngularLimit(float degrees);
    bool GetPulsedMode() const { return m_bPulsed != 0; }
    void SetPulsedMode(bool on);
    float GetSourceFrequency() const { return m_fSourceFreq; }
    void SetSourceFrequency(float kHz);
    void GoToPhiAngle(float phi) { SetPhiPair(phi); }
    int16_t GetNumPts() const;
    std::vector<float> GetProfileDataArray() const;   // automation GetProfileData
    std::vector<float> GetProfileAngleArray() const;  // automation GetProfileAngle
    float GetCurrentPhi() const { return GetPhi(0, 0); }
    // Parameters of the selected axis; clip levels in percent.
    float GetCenter() const { return GetCentroidAngle(m_nSelectedAxis); }
    float GetPeakPosition() const { return GetPeakAngle(m_nSelectedAxis); }
    float GetPeakWidth(float clipPercent) const;
    float GetNA(float clipPercent) const;
    float GetMFD() const { return GetModeFieldDiameter(m_nSelectedAxis); }
    float GetEffectiveArea() const { return GetEffectiveArea(m_nSelectedAxis); }

    // --- Data Collection settings commands --------------------------------------------------
    // Commands without a dialog run through OnCommand; the dialog commands take the dialog's
    // result as arguments. GetCommandState answers for every one of them.
    bool OnCommand(int id);
    CommandState GetCommandState(int id) const;
    bool OnAcquisitionCommand(int id);
    bool AcquisitionCommandState(int id, CommandState& state) const;
    void OnSingleAxis();
    void OnPerpendicularAxes();
    void ApplyPhiAngle(float phi);
    void ApplyApertureSourceDistance(float distance);
    void ApplyPulsedMode(bool pulsed, float sourceFrequencyKHz);
    void ApplyReferencePower(float power, const QString& units);
    void ApplyIntegralParameters(float wavelength, float angularLimit);
    void SetUnits(uint16_t units);
    void OnBlindSpotCorrection();
    void OnRecompute();
    void OnResetDataViews();

    // --- data file -------------------------------------------------------------------------------
    int WriteDocumentSection(SerializeContext& context) override;
    int ReadDocumentSection(SerializeContext& context) override;

    // Processes the raw sweeps of the axes that hold samples into their profiles; 1, or −1
    // when the signal reached full scale.
    int ProcessSweeps();
    // Takes already processed profiles (from a file or a simulation) as the two axes, the way
    // sweeps are taken: at most 3241 samples each, peak found, saturation checked. An empty
    // profile leaves its axis as it is.
    int StoreProfiles(std::span<const float> axis0, std::span<const float> axis1);
    // Takes raw sweeps as the board delivers them (4096 words; an empty span leaves its axis
    // alone) and processes them into the profiles: dark level, noise, corrections, peak.
    int TakeSweeps(std::span<const uint16_t> axis0, std::span<const uint16_t> axis1);
    // Joins the pulse peaks of a pulsed source's profile p[0..n) with straight lines.
    void ApplyPulsedEnvelope(float* p, int n, float frequencyKHz);

    // Frees and allocates every array for the current m_nScans3D; the fatal exit on failure.
    void ReallocateArrays();

protected:
    // Replay and cross-section modes: the document holds their state; the modes themselves
    // enter and leave through their own operations.
    int32_t m_bReplay = 0;
    int32_t m_bCrossSection = 0;

private:
    // Acquisition steps.
    void SelectAxisWithinCycle(int axis);
    void TakeWords(int axis, int delivered);
    int ReadAxisNow(int axis);
    // One sweep of the axis over the ranges in use, merged into its raw sweep buffer.
    int ReadAxisRanges(int axis);
    // Keeps the words just read as range r's sweep; after the last range merges the set into
    // the axis's raw sweep. delivered: the samples the read gave.
    void TakeRangeWords(int axis, int range, int delivered);
    // The board's gain for the range about to be swept, and back to the signal gain.
    void SetRangeGain(int range);
    void AbandonRangeSet();
    void AverageSweep(int axis);
    // The raw sweep buffers hold stored profiles of these many samples: processed as
    // StoreProfiles does.
    int ProcessStoredProfiles(uint16_t count0, uint16_t count1);
    void DumpScan(const QByteArray& lines);
    void SmoothSweeps();
    void CountScan();
    void NotifyDueClients(int code);
    int RawPeakAtGain(int gain, int axis);
    // The gain that brings the axis's peak into range; none when every gain tried saturated.
    std::optional<int> SearchGain(int axis, int upper);

    void SaveAxes(int axes);
    void RestoreAxes(int axes);
    void LeaveReplay();
    void LeaveCrossSections();

    // Angles of an axis's samples: its own in cross-section mode, else the grid (radians).
    const float* AxisAngles(int axis) const;
    // Angle of sample index in degrees, and the first index at or beyond an angle in degrees.
    float AxisAngleDegrees(int axis, int index) const;
    uint16_t AxisIndexAtDegrees(int axis, float degrees) const;
    void ComputeGrid();
    // Frees and allocates every array for the current m_nScans3D and computes the grid.
    void AllocateArrays(ScanContents scans);
    // The samples the mode-field integral runs over and the centroid it is taken about.
    bool ModeFieldWindow(int axis, int* lower, int* upper, float* centre) const;
    void ClearProfile(int axis);
    void RefreshStatusBar() { m_env.frame.RefreshStatusBar(); }
    bool AskResetDataViews();
    // Before a change of mode that makes the data views start afresh: true when no view holds
    // collected samples or points, or the user agrees to lose them.
    bool MayEraseCollectedData();

    DocumentArrays m_arrays;

    // Gain ranges: the setting and what the data rest on (saved), the set being swept.
    CGainRangeData m_ranges;
    uint16_t m_nSavedGainRanges = 1;  // the setting as last created, loaded or saved
    int m_nRangesInUse = 1;           // ranges of the sweep set under way
    int m_nRangeIndex = 0;            // range the state machine sweeps next
    int m_nRangesDelivered = 0;       // fewest samples a range of the set delivered
    bool m_bRangeGainSet = false;     // the board holds a higher range's gain
    uint16_t m_nRawRanges[2] = {1, 1};  // ranges behind each raw sweep buffer

    // Each axis's near field with the inputs it was computed from.
    struct NearFieldCache {
        bool filled = false;
        std::vector<float> profile;
        std::vector<float> angles;
        float wavelength = 0.0f;
        float angularLimit = 0.0f;
        float dynamicRangeDb = 0.0f;
        NearField field;
    };
    mutable NearFieldCache m_nearField[2];

    // Per axis.
    uint16_t m_nNumPoints[2] = {kSamplesPerProfile, kSamplesPerProfile};
    uint16_t m_nRawCount[2] = {0, 0};
    float m_fPeakValue[2] = {0.0f, 0.0f};
    uint16_t m_nPeakIndex[2] = {0, 0};
    float m_fPhiAxis[2] = {0.0f, 90.0f};

    // Run-time members.
    int32_t m_bShowWindow = 0;
    int32_t m_bDumpNextScan = 0;
    int32_t m_bStoredProfile = 0;
    int32_t m_nIoAddress = kBoardIoAddress;
    int32_t m_bClosing = 0;
    int32_t m_bTickPending = 0;
    int32_t m_b3DAbort = 0;
    int32_t m_nUnit = 0;
    uint16_t m_nAcqAxis = 0;
    int32_t m_bBusy = 0;
    uint16_t m_nAcqState = 0;
    uint32_t m_nStepTime = 0;
    uint32_t m_nRateStart = 0;
    int32_t m_nRateCount = 0;
    int32_t m_nSweepCounter = 1;
    uint16_t m_nSelectedAxis = 0;
    int32_t m_bSaturated = 0;
    int32_t m_bCapturing = 0;
    uint16_t m_nDataIncrement = 1;
    float m_fIntensityFactor = 0.0f;
    float m_f3DNoiseMax = 0.0f;
    float m_fSavedNoise = 0.0f;
    bool m_bAcquiring3D = false;
    bool m_b3DAnalysisPending = false;
    bool m_bBeamShapeReady = false;  // while the analysis waits: the shape was taken already
    int32_t m_bMeasured = 0;
    // This document raised the saturation notice (and takes it down when it goes).
    bool m_bShowsSaturationNotice = false;
    // The settings as last created, loaded or saved, to tell changes from them.
    CVelor32DocLSData m_savedSettings;

    // Results of the 3D analysis.
    float m_fCentroid[3] = {0.0f, 0.0f, 0.0f};
    float m_fCentroidAngles[2] = {0.0f, 0.0f};
    float m_fAxisA[3] = {0.0f, 0.0f, 0.0f};
    float m_fAxisB[3] = {0.0f, 0.0f, 0.0f};
    uint16_t m_nCentroidPowerCount = 91;
    BeamShape m_beamShape;

    // Per axis: the last profile's metrics with the samples they were computed from.
    mutable ProfileMetricsCache m_metricsCache[2];

    // What replay and cross sections put aside and give back (profiles in the sum buffers).
    struct SavedView {
        int32_t scanMode = 0;
        float phi = 0.0f;
        float noise[2] = {0.0f, 0.0f};
        uint16_t numPoints[2] = {0, 0};
        uint16_t ranges[2] = {1, 1};
    } m_saved;
    uint16_t m_nCrossMode = 0;  // 0 3D centroid, 1 3D peak, 2 user defined
    float m_fUserTheta = 0.0f;
    float m_fUserPhi = 0.0f;
};

}  // namespace velor
