// The notes section without its window: empty notes, CR LF text, damaged blocks.

#include <QBuffer>
#include <gtest/gtest.h>

#include "document/file/FileHeader.h"
#include "tests/support/TestStation.h"

namespace velor::test {
namespace {

QByteArray SaveNote(const QByteArray& text) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    Archive archive(buffer);
    SerializeContext context{kFileTypeData, archive, kProgramFileVersion};
    NoteSection note;
    note.SetText(text);
    EXPECT_TRUE(note.WriteSection(context));
    return buffer.data();
}

bool LoadNote(const QByteArray& bytes, NoteSection& note) {
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    Archive archive(buffer);
    SerializeContext context{kFileTypeData, archive, kProgramFileVersion};
    return note.ReadSection(context);
}

TEST(NoteSection, EmptyNoteIsABlockOfLengthZero) {
    const QByteArray bytes = SaveNote("");
    EXPECT_EQ(bytes.size(), 66 + 6);
    EXPECT_EQ(bytes.right(6), QByteArray::fromHex("0c0000000000"));
    NoteSection note;
    note.SetText("old");
    ASSERT_TRUE(LoadNote(bytes, note));
    EXPECT_TRUE(note.Text().isEmpty());
}

TEST(NoteSection, TextWithLineBreaksComesBackByteForByte) {
    const QByteArray text("first\r\nsecond\r\n\r\n\xB0 degrees\r\n");
    NoteSection note;
    ASSERT_TRUE(LoadNote(SaveNote(text), note));
    EXPECT_EQ(note.Text(), text);
}

TEST(NoteSection, DamagedNoteBlockFails) {
    QByteArray bytes = SaveNote("abcdef");
    bytes[bytes.size() - 2] = 'X';
    NoteSection note;
    EXPECT_FALSE(LoadNote(bytes, note));

    bytes = SaveNote("abcdef");
    bytes[66] = 13;  // tag not a data block
    EXPECT_FALSE(LoadNote(bytes, note));

    EXPECT_FALSE(LoadNote(SaveNote("abcdef").left(66 + 6 + 3), note)) << "short data";
}

TEST(NoteSection, HeaderLength65535ReadsAsAnEmptyNote) {
    QByteArray bytes = SaveNote("").left(66) + QByteArray::fromHex("0500ffffffff");
    NoteSection note;
    note.SetText("x");
    ASSERT_TRUE(LoadNote(bytes, note));
    EXPECT_TRUE(note.Text().isEmpty());
}

TEST(NoteSection, NoteTooLongForOneBlockFailsInsteadOfBeingCut) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    Archive archive(buffer);
    SerializeContext context{kFileTypeData, archive, kProgramFileVersion};
    NoteSection note;
    note.SetText(QByteArray(65535, 'a'));
    EXPECT_FALSE(note.WriteSection(context));
    note.SetText(QByteArray(65534, 'a'));
    EXPECT_TRUE(note.WriteSection(context));
}

}  // namespace
}  // namespace velor::test
