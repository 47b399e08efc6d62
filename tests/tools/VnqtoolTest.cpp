// vnqtool driven as a user drives it: as a separate process, reading its output and status.

#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "document/SettingsFields.h"

namespace {

struct ToolRun {
    int status;
    QString out;
    QString err;
};

ToolRun RunTool(const QStringList& arguments) {
    QProcess process;
    process.start(QStringLiteral(VNQTOOL_PATH), arguments);
    EXPECT_TRUE(process.waitForFinished(30000));
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            QString::fromLocal8Bit(process.readAllStandardOutput()),
            QString::fromLocal8Bit(process.readAllStandardError())};
}

class VnqtoolCli : public ::testing::Test {
protected:
    QString Path(const char* name) { return dir.filePath(QString::fromLatin1(name)); }
    QTemporaryDir dir;
};

TEST_F(VnqtoolCli, NewThenInfoShowsHeaderEverySettingAndTheSections) {
    ASSERT_EQ(RunTool({"new", Path("x.vnq")}).status, 0);
    const ToolRun info = RunTool({"info", Path("x.vnq")});
    ASSERT_EQ(info.status, 0) << info.err.toStdString();
    EXPECT_TRUE(info.out.contains("Type:     VNQ (data file)"));
    EXPECT_TRUE(info.out.contains("Version:  4.0.4"));
    EXPECT_TRUE(info.out.contains("Views:    1"));
    for (const velor::FieldDescriptor& field : velor::SettingsRecordFields()) {
        EXPECT_TRUE(info.out.contains(QString::fromLatin1(field.name))) << field.name;
    }
    EXPECT_TRUE(info.out.contains(QRegularExpression("m_nScans3D\\s+10\\n")));
    EXPECT_TRUE(info.out.contains(QRegularExpression("m_szRefUnits\\s+\"mW\"")));
    EXPECT_TRUE(info.out.contains(QRegularExpression("10\\s+main frame\\s+48\\n")));
    EXPECT_TRUE(info.out.contains(QRegularExpression("11\\s+document\\s+144, 12964 x13, 44\\n")));
    EXPECT_TRUE(info.out.contains(QRegularExpression("5\\s+notes view\\s+60, \\d+\\n")));
}

TEST_F(VnqtoolCli, ConfigurationFileIsShortAndLoads) {
    ASSERT_EQ(RunTool({"new", "--config", Path("s.cfg")}).status, 0);
    const ToolRun info = RunTool({"info", Path("s.cfg")});
    ASSERT_EQ(info.status, 0);
    EXPECT_TRUE(info.out.contains("CFG (configuration file)"));
    EXPECT_TRUE(info.out.contains(QRegularExpression("11\\s+document\\s+144\\n")));
}

TEST_F(VnqtoolCli, FlippedByteIsReportedAsTheViewerWouldAndFails) {
    ASSERT_EQ(RunTool({"new", Path("x.vnq")}).status, 0);
    QFile file(Path("x.vnq"));
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    QByteArray bytes = file.readAll();
    const int inFirstProfile = 40 + 6 + 6 + 48 + 6 + 6 + 144 + 6 + 100;
    bytes[inFirstProfile] = static_cast<char>(bytes[inFirstProfile] ^ 0x40);
    file.seek(0);
    file.write(bytes);
    file.close();
    const ToolRun info = RunTool({"info", Path("x.vnq")});
    EXPECT_NE(info.status, 0);
    EXPECT_TRUE(info.err.contains("Could not read file"));
}

TEST_F(VnqtoolCli, ForeignFileGetsTheViewersMessage) {
    QFile file(Path("foreign.vnq"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(QByteArray(200, 'z'));
    file.close();
    const ToolRun info = RunTool({"info", Path("foreign.vnq")});
    EXPECT_EQ(info.status, 1);
    EXPECT_TRUE(info.err.contains("not a Lumora file"));
    EXPECT_EQ(RunTool({"info", Path("missing.vnq")}).status, 1);
}

TEST_F(VnqtoolCli, HelpAndUsageErrors) {
    for (const QStringList& args : {QStringList{"--help"}, QStringList{"info", "--help"},
                                    QStringList{"new", "--help"}}) {
        const ToolRun run = RunTool(args);
        EXPECT_EQ(run.status, 0) << args.join(' ').toStdString();
        EXPECT_TRUE(run.out.contains("Usage")) << run.out.toStdString();
    }
    EXPECT_EQ(RunTool({}).status, 2);
    EXPECT_EQ(RunTool({"frobnicate"}).status, 2);
    EXPECT_EQ(RunTool({"info"}).status, 2);
    EXPECT_EQ(RunTool({"new", "--config", Path("x.vnq")}).status, 2);
    EXPECT_EQ(RunTool({"new", Path("x.cfg")}).status, 2);
    ASSERT_EQ(RunTool({"new", Path("x.vnq")}).status, 0);
    EXPECT_EQ(RunTool({"new", Path("x.vnq")}).status, 2) << "no silent overwrite";
    EXPECT_EQ(RunTool({"new", "--force", Path("x.vnq")}).status, 0);
}

}  // namespace
