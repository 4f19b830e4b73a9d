#pragma once

#include <QString>

#include <functional>

class ListGrid;
class QWidget;

// "导出": the grid, as shown, into a new spreadsheet opened in the desktop's
// spreadsheet program. The sheet is written to a new file in the folder
// "导出数据" of the program's directory on a worker thread over a copy of the
// rows (for a window onto a statement: the statement walked a piece at a
// time), while a progress dialog keeps the window painted; then it is opened.
namespace gridexport {

enum class Outcome {
    Opened,        // written and handed to the spreadsheet program
    NoSpreadsheet, // "电脑没有安装Microsoft Excel，不可导出！"; the file is removed
    Failed,        // "数据导出失败！"; nothing is left behind
};

// The caller has checked that the grid is open. `name` begins the file name
// (the window's caption).
Outcome exportGrid(QWidget *parent, const ListGrid &grid, const QString &name);

// Where the sheets go: the folder "导出数据" beside the program unless a test
// names another.
QString folder();
void setFolder(const QString &folder);

// Opens a written sheet; QDesktopServices unless a test installs its own. An
// empty function restores the desktop's.
using Opener = std::function<bool(const QString &path)>;
void setOpener(Opener opener);

}  // namespace gridexport
