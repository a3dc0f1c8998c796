#include "mapping/ui/MappingEditor.h"

#include "app/core/AppContext.h"
#include "app/core/CvCommandList.h"
#include "app/core/Notifier.h"
#include "app/core/TextFile.h"
#include "app/ui/FileCommands.h"
#include "app/ui/FileDialog.h"
#include "app/ui/MenuRechtsbuendig.h"
#include "app/ui/Twips.h"
#include "mapping/ui/MappingGrid.h"

#include <QClipboard>
#include <QEvent>
#include <QFrame>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QScreen>
#include <QScrollBar>
#include <QSignalBlocker>

using namespace mapping;

const QString MappingEditor::deleteQuestion = QStringLiteral("Sind Sie sicher ?                 ");
const QString MappingEditor::deleteTitle = QStringLiteral(" aktuelles Mapping löschen...");
const QString MappingEditor::saveTitle = QStringLiteral(" Tabelle speichern...");

namespace {
constexpr int marginTwips = 120;
constexpr double editorFontPoints = 8;

// The busy pointer for as long as it lives, back to the default on every way out.
class BusyPointer {
public:
    explicit BusyPointer(Notifier& ui) : m_ui(ui) { m_ui.setBusy(true); }
    ~BusyPointer() { m_ui.setBusy(false); }
    BusyPointer(const BusyPointer&) = delete;
    BusyPointer& operator=(const BusyPointer&) = delete;

private:
    Notifier& m_ui;
};

// A bar with its maximum at the left. Qt's keys follow the appearance, but its arrows and a
// click beside the handle count up at the right whatever the appearance; their steps are
// turned round here, so that they move the handle the way they point.
class InvertedScrollBar : public QScrollBar {
public:
    explicit InvertedScrollBar(QWidget* parent) : QScrollBar(Qt::Horizontal, parent) {
        setInvertedAppearance(true);
        connect(this, &QAbstractSlider::actionTriggered, this, &InvertedScrollBar::turnRound);
    }

protected:
    void keyPressEvent(QKeyEvent* event) override {
        m_keyed = true;
        QScrollBar::keyPressEvent(event);
        m_keyed = false;
    }

private:
    void turnRound(int action) {
        if (m_keyed)
            return;
        int step = 0;
        switch (action) {
        case SliderSingleStepAdd: step = -singleStep(); break;
        case SliderSingleStepSub: step = singleStep(); break;
        case SliderPageStepAdd: step = -pageStep(); break;
        case SliderPageStepSub: step = pageStep(); break;
        default: return;
        }
        // The value is still the one before the step.
        setSliderPosition(value() + step);
    }

    bool m_keyed = false;
};
}  // namespace

MappingEditor::MappingEditor(AppContext& ctx, Dialog& dialog, EditorTable table, std::unique_ptr<EditorHooks> hooks,
                             QWidget* parent)
    : QMainWindow(parent), m_ctx(ctx), m_dialog(dialog), m_model(std::move(table)), m_hooks(std::move(hooks)) {
    setWindowFlag(Qt::Window);
    setObjectName(m_model.table().name);
    setWindowTitle(m_model.table().caption);
    buildMenus();
    buildContent();
    m_model.setListener([this] { refresh(); });
    if (m_hooks)
        m_hooks->build(*this);
    refresh();
}

MappingEditor::~MappingEditor() {
    // The grids show the model: they go while it is still there.
    m_model.setListener({});
    m_hooks.reset();
    m_sliders.clear();
    m_grids.clear();
    delete takeCentralWidget();
}

void MappingEditor::buildMenus() {
    const MenuTexts& texts = m_model.table().menu;
    QMenuBar* bar = menuBar();
    auto add = [this](QMenu* menu, const QString& caption, const QString& name, auto handler) {
        QAction* a = menu->addAction(caption);
        a->setObjectName(name);
        connect(a, &QAction::triggered, this, handler);
        return a;
    };

    m_mnuDatei = bar->addMenu(QStringLiteral("&Datei"));
    m_mnuDatei->setObjectName(QStringLiteral("mnuDatei"));
    m_mnuDatei->menuAction()->setObjectName(QStringLiteral("mnuDatei"));
    connect(m_mnuDatei, &QMenu::aboutToShow, this, &MappingEditor::mnuDatei_Click);
    add(m_mnuDatei, texts.saveAll, QStringLiteral("mnuDatei_speichern_0"), [this] { mnuDatei_speichern_Click(0); });
    add(m_mnuDatei, texts.saveAboveZero, QStringLiteral("mnuDatei_speichern_1"), [this] { mnuDatei_speichern_Click(1); });
    m_mnuDatei->addSeparator();
    add(m_mnuDatei, texts.clipboardAll, QStringLiteral("mnuDatei_Clipboard_0"), [this] { mnuDatei_Clipboard_Click(0); });
    add(m_mnuDatei, texts.clipboardAboveZero, QStringLiteral("mnuDatei_Clipboard_1"),
        [this] { mnuDatei_Clipboard_Click(1); });
    m_mnuDatei->addSeparator();
    add(m_mnuDatei, texts.readBack, QStringLiteral("mnuDatei_einlesen"), [this] { mnuDatei_einlesen_Click(); });
    m_mnuDatei->addSeparator();
    add(m_mnuDatei, texts.clear, QStringLiteral("mnuDatei_Del"), [this] { mnuDatei_Del_Click(); });
    m_mnuDatei->addSeparator();
    add(m_mnuDatei, QStringLiteral("s&chließen"), QStringLiteral("mnuDatei_schliessen"), [this] { close(); });

    QMenu* extras = bar->addMenu(QStringLiteral("E&xtras"));
    extras->setObjectName(QStringLiteral("mnuExtras"));
    extras->menuAction()->setObjectName(QStringLiteral("mnuExtras"));
    add(extras, texts.readList, QStringLiteral("mnuExtras_Einlesedatei"), [this] { mnuExtras_Einlesedatei_Click(); });
    if (!texts.factory.isEmpty())
        add(extras, texts.factory, QStringLiteral("mnuExtras_Default"), [this] { mnuExtras_Default_Click(); });
    for (const auto& [name, caption] : texts.inertExtras) {
        QAction* a = extras->addAction(caption);
        a->setObjectName(name);
    }

    QAction* help = bar->addAction(QStringLiteral("&?"));
    help->setObjectName(QStringLiteral("mnuHilfe"));
    connect(help, &QAction::triggered, this, &MappingEditor::mnuHilfe_Click);
    QAction* close = bar->addAction(QStringLiteral("s&chließen"));
    close->setObjectName(QStringLiteral("mnuSchliessen"));
    connect(close, &QAction::triggered, this, &QWidget::close);
}

void MappingEditor::buildContent() {
    const EditorTable& table = m_model.table();
    m_content = new QWidget(this);
    m_content->setObjectName(QStringLiteral("Form"));
    m_content->installEventFilter(this);
    // The editors' grids were laid out for an 8-point font.
    QFont editorFont = m_content->font();
    editorFont.setPointSizeF(editorFontPoints);
    m_content->setFont(editorFont);
    setCentralWidget(m_content);

    // Frames first, so that the grids stand on them.
    for (const FrameSpec& f : table.frames) {
        auto* frame = new QFrame(m_content);
        frame->setObjectName(f.name);
        frame->setFrameStyle(QFrame::Panel | QFrame::Raised);
        frame->setLineWidth(2);
        setGeometryTwips(frame, f.geometry.left, f.geometry.top, f.geometry.width, f.geometry.height);
        if (!f.caption.isEmpty()) {
            auto* caption = new QLabel(f.caption, frame);
            caption->setObjectName(f.name + QStringLiteral("_Caption"));
            caption->setGeometry(frame->rect().adjusted(4, 2, -4, -2));
            caption->setAttribute(Qt::WA_TransparentForMouseEvents);
        }
        if (f.popsMenu)
            frame->installEventFilter(this);
    }

    CreateGrids();

    for (const LabelSpec& l : table.labels) {
        auto* label = new QLabel(l.text, m_content);
        label->setObjectName(l.name);
        setGeometryTwips(label, l.geometry.left, l.geometry.top, l.geometry.width, l.geometry.height);
    }
    for (const SliderSpec& s : table.sliders) {
        QScrollBar* bar = s.inverted ? new InvertedScrollBar(m_content) : new QScrollBar(Qt::Horizontal, m_content);
        bar->setObjectName(s.name);
        setGeometryTwips(bar, s.geometry.left, s.geometry.top, s.geometry.width, s.geometry.height);
        addSlider(bar, s.target, s.followsCurrentRow, s.min, s.max, s.smallChange, s.largeChange);
        m_sliders.last().followsTyping = s.followsTyping;
    }
}

void MappingEditor::CreateGrids() {
    for (int g = 0; g < m_model.gridCount(); ++g) {
        if (m_model.grid(g).kind != GridKind::Table) {
            m_grids.append(nullptr);
            continue;
        }
        auto* view = new MappingGrid(m_model, g, m_content);
        connect(view, &MappingGrid::popupRequested, this, &MappingEditor::popup);
        connect(view, &MappingGrid::currentCellMoved, this, [this, g](int row, int col) {
            refresh();
            if (m_hooks)
                m_hooks->currentCellMoved(*this, g, row, col);
        });
        m_grids.append(view);
        addCellSliders(view);
    }
    placeGrids();
}

void MappingEditor::addCellSliders(MappingGrid* view) {
    const int g = view->gridIndex();
    const GridSpec& spec = m_model.grid(g);
    for (int col = 0; col < spec.columns.size(); ++col) {
        const ColumnSpec& column = spec.columns.at(col);
        if (column.kind != CellKind::Slider)
            continue;
        for (int r = 0; r < spec.rows; ++r) {
            int min = column.min;
            int max = column.max;
            int small = column.smallChange;
            int large = column.largeChange;
            for (const CellSpec& cell : spec.cells) {
                if (cell.row == r && cell.col == col && cell.kind == CellKind::Slider && cell.maxValue >= cell.minValue) {
                    min = cell.minValue;
                    max = cell.maxValue;
                    small = cell.smallChange;
                    large = cell.largeChange;
                }
            }
            auto* bar = new QScrollBar(Qt::Horizontal);
            bar->setObjectName(QStringLiteral("%1_%2").arg(column.sliderName).arg(r + column.sliderIndexBase));
            view->setIndexWidget(view->cellIndex(r, col), bar);
            if (column.sliderSelectsRow) {
                // Before the value moves, so that what follows the current row sees this one.
                connect(bar, &QScrollBar::valueChanged, view, [view, r, col] {
                    view->setCurrentIndex(view->cellIndex(r, col));
                });
            }
            addSlider(bar, {g, r, column.sliderTarget}, false, min, max, small, large);
        }
    }
}

void MappingEditor::placeGrids() {
    for (int g = 0; g < m_grids.size(); ++g) {
        MappingGrid* view = m_grids.at(g);
        if (!view)
            continue;
        const GridSpec& spec = m_model.grid(g);
        const QSize fitted = view->fittedSize();
        const int width = spec.geometry.width > 0 ? twips(spec.geometry.width) : fitted.width();
        const int height = spec.geometry.height > 0 ? twips(spec.geometry.height) : fitted.height();
        int left = twips(spec.geometry.left);
        if (MappingGrid* under = grid(spec.underGrid)) {
            // Column alignCol of this grid straight under column underCol of the other.
            left = under->x() + under->frameWidth() + under->horizontalHeader()->sectionPosition(spec.underCol) -
                   view->frameWidth() - view->horizontalHeader()->sectionPosition(spec.alignCol);
        }
        view->setGeometry(left, twips(spec.geometry.top), width, height);
    }
    // A frame without a size encloses the grids.
    QRect grids;
    for (MappingGrid* view : m_grids) {
        if (view)
            grids |= view->geometry();
    }
    const int margin = twips(marginTwips);
    for (const FrameSpec& f : m_model.table().frames) {
        auto* frame = m_content->findChild<QFrame*>(f.name, Qt::FindDirectChildrenOnly);
        if (!frame)
            continue;
        QRect r = frame->geometry();
        if (f.geometry.width <= 0)
            r.setRight(grids.right() + margin);
        if (f.geometry.height <= 0)
            r.setBottom(grids.bottom() + margin);
        frame->setGeometry(r);
    }
}

void MappingEditor::addSlider(QScrollBar* bar, const CellRef& target, bool follows, int min, int max, int small,
                              int large) {
    bar->setRange(min, max);
    bar->setSingleStep(small);
    bar->setPageStep(large);
    m_sliders.append({bar, target, follows});
    const BoundSlider bound = m_sliders.last();
    connect(bar, &QScrollBar::valueChanged, this, [this, bound](int value) {
        m_model.setNumber(sliderTarget(bound), value);
    });
}

CellRef MappingEditor::sliderTarget(const BoundSlider& s) const {
    CellRef target = s.target;
    if (s.followsCurrentRow) {
        const MappingGrid* view = grid(target.grid);
        target.row = view && view->currentIndex().isValid() ? view->currentIndex().row() : 0;
    }
    return target;
}

void MappingEditor::Form_Load() {
    const EditorTable& table = m_model.table();
    int width = twips(table.width);
    int height = twips(table.height);
    if (table.width <= 0 || table.height <= 0) {
        // The size the grids and controls need, with a margin.
        QRect used;
        for (QWidget* child : m_content->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
            used |= child->geometry();
        if (table.width <= 0)
            width = used.right() + twips(marginTwips);
        if (table.height <= 0)
            height = used.bottom() + twips(marginTwips) + menuBar()->sizeHint().height();
    }
    resize(width, height);
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->availableGeometry();
        move(area.x() + (area.width() - width) / 2, area.y() + (area.height() - height) / 2);
    }
    m_ctx.HelpPage = table.helpPage;
    MenuRechtsbuendig(this, 3);
    m_ctx.ui().setBusy(false);
}

MappingGrid* MappingEditor::grid(const QString& name) const {
    return grid(m_model.gridIndex(name));
}

QScrollBar* MappingEditor::slider(const QString& name) const {
    for (const BoundSlider& s : m_sliders) {
        if (s.bar->objectName() == name)
            return s.bar;
    }
    return nullptr;
}

QAction* MappingEditor::action(const QString& name) const {
    return findChild<QAction*>(name);
}

void MappingEditor::refresh() {
    // A slider moved by refresh() changes nothing, so there is nothing to come back here.
    if (m_refreshing)
        return;
    m_refreshing = true;
    for (MappingGrid* view : m_grids) {
        if (view)
            view->refresh();
    }
    for (BoundSlider& s : m_sliders) {
        const CellRef target = sliderTarget(s);
        const int value = m_model.number(target);
        if (!s.followsTyping) {
            // Only a change made otherwise than by typing into the cell moves the bar.
            const bool changed = value != s.lastValue;
            s.lastValue = value;
            const MappingGrid* view = grid(target.grid);
            if (!changed || (view && view->editsCell(target.row, target.col)))
                continue;
        }
        // A value beyond the bar's range shows at the bar's end and stays as it is.
        const QSignalBlocker block(s.bar);
        s.bar->setValue(std::clamp(value, s.bar->minimum(), s.bar->maximum()));
    }
    m_refreshing = false;
    if (m_hooks)
        m_hooks->refresh(*this);
}

void MappingEditor::popup(const QPoint& globalPos) {
    m_mnuDatei->popup(globalPos);
}

void MappingEditor::commitEdits() {
    for (MappingGrid* view : m_grids) {
        if (view)
            view->commitEdit();
    }
}

void MappingEditor::mnuDatei_Click() {
    commitEdits();
}

QString MappingEditor::chooseFile(bool save) {
    // Saves ask before they replace a file.
    return FileCommands::chooseTextFile(m_dialog, save, save ? Dialog::OverwritePrompt : 0);
}

void MappingEditor::mnuDatei_speichern_Click(int index) {
    commitEdits();
    FileCommands::saveLines(m_ctx, m_dialog, Dialog::OverwritePrompt, m_model.saveLines(index == 1),
                            QStringLiteral("Die Tabelle"), saveTitle);
}

void MappingEditor::mnuDatei_Clipboard_Click(int index) {
    commitEdits();
    QGuiApplication::clipboard()->setText(CvCommandList::joinForClipboard(m_model.clipboardLines(index == 1)));
}

void MappingEditor::mnuDatei_einlesen_Click() {
    commitEdits();
    FileCommands::reportFailures(m_ctx, [&] {
        const QString path = chooseFile(false);
        const BusyPointer busy(m_ctx.ui());
        // The whole file first; then it is applied in one go, without the user in between.
        m_model.readBack(readTextLines(path));
    });
}

void MappingEditor::mnuExtras_Einlesedatei_Click() {
    FileCommands::reportFailures(m_ctx, [&] {
        const QString path = chooseFile(true);
        writeTextLines(path, m_model.readListLines());
    });
}

void MappingEditor::mnuDatei_Del_Click() {
    commitEdits();
    m_ctx.Antwort = m_ctx.ui().message(deleteQuestion, Notifier::Icon::Question, Notifier::YesNo, deleteTitle);
    if (m_ctx.Antwort == Notifier::Yes) {
        m_model.clear();
        if (m_hooks)
            m_hooks->reset(*this);
    } else {
        refresh();
    }
}

void MappingEditor::mnuExtras_Default_Click() {
    if (!m_model.hasFactory())
        return;
    mnuDatei_Del_Click();
    // Whatever the answer: on No the factory ticks join the mapping that is there.
    m_model.applyFactory();
    if (m_hooks)
        m_hooks->reset(*this);
}

void MappingEditor::mnuHilfe_Click() {
    m_ctx.ui().showHelp(m_ctx.HelpFile, m_ctx.HelpPage);
}

bool MappingEditor::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonPress) {
        auto* mouse = static_cast<QMouseEvent*>(event);
        // The window's own background opens the menu, but not a press passed on to it by a
        // control that has no mouse handler of its own (a panel, a note, a label).
        const bool passedOn = watched == m_content && m_content->childAt(mouse->position().toPoint());
        if (mouse->button() == Qt::RightButton && !passedOn) {
            popup(mouse->globalPosition().toPoint());
            return true;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}
