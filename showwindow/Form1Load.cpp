// Form_Load: the title screen, Timer1, full screen, and a rescan of the show folder.
#include "catalogue/LoadImageList.h"
#include "core/Rounding.h"
#include "showwindow/Form1Private.h"
#include "showwindow/TitlePicture.h"
#include "startup/AppRecords.h"

#include <QScreen>

namespace {
// Twips between "Quirello" and the title picture under it.
constexpr double TitleGap = 104;
} // namespace

void Form1::Impl::resetToDesign() {
    // Each show opens the window afresh: the title picture and the label shown, nothing drawn.
    back = 0x000000;
    backing = QImage();
    const qreal ratio = deviceRatio();
    picture.setScreen(ratio, ShowPicture::deviceSize(screen()->geometry().size(), ratio));
    picture.setImage(TitlePicture(ratio));
    picture.setVisible(true);
    pictureCovered = false;
    label.setVisible(true);
}

void Form1::Impl::formLoad() {
    records.AppFolder = services.appFolder;

    const QRect screenArea = screen()->geometry();
    w.resize(screenArea.width(), w.height());
    label.setScreenHeight(screenArea.height());

    // The title screen, from the title picture's and the label's own sizes.
    const QImage title = TitlePicture(deviceRatio());
    const QSize titleSize = title.deviceIndependentSize().toSize();
    picture.setImage(title);
    picture.setSize(titleSize);
    pictureCovered = false;
    const TwipsSize screenTw = screenSize();
    const double imageWidth = PixelsToTwips(titleSize.width());
    const double imageHeight = PixelsToTwips(titleSize.height());
    const double imageTop = (screenTw.height - labelHeight() - imageHeight) / 2 + labelHeight();
    const qint64 imageLeft = RoundHalfEven(screenTw.width - imageWidth) / 2;
    setPictureTop(imageTop);
    setPictureLeft(double(imageLeft));
    setLabelText(QStringLiteral("Quirello"));
    const qint64 labelLeft = RoundHalfEven(windowSize().width - labelWidth()) / 2;
    moveLabel(double(labelLeft), imageTop - labelHeight() - TitleGap);

    const qint16 frame = records.settings.Cornice3D;
    if (frame == 0 || frame == 1)
        picture.setBorder(frame == 1);

    // An interval of 0 or less would tick without pause; such a timer stays off.
    const int interval = records.settings.TempoAttesa;
    timer1.setInterval(interval);
    if (interval > 0)
        timer1.start();

    w.setGeometry(screenArea);
    ensureBacking(screenArea.size());
    invalidate(w.rect());

    const int count = LoadImageList(records.settings.ShowFolder, records.catalogue, records.list);
    if (services.rescanned)
        services.rescanned(count);
}
