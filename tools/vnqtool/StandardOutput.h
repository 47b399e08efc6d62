#pragma once
// Standard output as the commands' product: a write that fails (a full disk, a closed pipe while
// SIGPIPE is ignored) fails the command with a message, instead of passing unnoticed.

#include <QByteArray>

namespace vnqtool {

// Writes bytes straight to standard output, so that a failure's cause is known when it
// happens; false after the message.
bool WriteStandardOutput(const QByteArray& bytes);

// Flushes what the commands printed; a write that failed on the way turns a successful exit
// status into kExitFileError, with the message.
int DeliverStandardOutput(int status);

}  // namespace vnqtool
