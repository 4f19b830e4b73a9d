#pragma once

#include "core/admin/Operators.h"
#include "core/db/Udm1.h"

// What every window receives from its opener: the data module and the
// logged-in operator's session (name and permission flags).
struct WindowContext {
    TDM1 &DM1;
    const Session &session;
};
