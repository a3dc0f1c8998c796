#pragma once

#include "mapping/core/MappingModel.h"
#include "mapping/ui/EditorHooks.h"

#include <QList>
#include <QMainWindow>
#include <memory>

class Dialog;
class MappingGrid;
class QAction;
class QMenu;
class QScrollBar;
struct AppContext;

// The one window of every function-mapping editor, built from a maker table: its grids,
// frames, labels and sliders at the table's places, the menus "&Datei", "E&xtras", "&?" and
// "s&chließen" with the table's texts, the File menu also as a right-click pop-up, and the
// list commands. The mapping lives in the model; the window shows it and passes on what the
// user does. Opened modal from the main menu; closing keeps nothing and asks nothing.
class MappingEditor : public QMainWindow {
    Q_OBJECT
public:
    // `dialog` is the main window's file dialog; `hooks` may be empty.
    MappingEditor(AppContext& ctx, Dialog& dialog, mapping::EditorTable table,
                  std::unique_ptr<EditorHooks> hooks = {}, QWidget* parent = nullptr);
    ~MappingEditor() override;

    // Centres and sizes the window, sets HelpPage, right-aligns "&?" and puts the screen's
    // pointer back to the default (the main menu may have set the busy one).
    void Form_Load();

    AppContext& context() const { return m_ctx; }
    mapping::MappingModel& model() { return m_model; }
    const mapping::MappingModel& model() const { return m_model; }
    // A grid by name or index; nullptr for a Panel grid or an unknown name.
    MappingGrid* grid(const QString& name) const;
    MappingGrid* grid(int index) const { return m_grids.value(index); }
    // A slider by objectName ("scrDim", "scrDim_2" for a slider in a grid cell).
    QScrollBar* slider(const QString& name) const;
    // The client area the table's geometry is measured in.
    QWidget* content() const { return m_content; }
    QMenu* mnuDatei() const { return m_mnuDatei; }
    QAction* action(const QString& name) const;

    // Shows the model's state in every grid and slider, then lets the hooks follow.
    void refresh();

    // The menu commands.
    void mnuDatei_Click();  // the File menu opens: pending edits are committed
    void mnuDatei_speichern_Click(int index);
    void mnuDatei_Clipboard_Click(int index);
    void mnuDatei_einlesen_Click();
    void mnuDatei_Del_Click();
    void mnuExtras_Einlesedatei_Click();
    void mnuExtras_Default_Click();
    void mnuHilfe_Click();

    static const QString deleteQuestion;  // "Sind Sie sicher ?                 "
    static const QString deleteTitle;     // " aktuelles Mapping löschen..."
    static const QString saveTitle;       // " Tabelle speichern..."

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct BoundSlider {
        QScrollBar* bar;
        mapping::CellRef target;
        bool followsCurrentRow;
        bool followsTyping = true;
        int lastValue = -1;  // the target's value the bar last saw (bars that ignore typing)
    };

    void buildMenus();
    void buildContent();
    // One item view per grid of the table, with its columns' captions and widths, placed.
    void CreateGrids();
    void placeGrids();
    void addCellSliders(MappingGrid* view);
    void addSlider(QScrollBar* bar, const mapping::CellRef& target, bool follows, int min, int max, int small, int large);
    mapping::CellRef sliderTarget(const BoundSlider& s) const;
    void popup(const QPoint& globalPos);
    void commitEdits();
    // Shows the save or open dialog with the text filter (Cancel throws, as the dialog does).
    QString chooseFile(bool save);

    AppContext& m_ctx;
    Dialog& m_dialog;
    mapping::MappingModel m_model;
    std::unique_ptr<EditorHooks> m_hooks;
    QWidget* m_content = nullptr;
    QList<MappingGrid*> m_grids;  // one per table grid; nullptr for Panel grids
    QList<BoundSlider> m_sliders;
    QMenu* m_mnuDatei = nullptr;
    bool m_refreshing = false;
};
