#include "ui/ProgramLook.h"

#include "ui/Artwork.h"

#include <QApplication>
#include <QProxyStyle>
#include <QStyleOption>

namespace programlook {

namespace {

// The platform's own style, except that a read-only line edit's panel is
// painted on grey. Drawing decides it, so a field that turns read-only (or
// editable) later is drawn right without anything else to update.
class Style : public QProxyStyle
{
public:
    using QProxyStyle::QProxyStyle;

    void drawPrimitive(PrimitiveElement element, const QStyleOption *option, QPainter *painter,
                       const QWidget *widget) const override
    {
        if (element == PE_PanelLineEdit && (option->state & State_ReadOnly) &&
            (option->state & State_Enabled)) {
            if (const auto *frame = qstyleoption_cast<const QStyleOptionFrame *>(option)) {
                QStyleOptionFrame grey(*frame);
                grey.palette.setColor(QPalette::Base, readOnlyBackground());
                QProxyStyle::drawPrimitive(element, &grey, painter, widget);
                return;
            }
        }
        QProxyStyle::drawPrimitive(element, option, painter, widget);
    }
};

}  // namespace

QColor readOnlyBackground()
{
    return QColor(0xf0, 0xf0, 0xf0);
}

void apply()
{
    QApplication::setWindowIcon(artwork::programIcon());
    if (!dynamic_cast<Style *>(QApplication::style()))
        // On the style chosen so far (the platform's, or one named on the
        // command line); the application owns it.
        QApplication::setStyle(new Style(QApplication::style()->name()));
}

}  // namespace programlook
