#pragma once

#include <QString>

// The names under which decimal values reach a grid, a report or an export:
// every decimal column of the shop tables, and the result aliases of the
// statistics (zsl, sltc, yje, ...). Those values are stored as scaled integers
// and shown in the shortest decimal form.
namespace decimalcolumns {

bool contains(const QString &name);  // case-insensitive

}  // namespace decimalcolumns
