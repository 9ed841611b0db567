// The view the show tick works on: Label1, Image1 and the background, in twips.
#include "core/Log.h"
#include "effects/ClsDiag.h"
#include "pictures/DecodedPicture.h"
#include "showwindow/Form1Private.h"

#include <algorithm>
#include <QAccessible>
#include <QPainter>
#include <QScreen>

TwipsSize Form1::Impl::windowSize() const {
    return {PixelsToTwips(w.width()), PixelsToTwips(w.height())};
}

TwipsSize Form1::Impl::screenSize() const {
    const QSize size = screen()->geometry().size();
    return {PixelsToTwips(size.width()), PixelsToTwips(size.height())};
}

double Form1::Impl::labelHeight() const {
    return PixelsToTwips(label.size().height());
}
double Form1::Impl::labelWidth() const {
    return PixelsToTwips(label.size().width());
}

void Form1::Impl::setLabelText(const QString& text) {
    const QRect before = label.rect();
    const bool changed = text != label.text();
    label.setText(text);
    // A screen reader hears each picture's name, the title and the end title as the window's
    // description (the label's text) changes, also when the label is out of sight ("Assente").
    if (changed) {
        QAccessibleEvent event(&w, QAccessible::DescriptionChanged);
        QAccessible::updateAccessibility(&event);
    }
    if (label.isVisible())
        invalidate(QRegion(before) + label.rect());
}

void Form1::Impl::moveLabel(double left, double top) {
    const QRect before = label.rect();
    label.moveTo({TwipsToPixels(left), TwipsToPixels(top)});
    if (label.isVisible() && label.rect() != before)
        invalidate(QRegion(before) + label.rect());
}

void Form1::Impl::showLabel() {
    if (label.isVisible())
        return;
    label.setVisible(true);
    invalidate(label.rect());
}

void Form1::Impl::hidePicture() {
    if (!picture.isVisible())
        return;
    // The area the picture leaves is painted in the background colour, over any drawing.
    QPainter painter(&backing);
    painter.fillRect(picture.rect(), QColor::fromRgb(back));
    painter.end();
    picture.setVisible(false);
    pictureCovered = false;
    invalidate(picture.rect());
}

void Form1::Impl::showPicture() {
    if (pictureOnTop())
        return;
    picture.setVisible(true);
    pictureCovered = false;
    invalidate(picture.rect());
}

namespace {
// The most pixels a picture is decoded at: twice the screen, and never less than a 4K screen.
// A picture shown wider than that (a panorama many screens wide) is decoded a little smaller
// and stretched the rest of the way, so that no shape of picture costs more memory.
qint64 decodeBudget(QSize screenPixels) {
    return std::max<qint64>(qint64(3840) * 2160,
                            2 * qint64(screenPixels.width()) * screenPixels.height());
}
} // namespace

// The natural size in pixels gives the size to decode at: the shown size in device pixels, within
// the budget.
ShownSizeFor Form1::Impl::decodeRule(const ShownSizeRule& shownSize) const {
    const qreal ratio = deviceRatio();
    const qint64 budget = decodeBudget(ShowPicture::deviceSize(screen()->geometry().size(), ratio));
    return [shownSize, ratio, budget](QSize natural) {
        const TwipsSize shown =
            shownSize({PixelsToTwips(natural.width()), PixelsToTwips(natural.height())});
        const QSize logical(std::max(1, TwipsToPixels(shown.width)),
                            std::max(1, TwipsToPixels(shown.height)));
        return ShowPicture::decodeSize(logical, ratio, budget);
    };
}

void Form1::Impl::prepareAhead(const QString& path, const ShownSizeRule& shownSize) {
    ahead.prepare(path, decodeRule(shownSize));
}

bool Form1::Impl::pictureAtHand(const QString& path, const ShownSizeRule& shownSize) {
    if (taken && taken->path == path)
        return true;
    std::optional<DecodedPicture> ready = ahead.takeReady(path, decodeRule(shownSize));
    if (!ready)
        return false; // the decode's end hastens the tick's next look (Impl's constructor)
    taken = Taken{path, std::move(*ready)};
    return true;
}

std::optional<TwipsSize> Form1::Impl::loadPicture(const QString& path,
                                                  const ShownSizeRule& shownSize) {
    // The tick asks only for a picture at hand; anything else is decoded here, as a last resort.
    const DecodedPicture decoded = taken && taken->path == path
                                       ? std::move(taken->picture)
                                       : services.pictures.decode(path, decodeRule(shownSize));
    taken.reset();
    if (!decoded.ok()) {
        qCDebug(logShow, "%s: the show's message in its place", qUtf8Printable(path));
        return std::nullopt;
    }
    qCDebug(logShow, "%s: shown, %d x %d pixels decoded", qUtf8Printable(path),
            decoded.image.width(), decoded.image.height());
    // Image1 is hidden while a picture loads; sizePicture prepares it for the screen.
    if (pictureOnTop())
        hidePicture();
    picture.setImage(decoded.image);
    return TwipsSize{PixelsToTwips(decoded.naturalSize.width()),
                     PixelsToTwips(decoded.naturalSize.height())};
}

void Form1::Impl::sizePicture(TwipsSize size) {
    const QRect before = picture.rect();
    picture.setSize(
        {std::max(1, TwipsToPixels(size.width)), std::max(1, TwipsToPixels(size.height))});
    if (pictureOnTop() && picture.rect() != before)
        invalidate(QRegion(before) + picture.rect());
}

void Form1::Impl::setPictureLeft(double left) {
    const QRect before = picture.rect();
    picture.moveLeft(TwipsToPixels(left));
    const QRect after = picture.rect();
    if (!pictureOnTop() || after == before)
        return;
    const int dx = after.left() - before.left();
    if (repaintPending || !picture.isOpaque() || std::abs(dx) >= after.width()) {
        invalidate(QRegion(before) + after);
        return;
    }
    // The slide-in: what is on screen is up to date, so the picture's pixels are moved where
    // they are (by the window system when it can) and only the uncovered strip is painted, at
    // once: the step leaves a whole frame on screen.
    const QRect both = before | after;
    w.scroll(dx, 0, both);
    const QRect labelArea = label.rect();
    if (label.isVisible() && labelArea.intersects(both))
        w.update(QRegion(labelArea) + labelArea.translated(dx, 0));
    repaintNow(QRegion(before) - after);
}

void Form1::Impl::setPictureTop(double top) {
    const QRect before = picture.rect();
    picture.moveTop(TwipsToPixels(top));
    if (pictureOnTop() && picture.rect() != before)
        invalidate(QRegion(before) + picture.rect());
}

void Form1::Impl::setBackColor(quint32 rgb) {
    back = rgb & 0xFFFFFF;
    backing.fill(QColor::fromRgb(back));
    invalidate(w.rect());
}

void Form1::Impl::clsDiag(qint16& code) {
    if (pictureOnTop()) {
        // The effect paints over the picture on screen: it becomes part of the drawing.
        QPainter painter(&backing);
        picture.paint(painter,
                      picture.rect() & QRect(QPoint(), backing.deviceIndependentSize().toSize()));
        painter.end();
        pictureCovered = true;
    }
    ClsDiag(code, *canvas, services.random, services.clock);
}
