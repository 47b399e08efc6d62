#pragma once
// A write past the process's file-size limit (ulimit -f) raises SIGXFSZ, whose default action
// ends the process before any check sees the failure: no message, and every unsaved change
// gone. Ignored, the write fails with EFBIG instead and takes the writer's failure path (the
// message, the earlier file kept). Every program that writes files calls this first thing.

namespace velor {

void IgnoreFileSizeSignal();

}  // namespace velor
