#pragma once
// The view sections that tools read and write without windows.

#include "document/file/ViewTypeRegistry.h"

namespace velor {

void RegisterHeadlessViewSections(ViewTypeRegistry& registry);

}  // namespace velor
