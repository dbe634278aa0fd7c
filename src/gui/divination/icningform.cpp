#include "gui/divination/icningform.h"

#include "app/error.h"
#include "app/inifile.h"
#include "divination/hexagram.h"
#include "divination/htmlexport.h"
#include "divination/numerology.h"
#include "divination/texts.h"
#include "gui/app/appcontext.h"
#include "gui/app/application.h"
#include "gui/app/fontsettings.h"
#include "gui/app/formkit.h"
#include "gui/app/launchers.h"
#include "gui/app/mainform.h"
#include "gui/app/pictures.h"
#include "gui/divination/memo.h"
#include "gui/divination/throwpictures.h"
#include "gui/platform/platform.h"
#include "journal/journal.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QToolButton>
#include <QUrl>

namespace yw {
namespace {

const QString kChing = QStringLiteral("Ching");
// Line pictures from the top (line 6) down; the wider gap parts the trigrams.
constexpr std::array<int, 6> kLineTops = {125, 109, 93, 69, 53, 37}; // lines 1..6

QToolButton *barButton(QWidget *parent, const char *name, int x, Glyph glyph, const QString &hint)
{
    auto *b = new QToolButton(parent);
    b->setObjectName(QLatin1String(name));
    b->setGeometry(x, 2, 23, 22);
    b->setIcon(glyphIcon(glyph));
    b->setIconSize(QSize(16, 16));
    b->setAutoRaise(true);
    b->setToolTip(hint);
    return b;
}

QComboBox *comboBox(QWidget *parent, const char *name, const QRect &geometry, const QStringList &items,
                    bool editable = false)
{
    auto *c = new QComboBox(parent);
    c->setObjectName(QLatin1String(name));
    c->setGeometry(geometry);
    c->setEditable(editable);
    c->addItems(items);
    c->setMaxVisibleItems(16);
    return c;
}

QLabel *label(QWidget *parent, const char *name, const QRect &geometry, const QString &text = {})
{
    auto *l = new QLabel(text, parent);
    l->setObjectName(QLatin1String(name));
    l->setGeometry(geometry);
    return l;
}

void setTextColor(QWidget *w, const QColor &color)
{
    QPalette pal = w->palette();
    pal.setColor(QPalette::Text, color);
    pal.setColor(QPalette::WindowText, color);
    w->setPalette(pal);
}

void setBold(QWidget *w)
{
    QFont f = w->font();
    f.setBold(true);
    w->setFont(f);
}

} // namespace

namespace icning {

TrigramHotspot::TrigramHotspot(QWidget *parent) : QLabel(parent)
{
    setCursor(Qt::PointingHandCursor);
    setAttribute(Qt::WA_TranslucentBackground);
    setEnabled(false);
}

void TrigramHotspot::point(int guaIndex)
{
    m_guaIndex = guaIndex;
    setEnabled(launch::guaSignsAvailable());
}

void TrigramHotspot::mouseReleaseEvent(QMouseEvent *event)
{
    QLabel::mouseReleaseEvent(event);
    if (isEnabled() && onClick && rect().contains(event->position().toPoint()))
        onClick(m_guaIndex);
}

} // namespace icning

TICningForm::TICningForm(AppContext &ctx, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::MSWindowsFixedSizeDialogHint),
      m_ctx(ctx)
{
    setObjectName(QStringLiteral("ICningForm"));
    setWindowTitle(QStringLiteral("Yarrowind v2.3 - Гадание"));
    setFont(designFont());
    setFixedSize(641, 377);
    setModal(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Qt::white);
    setPalette(pal);
    setAutoFillBackground(true);

    buildTopBar();

    auto *main = new QWidget(this);
    main->setObjectName(QStringLiteral("MainFlatPanel"));
    main->setGeometry(0, 46, 641, 331);

    Old = buildHexagramBox(main, "OldFlatGroupBox", "O", "Sym%1OldImage", "GO%1FlatEdit", "Old", "NumOLabel",
                           "OldFlatCheckBox", 2);
    You = buildHexagramBox(main, "YouFlatGroupBox", "Y", "Sym%1YouImage", "GY%1FlatEdit", "You", "NumYLabel",
                           "YouFlatCheckBox", 162);
    OldFlatGroupBox = Old.box;
    YouFlatGroupBox = You.box;
    NumOLabel = Old.number;
    NumYLabel = You.number;
    OldFlatCheckBox = Old.check;
    YouFlatCheckBox = You.check;
    for (QLabel *l : You.lines)
        l->hide();

    // The designed widths of the text area, the two panels below it and the casting button run a
    // few pixels past the 641-pixel client area; they end 4 pixels inside it instead.
    IntrpretFlatMemo = new QPlainTextEdit(main);
    IntrpretFlatMemo->setObjectName(QStringLiteral("IntrpretFlatMemo"));
    IntrpretFlatMemo->setGeometry(152, 2, 485, 193);
    IntrpretFlatMemo->setReadOnly(true);
    IntrpretFlatMemo->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    IntrpretFlatMemo->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    IntrpretFlatMemo->setPlainText(
        QStringLiteral("Выберите метод гадания, вариант интерпретации, введите свой вопрос. Сконцентрируйтесь.\n"
                       "\n"
                       "Мысленно сформулируйте вопрос, который в данный момент занимает Вас больше всего и \n"
                       "ответа на который Вы ждете от \"И цзина\". Нажмите шесть раз кнопку \"Гадание\".\n"));
    applyMemoScrollBarRule(IntrpretFlatMemo);
    buildMemoMenu();

    buildGraphTable(main);
    buildNumeroPanel(main);

    StartFlatButton = new QPushButton(QStringLiteral("Гадание"), main);
    StartFlatButton->setObjectName(QStringLiteral("StartFlatButton"));
    StartFlatButton->setGeometry(10, 308, 627, 20);
    StartFlatButton->setToolTip(castHint(1));
    StartFlatButton->setAutoDefault(false);
    StartFlatButton->setDefault(false);

    centreOnScreen(this);

    FormCreate();

    connect(StartFlatButton, &QPushButton::clicked, this, &TICningForm::StartFlatButtonClick);
    connect(StartNumeroFlatSpeedButton, &QPushButton::clicked, this, &TICningForm::StartNumeroFlatSpeedButtonClick);
    connect(ForceSaveGlatSpeedButton, &QToolButton::clicked, this, &TICningForm::ForceSaveGlatSpeedButtonClick);
    connect(IntFlatComboBox, &QComboBox::currentIndexChanged, this, &TICningForm::IntFlatComboBoxChange);
    connect(OldFlatCheckBox, &QCheckBox::clicked, this, &TICningForm::OldFlatCheckBoxClick);
    connect(YouFlatCheckBox, &QCheckBox::clicked, this, &TICningForm::YouFlatCheckBoxClick);
    connect(PositionFlatSpeedButton, &QToolButton::clicked, this, &TICningForm::PositionFlatSpeedButtonClick);
    connect(DescFlatSpeedButton, &QToolButton::clicked, this, &TICningForm::DescFlatSpeedButtonClick);
    connect(HelpFlatSpeedButton, &QToolButton::clicked, this, &TICningForm::HelpFlatSpeedButtonClick);
    connect(CloseFlatButton, &QToolButton::clicked, this, &QDialog::close);
    connect(GraphResultColumnListBox, &QTableWidget::cellClicked, this,
            [this](int row, int) { ResultListBoxClick(row); });
    for (icning::TrigramHotspot *h : {Old.top, Old.bottom, You.top, You.bottom})
        h->onClick = [this](int index) { launch::openGuaSigns(m_ctx, this, index); };
}

TICningForm::~TICningForm() = default;

void TICningForm::buildTopBar()
{
    ActionFlatPanel = new QWidget(this);
    ActionFlatPanel->setObjectName(QStringLiteral("ActionFlatPanel"));
    ActionFlatPanel->setGeometry(0, 0, 641, 46);
    ActionFlatPanel->setAutoFillBackground(true);
    QPalette pal = ActionFlatPanel->palette();
    pal.setColor(QPalette::Window, QApplication::palette().color(QPalette::Button));
    ActionFlatPanel->setPalette(pal);

    ForceSaveGlatSpeedButton = new QToolButton(ActionFlatPanel);
    ForceSaveGlatSpeedButton->setObjectName(QStringLiteral("ForceSaveGlatSpeedButton"));
    ForceSaveGlatSpeedButton->setGeometry(2, 2, 43, 43);
    ForceSaveGlatSpeedButton->setIcon(glyphIcon(Glyph::ForceSave, 32));
    ForceSaveGlatSpeedButton->setIconSize(QSize(32, 32));
    ForceSaveGlatSpeedButton->setAutoRaise(true);
    ForceSaveGlatSpeedButton->setToolTip(QStringLiteral("Принудительно сохранить в базе"));
    ForceSaveGlatSpeedButton->setEnabled(false);

    TypeMethodFlatComboBox =
        comboBox(ActionFlatPanel, "TypeMethodFlatComboBox", QRect(46, 2, 163, 21), cast::methodNames());
    TypeMethodFlatComboBox->setToolTip(QStringLiteral("Метод получения гексаграммы"));
    UserFlatComboBox = comboBox(ActionFlatPanel, "UserFlatComboBox", QRect(46, 24, 163, 21), {}, true);
    UserFlatComboBox->setToolTip(QStringLiteral("Пользователь"));
    UserFlatComboBox->setInsertPolicy(QComboBox::NoInsert);
    IntFlatComboBox = comboBox(ActionFlatPanel, "IntFlatComboBox", QRect(210, 2, 287, 21), interpretationNames());
    IntFlatComboBox->setToolTip(QStringLiteral("Вариант интерпретации"));

    QuestFlatEdit = new QLineEdit(kQuestionPlaceholder, ActionFlatPanel);
    QuestFlatEdit->setObjectName(QStringLiteral("QuestFlatEdit"));
    QuestFlatEdit->setGeometry(210, 24, 429, 21);
    QuestFlatEdit->setToolTip(QStringLiteral("Вопрос книге Перемен"));
    setTextColor(QuestFlatEdit, kGreyText);
    QuestFlatEdit->installEventFilter(this);

    DescFlatSpeedButton = barButton(ActionFlatPanel, "DescFlatSpeedButton", 498, Glyph::Description,
                                    QStringLiteral("Описание интерпретации"));
    PositionFlatSpeedButton = barButton(ActionFlatPanel, "PositionFlatSpeedButton", 522, Glyph::Numbers,
                                        QStringLiteral("Отображать номера черт"));
    PositionFlatSpeedButton->setCheckable(true);
    HelpFlatSpeedButton =
        barButton(ActionFlatPanel, "HelpFlatSpeedButton", 592, Glyph::Help, QStringLiteral("Справка"));
    CloseFlatButton = barButton(ActionFlatPanel, "CloseFlatButton", 616, Glyph::Close, QStringLiteral("Закрыть окно"));
}

TICningForm::HexagramBox TICningForm::buildHexagramBox(QWidget *parent, const char *boxName, const char *prefixLabel,
                                                       const char *prefixImage, const char *prefixValue,
                                                       const char *triPrefix, const char *numberName,
                                                       const char *checkName, int y)
{
    HexagramBox b;
    b.box = new QGroupBox(parent);
    b.box->setObjectName(QLatin1String(boxName));
    b.box->setGeometry(10, y, 137, 145);
    setBoxBorder(b.box, QColor(200, 200, 200));

    b.number = label(b.box, numberName, QRect(10, 16, 20, 14));
    setBold(b.number);
    b.number->hide();
    b.title = label(b.box, (QByteArray(numberName) + "Title").constData(), QRect(30, 16, 100, 14),
                    QStringLiteral("гексаграмма"));
    setBold(b.title);
    b.title->hide();

    for (int k = 1; k <= 6; ++k) {
        const int top = kLineTops[std::size_t(k - 1)];
        QLabel *n = label(b.box, (QByteArray(prefixLabel) + QByteArray::number(k) + "Label").constData(),
                          QRect(5, top - 1, 10, 14), QString::number(k));
        setBold(n);
        setTextColor(n, QColor(192, 192, 192));
        n->hide();
        b.lineNumbers[std::size_t(k - 1)] = n;

        QLabel *pic =
            label(b.box, QString::fromLatin1(prefixImage).arg(k).toLatin1().constData(), QRect(18, top, 79, 12));
        b.lines[std::size_t(k - 1)] = pic;

        auto *v = new QLineEdit(b.box);
        v->setObjectName(QString::fromLatin1(prefixValue).arg(k));
        v->setGeometry(104, top - 2, 20, 15);
        v->setReadOnly(true);
        v->setAlignment(Qt::AlignCenter);
        v->setFocusPolicy(Qt::NoFocus);
        v->setTextMargins(0, 0, 0, 0);
        v->setStyleSheet(QStringLiteral("QLineEdit { padding: 0px; border: 1px solid #b4aa96; }"));
        v->hide();
        b.values[std::size_t(k - 1)] = v;
    }

    b.top = new icning::TrigramHotspot(b.box);
    b.top->setObjectName(QStringLiteral("TriTop%1Image").arg(QLatin1String(triPrefix)));
    b.top->setGeometry(14, 33, 86, 50);
    b.bottom = new icning::TrigramHotspot(b.box);
    b.bottom->setObjectName(QStringLiteral("TriBot%1Image").arg(QLatin1String(triPrefix)));
    b.bottom->setGeometry(14, 89, 86, 50);

    b.check = new QCheckBox(b.box);
    b.check->setObjectName(QLatin1String(checkName));
    b.check->setGeometry(118, 0, 16, 16);
    setTextColor(b.check, QColor(128, 0, 0));
    b.check->hide();
    return b;
}

void TICningForm::buildGraphTable(QWidget *parent)
{
    GraphFlatGroupBox = new QGroupBox(cast::kTableCaption, parent);
    GraphFlatGroupBox->setObjectName(QStringLiteral("GraphFlatGroupBox"));
    GraphFlatGroupBox->setGeometry(152, 194, 485, 113);
    GraphFlatGroupBox->hide();
    for (int i = 0; i < 3; ++i) {
        auto *img = label(GraphFlatGroupBox, QStringLiteral("Element%1Image").arg(i + 1).toLatin1().constData(),
                          QRect(8 + i * 70, 16, 64, 64));
        ElementImages[std::size_t(i)] = img;
        auto *e = new QLineEdit(GraphFlatGroupBox);
        e->setObjectName(QStringLiteral("Element%1FlatEdit").arg(i + 1));
        e->setGeometry(8 + i * 70, 86, 64, 19);
        e->setReadOnly(true);
        e->setAlignment(Qt::AlignCenter);
        e->setFocusPolicy(Qt::NoFocus);
        ElementEdits[std::size_t(i)] = e;
    }

    auto *list = new QTableWidget(6, 5, GraphFlatGroupBox);
    GraphResultColumnListBox = list;
    list->setObjectName(QStringLiteral("GraphResultColumnListBox"));
    list->setGeometry(222, 16, 255, 91);
    list->setFrameShape(QFrame::NoFrame);
    list->setShowGrid(false);
    list->horizontalHeader()->hide();
    list->verticalHeader()->hide();
    list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list->setSelectionBehavior(QAbstractItemView::SelectRows);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    list->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    list->setFocusPolicy(Qt::NoFocus);
    list->verticalHeader()->setMinimumSectionSize(10);
    list->verticalHeader()->setDefaultSectionSize(15);
    // Narrow columns: the cells' own padding would cut "Инь" short.
    list->setStyleSheet(QStringLiteral("QTableWidget::item { padding: 0px; border: none; }"));
    list->setWordWrap(false);
    list->setTextElideMode(Qt::ElideNone);
    const int widths[5] = {14, 25, 25, 25, 160};
    for (int c = 0; c < 5; ++c)
        list->setColumnWidth(c, widths[c]);
    QFont bold = designFont();
    bold.setBold(true);
    for (int row = 0; row < 6; ++row) {
        list->setRowHeight(row, 15);
        auto *n = new QTableWidgetItem(QString::number(6 - row));
        n->setFont(bold);
        n->setForeground(QColor(192, 192, 192));
        list->setItem(row, 0, n);
    }
}

void TICningForm::buildNumeroPanel(QWidget *parent)
{
    NumeroFlatGroupBox = new QGroupBox(parent);
    NumeroFlatGroupBox->setObjectName(QStringLiteral("NumeroFlatGroupBox"));
    NumeroFlatGroupBox->setGeometry(152, 194, 485, 113);
    NumeroFlatGroupBox->hide();

    HourNumeroFlatComboBox =
        comboBox(NumeroFlatGroupBox, "HourNumeroFlatComboBox", QRect(8, 16, 104, 21), numero::periodTexts());
    DayNumeroFlatComboBox =
        comboBox(NumeroFlatGroupBox, "DayNumeroFlatComboBox", QRect(116, 16, 46, 21), numero::dayTexts());
    MonthNumeroFlatComboBox =
        comboBox(NumeroFlatGroupBox, "MonthNumeroFlatComboBox", QRect(166, 16, 92, 21), numero::monthTexts());
    YearNumeroFlatComboBox =
        comboBox(NumeroFlatGroupBox, "YearNumeroFlatComboBox", QRect(262, 16, 60, 21), numero::yearTexts());
    StartNumeroFlatSpeedButton = new QPushButton(QStringLiteral("Рассчитать гексаграмму"), NumeroFlatGroupBox);
    StartNumeroFlatSpeedButton->setObjectName(QStringLiteral("StartNumeroFlatSpeedButton"));
    StartNumeroFlatSpeedButton->setGeometry(328, 15, 149, 23);
    StartNumeroFlatSpeedButton->setAutoDefault(false);

    TextNumeroFlatEdit = new QLineEdit(NumeroFlatGroupBox);
    TextNumeroFlatEdit->setObjectName(QStringLiteral("TextNumeroFlatEdit"));
    TextNumeroFlatEdit->setGeometry(8, 41, 469, 21);
    setTextColor(TextNumeroFlatEdit, kGreyText);
    TextNumeroFlatEdit->installEventFilter(this);
    TextNumeroFlatEdit->hide();

    HtTextLabel =
        label(NumeroFlatGroupBox, "HtTextLabel", QRect(8, 66, 174, 14), QStringLiteral("Внешняя (верхняя) триграмма:"));
    HtValtLabel = label(NumeroFlatGroupBox, "HtValtLabel", QRect(182, 66, 297, 14));
    LtTextLabelLabel = label(NumeroFlatGroupBox, "LtTextLabelLabel", QRect(8, 80, 174, 14),
                             QStringLiteral("Внутренняя (нижняя) триграмма:"));
    LtValLabel = label(NumeroFlatGroupBox, "LtValLabel", QRect(182, 80, 297, 14));
    iXTextLabel =
        label(NumeroFlatGroupBox, "iXTextLabel", QRect(8, 94, 174, 14), QStringLiteral("Яо (подвижная черта):"));
    iXValLabel = label(NumeroFlatGroupBox, "iXValLabel", QRect(182, 94, 297, 14));
    for (QLabel *v : {HtValtLabel, LtValLabel, iXValLabel}) {
        setBold(v);
        setTextColor(v, QColor(0, 0, 128));
    }
    iXTextLabel->hide();
    iXValLabel->hide();
}

void TICningForm::buildMemoMenu()
{
    IChingMemoPopupMenu = new QMenu(this);
    IChingMemoPopupMenu->setObjectName(QStringLiteral("IChingMemoPopupMenu"));
    auto item = [this](const char *name, const QString &caption, Glyph glyph) {
        QAction *a = IChingMemoPopupMenu->addAction(glyphIcon(glyph), caption);
        a->setObjectName(QLatin1String(name));
        return a;
    };
    ICPCopy = item("ICPCopy", QStringLiteral("Копировать"), Glyph::Copy);
    ICPSelectAll = item("ICPSelectAll", QStringLiteral("Выделить все"), Glyph::SelectAll);
    IChingMemoPopupMenu->addSeparator();
    ICPBrowser = item("ICPBrowser", QStringLiteral("Передать текст в броузер"), Glyph::Browser);
    IChingMemoPopupMenu->addSeparator();
    ICPFont = item("ICPFont", QStringLiteral("Изменить шрифт"), Glyph::Font);
    IntrpretFlatMemo->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(IntrpretFlatMemo, &QWidget::customContextMenuRequested, this,
            [this](const QPoint &pos) { IChingMemoPopupMenu->popup(IntrpretFlatMemo->mapToGlobal(pos)); });
    connect(IChingMemoPopupMenu, &QMenu::aboutToShow, this, &TICningForm::IChingMemoPopupMenuPopup);
    connect(ICPCopy, &QAction::triggered, this, &TICningForm::ICPCopyClick);
    connect(ICPSelectAll, &QAction::triggered, this, &TICningForm::ICPSelectAllClick);
    connect(ICPBrowser, &QAction::triggered, this, &TICningForm::ICPBrowserClick);
    connect(ICPFont, &QAction::triggered, this, &TICningForm::ICPFontClick);
}

// ---- creating and closing

void TICningForm::FormCreate()
{
    m_state = DivinationState{};
    applyMenuStyle(IChingMemoPopupMenu);
    playSound(QStringLiteral("start.wav"));
    IntrpretFlatMemo->moveCursor(QTextCursor::Start);
    RegistryChingLoad();
    IntNameFile(IntFlatComboBox->currentText());
    StartFlatButton->setFocus();
}

void TICningForm::RegistryChingLoad()
{
    // One guarded sequence: the first failure (typically a missing users list) ends it.
    try {
        const IniFile ini = m_ctx.settings();
        const int intIndex = ini.readInteger(kChing, QStringLiteral("IntIndex"), 0);
        IntFlatComboBox->setCurrentIndex(intIndex >= 0 && intIndex < IntFlatComboBox->count() ? intIndex : 0);
        PositionFlatSpeedButton->setChecked(ini.readBool(kChing, QStringLiteral("NumEnable"), false));
        OnNumPosition(PositionFlatSpeedButton->isChecked());
        OldFlatCheckBox->setChecked(ini.readBool(kChing, QStringLiteral("CheckOld"), true));
        YouFlatCheckBox->setChecked(ini.readBool(kChing, QStringLiteral("CheckYou"), false));
        // A stored method outside the list would leave none selected; the coins are the sound choice.
        const int method = ini.readInteger(kChing, QStringLiteral("TypeMethod"), 0);
        TypeMethodFlatComboBox->setCurrentIndex(method >= 0 && method < TypeMethodFlatComboBox->count() ? method : 0);

        const auto names = Journal::readUserList(m_ctx.programFile(QStringLiteral("userch.dat")));
        if (!names)
            throw Error(QStringLiteral("File not found"));
        UserFlatComboBox->addItems(*names);
        UserFlatComboBox->setCurrentIndex(names->isEmpty() ? -1 : 0);

        const StoredFont stored = readFont(ini, kChing);
        IntrpretFlatMemo->setFont(stored.font);
        m_fontColor = stored.color;
        setTextColor(IntrpretFlatMemo, stored.color);
    } catch (const Error &) {
        TypeMethodFlatComboBox->setCurrentIndex(0);
    }
}

void TICningForm::RegistryChingSave()
{
    IniFile ini = m_ctx.settings();
    ini.writeInteger(kChing, QStringLiteral("IntIndex"), IntFlatComboBox->currentIndex());
    ini.writeBool(kChing, QStringLiteral("NumEnable"), PositionFlatSpeedButton->isChecked());
    ini.writeBool(kChing, QStringLiteral("CheckOld"), OldFlatCheckBox->isChecked());
    ini.writeBool(kChing, QStringLiteral("CheckYou"), YouFlatCheckBox->isChecked());
    ini.writeInteger(kChing, QStringLiteral("TypeMethod"), TypeMethodFlatComboBox->currentIndex());
}

void TICningForm::done(int result)
{
    if (!m_closed) {
        m_closed = true;
        FormClose();
    }
    QDialog::done(result);
}

void TICningForm::FormClose()
{
    if (autoSave())
        SaveResultChing();
    try {
        RegistryChingSave();
    } catch (const Error &e) {
        reportError(e.text());
    }
}

void TICningForm::keyPressEvent(QKeyEvent *event)
{
    // The window closes only through its close button, which is off while a cast is under way.
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

bool TICningForm::eventFilter(QObject *watched, QEvent *event)
{
    auto *edit = qobject_cast<QLineEdit *>(watched);
    if (edit && (edit == QuestFlatEdit || edit == TextNumeroFlatEdit)) {
        const bool click = event->type() == QEvent::MouseButtonPress;
        // Reaching the field with the keyboard counts as a click, or the hint would stay in the text.
        const bool tabbed =
            event->type() == QEvent::FocusIn && (static_cast<QFocusEvent *>(event)->reason() == Qt::TabFocusReason ||
                                                 static_cast<QFocusEvent *>(event)->reason() == Qt::BacktabFocusReason);
        if (click || tabbed)
            questionClicked(edit);
    }
    return QDialog::eventFilter(watched, event);
}

void TICningForm::questionClicked(QLineEdit *edit)
{
    setTextColor(edit, Qt::black);
    if (edit->text() == kQuestionPlaceholder)
        edit->clear();
}

// ---- casting with coins and dice

void TICningForm::StartFlatButtonClick()
{
    if (m_state.ended() || m_state.complete())
        return;
    m_random.setSeed(cast::seedAt(m_ctx.platform->now()));
    const auto method = cast::Method(TypeMethodFlatComboBox->currentIndex());
    const CastVariant variant = programState().castVariant;

    if (method == cast::Method::Xiantian || method == cast::Method::Numerology) {
        GraphNumero();
        for (QWidget *w :
             std::initializer_list<QWidget *>{DescFlatSpeedButton, CloseFlatButton, QuestFlatEdit, UserFlatComboBox,
                                              PositionFlatSpeedButton, TypeMethodFlatComboBox, StartFlatButton})
            w->setEnabled(false);
        return;
    }

    const cast::Throw t =
        method == cast::Method::Coins ? cast::throwCoins(m_random, variant) : cast::throwDice(m_random, variant);
    m_state.addLine(t.value);
    const int n = m_state.linesCast();
    showThrow(t, n);
    m_lastThrowMethod = method;
    m_lastThrowVariant = variant;

    for (QWidget *w :
         std::initializer_list<QWidget *>{DescFlatSpeedButton, CloseFlatButton, QuestFlatEdit, UserFlatComboBox,
                                          PositionFlatSpeedButton, TypeMethodFlatComboBox})
        w->setEnabled(false);
    playSound(QStringLiteral("iter.wav"));

    Old.lines[std::size_t(n - 1)]->setPixmap(linePicture(hex::linePictureIndex(t.value)));
    if (n < 6)
        StartFlatButton->setToolTip(castHint(n + 1));
    if (m_state.complete())
        endCast(variant);
}

void TICningForm::showThrow(const cast::Throw &t, int line)
{
    NumeroFlatGroupBox->hide();
    GraphFlatGroupBox->move(152, 194);
    GraphFlatGroupBox->show();
    GraphFlatGroupBox->raise();
    m_reshowMethod = t.method;
    drawThrow(t.method, t.elements);
    const int row = 6 - line;
    for (int c = 0; c < 3; ++c) {
        auto *item = new QTableWidgetItem(t.columns[std::size_t(c)]);
        item->setTextAlignment(Qt::AlignCenter);
        GraphResultColumnListBox->setItem(row, c + 1, item);
    }
    auto *result = new QTableWidgetItem(t.result);
    result->setForeground(QColor(128, 0, 0));
    GraphResultColumnListBox->setItem(row, 4, result);
}

void TICningForm::drawThrow(cast::Method method, const std::array<int, 3> &elements)
{
    const cast::Throw shown = cast::describe(method, CastVariant::Weighted, elements);
    for (std::size_t i = 0; i < 3; ++i) {
        ElementImages[i]->setPixmap(throwPicture(cast::throwPictureIndex(method, elements[i])));
        ElementEdits[i]->setText(shown.columns[i]);
    }
}

void TICningForm::ResultListBoxClick(int row)
{
    if (row < 0 || row > 5)
        return;
    const QTableWidgetItem *first = GraphResultColumnListBox->item(row, 1);
    if (!first || first->text().isEmpty())
        return;
    std::array<QString, 3> columns;
    for (int c = 0; c < 3; ++c) {
        const QTableWidgetItem *item = GraphResultColumnListBox->item(row, c + 1);
        columns[std::size_t(c)] = item ? item->text() : QString();
    }
    drawThrow(m_reshowMethod, cast::elementsFromColumns(m_reshowMethod, columns));
}

void TICningForm::endCast(CastVariant variant)
{
    StartFlatButton->setEnabled(false);
    StartFlatButton->setToolTip(kCastOverHint);
    IntrpretFlatMemo->clear();
    CloseFlatButton->setEnabled(true);
    if (!autoSave())
        ForceSaveGlatSpeedButton->setEnabled(true);
    PositionFlatSpeedButton->setEnabled(true);

    m_state.oldNumber = m_state.lookup(m_state.bitCode, variant);
    GraphFlatGroupBox->setTitle(cast::endedTableCaption(m_state.oldNumber, m_lastThrowMethod, m_lastThrowVariant));
    showOldBox();
    if (variant == CastVariant::Weighted) {
        pointHotspots(Old, m_state.bitCode);
        for (int k = 1; k <= 6; ++k) {
            Old.values[std::size_t(k - 1)]->setText(QString(m_state.lineValue(k)));
            Old.values[std::size_t(k - 1)]->show();
        }
        OldFlatGroupBox->setTitle(QStringLiteral("Старость"));
        OldFlatCheckBox->show();
        GeksagrammYoung(PositionFlatSpeedButton->isChecked());
    } else {
        OldFlatGroupBox->setTitle(hex::symmetryText(m_state.oldNumber.toInt()));
    }
    playSound(m_state.endSound());
    tickOldWhenNoYoung();
    showTickedInterpretation();
}

void TICningForm::showOldBox()
{
    NumOLabel->setText(m_state.oldNumber);
    setBoxBorder(OldFlatGroupBox, kBoxBorder);
    NumOLabel->show();
    Old.title->show();
}

void TICningForm::pointHotspots(HexagramBox &box, const QString &bits)
{
    box.top->point(hex::guaSignIndex(bits.left(3), box.top->guaIndex()));
    box.bottom->point(hex::guaSignIndex(bits.mid(3, 3), box.bottom->guaIndex()));
}

void TICningForm::GeksagrammYoung(bool withNumbers)
{
    for (int k = 1; k <= 6; ++k) {
        const std::size_t i = std::size_t(k - 1);
        const QString old = Old.values[i]->text();
        const QChar value = old.isEmpty() ? QChar() : old.at(0);
        const QChar young = hex::youngValue(value);
        You.lines[i]->setPixmap(linePicture(hex::linePictureIndex(young)));
        You.lines[i]->show();
        You.values[i]->setText(QString(young));
        You.values[i]->show();
        if (hex::isMoving(value)) {
            QPalette pal = Old.values[i]->palette();
            for (auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
                pal.setColor(group, QPalette::Base, kMovingLine);
            Old.values[i]->setPalette(pal);
            Old.values[i]->setStyleSheet(QStringLiteral(
                "QLineEdit { padding: 0px; border: 1px solid #b4aa96; background: rgb(255, 212, 96); }"));
        }
    }
    m_state.formYoung();
    NumYLabel->setText(m_state.youngNumber);
    pointHotspots(You, m_state.youngBitCode);
    YouFlatGroupBox->setTitle(QStringLiteral("Молодость"));
    setBoxBorder(YouFlatGroupBox, kBoxBorder);
    YouFlatCheckBox->show();
    NumYLabel->show();
    You.title->show();
    OnNumPosition(withNumbers);
}

void TICningForm::OnNumPosition(bool show)
{
    for (QLabel *l : Old.lineNumbers)
        l->setVisible(show);
    if (!m_state.youngNumber.isEmpty())
        for (QLabel *l : You.lineNumbers)
            l->setVisible(show);
}

void TICningForm::PositionFlatSpeedButtonClick()
{
    OnNumPosition(PositionFlatSpeedButton->isChecked());
}

// ---- the Xiantian and numerological methods

void TICningForm::GraphNumero()
{
    HtValtLabel->clear();
    LtValLabel->clear();
    iXValLabel->clear();
    const auto method = cast::Method(TypeMethodFlatComboBox->currentIndex());
    NumeroFlatGroupBox->setTitle(method == cast::Method::Xiantian
                                     ? QStringLiteral("Сяньтянь - получение гексаграммы")
                                     : QStringLiteral("Нумерологический метод - получение гексаграммы"));
    NumeroFlatGroupBox->move(152, 194);
    NumeroFlatGroupBox->show();
    NumeroFlatGroupBox->raise();
    if (method == cast::Method::Numerology) {
        TextNumeroFlatEdit->show();
        const QString q = QuestFlatEdit->text();
        TextNumeroFlatEdit->setText(q == kQuestionPlaceholder || q.trimmed().isEmpty() ? kQuestionPlaceholder : q);
    } else {
        TextNumeroFlatEdit->hide();
    }
    const QDateTime now = m_ctx.platform->now();
    HourNumeroFlatComboBox->setCurrentIndex(numero::periodIndexForHour(now.time().hour()));
    DayNumeroFlatComboBox->setCurrentIndex(now.date().day() - 1);
    MonthNumeroFlatComboBox->setCurrentIndex(numero::monthIndexFor(now.date().month()));
    YearNumeroFlatComboBox->setCurrentIndex(numero::yearIndexFor(now.date().year()));
}

void TICningForm::StartNumeroFlatSpeedButtonClick()
{
    if (m_state.ended())
        return;
    const auto method = cast::Method(TypeMethodFlatComboBox->currentIndex());
    const bool numerological = method == cast::Method::Numerology;
    if (numerological) {
        const QString q = TextNumeroFlatEdit->text();
        if (q == kQuestionPlaceholder || q.trimmed().isEmpty()) {
            m_ctx.platform->message(
                this, MsgIcon::Warning, QStringLiteral("Нумерологический метод"),
                QStringLiteral("Внимание!\r\n\r\nВ нумерологическом методе вопрос обязателен!\r\n"));
            return;
        }
    }
    playSound(QStringLiteral("iter.wav"));

    const CastVariant variant = programState().castVariant;
    numero::Input in;
    in.method = method;
    in.variant = variant;
    in.periodIndex = HourNumeroFlatComboBox->currentIndex();
    in.dayIndex = DayNumeroFlatComboBox->currentIndex();
    in.monthIndex = MonthNumeroFlatComboBox->currentIndex();
    in.year = YearNumeroFlatComboBox->currentIndex() < 0 ? 0 : YearNumeroFlatComboBox->currentText().toInt();
    in.question = TextNumeroFlatEdit->text();
    numero::Result r;
    try {
        r = numero::calculate(in);
    } catch (const Error &e) {
        // No date, no calculation: the panel stays as it is for another try.
        reportError(e.text());
        return;
    }

    LtValLabel->setText(r.lowerText);
    HtValtLabel->setText(r.upperText);
    numero::apply(r, variant, m_state);
    showOldBox();
    for (int k = 1; k <= 6; ++k)
        Old.lines[std::size_t(k - 1)]->setPixmap(linePicture(r.pictureCode.at(6 - k).digitValue()));
    if (variant == CastVariant::Weighted) {
        iXValLabel->setText(r.movingText);
        m_state.youngNumber.clear(); // formed again below, as the window shows it
        pointHotspots(Old, m_state.bitCode);
        for (int k = 1; k <= 6; ++k) {
            Old.values[std::size_t(k - 1)]->setText(QString(m_state.lineValue(k)));
            Old.values[std::size_t(k - 1)]->show();
        }
        OldFlatGroupBox->setTitle(QStringLiteral("Старость"));
        OldFlatCheckBox->show();
        iXTextLabel->show();
        iXValLabel->show();
        GeksagrammYoung(PositionFlatSpeedButton->isChecked());
    } else {
        OldFlatGroupBox->setTitle(hex::symmetryText(m_state.oldNumber.toInt()));
    }
    tickOldWhenNoYoung();
    showInterpretation(m_state.oldNumber);

    if (numerological)
        QuestFlatEdit->setText(numero::questionWithDate(
            TextNumeroFlatEdit->text(), HourNumeroFlatComboBox->currentText(), DayNumeroFlatComboBox->currentText(),
            MonthNumeroFlatComboBox->currentText(), YearNumeroFlatComboBox->currentText()));
    numeroDone();
}

void TICningForm::numeroDone()
{
    CloseFlatButton->setEnabled(true);
    for (QWidget *w :
         std::initializer_list<QWidget *>{StartNumeroFlatSpeedButton, HourNumeroFlatComboBox, DayNumeroFlatComboBox,
                                          MonthNumeroFlatComboBox, YearNumeroFlatComboBox, TextNumeroFlatEdit})
        w->setEnabled(false);
    if (!autoSave())
        ForceSaveGlatSpeedButton->setEnabled(true);
    playSound(m_state.endSound());
}

// ---- interpretation

void TICningForm::tickOldWhenNoYoung()
{
    if (m_state.youngNumber.isEmpty()) {
        OldFlatCheckBox->setChecked(true);
        YouFlatCheckBox->setChecked(false);
    }
}

void TICningForm::showTickedInterpretation()
{
    if (OldFlatCheckBox->isChecked())
        showInterpretation(m_state.oldNumber);
    else if (YouFlatCheckBox->isChecked())
        showInterpretation(m_state.youngNumber);
}

void TICningForm::showInterpretation(const QString &number)
{
    try {
        LoadInterp(number, programState().interpretationFile, IntrpretFlatMemo, textDir());
    } catch (const Error &e) {
        reportError(e.text());
    }
}

void TICningForm::IntFlatComboBoxChange()
{
    IntNameFile(IntFlatComboBox->currentText());
    tickOldWhenNoYoung();
    showTickedInterpretation();
}

void TICningForm::OldFlatCheckBoxClick()
{
    YouFlatCheckBox->setChecked(!OldFlatCheckBox->isChecked());
    showTickedInterpretation();
}

void TICningForm::YouFlatCheckBoxClick()
{
    OldFlatCheckBox->setChecked(!YouFlatCheckBox->isChecked());
    showTickedInterpretation();
}

void TICningForm::DescFlatSpeedButtonClick()
{
    try {
        const QStringList desc = InterKey(QStringLiteral("[%Desc]"), programState().interpretationFile, textDir());
        setMemoLines(IntrpretFlatMemo, QStringList{QStringLiteral("Описание интерпретации:"), QString()} + desc);
    } catch (const Error &e) {
        reportError(e.text());
    }
}

void TICningForm::HelpFlatSpeedButtonClick()
{
    m_ctx.platform->showHelp(7);
}

// ---- popup menu

void TICningForm::IChingMemoPopupMenuPopup()
{
    IntrpretFlatMemo->setFocus();
    ICPCopy->setEnabled(IntrpretFlatMemo->textCursor().hasSelection());
    ICPBrowser->setEnabled(m_state.ended());
}

void TICningForm::ICPCopyClick()
{
    IntrpretFlatMemo->copy();
}
void TICningForm::ICPSelectAllClick()
{
    IntrpretFlatMemo->selectAll();
}

void TICningForm::ICPBrowserClick()
{
    if (!m_state.ended())
        return;
    const QString number = OldFlatCheckBox->isChecked()   ? m_state.oldNumber
                           : YouFlatCheckBox->isChecked() ? m_state.youngNumber
                                                          : QString();
    try {
        // The text first: a file that cannot be read leaves no page behind.
        const QString body = TextToHtml(number, programState().interpretationFile, textDir());
        const QStringList lines = htmlPageLines(number, m_ctx.platform->now(), TypeMethodFlatComboBox->currentText(),
                                                IntFlatComboBox->currentText(), body);
        const QString path = writeHtmlPage(
            hex::tempFolder(),
            htmlPageName(number, TypeMethodFlatComboBox->currentIndex(), IntFlatComboBox->currentIndex()), lines);
        m_ctx.platform->openUrl(QUrl::fromLocalFile(path));
    } catch (const Error &e) {
        reportError(e.text());
    }
}

void TICningForm::ICPFontClick()
{
    const std::optional<QFont> font = m_ctx.platform->font(this, IntrpretFlatMemo->font());
    if (!font)
        return;
    IntrpretFlatMemo->setFont(*font);
    applyMemoScrollBarRule(IntrpretFlatMemo);
    try {
        IniFile ini = m_ctx.settings();
        writeFont(ini, kChing, *font, m_fontColor);
    } catch (const Error &e) {
        reportError(e.text());
    }
}

// ---- saving

void TICningForm::ForceSaveGlatSpeedButtonClick()
{
    // A failed save keeps the button, so the user can try again once the journal is back.
    if (SaveResultChing())
        ForceSaveGlatSpeedButton->setEnabled(false);
}

bool TICningForm::SaveResultChing()
{
    if (m_saved)
        return true;
    const std::optional<JournalRecord> record =
        resultRecord(m_state, QuestFlatEdit->text(), UserFlatComboBox->currentText(), IntFlatComboBox->currentText(),
                     TypeMethodFlatComboBox->currentText(), m_ctx.platform->now());
    if (!record)
        return false;
    QString error;
    if (!m_ctx.journal || !m_ctx.journal->isOpen())
        error = QStringLiteral("База данных не открыта.");
    else if (m_ctx.journal->append(*record, &error))
        m_saved = true;
    if (!m_saved) {
        // Losing a result in silence would be worse than a message.
        m_ctx.platform->message(this, MsgIcon::Warning, QStringLiteral("Сохранение результата"),
                                QStringLiteral("Внимание!\r\n\r\nРезультат гадания не сохранен в базе данных.\r\n") +
                                    error);
    }
    return m_saved;
}

// ---- helpers

void TICningForm::playSound(const QString &name) const
{
    if (m_ctx.mainForm)
        m_ctx.mainForm->playSound(name);
}

bool TICningForm::autoSave() const
{
    return m_ctx.mainForm && m_ctx.mainForm->autoSaveEnabled();
}

QString TICningForm::textDir() const
{
    return textDirOf(m_ctx.programDir);
}

void TICningForm::setBoxBorder(QGroupBox *box, const QColor &color)
{
    box->setStyleSheet(QStringLiteral("QGroupBox#%1 { border: 1px solid %2; border-radius: 3px; margin-top: 6px; "
                                      "font-weight: bold; }"
                                      "QGroupBox#%1::title { subcontrol-origin: margin; left: 7px; padding: 0 2px; }")
                           .arg(box->objectName(), color.name()));
}

void TICningForm::reportError(const QString &text)
{
    Application::reportError(m_ctx.platform, text);
}

} // namespace yw
