#include "app/ui/KeyFilter.h"

#include <QKeyEvent>
#include <QWidget>

KeyFilter::KeyFilter(QWidget* field, std::function<bool(QChar)> accepts, std::function<void()> onEnter)
    : QObject(field), m_accepts(std::move(accepts)), m_onEnter(std::move(onEnter)) {
    field->installEventFilter(this);
}

bool KeyFilter::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress)
        return QObject::eventFilter(watched, event);
    const auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
        if (m_onEnter)
            m_onEnter();
        return true;
    }
    if (key->key() == Qt::Key_Backspace)
        return false;
    const QString text = key->text();
    if (text.isEmpty() || !text.at(0).isPrint() || (key->modifiers() & Qt::ControlModifier))
        return false;  // navigation, editing shortcuts
    for (QChar c : text)
        if (!m_accepts(c))
            return true;
    return false;
}
