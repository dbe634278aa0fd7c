#include "gui/journal/databaseform.h"

#include "app/error.h"
#include "app/programstate.h"
#include "divination/texts.h"
#include "gui/app/appcontext.h"
#include "gui/app/application.h"
#include "gui/app/launchers.h"
#include "gui/app/mainform.h"
#include "gui/app/pictures.h"
#include "gui/journal/journalmodel.h"
#include "gui/journal/optionform.h"
#include "gui/platform/platform.h"

#include <QApplication>
#include <QCalendarWidget>
#include <QCloseEvent>
#include <QComboBox>
#include <QCursor>
#include <QDateEdit>
#include <QDir>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QPainter>
#include <QScrollBar>
#include <QSplitter>
#include <QStatusBar>
#include <QStyledItemDelegate>
#include <QTableView>
#include <QToolButton>
#include <QVBoxLayout>

namespace yw {
namespace {

const QString kBase = QStringLiteral("Base");
const QString kAll = QStringLiteral("Все");
const QString kNoFilter = QStringLiteral("Без фильтра");
const QString kDateFormat = QStringLiteral("dd.MM.yyyy");

constexpr int kDesignHeight = 531, kDesignWidth = 724, kDesignTop = 165, kDesignLeft = 277;

// Filter titles and the fields they stand for, in the list's order after "Без фильтра".
const std::array<std::pair<const char16_t *, const char *>, 8> kFilterTitles = {{
    {u"Дата", "DateVar"},
    {u"Пользователь", "UserName"},
    {u"Старая Гексаграмма", "GeksagrammaOld"},
    {u"Молодая Гексаграмма", "GeksagrammaYou"},
    {u"Интерпретация", "Interpretation"},
    {u"Внимание", "Attention"},
    {u"Метод", "Method"},
    {u"Вид гадания", "Principle"},
}};

const std::array<const char16_t *, 3> kStatisticsTitles = {
    u"Количество выпаданий старой гексаграммы",
    u"Количество выпаданий молодой гексаграммы",
    u"Результаты в интервале дат",
};
const std::array<const char16_t *, 3> kStatisticsStatus = {
    u"Выполнен запрос: Подсчет одинаковых старых гексаграмм",
    u"Выполнен запрос: Подсчет одинаковых молодых гексаграмм",
    u"Выполнен запрос: Выбор выпавших гексаграмм на заданный период",
};

struct ColumnItem {
    const char *name;
    const char16_t *caption;
};
const std::array<ColumnItem, 17> kColumnItems = {{
    {"VCol_Id", u"Идентификатор"},
    {"VCol_User", u"Пользователь"},
    {"VCol_Question", u"Вопрос"},
    {"VCol_Date", u"Дата "},
    {"VCol_Time", u"Время"},
    {"VCol_OldGeksagramma", u"Старая гексаграмма"},
    {"VCol_YouGeksagramma", u"Молодая гексаграмм"},
    {"VCol_Interpretation", u"Интерпретация"},
    {"VCol_Attention", u"Внимание"},
    {"VCol_R1", u"Разряд 1"},
    {"VCol_R2", u"Разряд 2"},
    {"VCol_R3", u"Разряд 3"},
    {"VCol_R4", u"Разряд 4"},
    {"VCol_R5", u"Разряд 5"},
    {"VCol_R6", u"Разряд 6"},
    {"VCol_Type", u"Метод гадания"},
    {"VCol_Principal", u"Вид гадания"},
}};

// Designed widths; 0 keeps the grid's default.
constexpr std::array<int, 17> kColumnWidths = {30, 80, 150, 60, 50, 75, 0, 100, 20, 20, 20, 20, 20, 20, 20, 150, 120};
constexpr int kDefaultColumnWidth = 64;

QToolButton *toolButton(QWidget *parent, const char *name, Glyph glyph, const QString &hint, bool toggle = false)
{
    auto *b = new QToolButton(parent);
    b->setObjectName(QLatin1String(name));
    b->setFixedSize(23, 23);
    b->setIcon(glyphIcon(glyph));
    b->setIconSize(QSize(16, 16));
    b->setAutoRaise(true);
    b->setCheckable(toggle);
    b->setToolTip(hint);
    return b;
}

QDateEdit *dateEdit(QWidget *parent, const char *name, const QString &calendarTitle)
{
    auto *e = new QDateEdit(parent);
    e->setObjectName(QLatin1String(name));
    e->setDisplayFormat(kDateFormat);
    e->setCalendarPopup(true);
    e->calendarWidget()->setWindowTitle(calendarTitle);
    e->setFixedWidth(90);
    e->setEnabled(false);
    return e;
}

QString connectFailureText(JournalFailure why, const QString &path)
{
    const QString where = QDir::toNativeSeparators(path.trimmed().isEmpty() ? QStringLiteral("(путь не задан)") : path);
    const QString reason = Journal::failureText(why) + QStringLiteral("\r\n") + where;
    // A file that cannot be written is neither damaged nor missing: say only what is wrong.
    if (why == JournalFailure::ReadOnlyFile || why == JournalFailure::ReadOnlyFolder)
        return reason;
    return QStringLiteral("Неправильный формат базы данных или база данных не существует!\r\n\r\n") + reason;
}

// Cells with a two-pixel margin: the designed widths were meant for the narrow original font,
// and the style's wider text margins would cut a date in its 60-pixel column.
class CompactDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        QStyleOptionViewItem opt = option;
        initStyleOption(&opt, index);
        const QString text = opt.text;
        opt.text.clear();
        QStyle *style = opt.widget ? opt.widget->style() : QApplication::style();
        style->drawControl(QStyle::CE_ItemViewItem, &opt, painter, opt.widget);
        const QRect r = opt.rect.adjusted(2, 0, -2, 0);
        painter->save();
        painter->setFont(opt.font);
        const bool selected = opt.state & QStyle::State_Selected;
        painter->setPen(selected ? opt.palette.color(QPalette::HighlightedText) : opt.palette.color(QPalette::Text));
        const QVariant foreground = index.data(Qt::ForegroundRole);
        if (!selected && foreground.canConvert<QColor>())
            painter->setPen(foreground.value<QColor>());
        painter->drawText(r, int(opt.displayAlignment), opt.fontMetrics.elidedText(text, Qt::ElideRight, r.width()));
        painter->restore();
    }
};

} // namespace

GridFooter::GridFooter(QTableView *grid, QWidget *parent) : QWidget(parent), m_grid(grid)
{
    setObjectName(QStringLiteral("DBGridEhFooter"));
    connect(grid->horizontalHeader(), &QHeaderView::sectionResized, this, [this] { update(); });
    connect(grid->horizontalHeader(), &QHeaderView::sectionMoved, this, [this] { update(); });
    connect(grid->horizontalScrollBar(), &QScrollBar::valueChanged, this, [this] { update(); });
}

void GridFooter::setText(const QString &text)
{
    m_text = text;
    update();
}

QSize GridFooter::sizeHint() const
{
    return {100, fontMetrics().height() + 6};
}

void GridFooter::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.fillRect(rect(), palette().button());
    p.setPen(palette().mid().color());
    p.drawLine(0, 0, width(), 0);
    QHeaderView *header = m_grid->horizontalHeader();
    if (header->isSectionHidden(0))
        return;
    // Under the Id column; a long count runs on into the empty footer cells beside it.
    const int x = m_grid->viewport()->x() + m_grid->frameWidth() + header->sectionViewportPosition(0);
    p.setPen(palette().buttonText().color());
    p.drawText(QRect(x + 3, 1, width() - x - 3, height() - 1), Qt::AlignLeft | Qt::AlignVCenter, m_text);
}

TDataBaseForm::TDataBaseForm(AppContext &ctx, QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint), m_ctx(ctx),
      m_journal(std::make_unique<Journal>())
{
    setObjectName(QStringLiteral("DataBaseForm"));
    setWindowTitle(QStringLiteral("Yarrowind v2.3 - База данных"));
    setFont(designFont());
    setAttribute(Qt::WA_QuitOnClose, false);
    resize(kDesignWidth, kDesignHeight);
    move(kDesignLeft, kDesignTop);

    // Tool bar.
    ToolPanel = new QWidget(this);
    ToolPanel->setObjectName(QStringLiteral("ToolPanel"));
    ToolPanel->setFixedHeight(25);
    auto *tools = new QHBoxLayout(ToolPanel);
    tools->setContentsMargins(2, 1, 2, 1);
    tools->setSpacing(2);
    FTitleFlatComboBox = new QComboBox(ToolPanel);
    FTitleFlatComboBox->setObjectName(QStringLiteral("FTitleFlatComboBox"));
    FTitleFlatComboBox->setFixedWidth(140);
    FTitleFlatComboBox->addItem(kNoFilter);
    for (const auto &[title, field] : kFilterTitles)
        FTitleFlatComboBox->addItem(QString::fromUtf16(title));
    FValueFlatComboBox = new QComboBox(ToolPanel);
    FValueFlatComboBox->setObjectName(QStringLiteral("FValueFlatComboBox"));
    FValueFlatComboBox->setFixedWidth(220);
    FValueFlatComboBox->addItem(kAll);
    AddManualFlatSpeedButton =
        toolButton(ToolPanel, "AddManualFlatSpeedButton", Glyph::Add, QStringLiteral("Добавить гаданиев базу..."));
    DElManualFlatSpeedButton =
        toolButton(ToolPanel, "DElManualFlatSpeedButton", Glyph::Delete, QStringLiteral("Удалить..."));
    PreviewFlatSpeedButton =
        toolButton(ToolPanel, "PreviewFlatSpeedButton", Glyph::Preview,
                   QStringLiteral("При нажатии на номер гексаграммы открывать панель предпросмотра"), true);
    SQLFlatSpeedButton =
        toolButton(ToolPanel, "SQLFlatSpeedButton", Glyph::Statistics, QStringLiteral("Открыть панель запросов"), true);
    ColGridFlatSpeedButton =
        toolButton(ToolPanel, "ColGridFlatSpeedButton", Glyph::Columns, QStringLiteral("Настроить колонки таблицы..."));
    HelpFlatSpeedButton = toolButton(ToolPanel, "HelpFlatSpeedButton", Glyph::Help, QStringLiteral("Справка"));
    CloseFlatSpeedButton = toolButton(ToolPanel, "CloseFlatSpeedButton", Glyph::Close, QStringLiteral("Закрыть базу"));
    tools->addWidget(FTitleFlatComboBox);
    tools->addWidget(FValueFlatComboBox);
    tools->addSpacing(6);
    for (QToolButton *b : {AddManualFlatSpeedButton, DElManualFlatSpeedButton, PreviewFlatSpeedButton,
                           SQLFlatSpeedButton, ColGridFlatSpeedButton})
        tools->addWidget(b);
    tools->addStretch(1);
    tools->addWidget(HelpFlatSpeedButton);
    tools->addWidget(CloseFlatSpeedButton);

    // Journal grid with its footer.
    m_gridModel = new JournalGridModel(m_journal.get(), this);
    auto *gridPanel = new QWidget(this);
    gridPanel->setObjectName(QStringLiteral("GridPanel"));
    DBGridEh = new QTableView(gridPanel);
    DBGridEh->setObjectName(QStringLiteral("DBGridEh"));
    DBGridEh->setModel(m_gridModel);
    DBGridEh->setEditTriggers(QAbstractItemView::NoEditTriggers);
    DBGridEh->setSelectionBehavior(QAbstractItemView::SelectRows);
    DBGridEh->setSelectionMode(QAbstractItemView::SingleSelection);
    DBGridEh->setWordWrap(false);
    DBGridEh->verticalHeader()->hide();
    // Fixed row heights keep a million rows cheap: nothing is measured.
    DBGridEh->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    DBGridEh->verticalHeader()->setDefaultSectionSize(DBGridEh->fontMetrics().height() + 4);
    DBGridEh->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    DBGridEh->horizontalHeader()->setHighlightSections(false);
    DBGridEh->horizontalHeader()->setMinimumSectionSize(8);
    // Titles such as "Старая Гексаграмма" take two lines in their narrow columns.
    DBGridEh->horizontalHeader()->setDefaultAlignment(Qt::Alignment(Qt::AlignCenter | Qt::TextWordWrap));
    DBGridEh->horizontalHeader()->setFixedHeight(2 * DBGridEh->fontMetrics().height() + 6);
    for (int k = 0; k < 17; ++k)
        DBGridEh->setColumnWidth(k, kColumnWidths[size_t(k)] ? kColumnWidths[size_t(k)] : kDefaultColumnWidth);
    DBGridEh->viewport()->setCursor(Qt::PointingHandCursor);
    DBGridEh->setItemDelegate(new CompactDelegate(DBGridEh));
    DBGridEhFooter = new GridFooter(DBGridEh, gridPanel);
    auto *gridLayout = new QVBoxLayout(gridPanel);
    gridLayout->setContentsMargins(0, 0, 0, 0);
    gridLayout->setSpacing(0);
    gridLayout->addWidget(DBGridEh, 1);
    gridLayout->addWidget(DBGridEhFooter);

    // Statistics panel.
    m_sqlModel = new JournalTableModel(this);
    SQLPanel = new QWidget(this);
    SQLPanel->setObjectName(QStringLiteral("SQLPanel"));
    auto *sqlTools = new QWidget(SQLPanel);
    sqlTools->setObjectName(QStringLiteral("SQLToolPanel"));
    sqlTools->setFixedHeight(25);
    auto *sqlToolsLayout = new QHBoxLayout(sqlTools);
    sqlToolsLayout->setContentsMargins(2, 1, 2, 1);
    sqlToolsLayout->setSpacing(4);
    TitleSQLFlatComboBox = new QComboBox(sqlTools);
    TitleSQLFlatComboBox->setObjectName(QStringLiteral("TitleSQLFlatComboBox"));
    TitleSQLFlatComboBox->setFixedWidth(270);
    for (const char16_t *title : kStatisticsTitles)
        TitleSQLFlatComboBox->addItem(QString::fromUtf16(title));
    TitleSQLFlatComboBox->setCurrentIndex(-1);
    SQLLabel1 = new QLabel(QStringLiteral("От"), sqlTools);
    SQLLabel1->setObjectName(QStringLiteral("SQLLabel1"));
    SQLDateEdit1 = dateEdit(sqlTools, "SQLDateEdit1", QStringLiteral("Выбор даты От"));
    SQLLabel2 = new QLabel(QStringLiteral("До"), sqlTools);
    SQLLabel2->setObjectName(QStringLiteral("SQLLabel2"));
    SQLDateEdit2 = dateEdit(sqlTools, "SQLDateEdit2", QStringLiteral("Выбор даты До"));
    DateExecFlatSpeedButton =
        toolButton(sqlTools, "DateExecFlatSpeedButton", Glyph::Run, QStringLiteral("Выполнить запрос"));
    DateExecFlatSpeedButton->setEnabled(false);
    sqlToolsLayout->addWidget(TitleSQLFlatComboBox);
    sqlToolsLayout->addSpacing(6);
    sqlToolsLayout->addWidget(SQLLabel1);
    sqlToolsLayout->addWidget(SQLDateEdit1);
    sqlToolsLayout->addWidget(SQLLabel2);
    sqlToolsLayout->addWidget(SQLDateEdit2);
    sqlToolsLayout->addWidget(DateExecFlatSpeedButton);
    sqlToolsLayout->addStretch(1);
    SQLDBGridEh = new QTableView(SQLPanel);
    SQLDBGridEh->setObjectName(QStringLiteral("SQLDBGridEh"));
    SQLDBGridEh->setEditTriggers(QAbstractItemView::NoEditTriggers);
    SQLDBGridEh->setSelectionBehavior(QAbstractItemView::SelectRows);
    SQLDBGridEh->setWordWrap(false);
    SQLDBGridEh->verticalHeader()->hide();
    SQLDBGridEh->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    SQLDBGridEh->verticalHeader()->setDefaultSectionSize(DBGridEh->verticalHeader()->defaultSectionSize());
    SQLDBGridEh->horizontalHeader()->setDefaultSectionSize(130);
    SQLDBGridEh->hide();
    SQLStatusBar = new QStatusBar(SQLPanel);
    SQLStatusBar->setObjectName(QStringLiteral("SQLStatusBar"));
    SQLStatusBar->setSizeGripEnabled(false);
    auto *sqlLayout = new QVBoxLayout(SQLPanel);
    sqlLayout->setContentsMargins(0, 0, 0, 0);
    sqlLayout->setSpacing(0);
    sqlLayout->addWidget(sqlTools);
    sqlLayout->addWidget(SQLDBGridEh, 1);
    sqlLayout->addWidget(SQLStatusBar);

    FlatSplitter = new QSplitter(Qt::Vertical, this);
    FlatSplitter->setObjectName(QStringLiteral("FlatSplitter"));
    FlatSplitter->setChildrenCollapsible(false);
    FlatSplitter->addWidget(gridPanel);
    FlatSplitter->addWidget(SQLPanel);
    FlatSplitter->setStretchFactor(0, 3);
    FlatSplitter->setStretchFactor(1, 2);
    SQLPanel->hide();

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(ToolPanel);
    layout->addWidget(FlatSplitter, 1);

    // Column menu.
    OptionsColPopupMenu = new QMenu(this);
    OptionsColPopupMenu->setObjectName(QStringLiteral("OptionsColPopupMenu"));
    for (int k = 0; k < 17; ++k) {
        QAction *a = OptionsColPopupMenu->addAction(QString::fromUtf16(kColumnItems[size_t(k)].caption));
        a->setObjectName(QLatin1String(kColumnItems[size_t(k)].name));
        a->setCheckable(true);
        a->setChecked(true);
        a->setData(k); // the column position it governs
        VCol[size_t(k)] = a;
        connect(a, &QAction::triggered, this, [this, a] { VCol_VisibleClick(a); });
    }

    connect(FTitleFlatComboBox, &QComboBox::currentIndexChanged, this, &TDataBaseForm::FTitleFlatComboBoxChange);
    connect(FValueFlatComboBox, &QComboBox::currentIndexChanged, this, &TDataBaseForm::FValueFlatComboBoxChange);
    connect(TitleSQLFlatComboBox, &QComboBox::currentIndexChanged, this, &TDataBaseForm::TitleSQLFlatComboBoxChange);
    connect(SQLDateEdit1, &QDateEdit::dateChanged, this, &TDataBaseForm::TitleSQLFlatComboBoxChange);
    connect(SQLDateEdit2, &QDateEdit::dateChanged, this, &TDataBaseForm::TitleSQLFlatComboBoxChange);
    connect(DateExecFlatSpeedButton, &QToolButton::clicked, this, &TDataBaseForm::DateExecFlatSpeedButtonClick);
    connect(SQLFlatSpeedButton, &QToolButton::clicked, this, &TDataBaseForm::SQLFlatSpeedButtonClick);
    connect(ColGridFlatSpeedButton, &QToolButton::clicked, this, &TDataBaseForm::ColGridFlatSpeedButtonClick);
    connect(AddManualFlatSpeedButton, &QToolButton::clicked, this, &TDataBaseForm::AddManualFlatSpeedButtonClick);
    connect(DElManualFlatSpeedButton, &QToolButton::clicked, this, &TDataBaseForm::DElManualFlatSpeedButtonClick);
    connect(HelpFlatSpeedButton, &QToolButton::clicked, this, [this] { m_ctx.platform->showHelp(8); });
    connect(CloseFlatSpeedButton, &QToolButton::clicked, this, &TDataBaseForm::CloseFlatSpeedButtonClick);
    connect(DBGridEh, &QTableView::clicked, this, &TDataBaseForm::DBGridEhCellClick);
    connect(m_journal.get(), &Journal::changed, this, &TDataBaseForm::journalChanged);
    connect(m_gridModel, &QAbstractItemModel::modelReset, this, &TDataBaseForm::updateFooter);

    AddManualFlatSpeedButton->setEnabled(launch::manualEntryAvailable());
    updateFooter();
}

TDataBaseForm::~TDataBaseForm() = default;

void TDataBaseForm::FormCreate()
{
    const QDate today = m_ctx.platform->now().date();
    {
        const QSignalBlocker b1(SQLDateEdit1), b2(SQLDateEdit2);
        SQLDateEdit1->setDate(today);
        SQLDateEdit2->setDate(today);
    }
    applyMenuStyle(OptionsColPopupMenu);
    {
        const QSignalBlocker b(FTitleFlatComboBox);
        FTitleFlatComboBox->setCurrentIndex(0);
    }
    const QString path = m_ctx.optionForm ? m_ctx.optionForm->path() : QString();
    // The very first start has no path yet: that is no error worth a message, the options
    // window that follows says what to do.
    if (!path.trimmed().isEmpty() && ConnectBase(path)) {
        RegistryBaseLoad();
    } else {
        programState().versionText.clear();
        if (m_ctx.optionForm)
            m_ctx.optionForm->exec();
    }
}

void TDataBaseForm::RegistryBaseLoad()
{
    const IniFile ini = m_ctx.settings();
    const QString columns = ini.readString(kBase, QStringLiteral("ArrayColumn"), QStringLiteral("11111111111111111"));
    // A position without a digit stops the reading there: the ticks read so far stay, the
    // rest of the section is not read and the columns are left as they are.
    for (int k = 0; k < 17; ++k) {
        if (k >= columns.size() || !columns[k].isDigit())
            return;
        VCol[size_t(k)]->setChecked(columns[k] != u'0');
    }
    PreviewFlatSpeedButton->setChecked(ini.readBool(kBase, QStringLiteral("Preview"), false));
    const int h = ini.readInteger(kBase, QStringLiteral("Height"), kDesignHeight);
    const int w = ini.readInteger(kBase, QStringLiteral("Width"), kDesignWidth);
    const int top = ini.readInteger(kBase, QStringLiteral("Top"), kDesignTop);
    const int left = ini.readInteger(kBase, QStringLiteral("Left"), kDesignLeft);
    resize(std::max(w, 200), std::max(h, 150));
    move(left, top);
    GridColumnReferch();
}

void TDataBaseForm::GridColumnReferch()
{
    for (int k = 0; k < 17; ++k)
        DBGridEh->setColumnHidden(k, !VCol[size_t(k)]->isChecked());
    DBGridEhFooter->update();
}

bool TDataBaseForm::ConnectBase(const QString &path)
{
    closeQuery();
    JournalFailure why = JournalFailure::None;
    auto failed = [&](const QString &text) {
        m_ctx.platform->message(this, MsgIcon::Error, QStringLiteral("Ошибка подключения базы"), text);
        return false;
    };
    // The table shows the new file unfiltered.
    m_gridModel->setFilter({});
    {
        const QSignalBlocker b1(FTitleFlatComboBox), b2(FValueFlatComboBox);
        FTitleFlatComboBox->setCurrentIndex(0);
        FValueFlatComboBox->clear();
        FValueFlatComboBox->addItem(kAll);
    }
    if (!m_journal->open(path, &why))
        return failed(connectFailureText(why, path));
    QString error;
    const QString userList = m_ctx.programFile(QStringLiteral("userch.dat"));
    if (!Journal::writeUserList(userList, m_journal->userNames(), &error)) {
        m_journal->close();
        return failed(QStringLiteral("Неправильный формат базы данных или база данных не существует!\r\n\r\n"
                                     "Не удается записать список пользователей %1: %2")
                          .arg(QDir::toNativeSeparators(userList), error));
    }
    return true;
}

JournalFilter TDataBaseForm::currentFilter() const
{
    return m_gridModel->filter();
}

QString TDataBaseForm::footerText() const
{
    return DBGridEhFooter->text();
}

void TDataBaseForm::updateFooter()
{
    DBGridEhFooter->setText(QString::number(m_gridModel->rowCount()));
}

void TDataBaseForm::journalChanged()
{
    // Keep the current record current across the reload when it is still there.
    const qint64 id = m_gridModel->idAt(currentRow());
    m_gridModel->reload();
    int row = id >= 0 ? m_gridModel->rowOfId(id) : -1;
    if (row < 0 && m_gridModel->rowCount() > 0)
        row = 0;
    if (row >= 0)
        DBGridEh->setCurrentIndex(m_gridModel->index(row, DBGridEh->currentIndex().isValid()
                                                              ? DBGridEh->currentIndex().column()
                                                              : JournalGridModel::ColUserName));
}

int TDataBaseForm::currentRow() const
{
    const QModelIndex current = DBGridEh->currentIndex();
    if (current.isValid())
        return current.row();
    // Like a data set, the grid always has a current record when it has any.
    return m_gridModel->rowCount() > 0 ? 0 : -1;
}

void TDataBaseForm::closeQuery()
{
    m_sqlModel->clear();
}

void TDataBaseForm::FTitleFlatComboBoxChange()
{
    closeQuery();
    SQLStatusBar->clearMessage();
    const int index = FTitleFlatComboBox->currentIndex();
    if (index >= 1 && index <= int(kFilterTitles.size()))
        m_filterFieldName = QLatin1String(kFilterTitles[size_t(index - 1)].second);
    m_gridModel->setFilter({});
    {
        const QSignalBlocker b(FValueFlatComboBox);
        FValueFlatComboBox->clear();
        FValueFlatComboBox->addItem(kAll);
        FValueFlatComboBox->setCurrentIndex(0);
    }
    TitleSQLFlatComboBoxChange();
    if (index <= 0)
        return;
    const QStringList values = m_journal->distinctValues(m_filterFieldName);
    {
        const QSignalBlocker b(FValueFlatComboBox);
        FValueFlatComboBox->addItems(values);
    }
    // The query grid, once bound, shows what the query holds: now this list of values.
    if (m_sqlGridBound) {
        JournalTable table;
        table.columns << m_filterFieldName;
        for (qsizetype i = 0; i < values.size(); ++i) {
            table.texts << values[i];
            table.cells.push_back(quint32(i));
        }
        m_sqlModel->setTable(std::move(table));
    }
}

void TDataBaseForm::FValueFlatComboBoxChange()
{
    closeQuery();
    SQLStatusBar->clearMessage();
    TitleSQLFlatComboBoxChange();
    const QString value = FValueFlatComboBox->currentText();
    if (FValueFlatComboBox->currentIndex() < 0 || value == kAll) {
        m_gridModel->setFilter({});
        return;
    }
    m_gridModel->setFilter({m_filterFieldName, value});
}

void TDataBaseForm::TitleSQLFlatComboBoxChange()
{
    const int index = TitleSQLFlatComboBox->currentIndex();
    const bool range = index == 2;
    SQLDateEdit1->setEnabled(range);
    SQLDateEdit2->setEnabled(range);
    DateExecFlatSpeedButton->setEnabled(index >= 0);
    if (index < 0)
        return;
    m_prepared.valid = true;
    m_prepared.which = JournalStatistics(index);
    const QString value = FValueFlatComboBox->currentText();
    m_prepared.filter = FValueFlatComboBox->currentIndex() >= 0 && value != kAll
                            ? JournalFilter{m_filterFieldName, value}
                            : JournalFilter{};
    m_prepared.from = SQLDateEdit1->date().toString(kDateFormat);
    m_prepared.to = SQLDateEdit2->date().toString(kDateFormat);
    m_preparedStatus = QString::fromUtf16(kStatisticsStatus[size_t(index)]);
    if (range)
        SQLStatusBar->showMessage(QStringLiteral("Для выполнения запроса выберите период дат"));
}

QString TDataBaseForm::preparedStatement() const
{
    return m_prepared.valid ? Journal::statisticsSql(m_prepared.which, m_prepared.filter) : QString();
}

bool TDataBaseForm::ExecSQL()
{
    closeQuery();
    if (!m_prepared.valid)
        return false;
    auto table = m_journal->statistics(m_prepared.which, m_prepared.filter, m_prepared.from, m_prepared.to);
    if (!table)
        return false;
    m_sqlModel->setTable(std::move(*table));
    if (!m_sqlGridBound) {
        SQLDBGridEh->setModel(m_sqlModel);
        m_sqlGridBound = true;
    }
    return true;
}

void TDataBaseForm::DateExecFlatSpeedButtonClick()
{
    if (ExecSQL())
        SQLStatusBar->showMessage(m_preparedStatus);
}

void TDataBaseForm::SQLFlatSpeedButtonClick()
{
    const bool down = SQLFlatSpeedButton->isChecked();
    SQLPanel->setVisible(down);
    SQLDBGridEh->setVisible(down);
    if (down && FlatSplitter->sizes().value(1) < 80) {
        const int total = FlatSplitter->height();
        FlatSplitter->setSizes({total - 190, 190});
    }
}

void TDataBaseForm::ColGridFlatSpeedButtonClick()
{
    OptionsColPopupMenu->popup(QCursor::pos());
}

void TDataBaseForm::VCol_VisibleClick(QAction *item)
{
    // The action has already inverted its tick.
    DBGridEh->setColumnHidden(item->data().toInt(), !item->isChecked());
    DBGridEhFooter->update();
}

std::optional<TDataBaseForm::ViewerRequest> TDataBaseForm::viewerRequest(const JournalRecord &record, int column,
                                                                         bool previewDown)
{
    if (column != JournalGridModel::ColGeksagrammaOld && column != JournalGridModel::ColGeksagrammaYou)
        return std::nullopt;
    if (!previewDown)
        return std::nullopt;
    QString number = JournalGridModel::displayText(record, column);
    if (column == JournalGridModel::ColGeksagrammaYou && number == QLatin1String("0"))
        return std::nullopt;
    if (number.size() == 1)
        number.prepend(u'0');
    QString lines; // line 6 first
    for (int line = 5; line >= 0; --line)
        lines += record.go[size_t(line)];
    return ViewerRequest{number, number + u'_' + lines + u'_' + IntNameFile(record.interpretation)};
}

void TDataBaseForm::DBGridEhCellClick(const QModelIndex &index)
{
    if (m_gridModel->rowCount() == 0)
        return;
    const auto record = m_gridModel->recordAt(index.row());
    if (!record)
        return;
    const auto request = viewerRequest(*record, index.column(), PreviewFlatSpeedButton->isChecked());
    if (request && launch::viewerAvailable())
        launch::showViewer(m_ctx, request->number, request->state, record->interpretation);
}

void TDataBaseForm::AddManualFlatSpeedButtonClick()
{
    if (launch::manualEntryAvailable())
        launch::openManualEntry(m_ctx, this);
}

void TDataBaseForm::DElManualFlatSpeedButtonClick()
{
    const QString caption = QStringLiteral("Удаление записей");
    const int row = currentRow();
    if (m_gridModel->rowCount() == 0 || row < 0) {
        m_ctx.platform->message(this, MsgIcon::Information, caption,
                                QStringLiteral("Все записи удалены из базы данных!"));
        return;
    }
    const auto record = m_gridModel->recordAt(row);
    if (record && record->principle == kPrincipleManual) {
        const int answer =
            m_ctx.platform->message(this, MsgIcon::Information, caption,
                                    QStringLiteral("Внимание!\r\n\r\nВы действительно хотите удалить запись"),
                                    MsgButton::Yes | MsgButton::No, MsgButton::No);
        if (answer != MsgButton::Yes)
            return;
        QString error;
        if (!m_journal->remove(record->id, &error))
            Application::reportError(m_ctx.platform, error);
        return;
    }
    m_ctx.platform->message(this, MsgIcon::Information, caption,
                            QStringLiteral("Удалять записи можно только введеные ручным вводам!"));
}

void TDataBaseForm::CloseFlatSpeedButtonClick()
{
    launch::closeViewer(m_ctx);
    if (m_ctx.mainForm)
        m_ctx.mainForm->setDataBaseItemsEnabled(true);
    close();
}

void TDataBaseForm::closeEvent(QCloseEvent *event)
{
    FormClose();
    QWidget::closeEvent(event);
}

void TDataBaseForm::FormClose()
{
    QString columns;
    for (QAction *a : VCol)
        columns += a->isChecked() ? u'1' : u'0';
    IniFile ini = m_ctx.settings();
    try {
        ini.writeString(kBase, QStringLiteral("ArrayColumn"), columns);
        ini.writeBool(kBase, QStringLiteral("Preview"), PreviewFlatSpeedButton->isChecked());
        ini.writeInteger(kBase, QStringLiteral("Height"), height());
        ini.writeInteger(kBase, QStringLiteral("Width"), width());
        ini.writeInteger(kBase, QStringLiteral("Top"), y());
        ini.writeInteger(kBase, QStringLiteral("Left"), x());
    } catch (const Error &e) {
        Application::reportError(m_ctx.platform, e.text());
    }
}

} // namespace yw
