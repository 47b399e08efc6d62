#pragma once
// How many processor cores are free now: the cores there are, less those other runnable tasks
// hold at this moment. A batch that starts a thread per core while another process keeps one
// busy gains nothing from the second thread and pays for it; one per free core keeps up with a
// single thread on a busy machine and uses every core on a free one.

#include <QByteArray>

namespace vnqtool {

// From the text of /proc/loadavg ("0.52 0.58 0.59 3/467 12345": the fourth field counts the
// tasks runnable now, this process among them) and the number of cores; at least 1, and every
// core when the text cannot be read.
int FreeCoresFrom(const QByteArray& loadavg, int cores);

// The same for this machine, now.
int FreeCores();

}  // namespace vnqtool
