#include "core/admin/Permissions.h"

namespace permissions {

const QStringList &all()
{
    static const QStringList names{systemSettings(), masterData(),     purchaseEntry(),
                                   purchaseQuery(),  retailEntry(),    wholesaleEntry(),
                                   salesQuery(),     movementEntry(),  movementQuery(),
                                   finance(),        zeroStock(),      showStockPrices()};
    return names;
}

}  // namespace permissions
