#include "gui/app/application.h"

#include "app/error.h"
#include "gui/platform/platform.h"

#include <QFont>

#include <exception>

namespace yw {

Application::Application(int &argc, char **argv) : QApplication(argc, argv) {}

void Application::reportError(Platform *platform, const QString &text)
{
    if (platform)
        platform->message(nullptr, MsgIcon::Error, QStringLiteral("Yarrowind"), text, MsgButton::Ok, MsgButton::Ok);
}

bool Application::notify(QObject *receiver, QEvent *event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (const Error &e) {
        reportError(m_platform, e.text());
    } catch (const std::exception &e) {
        reportError(m_platform, QString::fromLocal8Bit(e.what()));
    }
    return false;
}

void installFontSubstitutes()
{
    // Liberation Sans has Arial's metrics, which is what the designed windows were laid out with.
    QFont::insertSubstitutions(QStringLiteral("MS Sans Serif"),
                               {QStringLiteral("Liberation Sans"), QStringLiteral("Arial")});
    QFont::insertSubstitutions(QStringLiteral("Arial"), {QStringLiteral("Liberation Sans")});
}

QFont designFont()
{
    QFont f(QStringLiteral("MS Sans Serif"));
    f.setPointSize(8);
    return f;
}

} // namespace yw
