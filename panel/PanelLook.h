#pragma once

#include <QColor>
#include <QFont>
#include <QPalette>

class QWidget;

// The panel's own font (a narrow sans font at 8.25 points, as close to Tahoma as the machine
// has) and the seconds field's bold one.
QFont PanelFont();
QFont SecondsFont();

// The panel's own colours, whatever the desktop's theme: a light grey face, white fields and
// black text, on which the blue link and the coloured letters stay readable. Windows opened
// from the panel (the messages, the show) keep the desktop's.
QPalette PanelPalette();

// Gives a control its text colour.
void SetTextColour(QWidget* control, const QColor& colour);

// The text colours of the colour bars' letters and values.
inline const QColor RedText(255, 0, 0);
inline const QColor GreenText(0, 128, 0);
inline const QColor DarkBlueText(0, 0, 192);
inline const QColor BlueText(0, 0, 255);
