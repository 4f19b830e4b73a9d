#pragma once

#include <QString>
#include <QStringList>

// The twelve permissions an operator can be granted, in the order the grant
// dialog lists them.
namespace permissions {

inline QString systemSettings() { return QStringLiteral("系统设置"); }
inline QString masterData() { return QStringLiteral("基本资料"); }
inline QString purchaseEntry() { return QStringLiteral("采购开单"); }
inline QString purchaseQuery() { return QStringLiteral("采购查询"); }
inline QString retailEntry() { return QStringLiteral("零售开单"); }
inline QString wholesaleEntry() { return QStringLiteral("批发开单"); }
inline QString salesQuery() { return QStringLiteral("销售查询"); }
inline QString movementEntry() { return QStringLiteral("异动开单"); }
inline QString movementQuery() { return QStringLiteral("异动查询"); }
inline QString finance() { return QStringLiteral("财务管理"); }
inline QString zeroStock() { return QStringLiteral("库存归零"); }
inline QString showStockPrices() { return QStringLiteral("显示库存价格"); }

const QStringList &all();

}  // namespace permissions
