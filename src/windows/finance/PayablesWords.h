#pragma once

#include "windows/settlements/SettlementWindows.h"

// The words and parts of the payables side of the settlements.
const SettlementWords &payablesWords();
