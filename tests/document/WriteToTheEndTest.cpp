// Every way the program writes a file, with the disk filling up near the end of the file: the
// write reports its failure, the earlier file is there byte for byte, nothing partial is left.

#include <QDir>
#include <functional>
#include <gtest/gtest.h>

#include "document/export/AsciiExport.h"
#include "tests/support/FileSizeLimit.h"
#include "tests/support/TestStation.h"

namespace velor::test {
namespace {

struct SavePath {
    const char* name;
    const char* file;
    std::function<bool(TestStation&, const QString&)> save;
};

TEST(WriteToTheEnd, EverySavePathFailsWholeWhenTheDiskFillsNearTheEnd) {
    const SavePath paths[] = {
        {"data file", "m.vnq", [](TestStation& s, const QString& p) { return s.file.SaveDataFile(p); }},
        {"configuration file", "m.cfg", [](TestStation& s, const QString& p) { return s.file.SaveDataFile(p); }},
        {"3D data", "m.prw",
         [](TestStation& s, const QString& p) { return Report3dExport(s.Document()->Export3dData(p), p, s.prompt); }},
        {"ASCII export with the note", "m.asc",
         [](TestStation& s, const QString& p) { return ExportAscii(*s.Document(), p, s.prompt); }},
    };
    for (const SavePath& path : paths) {
        SCOPED_TRACE(path.name);
        TestStation station;
        CVelor32Doc* doc = station.NewDocument();
        for (int i = 0; i < 3241; ++i) doc->GetProfileData(0)[i] = static_cast<float>(i % 977);
        station.AddNote(QByteArray(3000, 'n'));
        const QString target = station.Path(QString::fromLatin1(path.file));
        const QString probe = station.Path(QStringLiteral("full.") + QString::fromLatin1(path.file).section('.', 1));
        ASSERT_TRUE(path.save(station, probe));
        const qint64 size = QFileInfo(probe).size();
        ASSERT_TRUE(QFile::remove(probe));
        WriteAll(target, "the earlier file");

        for (const qint64 limit : {size - 1, size - 100, size - 5000, size / 2}) {
            SCOPED_TRACE(limit);
            station.prompt.Clear();
            doc->SetModifiedFlag(true);
            bool saved;
            {
                FileSizeLimit full(static_cast<rlim_t>(limit));
                saved = path.save(station, target);
            }
            EXPECT_FALSE(saved);
            ASSERT_EQ(station.prompt.Messages().size(), 1u);
            EXPECT_TRUE(station.prompt.Last().text.startsWith("Could not save file\n" + target + ": "))
                << station.prompt.Last().text.toStdString();
            EXPECT_EQ(ReadAll(target), "the earlier file");
            EXPECT_EQ(QDir(station.dir.path()).entryList(QDir::Files), QStringList{QString::fromLatin1(path.file)})
                << "nothing partial left";
            EXPECT_TRUE(doc->IsModified());
        }
    }
}

}  // namespace
}  // namespace velor::test
