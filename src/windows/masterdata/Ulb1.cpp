#include "windows/masterdata/Ulb1.h"

#include "windows/masterdata/Utjlb1.h"

TFlb1::TFlb1(const WindowContext &context, QWidget *parent)
    : NameListWindow(context, NameListWords::categories(), parent)
{
}

NameEditDialog *TFlb1::makeEditor()
{
    return new TFtjlb1(m_context, this);
}
