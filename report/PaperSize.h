#pragma once
// The paper a report is laid out on: the locale's (LC_PAPER, as the system's printing tools
// take it), Letter where the locale says 216 × 279 mm, A4 everywhere else.

#include <QPageSize>
#include <QString>
#include <optional>

namespace velor {

QPageSize::PageSizeId PaperFromLocale();

// "a4" or "letter", in any case; nothing for another name.
std::optional<QPageSize::PageSizeId> PaperFromName(const QString& name);

}  // namespace velor
