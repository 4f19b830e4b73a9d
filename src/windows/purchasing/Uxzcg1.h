#pragma once

#include "windows/documents/HeldDocumentPicker.h"

// "选择采购挂单（未审采购单）": the held purchase documents, filtered by supplier.
class TFxzcg1 : public HeldDocumentPicker
{
    Q_OBJECT
public:
    explicit TFxzcg1(const WindowContext &context, QWidget *parent = nullptr)
        : HeldDocumentPicker(context, documents::descriptor(documents::DocumentKind::Purchase),
                             QStringLiteral("tjcg"), QStringLiteral("选择采购挂单（未审采购单）"),
                             QStringLiteral("厂商"), QStringLiteral("厂商"), parent)
    {
    }
};
