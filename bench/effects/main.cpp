// How long each transition effect takes on a full-screen window, drawing through the show's
// canvas and repainting after every drawing call, against plain full-window repaints of the
// same window in the same run. Needs a real X display: run.sh starts one.
//
//   bench_effects                      every code 11, 1..10 and 0 with the canvas's own areas
//   bench_effects --bounding           the same, repainting each area's bounding rectangle
//   bench_effects --draw-only          the drawing into the image alone, no repaint
//   bench_effects --plain-paint        the window copies each repainted rectangle in one go
//   bench_effects --only CODE          one effect code alone
//   bench_effects --runs N             runs of each effect, the median shown (default 3)
//
// Before each effect the baseline is measured again, so that the ratio compares times taken
// under the same load.
//   bench_effects --shot CODE N FILE   grab the screen after the Nth drawing call of CODE
#include "effects/ClsDiag.h"
#include "effects/TransitionEffect.h"
#include "EffectWindow.h"
#include "platform/Clock.h"
#include "platform/RandomSource.h"
#include "showwindow/ImageCanvas.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <functional>
#include <QApplication>
#include <QElapsedTimer>
#include <QScreen>
#include <QWindow>
#include <vector>

namespace {

constexpr int BaselineRepaints = 100;

struct Options {
    bool bounding = false;
    bool drawOnly = false;
    bool plainPaint = false;
    int only = -1;
    int runs = 3;
    int shotCode = -1;
    int shotAfter = 0;
    QString shotFile;
};

struct Run {
    double ms = 0;
    int calls = 0;
    int paints = 0;
    qint16 chosen = 0;
};

void waitForExpose(QWidget& w) {
    QElapsedTimer t;
    t.start();
    while ((!w.windowHandle() || !w.windowHandle()->isExposed()) && t.elapsed() < 5000)
        QApplication::processEvents(QEventLoop::AllEvents, 50);
    QApplication::processEvents();
}

double fullRepaintsMs(EffectWindow& w) {
    QElapsedTimer t;
    t.start();
    for (int i = 0; i < BaselineRepaints; ++i)
        w.repaint();
    return t.nsecsElapsed() / 1e6;
}

Run runEffect(EffectWindow& w, qint16 code, const Options& options, RandomSource& random,
              const Clock& clock) {
    w.showPicture(code + 1);
    QApplication::processEvents();
    Run run;
    const int paintsBefore = w.paints;
    ImageCanvas canvas(
        w.backing, [&w] { return w.size(); },
        [code] { return quint32(0x102040 + code * 0x0A0A00); },
        [&](const QRegion& changed) {
            ++run.calls;
            if (options.drawOnly)
                return;
            if (options.bounding)
                w.repaint(changed.boundingRect());
            else
                w.repaint(changed);
            if (code == options.shotCode && run.calls == options.shotAfter) {
                const QPixmap shot = w.screen()->grabWindow(0);
                if (!shot.save(options.shotFile))
                    std::fprintf(stderr, "could not write %s\n", qPrintable(options.shotFile));
            }
        });
    qint16 c = code;
    QElapsedTimer t;
    t.start();
    ClsDiag(c, canvas, random, clock);
    run.ms = t.nsecsElapsed() / 1e6;
    run.paints = w.paints - paintsBefore;
    run.chosen = c;
    return run;
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")) {
        std::printf("bench_effects: no display to draw on; nothing measured "
                    "(bench/effects/run.sh starts one)\n");
        return 0;
    }
    Options options;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--bounding") == 0) {
            options.bounding = true;
        } else if (std::strcmp(argv[i], "--draw-only") == 0) {
            options.drawOnly = true;
        } else if (std::strcmp(argv[i], "--plain-paint") == 0) {
            options.plainPaint = true;
        } else if (std::strcmp(argv[i], "--only") == 0 && i + 1 < argc) {
            options.only = std::atoi(argv[++i]);
        } else if (std::strcmp(argv[i], "--runs") == 0 && i + 1 < argc) {
            options.runs = std::max(1, std::atoi(argv[++i]));
        } else if (std::strcmp(argv[i], "--shot") == 0 && i + 3 < argc) {
            options.shotCode = std::atoi(argv[i + 1]);
            options.shotAfter = std::atoi(argv[i + 2]);
            options.shotFile = QString::fromLocal8Bit(argv[i + 3]);
            i += 3;
        } else {
            std::fprintf(stderr,
                         "usage: %s [--bounding | --draw-only] [--plain-paint] [--only CODE] "
                         "[--runs N] [--shot "
                         "CODE N FILE]\n",
                         argv[0]);
            return 2;
        }
    }

    QApplication app(argc, argv);
    EffectWindow window;
    window.slicedPaint = !options.plainPaint;
    window.setGeometry(window.screen()->geometry());
    window.showFullScreen();
    waitForExpose(window);
    window.showPicture(0);

    std::printf("window %d x %d pixels (%d x %d twips), repainting %s, %s, median of %d runs\n",
                window.width(), window.height(), window.width() * 15, window.height() * 15,
                options.drawOnly   ? "nothing (drawing only)"
                : options.bounding ? "bounding rectangles"
                                   : "changed areas",
                options.plainPaint ? "one copy per rectangle" : "thin bands copied in slices",
                options.runs);
    std::printf("baseline: %d full-window repaints of the same window, just before each effect\n\n",
                BaselineRepaints);
    std::printf("%-30s %9s %8s %8s %12s %10s\n", "effect", "ms", "calls", "paints", "baseline ms",
                "x baseline");

    UniformRandom random;
    SystemClock clock;
    double slowest = 0;
    const qint16 codes[] = {11, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 0};
    for (qint16 code : codes) {
        if (options.only >= 0 && code != options.only)
            continue;
        const double baseline = fullRepaintsMs(window);
        std::vector<Run> runs;
        for (int i = 0; i < options.runs; ++i)
            runs.push_back(runEffect(window, code, options, random, clock));
        std::sort(runs.begin(), runs.end(), [](const Run& a, const Run& b) { return a.ms < b.ms; });
        const Run& run = runs[runs.size() / 2];
        slowest = std::max(slowest, run.ms);
        QString name = QString::fromUtf8(TransitionEffectNames[code]);
        if (code == 0)
            name += QStringLiteral(" (%1)").arg(run.chosen);
        std::printf("%-30s %9.1f %8d %8d %12.1f %10.2f %s\n", qPrintable(name), run.ms, run.calls,
                    run.paints, baseline, run.ms / baseline, run.ms > 1000 ? "OVER 1 s" : "");
        std::fflush(stdout);
    }
    std::printf("\nslowest effect: %.1f ms (goal: under 1000 ms)\n", slowest);
    return 0;
}
