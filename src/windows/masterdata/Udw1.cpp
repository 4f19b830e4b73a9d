#include "windows/masterdata/Udw1.h"

#include "windows/masterdata/Utjdw1.h"

TFdw1::TFdw1(const WindowContext &context, QWidget *parent)
    : NameListWindow(context, NameListWords::units(), parent)
{
}

NameEditDialog *TFdw1::makeEditor()
{
    return new TFtjdw1(m_context, this);
}
