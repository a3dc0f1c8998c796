#include "app/ui/InputBox.h"

#include <QInputDialog>

AskText inputBox(QWidget* parent) {
    return [parent](const QString& prompt, const QString& title) -> std::optional<QString> {
        bool ok = false;
        const QString text = QInputDialog::getText(parent, title, prompt, QLineEdit::Normal, QString(), &ok);
        if (!ok)
            return std::nullopt;
        return text;
    };
}
