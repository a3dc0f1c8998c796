#pragma once

#include <QPushButton>

// A push button whose caption keeps its "&" but that takes no access key and underlines
// nothing: where a window's captions repeat an access key ("&lesen" three times), all but
// one of those buttons give it up, so that the key reaches one control. Set the caption in
// the constructor only; a later setText() would take the key again.
class UnkeyedPushButton : public QPushButton {
public:
    UnkeyedPushButton(const QString& caption, QWidget* parent = nullptr);

protected:
    void initStyleOption(QStyleOptionButton* option) const override;
};
