#include "windows/masterdata/Ucxghs1.h"

namespace {

const AddressBookWords &wordsFor(const QString &mode)
{
    const AddressBookWords *w = AddressBookWords::forQueryMode(mode);
    Q_ASSERT_X(w, "TFcxghs1", "the mode is \"ghs\" or \"kh\"");
    return w ? *w : AddressBookWords::suppliers();
}

}  // namespace

TFcxghs1::TFcxghs1(const WindowContext &context, const QString &mode, QWidget *parent)
    : AddressQueryDialog(context, wordsFor(mode), parent)
{
}
