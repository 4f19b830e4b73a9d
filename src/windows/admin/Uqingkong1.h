#pragma once

#include "windows/admin/MaintenanceDialog.h"

#include <vector>

class QCheckBox;
class QGroupBox;
namespace maintenance {
enum class Box;
}

// "数据清空": deletes the kinds of data checked, at once and all together,
// after keeping the shop as it stands in the backup folder (the message
// names the copy, so that a wrong click can be undone by restoring it).
class TFqingkong1 : public MaintenanceDialog
{
    Q_OBJECT
public:
    explicit TFqingkong1(TDM1 &dm, QWidget *parent = nullptr);

    QGroupBox *GroupBox1 = nullptr;
    QCheckBox *CB1 = nullptr;  // basic data
    QCheckBox *CB2 = nullptr;  // purchases
    QCheckBox *CB3 = nullptr;  // sales
    QCheckBox *CB4 = nullptr;  // stock
    QCheckBox *CB5 = nullptr;  // finance

    // The kinds checked, in the order of the boxes.
    std::vector<maintenance::Box> checked() const;

private:
    void BitBtn1Click();
};
