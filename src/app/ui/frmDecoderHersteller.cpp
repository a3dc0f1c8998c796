#include "app/ui/SmallWindowMenus.h"
#include "app/ui/frmDecoderHersteller.h"

#include "app/core/AppContext.h"
#include "app/core/ErrorReport.h"
#include "base/core/Failure.h"
#include "app/ui/GridView.h"
#include "app/ui/MenuRechtsbuendig.h"
#include "app/core/Notifier.h"
#include "app/ui/Twips.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFile>
#include <QHeaderView>
#include <QMenuBar>
#include <QTableView>

namespace {
namespace Text {
const QString Caption = QStringLiteral(" Decoder-Hersteller");
const QString Columns[4] = {QStringLiteral("Code"), QStringLiteral("Herst."), QStringLiteral("Hersteller"),
                            QStringLiteral("Bemerkung")};
const QString Missing = QStringLiteral(
    "Für diese Funktion muss die Datei\r\r<Decoderhersteller.txt>\r\rim Arbeitsverzeichnis installiert sein !                     ");
const QString MissingTitle = QStringLiteral(" Decoder-Hersteller anzeigen ...");
}  // namespace Text

QString& fieldOf(ManufacturerRow& row, int column) {
    switch (column) {
    case ManufacturerList::ShortName: return row.shortName;
    case ManufacturerList::Name: return row.name;
    case ManufacturerList::Remark: return row.remark;
    default: return row.code;
    }
}

}  // namespace

void ManufacturerTableModel::setRows(QList<ManufacturerRow> rows) {
    beginResetModel();
    m_rows = std::move(rows);
    endResetModel();
}

void ManufacturerTableModel::sortByColumn(int column) {
    beginResetModel();
    ManufacturerList::sortRows(m_rows, column);
    endResetModel();
}

int ManufacturerTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(m_rows.size());
}

int ManufacturerTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : 4;
}

QVariant ManufacturerTableModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::EditRole))
        return {};
    ManufacturerRow row = m_rows.at(index.row());
    return fieldOf(row, index.column());
}

bool ManufacturerTableModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (!index.isValid() || role != Qt::EditRole)
        return false;
    // The file is Latin-1: characters it cannot hold become "?" now rather than at saving.
    fieldOf(m_rows[index.row()], index.column()) = QString::fromLatin1(value.toString().toLatin1());
    emit dataChanged(index, index);
    return true;
}

Qt::ItemFlags ManufacturerTableModel::flags(const QModelIndex& index) const {
    return QAbstractTableModel::flags(index) | Qt::ItemIsEditable;
}

QVariant ManufacturerTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole)
        return {};
    if (orientation == Qt::Horizontal)
        return section >= 0 && section < 4 ? Text::Columns[section] : QString();
    return {};
}

frmDecoderHersteller::frmDecoderHersteller(AppContext& ctx, QWidget* parent) : QMainWindow(parent), m_ctx(ctx) {
    setObjectName(QStringLiteral("frmDecoderHersteller"));
    setWindowFlag(Qt::Window);
    setWindowTitle(Text::Caption);

    addSmallWindowMenus(this, {});  // "&?" does nothing here

    m_grdDH = new GridView;
    m_grdDH->setObjectName(QStringLiteral("grdDH"));
    m_grdDH->setModel(&m_model);
    m_grdDH->verticalHeader()->setDefaultSectionSize(m_grdDH->fontMetrics().height() + 6);
    m_grdDH->verticalHeader()->hide();
    m_grdDH->horizontalHeader()->setSectionsClickable(true);
    m_grdDH->horizontalHeader()->setStretchLastSection(true);
    m_grdDH->setAlternatingRowColors(true);
    connect(m_grdDH->horizontalHeader(), &QHeaderView::sectionClicked, this, &frmDecoderHersteller::grdDH_HeadClick);
    setCentralWidget(m_grdDH);
    resize(twips(9600), twips(5400));
}

void frmDecoderHersteller::Form_Load() {
    moveTwips(this, m_ctx.PosZentraleLeft, m_ctx.PosZentraleTop);
    MenuRechtsbuendig(this, 2);

    const QString path = ManufacturerList::filePath(m_ctx.dataFolder);
    if (!QFile::exists(path)) {
        m_ctx.ui().message(Text::Missing, Notifier::Icon::Critical, Notifier::OkOnly, Text::MissingTitle);
        return;
    }
    try {
        m_model.setRows(ManufacturerList::read(path));
    } catch (const Failure&) {
        // An unreadable list shows empty, as a missing one; it is not written back.
        return;
    }
    m_loaded = true;
    m_grdDH->setColumnWidth(0, twips(600));
    m_grdDH->setColumnWidth(1, twips(1500));
    m_grdDH->setColumnWidth(2, twips(3900));
}

void frmDecoderHersteller::grdDH_HeadClick(int column) {
    commitPendingEdit();
    m_model.sortByColumn(column);
}

void frmDecoderHersteller::commitPendingEdit() {
    // The cell editor is a child of the grid's viewport.
    for (QWidget* editor : m_grdDH->viewport()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (!editor->isVisible())
            continue;
        QMetaObject::invokeMethod(m_grdDH, "commitData", Q_ARG(QWidget*, editor));
        QMetaObject::invokeMethod(m_grdDH, "closeEditor", Q_ARG(QWidget*, editor),
                                  Q_ARG(QAbstractItemDelegate::EndEditHint, QAbstractItemDelegate::NoHint));
    }
}

void frmDecoderHersteller::closeEvent(QCloseEvent* event) {
    Form_Unload();
    event->accept();
}

void frmDecoderHersteller::Form_Unload() {
    if (m_unloaded)
        return;
    m_unloaded = true;
    const QPoint position = positionTwips(this);
    m_ctx.PosZentraleLeft = position.x();
    m_ctx.PosZentraleTop = position.y();
    if (!m_loaded)
        return;
    commitPendingEdit();
    try {
        ManufacturerList::write(ManufacturerList::filePath(m_ctx.dataFolder), m_model.rows());
    } catch (const Failure& failure) {
        ZentraleFehlerbehandlung(m_ctx, failure);
    }
}
