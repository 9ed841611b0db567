#pragma once

#include "core/Twips.h"
#include "desktop/PictureAhead.h"
#include "desktop/ScreenSaverInhibitor.h"
#include "effects/EffectCanvas.h"
#include "show/ShowTick.h"
#include "show/ShowView.h"
#include "showwindow/Form1.h"
#include "showwindow/ShowLabel.h"
#include "showwindow/ShowPicture.h"
#include "showwindow/ShowServices.h"
#include "showwindow/TimerSteps.h"

#include <memory>
#include <optional>
#include <QImage>
#include <QPointer>
#include <QRegion>
#include <QTimer>

class QScreen;

// The show window's state, and the view the tick works on. Positions the tick gives in twips
// become pixels here (core/Twips.h).
struct Form1::Impl final : ShowView {
    Impl(Form1& window, AppRecords& records, const ShowServices& services, QWidget* panel);

    Form1& w;
    AppRecords& records;
    ShowServices services;
    QPointer<QWidget> panel;

    // What the window shows: its drawing (background colour and effects), then Image1, then
    // Label1 on top. The drawing is kept in device pixels.
    QImage backing;
    quint32 back = 0x000000; // BackColor, 0xRRGGBB
    ShowPicture picture;     // Image1: the picture (or the title picture)
    // The picture was copied into the drawing so that an effect could paint over it.
    bool pictureCovered = false;
    ShowLabel label; // Label1: the picture's file name (or the title, the end title)
    bool pressOnPicture = false;

    QTimer timer1;
    bool open = false;
    // Something was marked for painting that is not on screen yet: the slide-in cannot move
    // the pixels on screen then.
    bool repaintPending = false;

    TimerSteps steps;   // where the tick goes on after each pause
    PictureAhead ahead; // the next tick's picture, decoded while this one is shown
    // The picture the tick found at hand, until it loads it.
    struct Taken {
        QString path;
        DecodedPicture picture;
    };
    std::optional<Taken> taken;
    std::optional<ScreenSaverInhibitor> keepAwake; // the screen stays on while the show is open
    std::unique_ptr<EffectCanvas> canvas;
    ShowTick tick;

    QScreen* screen() const;
    // Device pixels to a logical pixel on that screen.
    qreal deviceRatio() const;
    // The tick's size rule as the decoder asks it (device pixels, bounded).
    ShownSizeFor decodeRule(const ShownSizeRule& shownSize) const;
    void formLoad() override;
    void resetToDesign();
    void ensureBacking(QSize size);
    void invalidate(const QRegion& region);
    // Draws the changed area at once (the effects are seen as they progress).
    void repaintNow(const QRegion& area);
    // The picture is drawn over the backing, not inside it.
    bool pictureOnTop() const { return picture.isVisible() && !pictureCovered; }
    void endShow();

    // ShowView
    TwipsSize windowSize() const override;
    TwipsSize screenSize() const override;
    double labelHeight() const override;
    double labelWidth() const override;
    void setLabelText(const QString& text) override;
    void moveLabel(double left, double top) override;
    void showLabel() override;
    void hidePicture() override;
    void showPicture() override;
    bool pictureAtHand(const QString& path, const ShownSizeRule& shownSize) override;
    std::optional<TwipsSize> loadPicture(const QString& path,
                                         const ShownSizeRule& shownSize) override;
    void prepareAhead(const QString& path, const ShownSizeRule& shownSize) override;
    void sizePicture(TwipsSize size) override;
    void setPictureLeft(double left) override;
    void setPictureTop(double top) override;
    void setBackColor(quint32 rgb) override;
    void clsDiag(qint16& code) override;
};

// The canvas the effects draw on: the window's backing image, shown after each call.
std::unique_ptr<EffectCanvas> MakeShowCanvas(Form1::Impl& form);
