#pragma once

#include "app/core/ManufacturerList.h"

#include <QAbstractTableModel>
#include <QMainWindow>

struct AppContext;
class QTableView;

// The rows of the manufacturer list as the grid shows and edits them.
class ManufacturerTableModel : public QAbstractTableModel {
    Q_OBJECT

public:
    using QAbstractTableModel::QAbstractTableModel;

    void setRows(QList<ManufacturerRow> rows);
    const QList<ManufacturerRow>& rows() const { return m_rows; }
    void sortByColumn(int column);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    QList<ManufacturerRow> m_rows;
};

// The decoder-manufacturer list window: the list file in an editable grid, sorted by a
// click on a column header, written back when the window closes.
class frmDecoderHersteller : public QMainWindow {
    Q_OBJECT

public:
    explicit frmDecoderHersteller(AppContext& ctx, QWidget* parent = nullptr);

    // Position and list; run once when the window is opened.
    void Form_Load();
    void grdDH_HeadClick(int column);
    ManufacturerTableModel& model() { return m_model; }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void Form_Unload();
    void commitPendingEdit();

    AppContext& m_ctx;
    ManufacturerTableModel m_model;
    QTableView* m_grdDH = nullptr;
    bool m_loaded = false;
    bool m_unloaded = false;
};
