#include "tools/vnqtool/SectionWalk.h"

#include <QFile>
#include <cstring>

#include "document/file/DataCrc16.h"
#include "document/file/DormFrameData.h"
#include "document/file/ViewTypeRegistry.h"

namespace vnqtool {

using namespace velor;

std::optional<FileWalk> WalkFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return std::nullopt;
    Archive archive(file);
    FileWalk walk;
    walk.headerComplete =
        archive.Read(&walk.header, sizeof walk.header) == static_cast<qint64>(sizeof walk.header);
    if (!walk.headerComplete) return walk;

    QByteArray bytes;
    for (;;) {
        BlockHeader header{};
        const qint64 got = archive.Read(&header, sizeof header);
        if (got < static_cast<qint64>(sizeof header)) {
            walk.trailingBytes = got;
            break;
        }
        if (header.length == kSectionMarkerLength && header.crc == kSectionMarkerCrc) {
            walk.sections.push_back(WalkedSection{header.tag, {}});
            continue;
        }
        if (walk.sections.empty()) walk.sections.push_back(WalkedSection{0xFFFF, {}});
        bytes.resize(header.length);
        const qint64 read = archive.Read(bytes.data(), header.length);
        const bool complete = read == header.length;
        const bool crcOk = complete && CDataCrc16::ComputeCrc(bytes.constData(), header.length) == header.crc;
        walk.sections.back().blocks.push_back(WalkedBlock{header.tag, header.length, crcOk, complete});
        if (!complete) break;
    }
    return walk;
}

QString SectionName(uint16_t tag) {
    switch (tag) {
        case kFrameSectionTag: return QStringLiteral("main frame");
        case kDocumentSectionTag: return QStringLiteral("document");
        case kTimeStatViewTag: return QStringLiteral("time statistics view");
        case kProfileViewTag: return QStringLiteral("rectangular profile view");
        case kNoteViewTag: return QStringLiteral("notes view");
        case kPowerViewTag: return QStringLiteral("power view");
        case kBeamDataViewTag: return QStringLiteral("beam statistics view");
        case k3dViewTag: return QStringLiteral("3D view");
        case kPolarViewTag: return QStringLiteral("polar view");
        case kTopoViewTag: return QStringLiteral("topographic view");
        case 0xFFFF: return QStringLiteral("(blocks before any section)");
        default: return QStringLiteral("unknown section");
    }
}

}  // namespace vnqtool
