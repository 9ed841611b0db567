#include "show/ShowTick.h"

#include "catalogue/ImageCatalogue.h"
#include "catalogue/PictureList.h"
#include "core/Rounding.h"
#include "platform/Dialogs.h"
#include "platform/Yielder.h"
#include "settings/ShowSettings.h"
#include "show/Background.h"
#include "show/ShowState.h"
#include "show/ShowView.h"
#include "sound/Music.h"

namespace {
// Twips between the label and the picture band, and the label's margin from the bottom edge.
constexpr double LabelGap = 80;
// Slide-in step per unit of Effetti, in twips.
constexpr int SlideStepPerSpeed = 40;

// Clears `flag` when the scope ends, however it ends.
struct RunningFlag {
    bool& flag;
    explicit RunningFlag(bool& f) : flag(f) { flag = true; }
    ~RunningFlag() { flag = false; }
};
} // namespace

QString LabelTextFor(const QString& entry) {
    QString text = entry.toLower();
    if (text.startsWith(QLatin1String("./")))
        text.remove(0, 2);
    return text;
}

QString FolderPartOf(const QString& entry) {
    const qsizetype separator = entry.indexOf(QLatin1Char('/'));
    return separator < 0 ? QString() : entry.left(separator + 1);
}

QString ShowTick::noPicturesText() {
    return QStringLiteral("Nessun file di immagini trovato in questa cartella.");
}

QString ShowTick::invalidPictureText(const QString& entry) {
    return QStringLiteral("Il file: ") + entry +
           QStringLiteral(" non è un file di immagini valido.");
}

QString ShowTick::endTitleText() {
    return QStringLiteral("Quirello Fine presentazione");
}

ShowTick::ShowTick(const TickRecords& records, ShowView& view, const TickServices& services)
    : records_(records), view_(view), services_(services) {}

void ShowTick::Timer1_Timer() {
    if (running_)
        return;
    RunningFlag flag(running_);
    run();
}

void ShowTick::run() {
    const ShowSettings& settings = records_.settings;
    ShowState& show = records_.show;
    TickMemory& memory = records_.memory;

    const double band = settings.PosLabel == LabelNone ? 0 : view_.labelHeight() + LabelGap;

    if (settings.Effetti != 0) {
        // A copy, so that the random choice (code 0) is made anew at every tick.
        qint16 code = settings.TipoEffetto;
        view_.clsDiag(code);
    }

    ++show.PictureIndex;
    if (records_.catalogue.isEmpty()) {
        if (showMessage(noPicturesText()))
            return;
        view_.formLoad();
        return;
    }

    show.CurrentPicture = records_.list.entry(show.PictureIndex - 1);
    if (show.CurrentPicture.isEmpty())
        show.PictureIndex = 0;
    view_.hidePicture();

    if (show.CurrentPicture.isEmpty()) {
        endTitle();
        return;
    }

    const TwipsSize window = view_.windowSize();
    const double labelHeight = view_.labelHeight();
    const qint16 allarga = settings.AllargaFoto;
    const std::optional<TwipsSize> natural =
        view_.loadPicture(settings.ShowFolder + show.CurrentPicture, [=](TwipsSize size) {
            return ShownPictureSize(size, window, labelHeight, allarga);
        });
    if (!natural) {
        failure();
        return;
    }

    CommentStart(services_.sound.comment, settings.ShowFolder, show.CurrentPicture,
                 settings.SuonoWAV);

    memory.PictureFolder = FolderPartOf(show.CurrentPicture);
    const QString folderKey = memory.PictureFolder + settings.ShowFolder;
    if (folderKey != memory.LastFolder || show.MusicRestart) {
        const MusicChangeInput input{settings.ShowFolder, memory.PictureFolder, settings.MusicaFM,
                                     records_.showRunning};
        if (MusicChange(services_.sound, input, show.MusicRestart, services_.yielder,
                        services_.clock) == MusicOutcome::ShowEnded)
            return;
    }
    memory.LastFolder = folderKey;

    const TwipsSize shown = ShownPictureSize(*natural, window, labelHeight, allarga);
    view_.sizePicture(shown);

    view_.showLabel();
    view_.setLabelText(LabelTextFor(show.CurrentPicture));
    double labelTop = window.height;
    if (settings.PosLabel == LabelTop)
        labelTop = 0;
    else if (settings.PosLabel == LabelBottom)
        labelTop = window.height - band - LabelGap;
    view_.moveLabel((window.width - view_.labelWidth()) / 2, labelTop);

    quint32 color = 0;
    if (settings.RGB_RANDOM == -1) {
        color = RandomBackColor(services_.random, services_.clock);
    } else {
        if (!services_.yielder.yieldOnce())
            return;
        color = FixedBackColor(settings.RGB_R, settings.RGB_G, settings.RGB_B);
    }
    view_.setBackColor(color);

    const TwipsSize screen = view_.screenSize();
    const double targetLeft = (screen.width - shown.width) / 2;
    const double freeHeight = screen.height - labelHeight - shown.height;
    if (settings.PosLabel == LabelTop)
        view_.setPictureTop(freeHeight / 2 + labelHeight);
    else if (settings.PosLabel == LabelBottom)
        view_.setPictureTop(freeHeight / 2);
    else // no label on screen ("Assente", or a position typed into the list and saved)
        view_.setPictureTop((screen.height - shown.height) / 2);

    view_.showPicture();
    if (settings.Effetti != 0) {
        // A negative speed would never reach the target: such a picture is shown at once.
        const int step = ClampToInt16(qint64(settings.Effetti) * SlideStepPerSpeed);
        if (step > 0) {
            for (double x = -shown.width; x <= targetLeft; x += step) {
                view_.setPictureLeft(x);
                if (!services_.yielder.yieldOnce())
                    return;
            }
        }
    }
    view_.setPictureLeft(targetLeft);
    prepareAhead(show.PictureIndex);
}

ShowView::ShownSizeRule ShowTick::shownSizeRule() const {
    const TwipsSize window = view_.windowSize();
    const double labelHeight = view_.labelHeight();
    const qint16 allarga = records_.settings.AllargaFoto;
    return
        [=](TwipsSize natural) { return ShownPictureSize(natural, window, labelHeight, allarga); };
}

void ShowTick::prepareAhead(int row) {
    const QString entry = records_.list.entry(row);
    if (!entry.isEmpty())
        view_.prepareAhead(records_.settings.ShowFolder + entry, shownSizeRule());
}

void ShowTick::endTitle() {
    view_.setLabelText(endTitleText());
    const TwipsSize window = view_.windowSize();
    view_.moveLabel((window.width - view_.labelWidth()) / 2,
                    (window.height - view_.labelHeight()) / 2);
    records_.memory.LastFolder.clear();
    StopMusic(services_.sound);
    prepareAhead(0);
}

void ShowTick::failure() {
    showMessage(invalidPictureText(records_.show.CurrentPicture));
}

bool ShowTick::showMessage(const QString& text) {
    services_.dialogs.message(text);
    return !view_.isShowOpen();
}
