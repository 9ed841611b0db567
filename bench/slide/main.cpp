// Steps per second of the slide-in: the show window's own drawing path (a real Form1 showing a
// real picture file) against a plain Qt window moving a child widget by the same steps, each
// step followed by one pass of the event loop. Then, for information, the first steps of a strip
// of 2,000 x 2 pixels enlarged a screen high (a million pixels wide, drawn from its decoded
// pixels as it comes in), which slides over two screen widths.
#include "helpers/DecoderPool.h"
#include "platform/Clock.h"
#include "platform/Dialogs.h"
#include "platform/RandomSource.h"
#include "platform/SoundDevices.h"
#include "showwindow/Form1.h"
#include "showwindow/ShowServices.h"
#include "startup/AppRecords.h"

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QLabel>
#include <QLinearGradient>
#include <QPainter>
#include <QScreen>
#include <QTemporaryDir>
#include <QTimer>
#include <vector>

namespace {

constexpr int PictureWidth = 1440;
constexpr int PictureHeight = 1080;
constexpr int StepTwips = 40; // speed 1
constexpr double TwipsPerPixel = 15;

struct Silent final : Dialogs, MciSequencer, Mp3Player, CommentSound {
    void message(const QString& text, std::function<void()> closed) override {
        std::fprintf(stderr, "message: %s\n", qPrintable(text));
        if (closed)
            closed();
    }
    void confirm(const QString&, std::function<void(bool)> answered) override { answered(true); }
    void inputBox(const QString&, const QString&, const QString&, int,
                  std::function<void(const QString&)> answered) override {
        answered({});
    }
    bool mciSendString(const QString&) override { return true; }
    void stop() override {}
    bool play(const QString&) override { return true; }
    bool sndPlaySound(const QString&) override { return true; }
};

QImage testPicture() {
    QImage image(PictureWidth, PictureHeight, QImage::Format_RGB32);
    QPainter p(&image);
    QLinearGradient g(0, 0, PictureWidth, PictureHeight);
    g.setColorAt(0, QColor(30, 90, 200));
    g.setColorAt(0.5, QColor(240, 200, 60));
    g.setColorAt(1, QColor(30, 140, 70));
    p.fillRect(image.rect(), g);
    return image;
}

struct Result {
    int steps = 0;
    int paints = 0; // paint events seen during the slide
    double seconds = 0;
    double cpuSeconds = 0; // this program's processor time, which the machine's load hardly changes
    double perSecond() const { return seconds > 0 ? steps / seconds : 0; }
    double perCpuSecond() const { return cpuSeconds > 0 ? steps / cpuSeconds : 0; }
};

// Watches the show window's paints: from the first position of the slide-in to the centre, or
// to `maxSteps` steps of `stepTwips`.
class SlideWatch : public QObject {
public:
    SlideWatch(Form1& form, int stepTwips, int maxSteps)
        : form_(form), stepTwips_(stepTwips), maxSteps_(maxSteps) {}
    Result result;
    bool done = false;

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() != QEvent::Paint || done || !form_.shown().pictureVisible)
            return false;
        if (started_)
            ++result.paints;
        const QRect r = form_.shown().picture;
        // The first paint of the slide-in: left of its place (a very wide picture starts over
        // the screen).
        if (!started_ && r.left() < 0 && r.left() < (form_.width() - r.width()) / 2 - 1) {
            started_ = true;
            firstLeft_ = r.left();
            cpuStart_ = std::clock();
            timer_.start();
        } else if (started_ &&
                   (r.left() == (form_.width() - r.width()) / 2 ||
                    (r.left() - firstLeft_) * TwipsPerPixel >= double(maxSteps_) * stepTwips_)) {
            result.seconds = timer_.nsecsElapsed() / 1e9;
            result.cpuSeconds = double(std::clock() - cpuStart_) / CLOCKS_PER_SEC;
            result.steps = qRound((r.left() - firstLeft_) * TwipsPerPixel / stepTwips_);
            done = true;
            QTimer::singleShot(0, &form_, [this] { form_.Fine(); });
        }
        return false;
    }

private:
    Form1& form_;
    int stepTwips_;
    int maxSteps_;
    bool started_ = false;
    int firstLeft_ = 0;
    std::clock_t cpuStart_ = 0;
    QElapsedTimer timer_;
};

Result showWindowSlide(const QString& folder, QSize& shown, int speed = 1, int maxSteps = 1 << 30) {
    Silent silent;
    SystemClock clock;
    UniformRandom random;
    SoundDevices sound{silent, silent, silent};
    DecoderPool pictures({QStringLiteral(QUIRELLO_DECODER_PROGRAM)});
    ShowServices services{.dialogs = silent,
                          .sound = sound,
                          .clock = clock,
                          .random = random,
                          .pictures = pictures,
                          .appFolder = {},
                          .rescanned = {}};
    AppRecords records;
    records.settings.ShowFolder = folder + "/";
    records.settings.TempoAttesa = 300;
    records.settings.Effetti = qint16(speed);
    records.settings.TipoEffetto = 11; // no wipe: only the slide-in
    records.settings.AllargaFoto = 0;
    records.settings.PosLabel = 0;
    records.settings.RGB_R = 20;
    records.settings.RGB_G = 20;
    records.settings.RGB_B = 20;
    Form1 form(records, services);
    SlideWatch watch(form, speed * StepTwips, maxSteps);
    form.installEventFilter(&watch);
    QTimer::singleShot(60000, &form, [&] { form.Fine(); });
    QEventLoop running; // the show runs on the application's loop: this one stands in for it
    QObject::connect(&form, &Form1::ended, &running, &QEventLoop::quit);
    form.startShow();
    running.exec();
    shown = form.shown().picture.size();
    return watch.result;
}

// Counts the paint events of one widget.
class PaintCount : public QObject {
public:
    int paints = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint)
            ++paints;
        return false;
    }
};

Result plainWidgetSlide(QSize pictureSize) {
    QWidget window;
    window.setAttribute(Qt::WA_OpaquePaintEvent);
    window.setAutoFillBackground(true);
    QPalette palette = window.palette();
    palette.setColor(QPalette::Window, QColor(20, 20, 20));
    window.setPalette(palette);
    QLabel picture(&window);
    picture.setPixmap(QPixmap::fromImage(testPicture().scaled(pictureSize)));
    picture.resize(pictureSize);
    const QRect screenArea = QGuiApplication::primaryScreen()->geometry();
    const QSize screen = screenArea.size();
    window.setGeometry(screenArea);
    window.showFullScreen();
    QElapsedTimer settle;
    settle.start();
    while ((!window.isVisible() || window.size() != screen) && settle.elapsed() < 5000)
        QApplication::processEvents(QEventLoop::AllEvents, 50);
    QApplication::processEvents();
    PaintCount count;
    picture.installEventFilter(&count);

    const double width = pictureSize.width() * TwipsPerPixel;
    const double target = (window.width() * TwipsPerPixel - width) / 2;
    const int top = (window.height() - pictureSize.height()) / 2;
    Result result;
    const std::clock_t cpuStart = std::clock();
    QElapsedTimer timer;
    timer.start();
    for (double x = -width; x <= target; x += StepTwips) {
        picture.move(qRound(x / TwipsPerPixel), top);
        QApplication::processEvents();
        ++result.steps;
    }
    result.seconds = timer.nsecsElapsed() / 1e9;
    result.cpuSeconds = double(std::clock() - cpuStart) / CLOCKS_PER_SEC;
    result.paints = count.paints;
    return result;
}

Result median(std::vector<Result> results) {
    std::sort(results.begin(), results.end(),
              [](const Result& a, const Result& b) { return a.perSecond() < b.perSecond(); });
    return results[results.size() / 2];
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QTemporaryDir folder;
    if (!folder.isValid() || !testPicture().save(folder.filePath("slide.jpg"), "JPEG", 90)) {
        std::fprintf(stderr, "cannot write the test picture\n");
        return 1;
    }
    const QSize screen = QGuiApplication::primaryScreen()->geometry().size();
    // Alternating rounds, the median of each: the machine is shared and its load varies.
    constexpr int Rounds = 5;
    std::vector<Result> shows, plains;
    QSize shown;
    for (int round = 0; round < Rounds; ++round) {
        shows.push_back(showWindowSlide(folder.path(), shown));
        plains.push_back(plainWidgetSlide(shown));
    }
    const Result show = median(shows);
    const Result plain = median(plains);
    std::printf("screen %dx%d, picture %dx%d shown at %dx%d, step %d twips (speed 1), "
                "median of %d rounds\n",
                screen.width(), screen.height(), PictureWidth, PictureHeight, shown.width(),
                shown.height(), StepTwips, Rounds);
    for (int round = 0; round < Rounds; ++round)
        std::printf("  round %d: show window %6.0f steps/s (%6.0f per cpu s), plain widget %6.0f "
                    "steps/s (%6.0f per cpu s)\n",
                    round + 1, shows[round].perSecond(), shows[round].perCpuSecond(),
                    plains[round].perSecond(), plains[round].perCpuSecond());
    std::printf("show window : %5d steps, %5d paints in %.3f s = %7.0f steps/s\n", show.steps,
                show.paints, show.seconds, show.perSecond());
    std::printf("plain widget: %5d steps, %5d paints in %.3f s = %7.0f steps/s (baseline)\n",
                plain.steps, plain.paints, plain.seconds, plain.perSecond());
    std::printf("ratio show/baseline: %.2f   goal: >= 1000 steps/s -> %s\n",
                plain.perSecond() > 0 ? show.perSecond() / plain.perSecond() : 0,
                show.perSecond() >= 1000 ? "met" : "NOT met");

    QTemporaryDir stripFolder;
    QImage strip(2000, 2, QImage::Format_RGB32);
    strip.fill(QColor(200, 60, 40));
    if (!stripFolder.isValid() || !strip.save(stripFolder.filePath("strip.bmp"))) {
        std::fprintf(stderr, "cannot write the strip\n");
        return 1;
    }
    QSize stripShown;
    const Result enlarged = showWindowSlide(stripFolder.path(), stripShown, 1, 500);
    std::printf("strip 2000x2 shown at %dx%d, step %d twips (speed 1): %d steps in %.3f s = "
                "%.0f steps/s (%.0f per cpu s)\n",
                stripShown.width(), stripShown.height(), StepTwips, enlarged.steps,
                enlarged.seconds, enlarged.perSecond(), enlarged.perCpuSecond());
    return show.steps > 0 && enlarged.steps > 0 ? 0 : 1;
}
