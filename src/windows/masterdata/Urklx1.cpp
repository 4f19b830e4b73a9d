#include "windows/masterdata/Urklx1.h"

#include "windows/masterdata/Utjrklx1.h"

TFrklx1::TFrklx1(const WindowContext &context, QWidget *parent)
    : NameListWindow(context, NameListWords::reasons(), parent)
{
}

NameEditDialog *TFrklx1::makeEditor()
{
    return new TFtjrklx1(m_context, this);
}
