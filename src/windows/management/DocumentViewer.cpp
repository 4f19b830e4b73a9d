#include "windows/management/DocumentViewer.h"

#include "core/money/DecimalColumns.h"
#include "ui/ChildWindows.h"
#include "ui/ListGrid.h"
#include "ui/Messages.h"
#include "ui/ReportPrinting.h"

#include <QApplication>
#include <algorithm>
#include <QFont>
#include <QFontMetrics>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QVBoxLayout>

namespace {

const QString kGone = QStringLiteral("数据未打开，关闭窗口后重新打开！");

}  // namespace

DocumentViewer::DocumentViewer(const WindowContext &context, const ViewerWords &words,
                               QWidget *parent)
    : ChildWindow(words.caption, parent),
      m_context(context),
      m_words(words),
      m_d(management::listDescriptor(words.book))
{
    setObjectName(words.objectName);

    auto *title = new QLabel(words.typeCaption, this);
    title->setObjectName(QStringLiteral("title"));
    QFont big = title->font();
    big.setPointSizeF(big.pointSizeF() * 1.6);
    big.setBold(true);
    title->setFont(big);
    auto *browse = new QLabel(QStringLiteral("浏览"), this);
    browse->setObjectName(QStringLiteral("ztbj"));
    shbj = new QLabel(this);
    shbj->setObjectName(QStringLiteral("shbj"));
    QFont bold = shbj->font();
    bold.setBold(true);
    shbj->setFont(bold);
    shbj->setMinimumWidth(QFontMetrics(bold).horizontalAdvance(QStringLiteral("未审核")) + 4);
    browse->setFont(bold);
    auto *heading = new QHBoxLayout;
    heading->addWidget(browse);
    heading->addStretch();
    heading->addWidget(title);
    heading->addStretch();
    heading->addWidget(shbj);

    // The header fields, two to a row.
    auto *fields = new QGridLayout;
    fields->setColumnStretch(1, 1);
    fields->setColumnStretch(3, 1);
    int at = 0;
    for (const QString &column : m_d.viewerFields) {
        auto *edit = new QLineEdit(this);
        edit->setObjectName(column);
        edit->setReadOnly(true);
        const QString caption = words.captions.value(column, column);
        edit->setAccessibleName(caption);
        auto *label = new QLabel(caption, this);
        label->setBuddy(edit);
        fields->addWidget(label, at / 2, (at % 2) * 2);
        fields->addWidget(edit, at / 2, (at % 2) * 2 + 1);
        m_fields.insert(column, edit);
        ++at;
    }

    DBGrid1 = new ListGrid(this);
    DBGrid1->setSortable(false);
    DBGrid1->setColumns({{QStringLiteral("txm"), QStringLiteral("编码"), 110},
                         {QStringLiteral("ppgg"), QStringLiteral("商品名称"), 230},
                         {QStringLiteral("dw"), QStringLiteral("单位"), 50, Qt::AlignHCenter},
                         {QStringLiteral("sl"), QStringLiteral("数量"), 80},
                         {QStringLiteral("jg"), QStringLiteral("单价"), 80},
                         {QStringLiteral("je"), QStringLiteral("金额"), 90}});
    DBGrid1->setRowRule([](const GridRow &row) {
        RowLook look;
        if (row.decimal(QStringLiteral("sl")).isNegative())
            look.text = QColor(Qt::red);
        return look;
    });

    // "合计" | | total quantity | | total amount |
    auto *status = new QStatusBar(this);
    status->setSizeGripEnabled(false);
    for (int i = 0; i < 6; ++i) {
        auto *panel = new QLabel(status);
        panel->setObjectName(QStringLiteral("panel%1").arg(i));
        panel->setFrameShape(QFrame::StyledPanel);
        panel->setFrameShadow(QFrame::Sunken);
        panel->setMinimumWidth(i == 0 ? 60 : 100);
        status->addWidget(panel, i == 5 ? 1 : 0);
        m_panels.push_back(panel);
    }
    m_panels[0]->setText(QStringLiteral("合计"));

    const auto button = [this](const QString &name, const QString &caption) {
        auto *b = new QPushButton(caption, this);
        b->setObjectName(name);
        b->setAccessibleName(caption);
        b->setAutoDefault(false);
        return b;
    };
    BB1 = button(QStringLiteral("BB1"), QStringLiteral("首单"));
    BB2 = button(QStringLiteral("BB2"), QStringLiteral("前单"));
    BB3 = button(QStringLiteral("BB3"), QStringLiteral("后单"));
    BB4 = button(QStringLiteral("BB4"), QStringLiteral("尾单"));
    BB5 = button(QStringLiteral("BB5"), QStringLiteral("打印"));
    BB6 = button(QStringLiteral("BB6"), QStringLiteral("关闭"));
    connect(BB1, &QPushButton::clicked, this, &DocumentViewer::BB1Click);
    connect(BB2, &QPushButton::clicked, this, &DocumentViewer::BB2Click);
    connect(BB3, &QPushButton::clicked, this, &DocumentViewer::BB3Click);
    connect(BB4, &QPushButton::clicked, this, &DocumentViewer::BB4Click);
    connect(BB5, &QPushButton::clicked, this, &DocumentViewer::BB5Click);
    connect(BB6, &QPushButton::clicked, this, &QWidget::close);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    for (QPushButton *b : {BB1, BB2, BB3, BB4, BB5, BB6})
        buttons->addWidget(b);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(heading);
    layout->addLayout(fields);
    if (!words.explanation.isEmpty()) {
        auto *explanation = new QLabel(words.explanation, this);
        explanation->setObjectName(QStringLiteral("sm"));
        layout->addWidget(explanation);
    }
    layout->addWidget(DBGrid1, 1);
    layout->addWidget(status);
    layout->addLayout(buttons);
    resize(720, 480);
}

DocumentViewer *DocumentViewer::open(QWidget *opener, ListGrid *list, const QString &key,
                                     const std::function<DocumentViewer *()> &make)
{
    DocumentViewer *viewer = nullptr;
    if (ChildWindows *children = ChildWindows::of(opener)) {
        viewer = qobject_cast<DocumentViewer *>(children->open(key, [&] { return make(); }));
    } else {
        // A list outside the main window: one viewer of the kind on its own.
        for (QWidget *w : QApplication::topLevelWidgets()) {
            if (w->objectName() == key && qobject_cast<DocumentViewer *>(w))
                viewer = static_cast<DocumentViewer *>(w);
        }
        if (!viewer)
            viewer = make();
        viewer->show();
        viewer->raise();
    }
    if (viewer)
        viewer->showFrom(list);
    return viewer;
}

void DocumentViewer::showFrom(ListGrid *list)
{
    m_list = list;
    fill();
}

QString DocumentViewer::panelText(int panel) const
{
    return panel >= 0 && size_t(panel) < m_panels.size() ? m_panels[size_t(panel)]->text()
                                                         : QString();
}

QString DocumentViewer::headerText(const QString &column) const
{
    const QVariant v = m_header.value(column);
    if (decimalcolumns::contains(column))
        return Decimal::fromUnits(v.toLongLong()).toShortest();
    return v.toString();
}

Decimal DocumentViewer::headerDecimal(const QString &column) const
{
    return Decimal::fromUnits(m_header.value(column).toLongLong());
}

void DocumentViewer::dataGone()
{
    msg::warning(this, kGone);
    close();
}

bool DocumentViewer::fill()
{
    if (!m_list || !m_list->isOpen() || m_list->currentRow() < 0) {
        dataGone();
        return false;
    }
    QHash<QString, QVariant> header;
    QStringList columns = m_d.viewerFields;
    columns << QStringLiteral("shbj") << QStringLiteral("hjsl") << QStringLiteral("hjje");
    for (const QString &column : columns)
        header.insert(column, m_list->currentValue(column));
    const QString dh = header.value(QStringLiteral("dh")).toString();
    try {
        DBGrid1->openRows(management::viewerLines(m_context.DM1.ADOC1(), m_d, dh));
    } catch (const DbError &) {
        DBGrid1->close();
        dataGone();
        return false;
    }
    m_header = std::move(header);
    for (auto it = m_fields.cbegin(); it != m_fields.cend(); ++it) {
        it.value()->setText(headerText(it.key()));
        it.value()->setCursorPosition(0);
    }
    const QString state = headerText(QStringLiteral("shbj"));
    shbj->setText(state);
    QPalette p = palette();
    if (state == management::heldState())
        p.setColor(QPalette::WindowText, Qt::red);
    shbj->setPalette(p);
    m_panels[2]->setText(headerText(QStringLiteral("hjsl")));
    m_panels[4]->setText(headerText(QStringLiteral("hjje")));
    setButtons();
    return true;
}

void DocumentViewer::setButtons()
{
    // The moves that lead nowhere are off: at the first row 首单 and 前单, at
    // the last 后单 and 尾单.
    const int row = m_list ? m_list->currentRow() : -1;
    const int last = m_list ? m_list->rowCount() - 1 : -1;
    BB1->setEnabled(row > 0);
    BB2->setEnabled(row > 0);
    BB3->setEnabled(row >= 0 && row < last);
    BB4->setEnabled(row >= 0 && row < last);
}

void DocumentViewer::moveTo(int row)
{
    if (!m_list || !m_list->isOpen() || m_list->rowCount() == 0) {
        dataGone();
        return;
    }
    m_list->setCurrentRow(std::clamp(row, 0, m_list->rowCount() - 1));
    fill();
}

void DocumentViewer::BB1Click()
{
    moveTo(0);
}

void DocumentViewer::BB2Click()
{
    moveTo(m_list ? m_list->currentRow() - 1 : 0);
}

void DocumentViewer::BB3Click()
{
    moveTo(m_list ? m_list->currentRow() + 1 : 0);
}

void DocumentViewer::BB4Click()
{
    moveTo(m_list ? m_list->rowCount() - 1 : 0);
}

void DocumentViewer::BB5Click()
{
    if (!m_list || !DBGrid1->isOpen()) {
        dataGone();
        return;
    }
    const documents::Descriptor &engine = *m_d.engine;
    PrintedDocument doc;
    doc.number = headerText(QStringLiteral("dh"));
    doc.date = headerText(QStringLiteral("rq"));
    doc.partner = headerText(m_d.partnerColumn);
    doc.remark = headerText(QStringLiteral("bz"));
    doc.handler = headerText(QStringLiteral("jsr"));
    doc.preparedBy = m_context.session.STyhm1;
    doc.totalQuantity = headerDecimal(QStringLiteral("hjsl"));
    doc.totalAmount = headerDecimal(QStringLiteral("hjje"));
    if (engine.carriesMoney()) {
        doc.due = headerDecimal(engine.dueColumn);
        doc.settled = headerDecimal(engine.settledColumn);
    }
    if (!m_words.printForm)
        return;
    report::Form form = m_words.printForm(m_context.DM1.ATdanwei1(), doc, DBGrid1->rows().snapshot());
    form.setReportTitle(QStringLiteral("打印预览"));
    if (previewer)
        previewer(form);
    else
        report::preview(this, form);
}
