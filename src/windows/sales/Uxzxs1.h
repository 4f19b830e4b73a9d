#pragma once

#include "windows/documents/HeldDocumentPicker.h"

// "选择销售挂单（未审销售单）": the held retail ("tjxs") or wholesale ("tjpf") documents.
class TFxzxs1 : public HeldDocumentPicker
{
    Q_OBJECT
public:
    TFxzxs1(const WindowContext &context, const documents::Descriptor &descriptor,
            const QString &mode, QWidget *parent = nullptr)
        : HeldDocumentPicker(context, descriptor, mode,
                             QStringLiteral("选择销售挂单（未审销售单）"), QStringLiteral("客户"),
                             QStringLiteral("客户"), parent)
    {
    }
};
