#include "panel/PanelLook.h"

#include <memory>
#include <QPalette>
#include <QStyle>
#include <QStyleFactory>
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

QPalette PanelPalette() {
    // Fusion's own palette is complete (bevels, disabled texts, selection) and always light; the
    // style object is only asked for it.
    const std::unique_ptr<QStyle> fusion(QStyleFactory::create(QStringLiteral("Fusion")));
    QPalette palette = fusion ? fusion->standardPalette() : QPalette(QColor(239, 239, 239));
    palette.setColor(QPalette::Link, QColor(0, 0, 255));
    return palette;
}

void SetTextColour(QWidget* control, const QColor& colour) {
    QPalette palette = control->palette();
    palette.setColor(QPalette::WindowText, colour);
    palette.setColor(QPalette::Text, colour);
    control->setPalette(palette);
}
