#pragma once

#include "core/maintenance/ShopStore.h"

#include <functional>

namespace maintenance {

// Runs `work` on a thread of its own and keeps the calling thread's event
// loop turning until it is done (windows repaint, the clock ticks), telling
// `shown` on the calling thread how far it has come, a few times a second
// and once at the end. `work` reports through the Progress it is given. An
// exception thrown by `work` is not carried over: work answers in its own
// values.
void runAside(const std::function<void(const Progress &)> &work, const Progress &shown);

}  // namespace maintenance
