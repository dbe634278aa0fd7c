#pragma once

#include <QWidget>

#include <memory>

class QAction;
class QLockFile;
class QMenu;
class QToolButton;
class QLabel;

namespace yw {

struct AppContext;

// The launcher: three switches, three menus and the wide button that opens divination.
class TMainForm : public QWidget {
    Q_OBJECT
public:
    explicit TMainForm(AppContext &ctx, QWidget *parent = nullptr);
    ~TMainForm() override;

    // False when another copy of the program already runs; the caller then ends at once.
    bool instanceAllowed() const { return m_instanceAllowed; }

    bool soundEnabled() const;
    bool autoSaveEnabled() const;
    bool atomEnabled() const;
    // Play one of the program folder's sounds, when the sound switch is on.
    void playSound(const QString &fileName) const;

    // The two database items the browser switches back on when it closes.
    void setDataBaseItemsEnabled(bool enabled);

    QToolButton *SoundFlatSpeedButton;
    QToolButton *AtomFlatSpeedButton;
    QToolButton *SaveFlatSpeedButton;
    QToolButton *UserFlatSpeedButton;
    QToolButton *DataBaseFlatSpeedButton;
    QToolButton *ResultFlatSpeedButton;
    QToolButton *AboutFlatSpeedButton;
    QToolButton *HelpFlatSpeedButton;
    QToolButton *CloseFlatSpeedButton;
    QWidget *MenuFlatPanel;
    QLabel *MainFlatPanel;
    QToolButton *BeginFlatSpeedButton;

    QMenu *ResultPopupMenu;
    QAction *ResPopup5;
    QAction *ResPopup1;
    QAction *ResPopup2;
    QAction *ResPopup6;
    QMenu *DiagPopupMenu;
    QAction *HelpPopup1;
    QAction *HelpPopup3;
    QAction *HelpPopup2;
    QAction *HelpPopup4;
    QMenu *HelpPopupMenu;
    QAction *Help1P;
    QAction *Help3P;
    QAction *Help2P;

    static inline const QString kLogonMarker = QStringLiteral("THIS_IS_SOME_OBSCUREE_TEXT");

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void FormCreate();
    void FormShow();
    void FormClose();
    void AtomFlatSpeedButtonClick();
    void DataBaseFlatSpeedButtonClick();
    void ResultPopupMenuPopup();
    void BeginFlatSpeedButtonClick();
    void ResPopup1Click();
    void ResPopup2Click();
    void ResPopup6Click();
    void HelpPopup1Click();
    void HelpPopup3Click();
    void Help1PClick();
    void popupAt(QMenu *menu);

    AppContext &m_ctx;
    std::unique_ptr<QLockFile> m_instanceLock;
    bool m_instanceAllowed = true;
    bool m_shownOnce = false;
};

} // namespace yw
