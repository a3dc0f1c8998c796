#pragma once

#include <QFrame>
#include <QString>

class QLabel;
class QWidget;

// The plain parts the station windows are drawn with, placed in twips: raised panels,
// labels and bold headings.
namespace StationLooks {

QFrame* panel(QWidget* parent, const QString& name, QFrame::Shape shape = QFrame::StyledPanel);
QLabel* label(QWidget* parent, const QString& text, int left, int top, int width, int height = 255);
QLabel* heading(QWidget* parent, const QString& text, int left, int top, int width);

}  // namespace StationLooks
