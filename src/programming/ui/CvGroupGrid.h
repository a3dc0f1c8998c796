#pragma once

#include "app/ui/GridView.h"
#include "programming/ui/TableFileCommands.h"

#include <QPointer>

class QAction;
class QMenu;
struct AppContext;
class CvGroupRun;
class CvGroupTable;
class Dialog;

// The grid `grdGR` over a CV-group table with its key filter, marking by held keys, the
// "S/L" view switch, the pop-up menu `mnuPopUp_GR` and the "&Bearbeiten" actions. It does
// the table's own work (series, marks, rows, files, clipboard, printout); the runs belong to
// the window, which connects the run signals. The key filter follows the table's letter
// rule.
class CvGroupGrid : public GridView {
    Q_OBJECT
public:
    struct Options {
        // The series, marking, delete and insert items are enabled only while the current
        // row holds a CV, checked each time the pop-up opens; otherwise always.
        bool rowItemsNeedCv = true;
        QString printCaption = QStringLiteral("Tabelle drucken");
    };

    // `dialog` is the main window's file dialog.
    CvGroupGrid(AppContext& ctx, Dialog& dialog, CvGroupTable& table, Options options, QWidget* parent = nullptr);
    ~CvGroupGrid() override;

    CvGroupTable& table() const { return m_table; }
    QMenu* popupMenu() const { return m_popup; }
    // A pop-up item by its objectName ("mnuPopUp_GR_Reihe", "mnuPopUp_GR_Alles_1", ...).
    QAction* popupAction(const QString& name) const;

    // The "&Bearbeiten" items with Ctrl+X, Ctrl+C, Ctrl+V; the window puts them into its menu.
    QAction* cutAction() const { return m_cut; }
    QAction* copyAction() const { return m_copy; }
    QAction* pasteAction() const { return m_paste; }

    // The run's current row becomes the grid's.
    void followRun(CvGroupRun* run);

    // Commits a pending cell edit and keeps the current row (grdGrUpdate).
    void grdGrUpdate();
    // The current row, or -1.
    int currentRowIndex() const;

    // Asks the user for a text (prompt, title); nullopt on Cancel. Tests replace it.
    TableFileCommands::AskText askText;

    // The pop-up's enablement rule, applied each time it opens (Options::rowItemsNeedCv).
    void updatePopupItems();

    // Handlers of the pop-up items, public so the window and tests can run them.
    void runTable();
    void runCurrentRow();
    void extendSeries();
    void markAll(int index);
    void deleteCurrentRow();
    void insertRow();
    void clearTable();
    void pasteFromClipboard();
    void printTable();
    void saveTable();
    void loadTable();
    void importMove();
    void exportMove();

    // "S/L" header view: marks shown as a pair of option buttons.
    bool optionView() const { return m_optionView; }
    void setOptionView(bool on);

    static const QString deleteQuestion;
    static const QString deleteTitle;
    static const QString seriesPrompt;   // " CV-Reihe von "
    static const QString seriesPrompt2;  // " erweitern bis "
    static const QString seriesError;
    static const QString seriesTitle;

signals:
    // "Tabelle schreiben / lesen": the window runs the table (pending edits are committed).
    void tableRunRequested();
    // "aktuelle Zeile schreiben / lesen": the window fills its CV and value fields from row r
    // and runs its write ("S") or read ("L") action.
    void currentRowRunRequested(int r);
    // The caption of `pnlDatei`: " " + path of the last file, or empty after a clear.
    void fileCaptionChanged(const QString& caption);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    class Delegate;
    friend class Delegate;

    void buildMenus();
    void onHeaderClicked(int section);
    void fitRemarkColumn(bool atLeastDefault);
    bool acceptsKey(int column, const QString& text) const;
    void sendToFocus(QAction* action);
    // The file operations of the table: dialog, commit, caption, then the work.
    void fileOperation(bool save, const std::function<void(const QString&)>& work);

    AppContext& m_ctx;
    Dialog& m_dialog;
    CvGroupTable& m_table;
    Options m_options;
    QMenu* m_popup = nullptr;
    QAction* m_cut = nullptr;
    QAction* m_copy = nullptr;
    QAction* m_paste = nullptr;
    bool m_shiftHeld = false;
    bool m_ctrlHeld = false;
    bool m_altHeld = false;
    bool m_optionView = false;
};
