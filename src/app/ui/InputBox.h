#pragma once

#include <QString>
#include <functional>
#include <optional>

class QWidget;

// Asks the user for a line of text: the entered text, or nothing on Cancel. Windows take
// one of these so that tests can answer in place of the user.
using AskText = std::function<std::optional<QString>(const QString& prompt, const QString& title)>;

// The input box over `parent`.
AskText inputBox(QWidget* parent);
