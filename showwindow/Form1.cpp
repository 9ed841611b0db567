#include "showwindow/Form1.h"

#include "showwindow/BackingPaint.h"
#include "showwindow/Form1Private.h"
#include "sound/Music.h"
#include "startup/AppRecords.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>

Form1::Impl::Impl(Form1& window, AppRecords& records_, const ShowServices& services_,
                  QWidget* panel_)
    : w(window), records(records_), services(services_), panel(panel_), ahead(services_.pictures),
      canvas(MakeShowCanvas(*this)), tick(records_.forTick(), *this,
                                          TickServices{.dialogs = services_.dialogs,
                                                       .sound = services_.sound,
                                                       .steps = steps,
                                                       .clock = services_.clock,
                                                       .random = services_.random}) {
    // A tick waiting for its picture looks again as soon as a decode has ended.
    ahead.onReady([this] { steps.hasten(); });
}

namespace {
// To a screen reader the show is a window (Qt would call a bare widget a filler), named for the
// show; what it shows at the moment, the label's text, is its description, announced at each
// change (Impl::setLabelText).
class ShowWindowAccessible final : public QAccessibleWidget {
public:
    explicit ShowWindowAccessible(Form1* form) : QAccessibleWidget(form, QAccessible::Window) {}
    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Description)
            return static_cast<const Form1*>(object())->shown().labelText;
        return QAccessibleWidget::text(t);
    }
};

QAccessibleInterface* ShowWindowFactory(const QString&, QObject* object) {
    if (auto* form = qobject_cast<Form1*>(object))
        return new ShowWindowAccessible(form);
    return nullptr;
}
} // namespace

Form1::Form1(AppRecords& records, const ShowServices& services, QWidget* panel)
    : QWidget(nullptr), d(std::make_unique<Impl>(*this, records, services, panel)) {
    static const bool accessible = [] {
        QAccessible::installFactory(ShowWindowFactory);
        return true;
    }();
    (void)accessible;
    setWindowTitle(QStringLiteral("Quirello"));
    setAccessibleName(QStringLiteral("Presentazione di Quirello"));
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_NoSystemBackground);
    setFocusPolicy(Qt::StrongFocus);
    // The crosshair is this window's pointer: it goes with the window, so the panel gets its
    // usual pointer back when the show ends.
    setCursor(Qt::CrossCursor);
    d->timer1.setTimerType(Qt::CoarseTimer);
    connect(&d->timer1, &QTimer::timeout, this, [this] { d->tick.Timer1_Timer(); });
}

Form1::~Form1() = default;

void Form1::startShow() {
    if (d->open)
        return;
    d->open = true;
    d->resetToDesign();
    d->formLoad();
    setWindowModality(Qt::ApplicationModal);
    showFullScreen();
    d->keepAwake.emplace(windowHandle());
    activateWindow();
    setFocus(Qt::ActiveWindowFocusReason);
}

void Form1::Impl::endShow() {
    open = false;
    tick.stop();
    StopMusic(services.sound);
    timer1.stop();
    // A decode still running is dropped and its helper ends: nothing waits on it.
    ahead.cancel();
    taken.reset();
    keepAwake.reset();
    records.show.PictureIndex = 0;
    records.show.MusicRestart = true;
    // Told once the window has closed, so that whoever goes on may also delete it.
    QMetaObject::invokeMethod(
        &w, [this] { Q_EMIT w.ended(); }, Qt::QueuedConnection);
}

void Form1::Fine() {
    if (!d->open)
        return;
    d->endShow();
    close();
}

Form1::Shown Form1::shown() const {
    return {d->open,
            d->picture.rect(),
            d->picture.isVisible(),
            d->picture.largestImage(),
            d->label.rect(),
            d->label.text(),
            d->timer1.interval(),
            d->timer1.isActive(),
            d->tick.isRunning()};
}

bool Form1::event(QEvent* event) {
    // Any key ends the show, Tab and the arrows included (they would move the focus otherwise).
    if (event->type() == QEvent::KeyPress) {
        Fine();
        return true;
    }
    return QWidget::event(event);
}

void Form1::mousePressEvent(QMouseEvent* event) {
    const QPoint at = event->position().toPoint();
    d->pressOnPicture = false;
    if (d->label.isVisible() && d->label.rect().contains(at))
        return; // the label takes the click and does nothing with it
    if (d->pictureOnTop() && d->picture.rect().contains(at)) {
        d->pressOnPicture = true; // the picture ends the show on its click
        return;
    }
    Fine();
}

void Form1::mouseReleaseEvent(QMouseEvent* event) {
    const bool clicked = d->pressOnPicture && d->pictureOnTop() &&
                         d->picture.rect().contains(event->position().toPoint());
    d->pressOnPicture = false;
    if (clicked)
        Fine();
}

void Form1::closeEvent(QCloseEvent* event) {
    // Closed from outside (the window manager): the show ends the same way.
    if (d->open)
        d->endShow();
    event->accept();
}

void Form1::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    d->ensureBacking(size());
}

void Form1::paintEvent(QPaintEvent* event) {
    d->repaintPending = false;
    QPainter painter(this);
    const QRegion& region = event->region();
    QRegion background = region;
    const bool picture = d->pictureOnTop();
    if (picture && d->picture.isOpaque())
        background -= d->picture.rect();
    paintBacking(painter, d->backing, background);
    if (picture)
        for (const QRect& r : region)
            d->picture.paint(painter, r);
    if (d->label.isVisible() && region.intersects(d->label.rect()))
        d->label.paint(painter);
}

QScreen* Form1::Impl::screen() const {
    if (panel && panel->screen())
        return panel->screen();
    return QGuiApplication::primaryScreen();
}

qreal Form1::Impl::deviceRatio() const {
    return screen()->devicePixelRatio();
}

void Form1::Impl::ensureBacking(QSize size) {
    const qreal ratio = deviceRatio();
    if (size.isEmpty() ||
        (backing.deviceIndependentSize().toSize() == size && backing.devicePixelRatio() == ratio))
        return;
    QImage grown(ShowPicture::deviceSize(size, ratio), QImage::Format_RGB32);
    grown.setDevicePixelRatio(ratio);
    grown.fill(QColor::fromRgb(back));
    if (!backing.isNull()) {
        QPainter p(&grown);
        p.drawImage(QPointF(0, 0), backing);
    }
    backing = std::move(grown);
}

void Form1::Impl::invalidate(const QRegion& region) {
    if (region.isEmpty())
        return;
    w.update(region);
    repaintPending = true;
}

void Form1::Impl::repaintNow(const QRegion& area) {
    if (w.isVisible())
        w.repaint(area);
}
