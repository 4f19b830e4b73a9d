#include "report/Report.h"

#include <QDebug>

namespace report {

Form::Form(QString name) : m_name(std::move(name)) {}

Band &Form::setBand(BandKind kind, qreal height)
{
    Band &b = band(kind);
    b.present = true;
    b.height = height;
    return b;
}

Item &Form::add(BandKind kind, Item item)
{
    Band &b = band(kind);
    b.present = true;
    b.items.push_back(std::move(item));
    return b.items.back();
}

Item &Form::addLabel(BandKind kind, const QString &name, const QRectF &rect,
                     const QString &caption, const Font &font, Qt::Alignment align)
{
    Item i;
    i.kind = ItemKind::Label;
    i.name = name;
    i.rect = rect;
    i.text = caption;
    i.font = font;
    i.align = align;
    return add(kind, std::move(i));
}

Item &Form::addField(const QString &name, const QRectF &rect, const QString &column,
                     const Font &font, Qt::Alignment align)
{
    Item i;
    i.kind = ItemKind::Field;
    i.name = name;
    i.rect = rect;
    i.column = column;
    i.font = font;
    i.align = align;
    return add(BandKind::Detail, std::move(i));
}

Item &Form::addLine(BandKind kind, const QPointF &from, const QPointF &to, qreal pen)
{
    Item i;
    i.kind = ItemKind::Line;
    i.rect = QRectF(from, to);  // kept unnormalised: the line runs from topLeft to bottomRight
    i.pen = pen;
    return add(kind, std::move(i));
}

Item &Form::addBox(BandKind kind, const QRectF &rect, qreal pen)
{
    Item i;
    i.kind = ItemKind::Box;
    i.rect = rect;
    i.pen = pen;
    return add(kind, std::move(i));
}

Item &Form::addPageNumber(BandKind kind, const QString &name, const QRectF &rect,
                          const QString &prefix, const Font &font, Qt::Alignment align)
{
    Item i;
    i.kind = ItemKind::PageNumber;
    i.name = name;
    i.rect = rect;
    i.text = prefix;
    i.font = font;
    i.align = align;
    return add(kind, std::move(i));
}

void Form::setDataset(Snapshot rows)
{
    m_dataset = std::move(rows);
}

Item *Form::findItem(const QString &name, ItemKind kind)
{
    for (Band &b : m_bands)
        for (Item &i : b.items)
            if (i.kind == kind && i.name == name)
                return &i;
    return nullptr;
}

const Item *Form::find(const QString &name) const
{
    for (const Band &b : m_bands)
        for (const Item &i : b.items)
            if (!i.name.isEmpty() && i.name == name)
                return &i;
    return nullptr;
}

bool Form::setFieldColumn(const QString &field, const QString &column)
{
    Item *i = findItem(field, ItemKind::Field);
    if (!i) {
        qWarning("report %s has no data field %s", qPrintable(m_name), qPrintable(field));
        return false;
    }
    i->column = column;
    return true;
}

bool Form::setCaption(const QString &label, const QString &caption)
{
    Item *i = findItem(label, ItemKind::Label);
    if (!i) {
        qWarning("report %s has no label %s", qPrintable(m_name), qPrintable(label));
        return false;
    }
    i->text = caption;
    return true;
}

QString Form::caption(const QString &label) const
{
    for (const Band &b : m_bands)
        for (const Item &i : b.items)
            if (i.kind == ItemKind::Label && i.name == label)
                return i.text;
    return QString();
}

}  // namespace report
