#pragma once

#include <QWidget>

class QTextBrowser;

namespace yw {

// The program's own help viewer: one HTML page per topic number, "<n>.html" in the help folder.
class HelpWindow : public QWidget {
    Q_OBJECT
public:
    explicit HelpWindow(QString helpDir, QWidget *parent = nullptr);
    void showTopic(int topic);
    static QString topicFile(const QString &helpDir, int topic);

private:
    QString m_dir;
    QTextBrowser *m_browser;
};

} // namespace yw
