#pragma once

class QWidget;

// Drops the mouse press that `control` is about to receive in the event being handled now.
// A message box opened while the focus moves (a field refusing to be left) takes the mouse
// release itself; the press that moved the focus would otherwise reach the clicked button
// afterwards and leave it stuck down, to fire at the next release anywhere.
void DropPendingMousePress(QWidget* control);
