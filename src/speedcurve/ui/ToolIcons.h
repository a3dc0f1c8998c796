#pragma once

#include <QIcon>
#include <QPixmap>

// The pictures of the editor: its toolbar buttons, drawn in code, and the markers and
// handles of the drawing area (8 x 8 pixels).
namespace ToolIcons {

enum class Tool { Laden, Speichern, Drucken, Schreiben, Lesen, Abbruch, Linear, Exponential, Heben, Senken };
QIcon icon(Tool tool);

QPixmap markerRed();
QPixmap markerGreen();
QPixmap handle();

}  // namespace ToolIcons
