// Saving never destroys what was there: a failed save leaves the earlier file and no partial
// file behind; what is saved can always be loaded again.

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <gtest/gtest.h>

#include "document/file/DataFile.h"
#include "document/file/SaveAs.h"
#include "tests/support/FileSizeLimit.h"
#include "tests/support/TestStation.h"

namespace velor::test {
namespace {

TEST(DataFileSave, FailedWriterLeavesEarlierFileIntactAndNothingPartial) {
    TestStation station;
    CVelor32Doc* doc = station.NewDocument();
    station.AddNote("first version");
    ProbeView* probe = station.AddProbe();
    const QString path = station.Path("keep.vnq");
    ASSERT_TRUE(station.file.SaveDataFile(path));
    const QByteArray before = ReadAll(path);

    doc->m_nFilter = 9;
    doc->SetModifiedFlag(true);
    probe->failWrite = true;  // fails half-way, after the document section was written
    EXPECT_FALSE(station.file.SaveDataFile(path));

    EXPECT_EQ(ReadAll(path), before);
    EXPECT_EQ(QDir(station.dir.path()).entryList(QDir::Files), QStringList{"keep.vnq"});
    ASSERT_EQ(station.prompt.Messages().size(), 1u);
    EXPECT_EQ(station.prompt.Last().text, "Could not save file");
    EXPECT_EQ(station.prompt.Last().caption, "File Error");
    EXPECT_EQ(station.prompt.Last().icon, PromptIcon::Exclamation);
    EXPECT_TRUE(doc->IsModified()) << "what was not saved is still unsaved";
}

TEST(DataFileSave, FailedFirstSaveLeavesNoFile) {
    TestStation station;
    station.NewDocument();
    station.AddProbe()->failWrite = true;
    EXPECT_FALSE(station.file.SaveDataFile(station.Path("new.vnq")));
    EXPECT_TRUE(QDir(station.dir.path()).entryList(QDir::Files).isEmpty());
}

TEST(DataFileSave, UnwritablePlaceIsReportedOnce) {
    TestStation station;
    station.NewDocument();
    station.AddNote("");
    EXPECT_FALSE(station.file.SaveDataFile(station.Path("no/such/folder/x.vnq")));
    ASSERT_EQ(station.prompt.Messages().size(), 1u);
    EXPECT_TRUE(station.prompt.Last().text.startsWith("Failed to save document."));
}

TEST(DataFileSave, DocumentWithoutViewsIsNotWrittenAsAnUnloadableFile) {
    TestStation station;
    station.NewDocument();
    EXPECT_FALSE(station.file.SaveDataFile(station.Path("empty.vnq")));
    EXPECT_EQ(station.prompt.Last().text, "Could not save file");
    EXPECT_FALSE(QFile::exists(station.Path("empty.vnq")));
}

TEST(DataFileSave, FileTypeComesFromTheExtension) {
    EXPECT_EQ(DataFile::FileTypeForPath("a/b.cfg"), kFileTypeConfig);
    EXPECT_EQ(DataFile::FileTypeForPath("a/b.CFG"), kFileTypeConfig);
    EXPECT_EQ(DataFile::FileTypeForPath("a/b.vnq"), kFileTypeData);
    EXPECT_EQ(DataFile::FileTypeForPath("VelorData.bak"), kFileTypeData);
    EXPECT_EQ(DataFile::FileTypeForPath("dir.cfg/noext"), kFileTypeData);
    EXPECT_EQ(DataFile::FileTypeForPath("x.measurement"), kFileTypeData);
}

TEST(DataFileSave, AnyOtherNameSavesADataFileThatLoadsAgain) {
    for (const char* name : {"VelorData.bak", "plain", "x.measurement"}) {
        SCOPED_TRACE(name);
        TestStation station;
        CVelor32Doc* doc = station.NewDocument();
        doc->GetProfileData(0)[1500] = 3.0f;
        station.AddNote("n");
        const QString path = station.Path(name);
        ASSERT_TRUE(station.file.SaveDataFile(path));
        EXPECT_TRUE(ReadAll(path).startsWith("VNQ"));
        CVelor32Doc* loaded = station.file.LoadDataFile(path);
        ASSERT_NE(loaded, nullptr);
        EXPECT_EQ(loaded->GetProfileData(0)[1500], 3.0f);
    }
}

TEST(DataFileSave, SuccessTellsTheFrameAndLeavesTheDocumentsFileToTheCommands) {
    TestStation station;
    CVelor32Doc* doc = station.NewDocument();
    station.AddNote("");
    doc->SetModifiedFlag(true);
    const QString path = station.Path("ok.vnq");
    ASSERT_TRUE(station.file.SaveDataFile(path));
    // A backup or an export is not the document's file: Save and Save As decide that.
    EXPECT_EQ(doc->GetPathName(), QString());
    EXPECT_EQ(station.frame.caption, "Orbiscan Viewer - Untitled");
    EXPECT_EQ(station.frame.storedPaths.back(), path);
    EXPECT_FALSE(doc->IsModified());
    EXPECT_TRUE(station.prompt.Messages().empty());
}

TEST(DataFileSave, ConfigurationSaveLeavesModifiedFlagAlone) {
    TestStation station;
    CVelor32Doc* doc = station.NewDocument();
    station.AddNote("");
    doc->SetModifiedFlag(true);
    ASSERT_TRUE(station.file.SaveDataFile(station.Path("c.cfg")));
    EXPECT_TRUE(doc->IsModified()) << "a configuration file does not hold the measured data";
}

}  // namespace
}  // namespace velor::test

namespace velor::test {
namespace {

TEST(SaveCommands, SaveAsGivesTheKindsExtensionAndSaveReturnsToThatFile) {
    TestStation station;
    CVelor32Doc* doc = station.NewDocument();
    station.AddNote("");
    EXPECT_EQ(SaveDocument(*doc, station.file, station.prompt), SaveOutcome::NeedsSaveAs);

    const QString chosen = station.Path("run.txt");
    EXPECT_EQ(SaveDocumentAs(*doc, station.file, station.prompt, station.frame, chosen,
                             SaveAsKind::DataFile),
              SaveOutcome::Saved);
    const QString path = station.Path("run.vnq");
    EXPECT_EQ(doc->GetPathName(), path);
    EXPECT_EQ(station.frame.recent.back(), path);
    EXPECT_EQ(doc->PauseCount(), 0) << "acquisition resumes";

    doc->m_nFilter = 5;
    EXPECT_EQ(SaveDocument(*doc, station.file, station.prompt), SaveOutcome::Saved);
    CVelor32Doc* loaded = station.file.LoadDataFile(path);
    ASSERT_NE(loaded, nullptr);
    EXPECT_EQ(loaded->m_nFilter, 5);

    // A configuration file saved on the way is not the document's file: Save still writes
    // the measurement.
    station.AddNote("");
    ASSERT_EQ(SaveDocumentAs(*loaded, station.file, station.prompt, station.frame, path,
                             SaveAsKind::ConfigurationFile),
              SaveOutcome::Saved);
    EXPECT_TRUE(ReadAll(station.Path("run.cfg")).startsWith("CFG"));
    EXPECT_EQ(loaded->GetPathName(), path);
    EXPECT_EQ(station.frame.caption, "Orbiscan Viewer - " + path);
    loaded->m_nFilter = 7;
    EXPECT_EQ(SaveDocument(*loaded, station.file, station.prompt), SaveOutcome::Saved);
    EXPECT_TRUE(ReadAll(path).startsWith("VNQ"));
    EXPECT_FALSE(loaded->IsModified());

    // Loaded from a configuration file, Save writes it back while the document holds no
    // measurement.
    CVelor32Doc* setup = station.file.LoadDataFile(station.Path("run.cfg"));
    ASSERT_NE(setup, nullptr);
    station.AddNote("");
    setup->m_nFilter = 9;
    EXPECT_EQ(SaveDocument(*setup, station.file, station.prompt), SaveOutcome::Saved);
    EXPECT_FALSE(setup->IsModified());
    EXPECT_TRUE(ReadAll(station.Path("run.cfg")).startsWith("CFG"));
}

TEST(SaveCommands, FailedSaveAsListsNoMissingFile) {
    TestStation station;
    CVelor32Doc* doc = station.NewDocument();
    station.AddProbe()->failWrite = true;
    EXPECT_EQ(SaveDocumentAs(*doc, station.file, station.prompt, station.frame,
                             station.Path("x"), SaveAsKind::DataFile),
              SaveOutcome::Failed);
    EXPECT_TRUE(station.frame.recent.empty());
}

}  // namespace
}  // namespace velor::test

namespace velor::test {
namespace {

// Makes a folder refuse new files for as long as it lives: its permissions, or (for root,
// whom permissions do not stop) the immutable attribute. Unavailable on file systems that
// have neither.
class ClosedFolder {
public:
    explicit ClosedFolder(const QString& path) : m_path(path) {
        QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::ExeOwner);
        if (!Accepts()) return;
        m_immutable = QProcess::execute(QStringLiteral("chattr"), {QStringLiteral("+i"), path}) == 0;
    }
    ~ClosedFolder() {
        if (m_immutable) QProcess::execute(QStringLiteral("chattr"), {QStringLiteral("-i"), m_path});
        QFile::setPermissions(m_path, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    }
    bool IsClosed() const { return !Accepts(); }

private:
    bool Accepts() const {
        QFile probe(m_path + QStringLiteral("/probe"));
        const bool created = probe.open(QIODevice::WriteOnly);
        if (created) probe.remove();
        return created;
    }
    QString m_path;
    bool m_immutable = false;
};

TEST(DataFileSave, WritableFileInAFolderThatTakesNoNewFileIsStillSaved) {
    TestStation station;
    CVelor32Doc* doc = station.NewDocument();
    station.AddNote("before");
    const QString folder = station.Path("closed");
    ASSERT_TRUE(QDir().mkpath(folder));
    const QString path = folder + QStringLiteral("/m.vnq");
    ASSERT_TRUE(station.file.SaveDataFile(path));

    doc->m_nFilter = 11;
    ClosedFolder closed(folder);
    if (!closed.IsClosed()) GTEST_SKIP() << "this file system cannot close a folder to new files";
    ASSERT_TRUE(station.file.SaveDataFile(path)) << station.prompt.Texts().join("|").toStdString();
    EXPECT_TRUE(station.prompt.Messages().empty());
    CVelor32Doc* loaded = station.file.LoadDataFile(path);
    ASSERT_NE(loaded, nullptr);
    EXPECT_EQ(loaded->m_nFilter, 11);

    // A new file there cannot be written: the message says why.
    EXPECT_FALSE(station.file.SaveDataFile(folder + QStringLiteral("/other.vnq")));
    EXPECT_TRUE(station.prompt.Last().text.startsWith("Failed to save document.\n"));
    EXPECT_TRUE(station.prompt.Last().text.contains(QRegularExpression(": .+ (permitted|denied)")))
        << station.prompt.Last().text.toStdString();
}

}  // namespace
}  // namespace velor::test

namespace velor::test {
namespace {

// In place, a write that fails part way (the disk full, a file-size limit) must not leave a
// short file: the earlier content goes back, and the message says so.
TEST(DataFileSave, AFailedWriteInPlaceWritesTheEarlierFileBack) {
    TestStation station;
    CVelor32Doc* doc = station.NewDocument();
    station.AddNote("before");
    const QString folder = station.Path("closed");
    ASSERT_TRUE(QDir().mkpath(folder));
    const QString path = folder + QStringLiteral("/m.vnq");
    ASSERT_TRUE(station.file.SaveDataFile(path));
    const QByteArray earlier = ReadAll(path);

    doc->m_nFilter = 11;
    ClosedFolder closed(folder);
    if (!closed.IsClosed()) GTEST_SKIP() << "this file system cannot close a folder to new files";
    station.prompt.Clear();
    bool saved;
    {
        // Room for the earlier file, which is as long as the new one, but not for more.
        FileSizeLimit full(static_cast<rlim_t>(earlier.size() / 2));
        saved = station.file.SaveDataFile(path);
    }
    EXPECT_FALSE(saved);
    EXPECT_EQ(ReadAll(path), earlier);
    ASSERT_EQ(station.prompt.Messages().size(), 1u);
    EXPECT_EQ(station.prompt.Last().text,
              "Could not save file\n" + path + ": File too large. The earlier file was written back unchanged.");
    EXPECT_TRUE(doc->IsModified());
}

}  // namespace
}  // namespace velor::test
