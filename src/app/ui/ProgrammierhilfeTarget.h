#pragma once

#include <QHash>
#include <QPointer>
#include <QString>
#include <QWidget>

// A programming window that takes the programming aid's value into its value field
// `txtWert`. The Intellibox window registers itself for "DCC", the Lenz window for "Lenz".
class ProgrammierhilfeTarget {
public:
    virtual ~ProgrammierhilfeTarget() = default;
    // The window itself: the aid places itself by it.
    virtual QWidget* targetWindow() = 0;
    virtual void setWert(const QString& value) = 0;
};

// Which window takes the value for a SystemMode. A target counts only while its window is
// open; otherwise the aid works on its own, as when opened from the main menu.
class ProgrammierhilfeTargets {
public:
    void set(const QString& systemMode, ProgrammierhilfeTarget* target) {
        m_targets.insert(systemMode, {target, target ? target->targetWindow() : nullptr});
    }
    void remove(const QString& systemMode) { m_targets.remove(systemMode); }

    ProgrammierhilfeTarget* forMode(const QString& systemMode) const {
        const auto it = m_targets.constFind(systemMode);
        if (it == m_targets.cend() || !it->window || !it->window->isVisible())
            return nullptr;
        return it->target;
    }

private:
    struct Entry {
        ProgrammierhilfeTarget* target = nullptr;
        QPointer<QWidget> window;  // guards against a target that forgot to unregister
    };
    QHash<QString, Entry> m_targets;
};
