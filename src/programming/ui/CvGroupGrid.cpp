#include "programming/ui/CvGroupGrid.h"

#include "app/core/AppContext.h"
#include "app/core/CvCommandList.h"
#include "app/core/Notifier.h"
#include "app/ui/FileDialog.h"
#include "app/ui/Twips.h"
#include "programming/core/CvGroupRun.h"
#include "programming/core/CvGroupTable.h"
#include "programming/core/CvTableFiles.h"
#include "programming/ui/TablePrintout.h"

#include <QAbstractSpinBox>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QGuiApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QPlainTextEdit>
#include <QStyledItemDelegate>
#include <QTextEdit>

const QString CvGroupGrid::deleteQuestion = QStringLiteral("Sind Sie sicher ?            ");
const QString CvGroupGrid::deleteTitle = QStringLiteral(" Tabelle löschen ...                    ");
const QString CvGroupGrid::seriesPrompt = QStringLiteral(" CV-Reihe von ");
const QString CvGroupGrid::seriesPrompt2 = QStringLiteral(" erweitern bis ");
const QString CvGroupGrid::seriesError = QStringLiteral("der Zielwert muß größer als der Startwert sein !       ");
const QString CvGroupGrid::seriesTitle = QStringLiteral(" CV-Reihe erstellen...");

namespace {
// Pop-up items in their order; an empty name is a separator.
struct PopupItem {
    const char* name;
    const char* caption;
};
const PopupItem popupItems[] = {
    {"mnuPopUp_GR_schreiben", "Tabelle schreiben / lesen"},
    {"mnuPopUp_GR_aktZeileschreiben", "aktuelle Zeile schreiben / lesen"},
    {"mnuPopUp_GR_Drucken", nullptr},
    {"", ""},
    {"mnuPopUp_GR_Reihe", "Reihe erweitern"},
    {"mnuPopUp_GR_Alles_0", "1. Spalte alles 'S' chreiben"},
    {"mnuPopUp_GR_Alles_1", "1. Spalte alles 'L' esen"},
    {"", ""},
    {"mnuPopUp_GR_del", "aktuelle Zeile löschen"},
    {"mnuPopUp_GR_Insert", "1 Zeile einfügen"},
    {"", ""},
    {"mnuPopUp_GR_speichern", "Tabelle in Datei speichern"},
    {"mnuPopUp_GR_laden", "Tabelle aus Datei laden"},
    {"mnuPopUp_GR_Clipboard", "Tabelle aus Clipboard laden"},
    {"", ""},
    {"mnuPopUp_GR_MoVeImport", "MoVe-Datei importieren"},
    {"mnuPopUp_GR_MoVeExport", "Tabelle in MoVe-Format exportieren"},
    {"", ""},
    {"mnuPopUp_GR_delete", "Tabelle löschen"},
};
// The items that need a current row with a CV.
const char* const rowItems[] = {"mnuPopUp_GR_Reihe", "mnuPopUp_GR_Alles_0", "mnuPopUp_GR_Alles_1",
                                "mnuPopUp_GR_del", "mnuPopUp_GR_Insert"};
const QColor writeRowColour(0xFF, 0xC0, 0xC0);
constexpr int remarkWidthTwips = 3855;
// The narrow number columns leave the remark column in view within the grid's 6045 twips.
constexpr int markWidthTwips = 400;
constexpr int numberWidthTwips = 650;  // room for a four-digit CV
constexpr int rowHeightTwips = 270;
constexpr int optionRowHeightTwips = 540;
const QString markItems[2] = {QStringLiteral("S"), QStringLiteral("L")};
}  // namespace

// Cell editors with the column's length limit and key filter, the pink write rows, and the
// "S/L" column drawn as a pair of option buttons in the switched view.
class CvGroupGrid::Delegate : public QStyledItemDelegate {
public:
    explicit Delegate(CvGroupGrid& grid) : QStyledItemDelegate(&grid), m_grid(grid) {}

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        auto* edit = qobject_cast<QLineEdit*>(QStyledItemDelegate::createEditor(parent, option, index));
        if (!edit)
            return nullptr;
        edit->setMaxLength(CvGroupTable::maxLength(index.column()));
        edit->setProperty("column", index.column());
        edit->installEventFilter(&m_grid);
        if (index.column() == CvGroupTable::Mark)
            QObject::connect(edit, &QLineEdit::textEdited, edit, [edit](const QString& t) { edit->setText(t.toUpper()); });
        return edit;
    }

    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override {
        QStyledItemDelegate::initStyleOption(option, index);
        if (m_grid.m_table.cell(index.row(), CvGroupTable::Mark) == markItems[0])
            option->backgroundBrush = writeRowColour;
    }

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        if (!m_grid.m_optionView || index.column() != CvGroupTable::Mark) {
            QStyledItemDelegate::paint(painter, option, index);
            return;
        }
        QStyleOptionViewItem base = option;
        initStyleOption(&base, index);
        base.text.clear();
        QStyle* style = m_grid.style();
        style->drawControl(QStyle::CE_ItemViewItem, &base, painter, &m_grid);
        const QString mark = index.data().toString();
        for (int i = 0; i < 2; ++i) {
            QStyleOptionButton radio;
            radio.rect = itemRect(option.rect, i);
            radio.text = markItems[i];
            radio.state = QStyle::State_Enabled | (mark == markItems[i] ? QStyle::State_On : QStyle::State_Off);
            style->drawControl(QStyle::CE_RadioButton, &radio, painter, &m_grid);
        }
    }

    bool editorEvent(QEvent* event, QAbstractItemModel* model, const QStyleOptionViewItem& option,
                     const QModelIndex& index) override {
        if (m_grid.m_optionView && index.column() == CvGroupTable::Mark && event->type() == QEvent::MouseButtonRelease) {
            const auto* mouse = static_cast<QMouseEvent*>(event);
            for (int i = 0; i < 2; ++i) {
                if (itemRect(option.rect, i).contains(mouse->position().toPoint()))
                    return model->setData(index, markItems[i]);
            }
        }
        return QStyledItemDelegate::editorEvent(event, model, option, index);
    }

private:
    static QRect itemRect(const QRect& cell, int i) {
        const int h = cell.height() / 2;
        return QRect(cell.left() + 2, cell.top() + i * h, cell.width() - 4, h);
    }
    CvGroupGrid& m_grid;
};

CvGroupGrid::CvGroupGrid(AppContext& ctx, Dialog& dialog, CvGroupTable& table, Options options, QWidget* parent)
    : GridView(parent), m_ctx(ctx), m_dialog(dialog), m_table(table), m_options(std::move(options)) {
    setObjectName(QStringLiteral("grdGR"));
    setModel(&m_table);
    setItemDelegate(new Delegate(*this));
    setEditTriggers(QAbstractItemView::AnyKeyPressed | QAbstractItemView::DoubleClicked |
                    QAbstractItemView::EditKeyPressed);
    setSelectionMode(QAbstractItemView::SingleSelection);
    QFont f = font();
    f.setPointSize(10);
    setFont(f);
    verticalHeader()->setDefaultSectionSize(twips(rowHeightTwips));
    setColumnWidth(CvGroupTable::Mark, twips(markWidthTwips));
    setColumnWidth(CvGroupTable::Cv, twips(numberWidthTwips));
    setColumnWidth(CvGroupTable::Value, twips(numberWidthTwips));
    setColumnWidth(CvGroupTable::Remark, twips(remarkWidthTwips));
    horizontalHeader()->setSectionsClickable(true);
    connect(horizontalHeader(), &QHeaderView::sectionClicked, this, &CvGroupGrid::onHeaderClicked);
    askText = TableFileCommands::inputBox(this);
    buildMenus();
}

CvGroupGrid::~CvGroupGrid() = default;

void CvGroupGrid::buildMenus() {
    m_popup = new QMenu(this);
    m_popup->setObjectName(QStringLiteral("mnuPopUp_GR"));
    for (const PopupItem& item : popupItems) {
        if (!*item.name) {
            m_popup->addSeparator();
            continue;
        }
        const QString caption = qstrcmp(item.name, "mnuPopUp_GR_Drucken") == 0 ? m_options.printCaption
                                                                               : QString::fromUtf8(item.caption);
        QAction* action = m_popup->addAction(caption);
        action->setObjectName(QString::fromLatin1(item.name));
    }
    const std::pair<const char*, void (CvGroupGrid::*)()> handlers[] = {
        {"mnuPopUp_GR_schreiben", &CvGroupGrid::runTable},
        {"mnuPopUp_GR_aktZeileschreiben", &CvGroupGrid::runCurrentRow},
        {"mnuPopUp_GR_Drucken", &CvGroupGrid::printTable},
        {"mnuPopUp_GR_Reihe", &CvGroupGrid::extendSeries},
        {"mnuPopUp_GR_del", &CvGroupGrid::deleteCurrentRow},
        {"mnuPopUp_GR_Insert", &CvGroupGrid::insertRow},
        {"mnuPopUp_GR_speichern", &CvGroupGrid::saveTable},
        {"mnuPopUp_GR_laden", &CvGroupGrid::loadTable},
        {"mnuPopUp_GR_Clipboard", &CvGroupGrid::pasteFromClipboard},
        {"mnuPopUp_GR_MoVeImport", &CvGroupGrid::importMove},
        {"mnuPopUp_GR_MoVeExport", &CvGroupGrid::exportMove},
        {"mnuPopUp_GR_delete", &CvGroupGrid::clearTable},
    };
    for (const auto& [name, handler] : handlers)
        connect(popupAction(QString::fromLatin1(name)), &QAction::triggered, this, handler);
    for (int i = 0; i < 2; ++i)
        connect(popupAction(QStringLiteral("mnuPopUp_GR_Alles_%1").arg(i)), &QAction::triggered, this,
                [this, i] { markAll(i); });
    if (m_options.rowItemsNeedCv)
        connect(m_popup, &QMenu::aboutToShow, this, &CvGroupGrid::updatePopupItems);

    m_cut = new QAction(QStringLiteral("&ausschneiden      "), this);
    m_cut->setObjectName(QStringLiteral("mnuBearbeiten_ausschneiden"));
    m_cut->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_X));
    m_copy = new QAction(QStringLiteral("&kopieren"), this);
    m_copy->setObjectName(QStringLiteral("mnuBearbeiten_kopieren"));
    m_copy->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_C));
    m_paste = new QAction(QStringLiteral("e&infügen"), this);
    m_paste->setObjectName(QStringLiteral("mnuBearbeiten_einfuegen"));
    m_paste->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_V));
    for (QAction* action : {m_cut, m_copy, m_paste})
        connect(action, &QAction::triggered, this, [this, action] { sendToFocus(action); });
}

QAction* CvGroupGrid::popupAction(const QString& name) const {
    return m_popup->findChild<QAction*>(name, Qt::FindDirectChildrenOnly);
}

void CvGroupGrid::followRun(CvGroupRun* run) {
    connect(run, &CvGroupRun::rowReached, this, [this](int r) {
            if (r >= 0 && r < m_table.rowCount())
                setCurrentIndex(m_table.index(r, qMax(0, currentIndex().column())));
        });
}

int CvGroupGrid::currentRowIndex() const {
    const QModelIndex current = currentIndex();
    return current.isValid() ? current.row() : -1;
}

void CvGroupGrid::grdGrUpdate() {
    const QModelIndex current = currentIndex();
    const int row = current.isValid() ? current.row() : 0;
    const int column = current.isValid() ? current.column() : 0;
    if (QWidget* editor = indexWidget(current); editor || state() == QAbstractItemView::EditingState) {
        // Closing the editor commits its text into the table.
        if (QWidget* focus = QApplication::focusWidget(); focus && isAncestorOf(focus))
            commitData(focus);
        if (QWidget* focus = QApplication::focusWidget(); focus && isAncestorOf(focus))
            closeEditor(focus, QAbstractItemDelegate::NoHint);
    }
    if (row < m_table.rowCount())
        setCurrentIndex(m_table.index(row, column));
    QCoreApplication::processEvents();
}

void CvGroupGrid::updatePopupItems() {
    const bool enabled = m_table.rowHasCv(currentRowIndex());
    for (const char* name : rowItems)
        popupAction(QString::fromLatin1(name))->setEnabled(enabled);
}

void CvGroupGrid::runTable() {
    grdGrUpdate();
    emit tableRunRequested();
}

void CvGroupGrid::runCurrentRow() {
    grdGrUpdate();
    const int r = currentRowIndex();
    if (r >= 0)
        emit currentRowRunRequested(r);
}

void CvGroupGrid::extendSeries() {
    const int r = qMax(0, currentRowIndex());
    const int start = qMax(1, CvCommandList::leadingNumber(m_table.cell(r, CvGroupTable::Cv)));
    const std::optional<QString> answer = askText(seriesPrompt + QString::number(start) + seriesPrompt2, QString());
    if (!answer)
        return;
    const int target = CvCommandList::leadingNumber(*answer);
    grdGrUpdate();
    if (!m_table.extendSeries(r, start, target)) {
        m_ctx.ui().message(seriesError, Notifier::Icon::Critical, Notifier::OkOnly, seriesTitle);
        return;
    }
    setCurrentIndex(m_table.index(r, qMax(0, currentIndex().column())));
}

void CvGroupGrid::markAll(int index) {
    grdGrUpdate();
    m_table.markAll(markItems[index == 0 ? 0 : 1]);
}

void CvGroupGrid::deleteCurrentRow() {
    grdGrUpdate();
    m_table.deleteRow(currentRowIndex());
}

void CvGroupGrid::insertRow() {
    grdGrUpdate();
    const int r = qMax(0, currentRowIndex());
    m_table.insertEmptyRow(r);
    if (r < m_table.rowCount())
        setCurrentIndex(m_table.index(r, qMax(0, currentIndex().column())));
}

void CvGroupGrid::clearTable() {
    if (m_ctx.ui().message(deleteQuestion, Notifier::Icon::Question, Notifier::YesNo, deleteTitle) != Notifier::Yes)
        return;
    emit fileCaptionChanged(QString());
    m_table.clear();
    setColumnWidth(CvGroupTable::Remark, twips(remarkWidthTwips));
}

void CvGroupGrid::pasteFromClipboard() {
    const QString text = QGuiApplication::clipboard()->text();
    m_table.appendLines(CvCommandList::splitText(text), m_ctx.DecoderType);
}

void CvGroupGrid::fitRemarkColumn(bool atLeastDefault) {
    resizeColumnToContents(CvGroupTable::Remark);
    if (atLeastDefault && columnWidth(CvGroupTable::Remark) < twips(remarkWidthTwips))
        setColumnWidth(CvGroupTable::Remark, twips(remarkWidthTwips));
}

void CvGroupGrid::onHeaderClicked(int section) {
    if (section == CvGroupTable::Mark)
        setOptionView(!m_optionView);
}

void CvGroupGrid::setOptionView(bool on) {
    m_optionView = on;
    verticalHeader()->setDefaultSectionSize(twips(on ? optionRowHeightTwips : rowHeightTwips));
    viewport()->update();
}

bool CvGroupGrid::acceptsKey(int column, const QString& text) const {
    if (text.size() != 1)
        return true;  // navigation and other keys without one character
    const QChar c = text.front();
    // Delete, Escape and Tab carry control characters on some platforms; they edit or move,
    // they type nothing. Backspace and Enter go through the filter's own rule.
    if (c != u'\b' && c != u'\r' && (c.unicode() < 0x20 || c.unicode() == 0x7f))
        return true;
    return m_table.acceptsCharacter(column, c, m_ctx.DecoderType);
}

void CvGroupGrid::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Shift:
        m_shiftHeld = true;
        break;
    case Qt::Key_Control:
        m_ctrlHeld = true;
        break;
    case Qt::Key_Alt:
        m_altHeld = true;
        break;
    default:
        break;
    }
    const int column = currentIndex().isValid() ? currentIndex().column() : 0;
    if (!(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier)) && !acceptsKey(column, event->text())) {
        event->accept();
        return;
    }
    QTableView::keyPressEvent(event);
}

void CvGroupGrid::keyReleaseEvent(QKeyEvent* event) {
    m_shiftHeld = m_ctrlHeld = m_altHeld = false;
    QTableView::keyReleaseEvent(event);
}

bool CvGroupGrid::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const QVariant column = watched->property("column");
        if (column.isValid() && !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier)) &&
            !acceptsKey(column.toInt(), key->text()))
            return true;
    }
    return QTableView::eventFilter(watched, event);
}

void CvGroupGrid::currentChanged(const QModelIndex& current, const QModelIndex& previous) {
    QTableView::currentChanged(current, previous);
    if (!current.isValid())
        return;
    if (m_shiftHeld)
        m_table.setCell(current.row(), CvGroupTable::Mark, markItems[0]);
    else if (m_ctrlHeld)
        m_table.setCell(current.row(), CvGroupTable::Mark, markItems[1]);
    else if (m_altHeld)
        m_table.setCell(current.row(), CvGroupTable::Mark, QString());
}

void CvGroupGrid::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::RightButton) {
        m_popup->popup(event->globalPosition().toPoint());
        event->accept();
        return;
    }
    QTableView::mousePressEvent(event);
}

void CvGroupGrid::sendToFocus(QAction* action) {
    if (action != m_paste)
        QGuiApplication::clipboard()->clear();
    QWidget* focus = QApplication::focusWidget();
    if (!focus)
        return;
    auto apply = [action, this](auto* edit) {
        if (action == m_cut)
            edit->cut();
        else if (action == m_copy)
            edit->copy();
        else
            edit->paste();
    };
    if (auto* line = qobject_cast<QLineEdit*>(focus))
        apply(line);
    else if (auto* text = qobject_cast<QTextEdit*>(focus))
        apply(text);
    else if (auto* plain = qobject_cast<QPlainTextEdit*>(focus))
        apply(plain);
    else if (auto* combo = qobject_cast<QComboBox*>(focus); combo && combo->lineEdit())
        apply(combo->lineEdit());
    else {
        // Other controls get the keystroke itself, as a user's Ctrl+key would reach them.
        const Qt::Key key = action == m_cut ? Qt::Key_X : action == m_copy ? Qt::Key_C : Qt::Key_V;
        QKeyEvent press(QEvent::KeyPress, key, Qt::ControlModifier);
        QKeyEvent release(QEvent::KeyRelease, key, Qt::ControlModifier);
        QCoreApplication::sendEvent(focus, &press);
        QCoreApplication::sendEvent(focus, &release);
    }
}

void CvGroupGrid::fileOperation(bool save, const std::function<void(const QString&)>& work) {
    TableFileCommands::reportFailures(m_ctx, [&] {
        const QString path = TableFileCommands::chooseTextFile(m_dialog, save);
        if (path.isEmpty())
            return;
        if (save)
            grdGrUpdate();
        emit fileCaptionChanged(QStringLiteral(" ") + path);
        work(path);
    });
}

void CvGroupGrid::saveTable() {
    fileOperation(true, [this](const QString& path) {
        CvTableFiles::saveTable(path, m_table.rows());
        m_ctx.ui().message(CvTableFiles::tableSavedText(path), Notifier::Icon::Information, Notifier::OkOnly,
                           CvTableFiles::tableSaveTitle);
    });
}

void CvGroupGrid::exportMove() {
    fileOperation(true, [this](const QString& path) {
        CvTableFiles::exportMoveTable(path, m_table.rows());
        m_ctx.ui().message(CvTableFiles::tableSavedText(path), Notifier::Icon::Information, Notifier::OkOnly,
                           CvTableFiles::tableSaveTitle);
    });
}

void CvGroupGrid::loadTable() {
    fileOperation(false, [this](const QString& path) {
        CvTableFiles::loadTable(path, m_table, m_ctx.DecoderType);
        fitRemarkColumn(true);
    });
}

void CvGroupGrid::importMove() {
    fileOperation(false, [this](const QString& path) {
        CvTableFiles::importMove(path, m_table);
        fitRemarkColumn(true);
    });
}

void CvGroupGrid::printTable() {
    grdGrUpdate();
    TablePrintout::print(m_ctx, TablePrintout::Kind::CvGroup, m_table.rows(), askText, this);
}
