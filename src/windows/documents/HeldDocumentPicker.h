#pragma once

#include "core/documents/Documents.h"
#include "ui/WindowContext.h"

#include <QDialog>

class ListGrid;
class QCheckBox;
class QDateEdit;
class QLineEdit;
class QPushButton;

// The held-document pickers (`TFxzxs1` for sales, `TFxzcg1` for purchases,
// `TFxzrk1` for stock movements): the held documents of one kind, filtered by
// partner and, when ticked, by date; "选择" hands the chosen number to the
// document window. The partner's filter is labelled `partnerCaption`, its
// grid column `partnerColumnTitle` (the same words but for movements: "原因"
// over "异动原因").
class HeldDocumentPicker : public QDialog
{
    Q_OBJECT
public:
    HeldDocumentPicker(const WindowContext &context, const documents::Descriptor &descriptor,
                       const QString &mode, const QString &caption, const QString &partnerCaption,
                       const QString &partnerColumnTitle, QWidget *parent = nullptr);

    QString mode() const { return xzbj; }
    // The number chosen, once the dialog was accepted.
    QString chosenNumber() const { return m_chosen; }

    void runQuery();   // 查询
    void chooseClick();  // 选择
    ListGrid *grid() const { return DBGrid1; }

    QLineEdit *Edit2 = nullptr;
    QCheckBox *CheckBox1 = nullptr;
    QDateEdit *DateTimePicker1 = nullptr;  // from
    QDateEdit *DateTimePicker2 = nullptr;  // to
    QPushButton *cha = nullptr;
    QPushButton *xuan = nullptr;
    QPushButton *guan = nullptr;

private:
    WindowContext m_context;
    const documents::Descriptor &m_d;
    QString xzbj;
    QString m_chosen;
    ListGrid *DBGrid1 = nullptr;
};
