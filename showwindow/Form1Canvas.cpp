// The canvas the transition effects draw on: the window's backing image, each drawing call
// repainted at once.
#include "showwindow/Form1Private.h"
#include "showwindow/ImageCanvas.h"

std::unique_ptr<EffectCanvas> MakeShowCanvas(Form1::Impl& form) {
    return std::make_unique<ImageCanvas>(
        form.backing, [&form] { return form.w.size(); }, [&form] { return form.back; },
        [&form](const QRegion& changed) { form.repaintNow(changed); });
}
