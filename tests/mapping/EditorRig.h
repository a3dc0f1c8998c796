#pragma once

#include "../app/MainWindowRig.h"
#include "app/ui/FileDialog.h"
#include "app/ui/frmHauptmenu.h"
#include "mapping/ui/MappingEditor.h"
#include "mapping/ui/MappingEditors.h"
#include "mapping/ui/MappingGrid.h"

#include <QAction>
#include <QColor>
#include <QComboBox>
#include <QMenu>
#include <QTest>
#include <memory>

// The mapping windows as the main menu opens them, and what the window tests look at.
namespace mappingtest {

// The main window with the mapping editors plugged in and a file dialog that answers
// from a queue (an empty answer is Cancel).
struct EditorRig : MainWindowRig {
    std::unique_ptr<Dialog> dialog;
    QStringList answers;
    QList<int> dialogFlags;
    QList<bool> dialogSaves;

    EditorRig() {
        ctx.HelpFile = QStringLiteral("help");
        dialog = std::make_unique<Dialog>(window.get());
        registerMappingEditors(*window, ctx, *dialog);
        Dialog::setAnswerProvider([this](const Dialog& d, bool save) {
            dialogFlags.append(d.flags());
            dialogSaves.append(save);
            if (d.filter() != QStringLiteral("Text-Dateien (*.TXT)|*.txt") || d.filterIndex() != 2)
                return QString();
            return answers.isEmpty() ? QString() : answers.takeFirst();
        });
    }
    ~EditorRig() {
        Dialog::setAnswerProvider({});
        for (MappingEditor* e : window->findChildren<MappingEditor*>())
            e->close();
        flushDeletes();
    }

    MappingEditor* open(const QString& name) {
        window->entry(name)->trigger();
        const QList<MappingEditor*> editors = window->findChildren<MappingEditor*>();
        return editors.isEmpty() ? nullptr : editors.last();
    }
    QString path(const char* name) const { return dir.filePath(QString::fromLatin1(name)); }
};

inline void clickCell(MappingGrid* grid, int row, int col, Qt::MouseButton button = Qt::LeftButton) {
    const QRect r = grid->visualRect(grid->cellIndex(row, col));
    QTest::mouseClick(grid->viewport(), button, {}, r.center());
}

inline QString shown(MappingGrid* grid, int row, int col) {
    return grid->cellIndex(row, col).data().toString();
}

inline bool ticked(MappingGrid* grid, int row, int col) {
    return grid->cellIndex(row, col).data(Qt::CheckStateRole).toInt() == Qt::Checked;
}

inline QColor background(MappingGrid* grid, int row, int col) {
    return grid->cellIndex(row, col).data(Qt::BackgroundRole).value<QColor>();
}

// The texts of the "&Datei" items, "|", then those of "E&xtras" (separators are empty).
inline QStringList menuTexts(MappingEditor* e) {
    QStringList texts;
    for (QAction* a : e->mnuDatei()->actions())
        texts << a->text();
    texts << QStringLiteral("|");
    for (QAction* a : e->findChild<QMenu*>(QStringLiteral("mnuExtras"))->actions())
        texts << a->text();
    return texts;
}

// What every editor shows when the main menu has opened it.
inline void expectOpened(const EditorRig& rig, MappingEditor* e, const QString& name, const QString& caption,
                         const QString& page) {
    QVERIFY(e);
    QCOMPARE(e->objectName(), name);
    QCOMPARE(e->windowTitle(), caption);
    QVERIFY(e->isVisible());
    QCOMPARE(e->windowModality(), Qt::ApplicationModal);
    QVERIFY(!rig.notifier.busy);
    QCOMPARE(rig.ctx.HelpPage, page);
}

// Picks the entry `text` from the value list of a choice cell, as a user does with the mouse.
inline void chooseInCell(MappingGrid* grid, int row, int col, const QString& text) {
    clickCell(grid, row, col);
    auto* combo = grid->viewport()->findChild<QComboBox*>();
    QVERIFY(combo);
    const int item = combo->findText(text);
    QVERIFY2(item >= 0, qPrintable(text));
    combo->setCurrentIndex(item);
    emit combo->activated(item);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

inline const QColor yellow(255, 255, 0);
inline const QColor faceGrey(212, 208, 200);

}  // namespace mappingtest
