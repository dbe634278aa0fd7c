#include "gui/platform/qtplatform.h"

#include "gui/platform/helpwindow.h"

#include <QApplication>
#include <QDesktopServices>
#include <QFileDialog>
#include <QFontDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QSoundEffect>

namespace yw {

QtPlatform::QtPlatform(QString programDir) : m_programDir(std::move(programDir)) {}

QtPlatform::~QtPlatform()
{
    delete m_sound;
    delete m_help;
}

int QtPlatform::message(QWidget *parent, MsgIcon icon, const QString &caption, const QString &text, int buttons,
                        int defaultButton)
{
    QMessageBox box(parent);
    box.setWindowTitle(caption);
    box.setText(text);
    switch (icon) {
    case MsgIcon::Information: box.setIcon(QMessageBox::Information); break;
    case MsgIcon::Warning: box.setIcon(QMessageBox::Warning); break;
    case MsgIcon::Error: box.setIcon(QMessageBox::Critical); break;
    case MsgIcon::Question: box.setIcon(QMessageBox::Question); break;
    case MsgIcon::None: break;
    }
    struct Pair {
        int ours;
        QMessageBox::StandardButton qt;
        const char16_t *text;
    };
    const Pair pairs[] = {{Ok, QMessageBox::Ok, u"OK"},
                          {Yes, QMessageBox::Yes, u"Да"},
                          {No, QMessageBox::No, u"Нет"},
                          {Cancel, QMessageBox::Cancel, u"Отмена"}};
    for (const Pair &p : pairs) {
        if (!(buttons & p.ours))
            continue;
        QPushButton *b = box.addButton(p.qt);
        b->setText(QString::fromUtf16(p.text));
        if (p.ours == defaultButton)
            box.setDefaultButton(b);
    }
    box.exec();
    for (const Pair &p : pairs)
        if (box.standardButton(box.clickedButton()) == p.qt)
            return p.ours;
    // Closing the box counts as its negative answer.
    if (buttons & Cancel)
        return Cancel;
    if (buttons & No)
        return No;
    return Ok;
}

QString QtPlatform::openFileName(QWidget *parent, const QString &caption, const QString &dir, const QString &filter)
{
    return QFileDialog::getOpenFileName(parent, caption, dir, filter);
}

QString QtPlatform::folder(QWidget *parent, const QString &caption, const QString &dir)
{
    return QFileDialog::getExistingDirectory(parent, caption, dir);
}

std::optional<QFont> QtPlatform::font(QWidget *parent, const QFont &initial)
{
    bool ok = false;
    const QFont f = QFontDialog::getFont(&ok, initial, parent);
    if (!ok)
        return std::nullopt;
    return f;
}

void QtPlatform::playSound(const QString &path)
{
    if (!m_sound)
        m_sound = new QSoundEffect;
    m_sound->stop();
    m_sound->setSource(QUrl::fromLocalFile(path));
    m_sound->play();
}

bool QtPlatform::openUrl(const QUrl &url)
{
    return QDesktopServices::openUrl(url);
}

void QtPlatform::showHelp(int topic)
{
    if (!m_help)
        m_help = new HelpWindow(m_programDir + QStringLiteral("/help"));
    m_help->showTopic(topic);
}

QDateTime QtPlatform::now() const
{
    return QDateTime::currentDateTime();
}

} // namespace yw
