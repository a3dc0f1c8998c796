#pragma once

#include <QAbstractButton>
#include <QAction>
#include <QGroupBox>
#include <QKeySequence>
#include <QLabel>
#include <QMap>
#include <QMenu>
#include <QMenuBar>
#include <QStringList>
#include <QTabBar>
#include <QWidget>

// The access keys (Alt+letter) of a shown window, for tests that every key reaches exactly
// one control the user can see. A control takes its key while Qt would match it: visible
// and enabled, with all its ancestors.
namespace AccessKeys {

inline QString nameOf(const QObject* o) {
    return o->objectName().isEmpty() ? QString::fromLatin1(o->metaObject()->className()) : o->objectName();
}

inline bool takesKeys(const QWidget* w) {
    return w->isVisible() && w->isEnabled();
}

// Whether any part of the widget lies inside the visible part of every ancestor up to the window.
inline bool onScreen(const QWidget* w, const QWidget* window) {
    QRect area = w->rect();
    for (const QWidget* child = w; child != window && child->parentWidget(); child = child->parentWidget()) {
        area.translate(child->pos());
        area &= child->parentWidget()->rect();
        if (area.isEmpty())
            return false;
    }
    return true;
}

// "Alt+S" for a mnemonic text such as "&schreiben"; empty when it has none.
inline QString keyOf(const QString& text) {
    const QKeySequence key = QKeySequence::mnemonic(text);
    return key.isEmpty() ? QString() : key.toString(QKeySequence::PortableText);
}

// Every control of the window that takes an access key, by key.
inline QMultiMap<QString, const QObject*> keysOf(const QWidget* window) {
    QMultiMap<QString, const QObject*> keys;
    auto add = [&](const QString& key, const QObject* owner) {
        if (!key.isEmpty())
            keys.insert(key, owner);
    };
    for (const QWidget* w : window->findChildren<QWidget*>()) {
        if (!takesKeys(w) || w->window() != window)
            continue;
        if (const auto* button = qobject_cast<const QAbstractButton*>(w))
            add(button->shortcut().toString(QKeySequence::PortableText), w);
        else if (const auto* label = qobject_cast<const QLabel*>(w); label && label->buddy())
            add(keyOf(label->text()), w);
        else if (const auto* box = qobject_cast<const QGroupBox*>(w))
            add(keyOf(box->title()), w);
        else if (const auto* tabs = qobject_cast<const QTabBar*>(w)) {
            for (int i = 0; i < tabs->count(); ++i)
                if (tabs->isTabEnabled(i))
                    add(keyOf(tabs->tabText(i)), w);
        } else if (const auto* bar = qobject_cast<const QMenuBar*>(w)) {
            for (const QAction* a : bar->actions())
                if (a->isVisible() && a->isEnabled())
                    add(keyOf(a->text()), a);
        }
    }
    return keys;
}

// "Alt+S: btnSchreiben, btnSchreibenLA" for every key that more than one control takes.
inline QStringList clashes(const QWidget* window) {
    const auto keys = keysOf(window);
    QStringList out;
    for (const QString& key : keys.uniqueKeys()) {
        const QList<const QObject*> owners = keys.values(key);
        if (owners.size() < 2)
            continue;
        QStringList names;
        for (const QObject* o : owners)
            names.append(nameOf(o));
        names.sort();
        out.append(key + QStringLiteral(": ") + names.join(QStringLiteral(", ")));
    }
    return out;
}

// Controls that take an access key although they lie outside the visible window (a parked
// view), as "Alt+S: btnSchreibenLA".
inline QStringList unreachable(const QWidget* window) {
    const auto keys = keysOf(window);
    QStringList out;
    for (auto it = keys.cbegin(); it != keys.cend(); ++it) {
        const auto* w = qobject_cast<const QWidget*>(it.value());
        if (w && !onScreen(w, window))
            out.append(it.key() + QStringLiteral(": ") + nameOf(w));
    }
    return out;
}

// Access keys that repeat within one menu of the window (its bar's menus and its pop-ups),
// as "mnuDatei Alt+S: a, b".
inline QStringList menuClashes(const QWidget* window) {
    QStringList out;
    for (const QMenu* menu : window->findChildren<QMenu*>()) {
        QMultiMap<QString, QString> keys;
        for (const QAction* a : menu->actions())
            if (!a->isSeparator() && a->isVisible())
                if (const QString key = keyOf(a->text()); !key.isEmpty())
                    keys.insert(key, nameOf(a));
        for (const QString& key : keys.uniqueKeys())
            if (keys.count(key) > 1)
                out.append(nameOf(menu) + u' ' + key + QStringLiteral(": ") + QStringList(keys.values(key)).join(QStringLiteral(", ")));
    }
    return out;
}

// Everything a window's access keys may not do: clash, hide off screen, repeat in a menu.
inline QStringList faults(const QWidget* window) {
    return clashes(window) + unreachable(window) + menuClashes(window);
}

}  // namespace AccessKeys
