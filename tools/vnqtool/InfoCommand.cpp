// vnqtool info: loads a file exactly as the program does and shows what it holds.

#include <QCommandLineParser>
#include <cstdio>

#include "document/SettingsFields.h"
#include "tools/vnqtool/CommandLine.h"
#include "tools/vnqtool/Commands.h"
#include "tools/vnqtool/SectionWalk.h"
#include "tools/vnqtool/ToolSession.h"

namespace vnqtool {
namespace {

using namespace velor;

void PrintHeader(const QString& path, const DataFileHeader& header) {
    char version[16];
    const int type = FileTypeFromTag(header.typeTag);
    std::printf("File:     %s\n", qPrintable(path));
    std::printf("Type:     %.3s (%s)\n", header.typeTag,
                type == kFileTypeConfig ? "configuration file" : "data file");
    std::printf("Version:  %s\n", FormatVersionTo(version, header.version));
    std::printf("Views:    %u\n", header.viewCount);
}

// One range unless the file's gain range section says otherwise.
void PrintGainRanges(const CGainRangeData& ranges) {
    std::printf("Ranges:   %u", ranges.m_nGainRanges);
    if (!ranges.IsSingleRange()) {
        std::printf(" (data: axis 0 %u, axis 1 %u, 3D %u; base gain %u dB)", ranges.m_nAxisRanges[0],
                    ranges.m_nAxisRanges[1], ranges.m_n3DRanges, ranges.m_nProfileGain);
    }
    std::printf("\n");
}

void PrintSettings(const CVelor32DocLSData& settings) {
    std::printf("\nSettings (%zu bytes):\n", sizeof settings);
    const auto* bytes = reinterpret_cast<const unsigned char*>(&settings);
    for (const FieldDescriptor& field : SettingsRecordFields()) {
        std::printf("  %3zu  %-16s %s\n", field.offset, field.name,
                    qPrintable(FormatField(field, bytes)));
    }
}

// "144, 12964 ×2, 44": equal neighbours are counted rather than repeated.
QString BlockSizes(const WalkedSection& section) {
    QStringList parts;
    const auto& blocks = section.blocks;
    for (size_t i = 0; i < blocks.size();) {
        size_t run = 1;
        while (i + run < blocks.size() && blocks[i + run].length == blocks[i].length &&
               blocks[i + run].checked == blocks[i].checked) {
            ++run;
        }
        QString part = QString::number(blocks[i].length);
        if (run > 1) part += QStringLiteral(" x%1").arg(run);
        if (!blocks[i].checked) part += QStringLiteral(" (kept as read)");
        parts << part;
        i += run;
    }
    return parts.isEmpty() ? QStringLiteral("none") : parts.join(QStringLiteral(", "));
}

void PrintSections(const DataFile::LoadRecord& record) {
    std::printf("\nSections (tag, kind, block sizes in bytes):\n");
    for (const WalkedSection& section : SectionsOf(record)) {
        std::printf("  %5u  %-26s %s\n", section.tag, qPrintable(SectionName(section.tag)),
                    qPrintable(BlockSizes(section)));
    }
    if (record.unread > 0) {
        std::printf("  (%lld bytes after the last section read)\n", static_cast<long long>(record.unread));
    }
}

}  // namespace

int RunInfo(const QStringList& arguments) {
    QCommandLineParser parser;
    QString path;
    const int stop = ParseCommand(parser, "info",
                                  "Loads a measurement or configuration file as the viewer does "
                                  "and prints its header,\nevery setting and its sections. A file "
                                  "the viewer would refuse prints the viewer's\nmessage and exits "
                                  "with status 1.",
                                  arguments, path);
    if (stop >= 0) return stop;

    // What the loader met is what is shown: the file is read once.
    ToolSession session;
    DataFile::LoadRecord record;
    CVelor32Doc* document = session.File().LoadDataFile(path, &record);
    if (!document) return kExitFileError;
    PrintHeader(path, record.header);
    PrintGainRanges(document->GainRangeRecord());
    PrintSettings(document->Settings());
    PrintSections(record);
    return kExitOk;
}

}  // namespace vnqtool
