#include "report/PaperSize.h"

#include <clocale>
#include <cstdint>
#include <langinfo.h>
#include <string>

namespace velor {

QPageSize::PageSizeId PaperFromLocale() {
    // LC_PAPER of the environment, without touching the categories the rest of the program
    // runs with; restored at once, as nothing else reads it.
    const char* current = std::setlocale(LC_PAPER, nullptr);
    const std::string previous = current ? current : "C";
    std::setlocale(LC_PAPER, "");
    const auto height = static_cast<int>(reinterpret_cast<intptr_t>(nl_langinfo(_NL_PAPER_HEIGHT)));
    const auto width = static_cast<int>(reinterpret_cast<intptr_t>(nl_langinfo(_NL_PAPER_WIDTH)));
    std::setlocale(LC_PAPER, previous.c_str());
    return width == 216 && height == 279 ? QPageSize::Letter : QPageSize::A4;
}

std::optional<QPageSize::PageSizeId> PaperFromName(const QString& name) {
    if (name.compare(QLatin1String("a4"), Qt::CaseInsensitive) == 0) return QPageSize::A4;
    if (name.compare(QLatin1String("letter"), Qt::CaseInsensitive) == 0) return QPageSize::Letter;
    return std::nullopt;
}

}  // namespace velor
