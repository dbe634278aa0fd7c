#pragma once

#include "journal/journal.h"

#include <QWidget>

#include <array>
#include <memory>

class QAction;
class QComboBox;
class QDateEdit;
class QLabel;
class QMenu;
class QSplitter;
class QStatusBar;
class QTableView;
class QToolButton;

namespace yw {

struct AppContext;
class JournalGridModel;
class JournalTableModel;

// The strip under the journal grid: the number of shown records, under the Id column.
class GridFooter : public QWidget {
    Q_OBJECT
public:
    explicit GridFooter(QTableView *grid, QWidget *parent = nullptr);
    void setText(const QString &text);
    QString text() const { return m_text; }
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QTableView *m_grid;
    QString m_text;
};

// The results browser: the journal in a grid with a filter, the statistics panel, the column
// menu and deletion of manual records. Created at start-up and alive for the whole run; it
// owns the journal connection every other window writes through.
class TDataBaseForm : public QWidget {
    Q_OBJECT
public:
    explicit TDataBaseForm(AppContext &ctx, QWidget *parent = nullptr);
    ~TDataBaseForm() override;

    Journal *journal() const { return m_journal.get(); }

    // The creation steps that open the journal (run once ctx knows this window).
    void FormCreate();
    // (Re)opens the journal on path and rewrites the users list file; shows the error and
    // returns false on failure.
    bool ConnectBase(const QString &path);

    // The filter as the grid applies it (inactive for "Все" or "Без фильтра").
    JournalFilter currentFilter() const;
    // The field last chosen in the filter title list; "Без фильтра" leaves it as it was.
    QString filterFieldName() const { return m_filterFieldName; }
    // The footer's record count as shown.
    QString footerText() const;
    // The statistics statement prepared for the run button and its status text.
    QString preparedStatement() const;
    QString preparedStatusText() const { return m_preparedStatus; }
    JournalGridModel *gridModel() const { return m_gridModel; }
    JournalTableModel *sqlModel() const { return m_sqlModel; }

    bool ExecSQL();

    // What a click on a grid cell hands the hexagram viewer: the number with two digits and
    // the viewer state string; nothing when the click opens nothing.
    struct ViewerRequest {
        QString number;
        QString state;
    };
    static std::optional<ViewerRequest> viewerRequest(const JournalRecord &record, int column, bool previewDown);

    QWidget *ToolPanel;
    QComboBox *FTitleFlatComboBox;
    QComboBox *FValueFlatComboBox;
    QToolButton *AddManualFlatSpeedButton;
    QToolButton *DElManualFlatSpeedButton;
    QToolButton *PreviewFlatSpeedButton;
    QToolButton *SQLFlatSpeedButton;
    QToolButton *ColGridFlatSpeedButton;
    QToolButton *HelpFlatSpeedButton;
    QToolButton *CloseFlatSpeedButton;
    QTableView *DBGridEh;
    GridFooter *DBGridEhFooter;
    QSplitter *FlatSplitter;
    QWidget *SQLPanel;
    QComboBox *TitleSQLFlatComboBox;
    QLabel *SQLLabel1;
    QDateEdit *SQLDateEdit1;
    QLabel *SQLLabel2;
    QDateEdit *SQLDateEdit2;
    QToolButton *DateExecFlatSpeedButton;
    QTableView *SQLDBGridEh;
    QStatusBar *SQLStatusBar;
    QMenu *OptionsColPopupMenu;
    std::array<QAction *, 17> VCol{}; // VCol_Id .. VCol_Principal, by column position

    // Opens the column menu at the mouse cursor.
    void ColGridFlatSpeedButtonClick();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void FormClose();
    void RegistryBaseLoad();
    void GridColumnReferch();
    void VCol_VisibleClick(QAction *item);
    void FTitleFlatComboBoxChange();
    void FValueFlatComboBoxChange();
    void TitleSQLFlatComboBoxChange();
    void SQLFlatSpeedButtonClick();
    void DateExecFlatSpeedButtonClick();
    void DBGridEhCellClick(const QModelIndex &index);
    void AddManualFlatSpeedButtonClick();
    void DElManualFlatSpeedButtonClick();
    void CloseFlatSpeedButtonClick();
    void closeQuery();
    void journalChanged();
    void updateFooter();
    int currentRow() const;

    struct Prepared {
        bool valid = false;
        JournalStatistics which = JournalStatistics::OldCounts;
        JournalFilter filter;
        QString from, to;
    };

    AppContext &m_ctx;
    std::unique_ptr<Journal> m_journal;
    JournalGridModel *m_gridModel;
    JournalTableModel *m_sqlModel;
    QString m_filterFieldName;
    Prepared m_prepared;
    QString m_preparedStatus;
    bool m_sqlGridBound = false;
};

} // namespace yw
