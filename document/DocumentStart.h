#pragma once

namespace velor {

// How a document begins. A new measurement gets cleared arrays and its angle grid at once;
// one about to be read from a file gets them once the file's settings have said their size
// and distance, and only the arrays the file does not fill are cleared.
enum class DocumentStart { New, FromFile };

}  // namespace velor
