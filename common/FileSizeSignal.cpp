#include "common/FileSizeSignal.h"

#include <csignal>

namespace velor {

void IgnoreFileSizeSignal() { std::signal(SIGXFSZ, SIG_IGN); }

}  // namespace velor
