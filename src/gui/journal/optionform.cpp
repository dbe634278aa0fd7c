#include "gui/journal/optionform.h"

#include "app/error.h"
#include "app/programstate.h"
#include "gui/app/appcontext.h"
#include "gui/app/application.h"
#include "gui/app/pictures.h"
#include "gui/journal/databaseform.h"
#include "gui/platform/platform.h"
#include "journal/journal.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QToolButton>

namespace yw {
namespace {

const QString kOption = QStringLiteral("Option");
const QString kPathBase = QStringLiteral("PathBase");

QToolButton *toolButton(QWidget *parent, const char *name, int x, Glyph glyph, const QString &hint)
{
    auto *b = new QToolButton(parent);
    b->setObjectName(QLatin1String(name));
    b->setGeometry(x, 1, 23, 23);
    b->setIcon(glyphIcon(glyph));
    b->setIconSize(QSize(16, 16));
    b->setAutoRaise(true);
    b->setToolTip(hint);
    return b;
}

QPushButton *pushButton(QWidget *parent, const char *name, const QString &caption, int x)
{
    auto *b = new QPushButton(caption, parent);
    b->setObjectName(QLatin1String(name));
    b->setGeometry(x, 182, 76, 20);
    b->setAutoDefault(false);
    return b;
}

} // namespace

TOptionForm::TOptionForm(AppContext &ctx, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::MSWindowsFixedSizeDialogHint),
      m_ctx(ctx)
{
    setObjectName(QStringLiteral("OptionForm"));
    setWindowTitle(QStringLiteral("Yarrowind v2.3 - Настройки"));
    setFont(designFont());
    setFixedSize(320, 203);
    setModal(true);

    auto *toolbar = new QWidget(this);
    toolbar->setObjectName(QStringLiteral("OptionToolBar"));
    toolbar->setGeometry(0, 0, 320, 25);
    HelpFlatSpeedButton = toolButton(toolbar, "HelpFlatSpeedButton", 272, Glyph::Help, QStringLiteral("Справка"));
    CloseFlatSpeedButton =
        toolButton(toolbar, "CloseFlatSpeedButton", 296, Glyph::Close, QStringLiteral("Закрыть окно диаграммы"));

    OptionFlatMemo = new QPlainTextEdit(this);
    OptionFlatMemo->setObjectName(QStringLiteral("OptionFlatMemo"));
    OptionFlatMemo->setGeometry(4, 25, 312, 122);
    OptionFlatMemo->setReadOnly(true);
    OptionFlatMemo->setFrameShape(QFrame::Box);
    OptionFlatMemo->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    OptionFlatMemo->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    OptionFlatMemo->document()->setDocumentMargin(1);
    // The instruction lines end in blanks and run on into each other: each paragraph is their
    // concatenation, wrapped at the memo's width whatever the font's metrics.
    const QStringList first = {
        QStringLiteral("Если Вы  раньше пользовались программой Yarrowind "),
        QStringLiteral("нажмите \"Открыть\", выберите существующую базу "),
        QStringLiteral("данных и нажмите кнопку \"Применить\" ."),
    };
    const QStringList second = {
        QStringLiteral("Если Вы используете программу впервые или по каким-то "),
        QStringLiteral("причинам база данных не сохранилась (запорчена) нажмите  "),
        QStringLiteral("\"Создать\", выберите каталог где будет находиться "),
        QStringLiteral("база программы и нажмите кнопку \"Применить\"."),
    };
    OptionFlatMemo->setPlainText(first.join(QString()) + QStringLiteral("\n\n") + second.join(QString()));

    OptionLabel = new QLabel(QStringLiteral("Путь к базе данных (результат и пользователи)"), this);
    OptionLabel->setObjectName(QStringLiteral("OptionLabel"));
    OptionLabel->setGeometry(4, 148, 312, 13);

    PathBaseFlatEdit = new QLineEdit(this);
    PathBaseFlatEdit->setObjectName(QStringLiteral("PathBaseFlatEdit"));
    PathBaseFlatEdit->setGeometry(4, 161, 312, 19);
    PathBaseFlatEdit->setReadOnly(true);

    FlatButton1 = pushButton(this, "FlatButton1", QStringLiteral("Создать"), 4);
    OpenBaseFlatSpeedButton = pushButton(this, "OpenBaseFlatSpeedButton", QStringLiteral("Открыть"), 83);
    OpenBaseFlatSpeedButton->setToolTip(QStringLiteral("Выбрать путь к базе"));
    ApplyOptionButton = pushButton(this, "ApplyOptionButton", QStringLiteral("Принять"), 162);
    CancelOptionButton = pushButton(this, "CancelOptionButton", QStringLiteral("Отклонить"), 240);

    connect(HelpFlatSpeedButton, &QToolButton::clicked, this, [this] { m_ctx.platform->showHelp(21); });
    connect(CloseFlatSpeedButton, &QToolButton::clicked, this, &TOptionForm::CloseFlatSpeedButtonClick);
    connect(OpenBaseFlatSpeedButton, &QPushButton::clicked, this, &TOptionForm::OpenBaseFlatSpeedButtonClick);
    connect(FlatButton1, &QPushButton::clicked, this, &TOptionForm::FlatButton1Click);
    connect(ApplyOptionButton, &QPushButton::clicked, this, &TOptionForm::ApplyOptionButtonClick);
    connect(CancelOptionButton, &QPushButton::clicked, this, &TOptionForm::CancelOptionButtonClick);

    FormCreate();
    FormShow();
}

TOptionForm::~TOptionForm() = default;

QString TOptionForm::path() const
{
    return PathBaseFlatEdit->text();
}

void TOptionForm::FormCreate()
{
    PathBaseFlatEdit->setText(m_ctx.settings().readString(kOption, kPathBase));
}

void TOptionForm::showEvent(QShowEvent *event)
{
    FormShow();
    QDialog::showEvent(event);
}

void TOptionForm::FormShow()
{
    m_firstStart = programState().versionText.isEmpty();
    ApplyOptionButton->setEnabled(false);
    CancelOptionButton->setEnabled(m_firstStart);
    CloseFlatSpeedButton->setEnabled(!m_firstStart);
}

bool TOptionForm::connectBase(const QString &path)
{
    return m_ctx.dataBaseForm && m_ctx.dataBaseForm->ConnectBase(path);
}

void TOptionForm::OpenBaseFlatSpeedButtonClick()
{
    const QString start = QFileInfo(path()).absolutePath();
    const QString file = m_ctx.platform->openFileName(this, QString(), path().isEmpty() ? m_ctx.programDir : start,
                                                      QStringLiteral("База данных (*.db)"));
    if (file.isEmpty())
        return;
    if (!connectBase(file))
        return;
    PathBaseFlatEdit->setText(QDir::toNativeSeparators(file));
    ApplyOptionButton->setEnabled(true);
}

void TOptionForm::FlatButton1Click()
{
    const QString folder =
        m_ctx.platform->folder(this, QStringLiteral("Задайте каталог для хранения базы данных"), QString());
    if (folder.isEmpty())
        return;
    const QString target = QDir(folder).filePath(QStringLiteral("ibase.db"));
    // Replacing is never silent: the file there may be someone's whole journal.
    if (QFileInfo::exists(target)) {
        const int answer = m_ctx.platform->message(
            this, MsgIcon::Information, QStringLiteral("Создание базы"),
            QStringLiteral("Внимание!\r\n\r\nВ выбранном каталоге уже есть база данных:\r\n%1\r\n\r\n"
                           "Заменить ее новой пустой базой? Все записи прежней базы будут потеряны.")
                .arg(QDir::toNativeSeparators(target)),
            MsgButton::Yes | MsgButton::No, MsgButton::No);
        if (answer != MsgButton::Yes)
            return;
    }
    QString error;
    if (!Journal::copyTemplate(m_ctx.programFile(QStringLiteral("ibase.thb")), target, &error)) {
        Application::reportError(m_ctx.platform, error);
        return;
    }
    if (!connectBase(target))
        return;
    PathBaseFlatEdit->setText(QDir::toNativeSeparators(target));
    ApplyOptionButton->setEnabled(true);
}

void TOptionForm::ApplyOptionButtonClick()
{
    programState().versionText = kSettingsVersion;
    accept();
}

void TOptionForm::CancelOptionButtonClick()
{
    // Ends the program: nothing is written, neither here nor by the main window.
    m_declined = true;
    QDialog::done(QDialog::Rejected);
    QCoreApplication::exit(0);
}

void TOptionForm::CloseFlatSpeedButtonClick()
{
    QDialog::reject();
}

void TOptionForm::reject()
{
    // Escape must not slip past the first-start choice.
    if (!CloseFlatSpeedButton->isEnabled())
        return;
    QDialog::reject();
}

void TOptionForm::done(int result)
{
    if (!m_declined)
        FormClose();
    QDialog::done(result);
}

void TOptionForm::FormClose()
{
    if (PathBaseFlatEdit->text().trimmed().isEmpty())
        PathBaseFlatEdit->setText(QDir::toNativeSeparators(m_ctx.programFile(QStringLiteral("ibase.db"))));
    IniFile ini = m_ctx.settings();
    try {
        ini.writeString(kOption, kPathBase, PathBaseFlatEdit->text());
    } catch (const Error &e) {
        Application::reportError(m_ctx.platform, e.text());
    }
}

} // namespace yw
