#pragma once

#include "windows/masterdata/GoodsPicker.h"

#include <QDialog>

// A window whose article fields the field picker fills: assembly ("zu1" the
// whole item, "zu2" the part), splitting ("chai1", "chai2") and unit
// conversion ("kchs"). Its input-mode flag `sao` reads "xuan" while the picker
// is open, so that a code written into its code field is not taken for a
// scanned one, and "sao" again once the picker closes.
class GoodsFieldsTarget
{
public:
    virtual ~GoodsFieldsTarget() = default;

    // Writes the article into the fields the mode names (txm1, ppgg1, dw1,
    // kcsl1, spid1 for "zu1" and "chai1", ...).
    virtual void fillGoodsFields(const QString &mode, const goods::Article &article) = 0;
    virtual void setSao(const QString &flag) = 0;
};

// The field picker: modal, captioned and given its mode `xzbj` by the opener.
// "选择" fills the opener's fields and closes; closing in any way sets the
// opener's flag back to "sao".
class TFsp3 : public QDialog
{
    Q_OBJECT
public:
    TFsp3(const WindowContext &context, GoodsFieldsTarget &target, QWidget *parent = nullptr);

    void setMode(const QString &mode) { xzbj = mode; }
    QString mode() const { return xzbj; }
    GoodsPicker *picker() const { return m_picker; }

    void done(int result) override;

protected:
    void showEvent(QShowEvent *event) override;

private:
    GoodsFieldsTarget &m_target;
    GoodsPicker *m_picker;
    QString xzbj;
};
