#pragma once

#include <QList>

class QEvent;
class QLabel;
class QObject;
class QWidget;
class StationLink;

// What the windows that talk to the station share.

// A window closed during a station wait still has a handler running below that wait, so its
// deletion is put off until the exchange has ended. Call from the window's event(); true when
// the event was taken.
bool postponeDeletionDuringExchange(QObject* window, QEvent* event, const StationLink& link);

// The labels under the station buttons: all plain, then the one of button `index` white on
// dark blue, bold and framed while its button is pressed.
void markStationLabels(const QList<QLabel*>& labels, int index, bool pressed);

// The small round credit picture beside a programming window's credit label.
QLabel* creditPicture(QWidget* parent);
