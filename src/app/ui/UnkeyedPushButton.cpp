#include "app/ui/UnkeyedPushButton.h"

#include <QStyleOptionButton>

UnkeyedPushButton::UnkeyedPushButton(const QString& caption, QWidget* parent) : QPushButton(caption, parent) {
    setShortcut(QKeySequence());
}

void UnkeyedPushButton::initStyleOption(QStyleOptionButton* option) const {
    QPushButton::initStyleOption(option);
    // The caption as shown: a single "&" marks the key and goes; "&&" shows one "&".
    QString shown;
    const QString& text = option->text;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text.at(i) == u'&' && i + 1 < text.size() && text.at(i + 1) == u'&') {
            shown += QStringLiteral("&&");
            ++i;
        } else if (text.at(i) != u'&') {
            shown += text.at(i);
        }
    }
    option->text = shown;
}
