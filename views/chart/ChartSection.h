#pragma once
// A chart view's section without its window: the placement block, then the view's settings
// record, checked as the view checks it. Lets tools write and read measurement files that
// carry the rectangular and polar views exactly as the viewer does.

#include <memory>

#include "document/DocumentView.h"
#include "document/DormDoc.h"
#include "document/file/ViewTypeRegistry.h"
#include "views/chart/ChartRecordCheck.h"
#include "views/polar/PolarData.h"
#include "views/profile/ProfileData.h"

namespace velor {

template <typename Record, uint16_t kTag>
class ChartSection : public DocumentView, public Record {
public:
    ChartSection() : DocumentView(kTag) {}

    Record& Settings() { return *this; }

    bool WriteSection(SerializeContext& context) override {
        if (!DocumentView::WriteSection(context)) return false;
        return CDataCrc16::WriteBlock(context.archive, &Settings(), sizeof(Record)) != 0;
    }

    bool ReadSection(SerializeContext& context) override {
        if (!DocumentView::ReadSection(context)) return false;
        // Into a copy: a damaged or impossible record must not leave half-read settings.
        Record copy = Settings();
        if (CDataCrc16::ReadBlock(context.archive, &copy, sizeof copy) == 0) return false;
        if (!IsValidChartRecord(copy)) return false;
        Settings() = copy;
        return true;
    }

    static void Register(ViewTypeRegistry& registry) {
        registry.Register(kTag, [](CDormDoc& document) {
            return document.AdoptView(std::make_unique<ChartSection>());
        });
    }
};

using ProfileSection = ChartSection<CProfileData, kProfileViewTag>;
using PolarSection = ChartSection<CPolarData, kPolarViewTag>;

}  // namespace velor
