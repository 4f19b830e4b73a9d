#pragma once

#include "windows/management/DocumentViewer.h"

// "浏览销售出库单": a retail or wholesale document, read only; printed as
// the sales slip.
class TFllxsd1 : public DocumentViewer
{
    Q_OBJECT
public:
    explicit TFllxsd1(const WindowContext &context, QWidget *parent = nullptr);

    static const ViewerWords &words();
};
