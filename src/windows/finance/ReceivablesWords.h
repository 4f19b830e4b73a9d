#pragma once

#include "windows/settlements/SettlementWindows.h"

// The words and parts of the receivables side of the settlements.
const SettlementWords &receivablesWords();
