#pragma once
// A headless station for tests: a document environment built from recorders and fakes, the
// data-file code, a view registry with the notes section and a hint-recording view type.

#include <QByteArray>
#include <QTemporaryDir>
#include <algorithm>
#include <memory>
#include <vector>

#include "document/DocumentFrame.h"
#include "document/DocumentView.h"
#include "document/Velor32Doc.h"
#include "document/file/DataFile.h"
#include "document/file/FrameServices.h"
#include "document/file/ViewTypeRegistry.h"
#include "instrument/motion/MotionStage.h"
#include "tests/support/FakeClock.h"
#include "tests/support/RecordingBoard.h"
#include "tests/support/RecordingPrompt.h"
#include "views/notes/NoteSection.h"

namespace velor::test {

// Records the hints it receives; carries one 8-byte block of its own after the placement.
class ProbeView : public DocumentView {
public:
    static constexpr uint16_t kTag = 6;  // an otherwise unused view tag
    explicit ProbeView(uint16_t tag = kTag) : DocumentView(tag) {}

    bool WriteSection(SerializeContext& context) override;
    bool ReadSection(SerializeContext& context) override;
    void OnUpdate(uint32_t hint) override { hints.push_back(hint); }

    std::vector<uint32_t> hints;
    uint64_t payload = 0;
    bool failWrite = false;  // the writer fails after its placement block
};

class RecordingFrame : public FrameWindow, public DocumentFrame {
public:
    bool GetWindowRect(int32_t (&rect)[4]) const override {
        std::copy(windowRect, windowRect + 4, rect);
        return true;
    }
    void MoveWindow(const int32_t (&rect)[4]) override { std::copy(rect, rect + 4, windowRect); }
    void StartTimedBackup() override { ++backupsStarted; }
    void AddToRecentFiles(const QString& path) override { recent.push_back(path); }
    void StoreFramePreferences(const QString& path) override { storedPaths.push_back(path); }
    void SetCaption(const QString& text) override { caption = text; }
    void RefreshStatusBar() override { ++statusRefreshes; }
    void ShowStatusMessage(const QString& text) override { statusMessage = text; }
    void ShowMainWindow(bool show) override { shown = show; }
    void OpenModeDialog(DocumentMode mode) override { openDialogs.push_back(mode); }
    void CloseModeDialog(DocumentMode mode) override {
        openDialogs.erase(std::remove(openDialogs.begin(), openDialogs.end(), mode), openDialogs.end());
    }

    QString statusMessage;
    int32_t windowRect[4] = {10, 20, 810, 620};
    int backupsStarted = 0;
    std::vector<QString> recent;
    std::vector<QString> storedPaths;
    QString caption;
    int statusRefreshes = 0;
    bool shown = false;
    std::vector<DocumentMode> openDialogs;
};

class ConnectableStage : public MotionStage {
public:
    bool IsConnected() const override { return connected; }
    bool connected = false;
};

class TestStation {
public:
    TestStation();

    CVelor32Doc* NewDocument();
    CVelor32Doc* Document() { return documents.ActiveDocument(); }
    NoteSection* AddNote(const QByteArray& text);
    ProbeView* AddProbe();
    QString Path(const QString& name) const { return dir.filePath(name); }

    RecordingPrompt prompt;
    RecordingBoard board;
    ConnectableStage motion;
    FakeClock clock;
    RecordingFrame frame;
    DocumentEnvironment environment;
    SingleDocumentSet documents;
    ViewTypeRegistry viewTypes;
    DataFile file;
    QTemporaryDir dir;
};

// CRC-16/KERMIT computed bit by bit from its parameters, independent of the codec's table.
inline uint16_t BitwiseKermit(const QByteArray& bytes) {
    uint16_t crc = 0;
    for (char c : bytes) {
        crc ^= static_cast<uint8_t>(c);
        for (int bit = 0; bit < 8; ++bit) crc = (crc & 1) ? (crc >> 1) ^ 0x8408 : crc >> 1;
    }
    return crc;
}

// Flips bits of one byte.
inline void FlipByte(QByteArray& bytes, int at, uint8_t mask = 0x01) {
    bytes[at] = static_cast<char>(static_cast<uint8_t>(bytes[at]) ^ mask);
}

// Whole-file helpers.
QByteArray ReadAll(const QString& path);
void WriteAll(const QString& path, const QByteArray& bytes);

}  // namespace velor::test
