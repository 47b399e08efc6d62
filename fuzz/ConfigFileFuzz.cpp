// The configuration reader: a sound configuration header and frame section, then the bytes of
// the input as the settings record and the view sections, so the fuzzer spends its time past
// the parts every file shares. The first byte chooses how many view sections the header names.

#include <QBuffer>
#include <cstddef>
#include <cstdint>

#include "document/file/DataCrc16.h"
#include "document/file/DormFrameData.h"
#include "document/file/FileHeader.h"
#include "fuzz/FuzzSession.h"

namespace {

QByteArray ConfigurationPrefix(uint16_t viewCount) {
    using namespace velor;
    QByteArray prefix;
    QBuffer buffer(&prefix);
    buffer.open(QIODevice::WriteOnly);
    Archive archive(buffer);
    const DataFileHeader header = MakeFileHeader(kFileTypeConfig, viewCount);
    archive.Write(&header, sizeof header);
    CDataCrc16::WriteSectionMarker(archive, 10);
    const CDormFrameData frame;
    CDataCrc16::WriteBlock(archive, &frame, sizeof frame);
    CDataCrc16::WriteSectionMarker(archive, 11);
    return prefix;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static velor::fuzz::FileSession session;
    if (size == 0) return 0;
    const uint16_t viewCount = static_cast<uint16_t>(1 + data[0] % velor::kMaxViewSections);
    session.Load(ConfigurationPrefix(viewCount) +
                 QByteArray(reinterpret_cast<const char*>(data) + 1, static_cast<int>(size - 1)));
    return 0;
}
