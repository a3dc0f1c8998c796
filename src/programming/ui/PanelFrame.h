#pragma once

class QFrame;
class QString;

// The frame of a panel of the programming window: raised, small type, placed in twips, with
// its bold heading at the top left.
void setUpPanelFrame(QFrame* panel, const QString& name, int left, int top, const QString& heading);
