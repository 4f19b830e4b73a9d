#pragma once

#include "windows/admin/MaintenanceDialog.h"

// "压缩数据": gives the room of deleted rows back, after the question
// "确定要压缩当前数据库吗？". The shop stays as it was unless the compacted
// copy is whole and in place. Closes after "压缩" whatever the answer.
class TFyasuo1 : public MaintenanceDialog
{
    Q_OBJECT
public:
    explicit TFyasuo1(TDM1 &dm, QWidget *parent = nullptr);

private:
    void BitBtn1Click();
};
