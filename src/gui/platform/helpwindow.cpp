#include "gui/platform/helpwindow.h"

#include <QFileInfo>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

namespace yw {

HelpWindow::HelpWindow(QString helpDir, QWidget *parent)
    : QWidget(parent, Qt::Window), m_dir(std::move(helpDir)), m_browser(new QTextBrowser(this))
{
    setObjectName(QStringLiteral("HelpWindow"));
    setWindowTitle(QStringLiteral("Yarrowind - Справка"));
    m_browser->setObjectName(QStringLiteral("HelpBrowser"));
    m_browser->setOpenExternalLinks(true);
    m_browser->setSearchPaths({m_dir});
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_browser);
    resize(640, 520);
}

QString HelpWindow::topicFile(const QString &helpDir, int topic)
{
    return helpDir + QStringLiteral("/%1.html").arg(topic);
}

void HelpWindow::showTopic(int topic)
{
    const QString file = topicFile(m_dir, topic);
    if (QFileInfo::exists(file))
        m_browser->setSource(QUrl::fromLocalFile(file));
    else
        m_browser->setHtml(QStringLiteral("<p>Раздел справки %1 не найден.</p>").arg(topic));
    show();
    raise();
    activateWindow();
}

} // namespace yw
