#include "gui/app/mainform.h"

#include "app/programstate.h"
#include "gui/app/appcontext.h"
#include "gui/app/application.h"
#include "gui/app/launchers.h"
#include "gui/app/pictures.h"
#include "gui/platform/platform.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QCursor>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLockFile>
#include <QMenu>
#include <QTimer>
#include <QToolButton>

namespace yw {
namespace {

const QString kMain = QStringLiteral("Main");
constexpr int kDesignLeft = 568;
constexpr int kDesignTop = 361;

QToolButton *toolButton(QWidget *parent, const char *name, int x, int width, Glyph glyph, const QString &hint,
                        bool toggle = false)
{
    auto *b = new QToolButton(parent);
    b->setObjectName(QLatin1String(name));
    b->setGeometry(x, 1, width, 23);
    b->setIcon(glyphIcon(glyph));
    b->setIconSize(QSize(16, 16));
    b->setAutoRaise(true);
    b->setCheckable(toggle);
    b->setToolTip(hint);
    return b;
}

QAction *menuItem(QMenu *menu, const char *name, const QString &caption, Glyph glyph)
{
    QAction *a = menu->addAction(glyphIcon(glyph), caption);
    a->setObjectName(QLatin1String(name));
    return a;
}

} // namespace

TMainForm::TMainForm(AppContext &ctx, QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::MSWindowsFixedSizeDialogHint),
      m_ctx(ctx)
{
    setObjectName(QStringLiteral("MainForm"));
    setAttribute(Qt::WA_QuitOnClose, false);
    setWindowTitle(QStringLiteral("Yarrowind v2.3 "));
    setFont(designFont());
    setFixedSize(250, 275);

    // A second copy stops here, before it touches anything.
    const QString exeName = QFileInfo(QCoreApplication::applicationFilePath()).fileName();
    m_instanceLock =
        std::make_unique<QLockFile>(m_ctx.runtimeDir + QLatin1Char('/') + exeName + QStringLiteral(".lock"));
    m_instanceLock->setStaleLockTime(0);
    if (!m_instanceLock->tryLock(10)) {
        m_instanceAllowed = false;
        m_ctx.platform->message(
            nullptr, MsgIcon::Error, QStringLiteral("Повторный запуск программы ") + exeName,
            QStringLiteral("Копия данной программы уже запущена. Повторный запуск программы не разрешен."));
    }

    MenuFlatPanel = new QWidget(this);
    MenuFlatPanel->setObjectName(QStringLiteral("MenuFlatPanel"));
    MenuFlatPanel->setGeometry(0, 0, 250, 25);
    MenuFlatPanel->setAutoFillBackground(true);

    SoundFlatSpeedButton = toolButton(MenuFlatPanel, "SoundFlatSpeedButton", 2, 23, Glyph::Sound,
                                      QStringLiteral("Звуковое сопровождение гадания"), true);
    AtomFlatSpeedButton =
        toolButton(MenuFlatPanel, "AtomFlatSpeedButton", 26, 23, Glyph::Atom,
                   QStringLiteral("При включенном режиме разрешить Книгу Перемен один раз в сеансе."), true);
    SaveFlatSpeedButton = toolButton(MenuFlatPanel, "SaveFlatSpeedButton", 50, 23, Glyph::Save,
                                     QStringLiteral("Сохранить результат в базе данных"), true);
    UserFlatSpeedButton =
        toolButton(MenuFlatPanel, "UserFlatSpeedButton", 74, 23, Glyph::User, QStringLiteral("Пользователи..."));
    DataBaseFlatSpeedButton =
        toolButton(MenuFlatPanel, "DataBaseFlatSpeedButton", 98, 22, Glyph::DataBase, QStringLiteral("База данных..."));
    ResultFlatSpeedButton = toolButton(MenuFlatPanel, "ResultFlatSpeedButton", 120, 12, Glyph::Arrow, QString());
    ResultFlatSpeedButton->setIconSize(QSize(10, 10));
    AboutFlatSpeedButton =
        toolButton(MenuFlatPanel, "AboutFlatSpeedButton", 177, 23, Glyph::About, QStringLiteral("Информация..."));
    HelpFlatSpeedButton =
        toolButton(MenuFlatPanel, "HelpFlatSpeedButton", 201, 23, Glyph::Help, QStringLiteral("Справка"));
    CloseFlatSpeedButton =
        toolButton(MenuFlatPanel, "CloseFlatSpeedButton", 225, 23, Glyph::Close, QStringLiteral("Выйти из программы"));

    MainFlatPanel = new QLabel(this);
    MainFlatPanel->setObjectName(QStringLiteral("MainFlatPanel"));
    MainFlatPanel->setGeometry(0, 25, 250, 250);
    MainFlatPanel->setAlignment(Qt::AlignCenter);
    MainFlatPanel->setPixmap(backgroundPicture(250));

    BeginFlatSpeedButton = new QToolButton(MainFlatPanel);
    BeginFlatSpeedButton->setObjectName(QStringLiteral("BeginFlatSpeedButton"));
    BeginFlatSpeedButton->setGeometry(2, 250 - 22, 246, 20);
    BeginFlatSpeedButton->setText(QStringLiteral("Гадание по Книге Перемен"));
    BeginFlatSpeedButton->setToolTip(QStringLiteral("Открыть книгу Перемен"));
    BeginFlatSpeedButton->setAutoRaise(true);
    BeginFlatSpeedButton->setCursor(Qt::PointingHandCursor);
    BeginFlatSpeedButton->setStyleSheet(
        QStringLiteral("QToolButton { color: white; font-weight: bold; background: rgba(60, 36, 20, 150); border: 1px "
                       "solid rgba(255,255,255,90); border-radius: 3px; }"
                       "QToolButton:hover { background: rgba(120, 60, 20, 190); }"
                       "QToolButton:pressed { background: rgba(30, 18, 10, 210); }"
                       "QToolButton:disabled { color: rgba(255,255,255,120); }"));

    ResultPopupMenu = new QMenu(this);
    ResultPopupMenu->setObjectName(QStringLiteral("ResultPopupMenu"));
    ResPopup5 = menuItem(ResultPopupMenu, "ResPopup5", QStringLiteral("Экспорт базы в Excel..."), Glyph::Export);
    ResultPopupMenu->addSeparator();
    ResPopup1 = menuItem(ResultPopupMenu, "ResPopup1", QStringLiteral("Очистка базы данных"), Glyph::Clear);
    ResPopup2 = menuItem(ResultPopupMenu, "ResPopup2", QStringLiteral("Сжатие базы данных"), Glyph::Compact);
    ResultPopupMenu->addSeparator();
    ResPopup6 = menuItem(ResultPopupMenu, "ResPopup6", QStringLiteral("Настройки базы данных..."), Glyph::Settings);

    DiagPopupMenu = new QMenu(this);
    DiagPopupMenu->setObjectName(QStringLiteral("DiagPopupMenu"));
    HelpPopup1 = menuItem(DiagPopupMenu, "HelpPopup1", QStringLiteral("Таблица Вэнь-вана..."), Glyph::WenWang);
    HelpPopup3 = menuItem(DiagPopupMenu, "HelpPopup3", QStringLiteral("Знаки Гуа..."), Glyph::GuaSigns);
    HelpPopup2 = menuItem(DiagPopupMenu, "HelpPopup2", QStringLiteral("Животные календаря..."), Glyph::Animals);
    HelpPopup4 =
        menuItem(DiagPopupMenu, "HelpPopup4", QStringLiteral("Китайский сезонный календарь..."), Glyph::Calendar);

    HelpPopupMenu = new QMenu(this);
    HelpPopupMenu->setObjectName(QStringLiteral("HelpPopupMenu"));
    Help1P = menuItem(HelpPopupMenu, "Help1P", QStringLiteral("Справка"), Glyph::Help);
    HelpPopupMenu->addSeparator();
    Help3P = menuItem(HelpPopupMenu, "Help3P", QStringLiteral("WebMoney..."), Glyph::WebMoney);
    Help2P = menuItem(HelpPopupMenu, "Help2P", QStringLiteral("О Программе..."), Glyph::Info);

    for (QMenu *m : {ResultPopupMenu, DiagPopupMenu, HelpPopupMenu})
        applyMenuStyle(m);

    // Windows that have not been built yet stay unreachable rather than open as empty shells.
    for (QAction *a : {HelpPopup2, HelpPopup4, Help3P, Help2P})
        a->setEnabled(false);
    UserFlatSpeedButton->setEnabled(false);
    HelpPopup1->setEnabled(launch::wenWangAvailable());
    HelpPopup3->setEnabled(launch::guaSignsAvailable());
    BeginFlatSpeedButton->setEnabled(launch::divinationAvailable());

    connect(AtomFlatSpeedButton, &QToolButton::clicked, this, &TMainForm::AtomFlatSpeedButtonClick);
    connect(DataBaseFlatSpeedButton, &QToolButton::clicked, this, &TMainForm::DataBaseFlatSpeedButtonClick);
    connect(ResultFlatSpeedButton, &QToolButton::clicked, this, [this] { popupAt(ResultPopupMenu); });
    connect(AboutFlatSpeedButton, &QToolButton::clicked, this, [this] { popupAt(DiagPopupMenu); });
    connect(HelpFlatSpeedButton, &QToolButton::clicked, this, [this] { popupAt(HelpPopupMenu); });
    connect(CloseFlatSpeedButton, &QToolButton::clicked, this, &QWidget::close);
    connect(BeginFlatSpeedButton, &QToolButton::clicked, this, &TMainForm::BeginFlatSpeedButtonClick);
    connect(ResultPopupMenu, &QMenu::aboutToShow, this, &TMainForm::ResultPopupMenuPopup);
    connect(ResPopup1, &QAction::triggered, this, &TMainForm::ResPopup1Click);
    connect(ResPopup2, &QAction::triggered, this, &TMainForm::ResPopup2Click);
    connect(ResPopup5, &QAction::triggered, this, [this] { launch::openExport(m_ctx, this); });
    connect(ResPopup6, &QAction::triggered, this, &TMainForm::ResPopup6Click);
    connect(HelpPopup1, &QAction::triggered, this, &TMainForm::HelpPopup1Click);
    connect(HelpPopup3, &QAction::triggered, this, &TMainForm::HelpPopup3Click);
    connect(Help1P, &QAction::triggered, this, &TMainForm::Help1PClick);

    if (m_instanceAllowed)
        FormCreate();
}

TMainForm::~TMainForm() = default;

bool TMainForm::soundEnabled() const
{
    return SoundFlatSpeedButton->isChecked();
}
bool TMainForm::autoSaveEnabled() const
{
    return SaveFlatSpeedButton->isChecked();
}
bool TMainForm::atomEnabled() const
{
    return AtomFlatSpeedButton->isChecked();
}

void TMainForm::playSound(const QString &fileName) const
{
    if (soundEnabled())
        m_ctx.platform->playSound(m_ctx.programFile(fileName));
}

void TMainForm::setDataBaseItemsEnabled(bool enabled)
{
    ResPopup2->setEnabled(enabled);
    ResPopup6->setEnabled(enabled);
}

void TMainForm::FormCreate()
{
    const IniFile ini = m_ctx.settings();
    programState().versionText = ini.readString(kMain, QStringLiteral("Version"));
    SoundFlatSpeedButton->setChecked(ini.readBool(kMain, QStringLiteral("SoundEnable"), false));
    SaveFlatSpeedButton->setChecked(ini.readBool(kMain, QStringLiteral("ResultEnable"), false));
    AtomFlatSpeedButton->setChecked(ini.readBool(kMain, QStringLiteral("AtomEnable"), false));
    move(ini.readInteger(kMain, QStringLiteral("Left"), kDesignLeft),
         ini.readInteger(kMain, QStringLiteral("Top"), kDesignTop));

    // The marker lives in the runtime folder, which the system empties when the user logs out,
    // so "exists" means "this is not the first run of the session".
    const QString marker = m_ctx.runtimeDir + QLatin1Char('/') + kLogonMarker;
    if (QFileInfo::exists(marker)) {
        if (AtomFlatSpeedButton->isChecked()) {
            AtomFlatSpeedButton->setEnabled(false);
            BeginFlatSpeedButton->hide();
        }
    } else {
        QDir().mkpath(m_ctx.runtimeDir);
        QFile file(marker);
        if (file.open(QIODevice::WriteOnly))
            file.close();
    }
}

void TMainForm::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (!m_shownOnce) {
        m_shownOnce = true;
        // Let the main window appear before the options window asks for the database.
        QTimer::singleShot(0, this, &TMainForm::FormShow);
    }
}

void TMainForm::FormShow()
{
    if (programState().versionText != kSettingsVersion)
        ResPopup6Click();
}

void TMainForm::closeEvent(QCloseEvent *event)
{
    FormClose();
    event->accept();
    QCoreApplication::quit();
}

void TMainForm::FormClose()
{
    IniFile ini = m_ctx.settings();
    ini.writeString(kMain, QStringLiteral("Version"), kSettingsVersion);
    ini.writeBool(kMain, QStringLiteral("SoundEnable"), SoundFlatSpeedButton->isChecked());
    ini.writeBool(kMain, QStringLiteral("ResultEnable"), SaveFlatSpeedButton->isChecked());
    ini.writeBool(kMain, QStringLiteral("AtomEnable"), AtomFlatSpeedButton->isChecked());
    ini.writeInteger(kMain, QStringLiteral("Top"), y());
    ini.writeInteger(kMain, QStringLiteral("Left"), x());
}

void TMainForm::AtomFlatSpeedButtonClick()
{
    if (!AtomFlatSpeedButton->isChecked())
        return;
    const int answer = m_ctx.platform->message(
        this, MsgIcon::Information, QStringLiteral("Включение разрешения"),
        QStringLiteral(
            "Внимание!\r\n\r\nВы действительно хотите включить разрешение\r\nна гадание один раз в сеансе\r\n"),
        MsgButton::Yes | MsgButton::No, MsgButton::No);
    if (answer != MsgButton::Yes)
        AtomFlatSpeedButton->setChecked(false);
}

void TMainForm::popupAt(QMenu *menu)
{
    menu->popup(QCursor::pos());
}

void TMainForm::DataBaseFlatSpeedButtonClick()
{
    launch::showDataBase(m_ctx);
    setDataBaseItemsEnabled(false);
}

void TMainForm::ResultPopupMenuPopup()
{
    // The workbook is written by the program itself, so export needs only an open journal.
    ResPopup5->setEnabled(launch::exportAvailable(m_ctx));
}

void TMainForm::BeginFlatSpeedButtonClick()
{
    launch::openDivination(m_ctx, this);
}
void TMainForm::ResPopup1Click()
{
    launch::clearJournal(m_ctx, this);
}
void TMainForm::ResPopup2Click()
{
    launch::compactJournal(m_ctx);
}
void TMainForm::ResPopup6Click()
{
    launch::showOptions(m_ctx);
}
void TMainForm::HelpPopup1Click()
{
    launch::openWenWang(m_ctx, this);
}
void TMainForm::HelpPopup3Click()
{
    launch::openGuaSigns(m_ctx, this, 0);
}

void TMainForm::Help1PClick()
{
    m_ctx.platform->showHelp(5);
}

} // namespace yw
