#pragma once

// Pieces the windows share: flat tool-bar buttons, the text
// areas' popup menu with its font change, centring, and the general error report for handlers.

#include "app/error.h"
#include "gui/app/pictures.h"

#include <QRect>
#include <QString>

#include <functional>

class QAction;
class QMenu;
class QPlainTextEdit;
class QToolButton;
class QWidget;

namespace yw {

struct AppContext;

QToolButton *flatButton(QWidget *parent, const char *name, const QRect &geometry, Glyph glyph, const QString &hint);

// "Копировать", "Выделить все", a separator, "Изменить шрифт" on a read-only text area, in the
// shared menu style. "Копировать" is enabled only while text is selected. The font item asks for
// a font, stores it at once in `section`, applies it and runs the scroll-bar rule.
struct TextMenu {
    QMenu *menu = nullptr;
    QAction *copy = nullptr;
    QAction *selectAll = nullptr;
    QAction *font = nullptr;
};
TextMenu makeTextMenu(AppContext &ctx, QWidget *owner, QPlainTextEdit *memo, const QString &section,
                      const char *menuName, const char *copyName, const char *selectAllName, const char *fontName);

// The font of `section` on a text area; a settings file that cannot be read leaves the design font.
void loadMemoFont(const AppContext &ctx, QPlainTextEdit *memo, const QString &section);
// The font dialog of the text menu, as a function for handlers that need it by name.
void changeMemoFont(AppContext &ctx, QWidget *parent, QPlainTextEdit *memo, const QString &section);

void centreOnScreen(QWidget *window);

// Runs a handler's work; an engine or platform error goes to the general error report and the
// program goes on (Qt's signal machinery must not be unwound by an exception).
void guarded(const AppContext &ctx, const std::function<void()> &work);

} // namespace yw
