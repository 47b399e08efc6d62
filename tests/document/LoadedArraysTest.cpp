// A document read from a file gets arrays that the file fills, without clearing them first:
// what a short record leaves must still read as zero, never as what the memory held before
// (documents read one after another reuse the same memory).

#include <QByteArray>
#include <QtEndian>
#include <gtest/gtest.h>

#include "document/Velor32Doc.h"
#include "document/file/DataCrc16.h"
#include "tests/support/FileLayout.h"
#include "tests/support/TestStation.h"

namespace velor::test {
namespace {

QByteArray Block(const QByteArray& record) {
    QByteArray header(6, '\0');
    qToLittleEndian<uint16_t>(kDataBlockTag, header.data());
    qToLittleEndian<uint16_t>(static_cast<uint16_t>(record.size()), header.data() + 2);
    qToLittleEndian<uint16_t>(CDataCrc16::ComputeCrc(record.constData(), static_cast<std::size_t>(record.size())),
                              header.data() + 4);
    return header + record;
}

QByteArray Samples(int count, float value, int extraBytes = 0) {
    QByteArray bytes(count * 4 + extraBytes, '\xFF');
    for (int i = 0; i < count; ++i) qToLittleEndian(value, bytes.data() + 4 * i);
    return bytes;
}

TEST(LoadedArrays, ShortRecordsLeaveZerosNotWhatTheMemoryHeldBefore) {
    // The largest 3D set, whose buffer a thread keeps for the next document.
    for (const int scans : {10, 200}) {
        SCOPED_TRACE(scans);
        TestStation station;
        CVelor32Doc* full = station.NewDocument();
        full->m_nScans3D = static_cast<uint16_t>(scans);
        full->ReallocateArrays();
        const int samples = (scans + 1) * kSamplesPerProfile;
        std::fill(full->Get3DData(), full->Get3DData() + samples, 7.0f);
        std::fill(full->GetProfileData(0), full->GetProfileData(0) + kSamplesPerProfile, 5.0f);
        station.AddNote("a file holds at least one view");
        const QString fullPath = station.Path("full.vnq");
        ASSERT_TRUE(station.file.SaveDataFile(fullPath));
        ASSERT_NE(station.file.LoadDataFile(fullPath), nullptr);

        // The same file with every profile and scan record cut short, a profile's last
        // sample by half.
        const FileLayout layout(scans);
        const QByteArray bytes = ReadAll(fullPath);
        QByteArray cut = bytes.left(layout.profileBlock(0));
        cut += Block(Samples(1000, 9.0f, 2)) + Block(Samples(1000, 9.0f, 2));
        for (int k = 0; k <= scans; ++k) cut += Block(Samples(100 + k, 1.0f));
        cut += bytes.mid(layout.noiseBlock());
        const QString cutPath = station.Path("cut.vnq");
        WriteAll(cutPath, cut);

        for (int round = 0; round < 2; ++round) {
            CVelor32Doc* doc = station.file.LoadDataFile(cutPath);
            ASSERT_NE(doc, nullptr) << station.prompt.Texts().join("|").toStdString();
            EXPECT_EQ(doc->GetNumPoints(0), 1000);
            const float* profile = doc->GetProfileData(0);
            EXPECT_EQ(profile[999], 9.0f);
            for (int j = 1000; j < kSamplesPerProfile; ++j) ASSERT_EQ(profile[j], 0.0f) << j;
            const float* data = doc->Get3DData();
            for (int k = 0; k <= scans; ++k) {
                const float* scan = data + static_cast<size_t>(k) * kSamplesPerProfile;
                ASSERT_EQ(scan[99 + k], 1.0f) << k;
                for (int j = 100 + k; j < kSamplesPerProfile; ++j) ASSERT_EQ(scan[j], 0.0f) << k << " " << j;
            }
        }
    }
}

}  // namespace
}  // namespace velor::test
