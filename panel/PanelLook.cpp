#include "panel/PanelLook.h"

#include <QPalette>
#include <QWidget>

QFont PanelFont() {
    QFont font;
    font.setFamilies({QStringLiteral("Tahoma"), QStringLiteral("Verdana"),
                      QStringLiteral("DejaVu Sans"), QStringLiteral("Sans Serif")});
    font.setPointSizeF(8.25);
    // DejaVu Sans, the usual stand-in, runs wider than Tahoma: condense it so that the texts
    // fit the design sizes.
    font.setStretch(QFont::Condensed);
    return font;
}

QFont SecondsFont() {
    QFont font;
    font.setFamilies({QStringLiteral("MS Sans Serif"), QStringLiteral("Microsoft Sans Serif"),
                      QStringLiteral("DejaVu Sans"), QStringLiteral("Sans Serif")});
    font.setPointSizeF(9.75);
    font.setBold(true);
    return font;
}

void SetTextColour(QWidget* control, const QColor& colour) {
    QPalette palette = control->palette();
    palette.setColor(QPalette::WindowText, colour);
    palette.setColor(QPalette::Text, colour);
    control->setPalette(palette);
}
