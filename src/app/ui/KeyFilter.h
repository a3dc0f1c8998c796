#pragma once

#include <QObject>
#include <functional>

class QWidget;

// Filters the typed characters of a text field the way the windows' key-press handlers do:
// a character passes when `accepts` says so, backspace always; Enter runs `onEnter` and is
// then dropped; every other typed character is dropped. Keys that type nothing (arrows,
// Delete, Tab) are left alone.
class KeyFilter : public QObject {
public:
    KeyFilter(QWidget* field, std::function<bool(QChar)> accepts, std::function<void()> onEnter = {});

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::function<bool(QChar)> m_accepts;
    std::function<void()> m_onEnter;
};
