#pragma once

#include "windows/documents/HeldDocumentPicker.h"

// "选择异动挂单（未审异动单）": the held stock movement documents, filtered by
// reason.
class TFxzrk1 : public HeldDocumentPicker
{
    Q_OBJECT
public:
    explicit TFxzrk1(const WindowContext &context, QWidget *parent = nullptr)
        : HeldDocumentPicker(context, documents::descriptor(documents::DocumentKind::Movement),
                             QStringLiteral("tjrk"), QStringLiteral("选择异动挂单（未审异动单）"),
                             QStringLiteral("原因"), QStringLiteral("异动原因"), parent)
    {
    }
};
