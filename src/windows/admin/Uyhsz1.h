#pragma once

#include <QDialog>

class ListGrid;
class ListWindow;
class TDM1;

// "操作员设置": the operators with their passwords (this list is for the
// administrator's eyes), and the buttons that add, delete and edit them
// and open the grant dialog.
class TFyhsz1 : public QDialog
{
    Q_OBJECT
public:
    explicit TFyhsz1(TDM1 &dm, QWidget *parent = nullptr);

    ListGrid *grid() const;

    void addClick();      // 新增
    void deleteClick();   // 删除
    void editClick();     // 修改, also a double click on a row
    void grantsClick();   // 权限

private:
    // The current operator's name; makes the first row current when none is.
    QString currentName() const;

    TDM1 &m_dm;
    ListWindow *m_list;
};
