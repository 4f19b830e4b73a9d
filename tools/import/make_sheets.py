#!/usr/bin/env python3
"""Make the spreadsheets of the master-data import.

  make_sheets.py templates DIR   the four templates a shop fills in, with the
                                 column titles on the first row of Sheet1, as
                                 .xls (Excel 97-2003) and .xlsx
  make_sheets.py tests DIR       the sheets the import's tests read
  make_sheets.py goods DIR ROWS  a goods sheet of ROWS articles, as .xlsx, and
                                 as .xls too while ROWS fits one (the benchmark)

.xls is written with xlwt, .xlsx with openpyxl (Debian's python3-xlwt and
python3-openpyxl).  The build runs it; nothing it makes is committed.
"""
import os
import sys

import openpyxl
import xlwt

# The titles of each table's sheet, in the templates' order.
TITLES = {
    'goods': ['类别', '编码', '商品名称', '单位', '采购单价', '批发单价', '零售单价',
              '库存数量', '库存单价', '库存金额', '数量提成', '金额提成', '商品描述', '备注'],
    'suppliers': ['名称', '联系人', '联系电话', '传真号码', '联系地址', '邮政编码',
                  '开户银行', '银行帐号', '备注'],
    'employees': ['姓名', '性别', '职务', '部门', '联系电话', '住址', '基本工资',
                  '身份证编号', '备注'],
}
TITLES['customers'] = TITLES['suppliers']

TEMPLATES = {
    'goods': '商品资料',
    'suppliers': '厂商资料',
    'customers': '客户资料',
    'employees': '员工资料',
}


def write_xls(path, sheets):
    """sheets: [(name, rows)], each row a list of cells (None for no cell)."""
    book = xlwt.Workbook(encoding='utf-8')
    bold = xlwt.easyxf('font: bold on')
    for name, rows, *widths in sheets:
        sheet = book.add_sheet(name)
        for r, row in enumerate(rows):
            for c, value in enumerate(row):
                if value is not None:
                    sheet.write(r, c, value, bold if r == 0 and widths else xlwt.Style.default_style)
        for c, width in enumerate(widths[0] if widths else []):
            sheet.col(c).width = width * 256
    book.save(path)


def write_xlsx(path, sheets):
    book = openpyxl.Workbook(write_only=True)
    for name, rows, *widths in sheets:
        sheet = book.create_sheet(name)
        for c, width in enumerate(widths[0] if widths else []):
            sheet.column_dimensions[openpyxl.utils.get_column_letter(c + 1)].width = width
        for row in rows:
            sheet.append(list(row))
    book.save(path)


def write_both(folder, stem, sheets):
    write_xls(os.path.join(folder, stem + '.xls'), sheets)
    write_xlsx(os.path.join(folder, stem + '.xlsx'), sheets)


def templates(folder):
    os.makedirs(folder, exist_ok=True)
    for table, stem in TEMPLATES.items():
        titles = TITLES[table]
        widths = [max(10, 2 * len(t) + 4) for t in titles]
        write_both(folder, stem, [('Sheet1', [titles], widths)])


def goods_row(i):
    """Article i of a generated catalogue; its stock value is its own."""
    return ['五金工具' if i % 3 else '紧固件', 'SP%06d' % i, '不锈钢螺丝 M%d*%d' % (i % 20 + 3, i % 7 * 5 + 10),
            '盒', 1.5 + i % 100, 2.25, 3.0, i % 50, 1.5, (i % 50) * 1.5 + 0.01, 0.1, 0.02,
            '描述%d' % i, '']


def goods_sheet(rows):
    return [TITLES['goods']] + [goods_row(i) for i in range(1, rows + 1)]


def tests(folder):
    os.makedirs(folder, exist_ok=True)
    s = TITLES['suppliers']

    # Suppliers: columns in another order than the template's plus one the
    # import ignores; names with quotes; a blank row; a row without a name;
    # a name twice; numbers where texts belong.
    partners = [
        ['备注', '名称', '联系人', '联系电话', '传真号码', '联系地址', '邮政编码', '开户银行',
         '银行帐号', '其他'],
        ['老客户', "O'Brien五金", '张三', 13800138000, '010-1234', '北京市海淀区', 100080,
         '工商银行', '6222020200112233445', '忽略'],
        [None, '"永固"建材', '李四', '0755-888', None, '深圳', None, None, None, None],
        [None, None, None, None, None, None, None, None, None, None],
        ['', '  ', '王五', '139', '', '', '', '', '', ''],
        ['第二次', "O'Brien五金", '赵六', '', '', '', '', '', '', ''],
        [None, '华强电料', None, None, None, None, None, None, None, None],
    ]
    write_both(folder, 'partners', [('Sheet1', partners)])

    # The same suppliers with the data on a sheet of another name.
    write_both(folder, 'partners_other_sheet', [('厂商', partners)])
    # Sheet1 behind another sheet is still found.
    write_both(folder, 'partners_second_sheet', [('说明', [['请填写Sheet1']]), ('Sheet1', partners)])
    # A title missing: 银行帐号.
    write_both(folder, 'partners_missing_title',
               [('Sheet1', [[t for t in s if t != '银行帐号'], ['某厂'] + [''] * 7])])

    # Employees: wages as numbers, as text, empty.
    e = TITLES['employees']
    write_both(folder, 'employees', [('Sheet1', [
        e,
        ['张三', '男', '店长', '门市', '13800000000', '北京', 3500.5, '110101199001011234', ''],
        ['李四', '女', '收银', '门市', '', '', '4200', '', ''],
        ['王五', '男', '', '', 13912345678, '', None, '110101199202023456', ''],
    ])])
    write_both(folder, 'employees_bad_wage', [('Sheet1', [
        e,
        ['张三', '男', '', '', '', '', 3500, '', ''],
        ['李四', '女', '', '', '', '', '三千', '', ''],
    ])])

    # Goods: the stock value as the sheet has it, an empty code, the same
    # article twice, five decimals, a code that is a number.
    g = TITLES['goods']
    write_both(folder, 'goods', [('Sheet1', [
        g,
        ['紧固件', 'LS01', '不锈钢螺丝', '盒', 1.2, 1.5, 2, 10, 1.2, 99.99, 0.1, 0.05, "6'' 长", '备注一'],
        ['紧固件', None, '膨胀螺栓 M8', '个', 0.8, 1, 1.5, 100, 0.8, 80, 0, 0, '', ''],
        ['紧固件', '', '膨胀螺栓 M8', '个', 0.8, 1, 1.5, 100, 0.8, 80, 0, 0, '', ''],
        ['电料', 6901234567890, '开关面板', '只', 1.23455, 1.23465, '7.5', None, '', 0, '', '', '', ''],
        [None] * 14,
        ['', '', '', '', '', '', '', '', '', '', '', '', '', ''],
        ['', '', '', '卷', '', '', '', '', '', '', '', '', '', ''],
    ])])

    # A thousand articles, the 500th with a stock quantity that is no number.
    rows = goods_sheet(1000)
    rows[500][7] = 'abc'
    write_both(folder, 'goods_bad_row500', [('Sheet1', rows)])

    # Not a spreadsheet at all, under a spreadsheet's name.
    for ext in ('xls', 'xlsx'):
        with open(os.path.join(folder, 'not_a_sheet.' + ext), 'w', encoding='utf-8') as f:
            f.write('名称,联系人\n某厂,张三\n')


def goods(folder, count):
    os.makedirs(folder, exist_ok=True)
    sheets = [('Sheet1', goods_sheet(count))]
    stem = 'goods_%d' % count
    write_xlsx(os.path.join(folder, stem + '.xlsx'), sheets)
    if count < 65536:  # an .xls sheet holds 65,536 rows
        write_xls(os.path.join(folder, stem + '.xls'), sheets)


def main(argv):
    if len(argv) == 3 and argv[1] == 'templates':
        templates(argv[2])
    elif len(argv) == 3 and argv[1] == 'tests':
        tests(argv[2])
    elif len(argv) == 4 and argv[1] == 'goods':
        goods(argv[2], int(argv[3]))
    else:
        sys.stderr.write(__doc__)
        return 2
    return 0


if __name__ == '__main__':
    sys.exit(main(sys.argv))
