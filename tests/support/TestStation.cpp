#include "tests/support/TestStation.h"

#include <QFile>
#include <gtest/gtest.h>

namespace velor::test {

bool ProbeView::WriteSection(SerializeContext& context) {
    if (!DocumentView::WriteSection(context)) return false;
    if (failWrite) return false;
    return CDataCrc16::WriteBlock(context.archive, &payload, sizeof payload) != 0;
}

bool ProbeView::ReadSection(SerializeContext& context) {
    if (!DocumentView::ReadSection(context)) return false;
    return CDataCrc16::ReadBlock(context.archive, &payload, sizeof payload) != 0;
}

TestStation::TestStation()
    : environment{prompt, board, motion, clock, frame},
      documents(environment),
      file(prompt, frame, documents, viewTypes) {
    RegisterHeadlessNoteSection(viewTypes);
    viewTypes.Register(ProbeView::kTag, [](CDormDoc& doc) {
        return doc.AdoptView(std::make_unique<ProbeView>());
    });
}

CVelor32Doc* TestStation::NewDocument() { return documents.CreateDocument(); }

NoteSection* TestStation::AddNote(const QByteArray& text) {
    auto note = std::make_unique<NoteSection>();
    note->SetText(text);
    return static_cast<NoteSection*>(Document()->AdoptView(std::move(note)));
}

ProbeView* TestStation::AddProbe() {
    return static_cast<ProbeView*>(Document()->AdoptView(std::make_unique<ProbeView>()));
}

QByteArray ReadAll(const QString& path) {
    QFile f(path);
    EXPECT_TRUE(f.open(QIODevice::ReadOnly)) << path.toStdString();
    return f.readAll();
}

void WriteAll(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate)) << path.toStdString();
    ASSERT_EQ(f.write(bytes), bytes.size());
}

}  // namespace velor::test
