#include "gui/app/formkit.h"

#include "gui/app/appcontext.h"
#include "gui/app/application.h"
#include "gui/app/fontsettings.h"
#include "gui/divination/memo.h"
#include "gui/platform/platform.h"

#include <QGuiApplication>
#include <QMenu>
#include <QPlainTextEdit>
#include <QScreen>
#include <QToolButton>

namespace yw {

QToolButton *flatButton(QWidget *parent, const char *name, const QRect &geometry, Glyph glyph, const QString &hint)
{
    auto *b = new QToolButton(parent);
    b->setObjectName(QLatin1String(name));
    b->setGeometry(geometry);
    b->setIcon(glyphIcon(glyph));
    b->setIconSize(QSize(16, 16));
    b->setAutoRaise(true);
    b->setToolTip(hint);
    b->setFocusPolicy(Qt::NoFocus);
    return b;
}

TextMenu makeTextMenu(AppContext &ctx, QWidget *owner, QPlainTextEdit *memo, const QString &section,
                      const char *menuName, const char *copyName, const char *selectAllName, const char *fontName)
{
    TextMenu m;
    m.menu = new QMenu(owner);
    m.menu->setObjectName(QLatin1String(menuName));
    m.copy = m.menu->addAction(glyphIcon(Glyph::Copy), QStringLiteral("Копировать"));
    m.copy->setObjectName(QLatin1String(copyName));
    m.selectAll = m.menu->addAction(glyphIcon(Glyph::SelectAll), QStringLiteral("Выделить все"));
    m.selectAll->setObjectName(QLatin1String(selectAllName));
    m.menu->addSeparator();
    m.font = m.menu->addAction(glyphIcon(Glyph::Font), QStringLiteral("Изменить шрифт"));
    m.font->setObjectName(QLatin1String(fontName));
    applyMenuStyle(m.menu);

    memo->setContextMenuPolicy(Qt::CustomContextMenu);
    QObject::connect(memo, &QWidget::customContextMenuRequested, m.menu,
                     [menu = m.menu, memo](const QPoint &pos) { menu->popup(memo->viewport()->mapToGlobal(pos)); });
    QObject::connect(m.menu, &QMenu::aboutToShow, m.menu,
                     [copy = m.copy, memo] { copy->setEnabled(memo->textCursor().hasSelection()); });
    QObject::connect(m.copy, &QAction::triggered, memo, &QPlainTextEdit::copy);
    QObject::connect(m.selectAll, &QAction::triggered, memo, &QPlainTextEdit::selectAll);
    QObject::connect(m.font, &QAction::triggered, owner,
                     [&ctx, owner, memo, section] { changeMemoFont(ctx, owner, memo, section); });
    return m;
}

void loadMemoFont(const AppContext &ctx, QPlainTextEdit *memo, const QString &section)
{
    try {
        const StoredFont stored = readFont(ctx.settings(), section);
        memo->setFont(stored.font);
        QPalette pal = memo->palette();
        pal.setColor(QPalette::Text, stored.color);
        memo->setPalette(pal);
    } catch (const Error &) {
        // The design font stays.
    }
}

void changeMemoFont(AppContext &ctx, QWidget *parent, QPlainTextEdit *memo, const QString &section)
{
    const std::optional<QFont> font = ctx.platform->font(parent, memo->font());
    if (!font)
        return;
    guarded(ctx, [&] {
        IniFile ini = ctx.settings();
        writeFont(ini, section, *font, memo->palette().color(QPalette::Text));
    });
    memo->setFont(*font);
    applyMemoScrollBarRule(memo);
}

void centreOnScreen(QWidget *window)
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect avail = screen->availableGeometry();
    window->move(avail.center() - QPoint(window->width() / 2, window->height() / 2));
}

void guarded(const AppContext &ctx, const std::function<void()> &work)
{
    try {
        work();
    } catch (const Error &e) {
        Application::reportError(ctx.platform, e.text());
    }
}

} // namespace yw
