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

#include <algorithm>

namespace {
// Twips between the label and the picture band, and the label's margin from the bottom edge.
constexpr double LabelGap = 80;
// Slide-in step per unit of Effetti, in twips.
constexpr int SlideStepPerSpeed = 40;
// The farthest a picture slides, in screen widths. A strip enlarged to the screen's height can be
// hundreds of screens wide and would slide for minutes; pictures up to three screens wide start
// off screen as usual, wider ones start already covering the screen.
constexpr double LongestSlideInScreens = 2;

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
    const double band = labelBand();
    transition();
    if (!nextEntry())
        return;
    // The window as the picture is loaded: its size rule holds for the whole tick.
    const TwipsSize window = view_.windowSize();
    const double labelHeight = view_.labelHeight();
    const ShowView::ShownSizeRule shownSize = shownSizeRule(window, labelHeight);
    const QString path = records_.settings.ShowFolder + records_.show.CurrentPicture;
    const std::optional<TwipsSize> natural = view_.loadPicture(path, shownSize);
    if (!natural) {
        // The next picture is decoded while the message waits for the user.
        prepareAhead(records_.show.PictureIndex);
        failure();
        return;
    }
    comment();
    if (!folderChange())
        return;
    const TwipsSize shown = shownSize(*natural);
    view_.sizePicture(shown);
    placeLabel(window, band);
    if (!background())
        return;
    placePicture(shown, labelHeight);
    if (slideIn(shown))
        prepareAhead(records_.show.PictureIndex);
}

double ShowTick::labelBand() const {
    return records_.settings.PosLabel == LabelNone ? 0 : view_.labelHeight() + LabelGap;
}

void ShowTick::transition() {
    if (records_.settings.Effetti == 0)
        return;
    // A copy, so that the random choice (code 0) is made anew at every tick.
    qint16 code = records_.settings.TipoEffetto;
    view_.clsDiag(code);
}

bool ShowTick::nextEntry() {
    ShowState& show = records_.show;
    ++show.PictureIndex;
    if (records_.catalogue.isEmpty()) {
        noPictures();
        return false;
    }
    show.CurrentPicture = records_.list.entry(show.PictureIndex - 1);
    if (show.CurrentPicture.isEmpty())
        show.PictureIndex = 0;
    view_.hidePicture();
    if (show.CurrentPicture.isEmpty()) {
        endTitle();
        return false;
    }
    return true;
}

void ShowTick::noPictures() {
    if (showMessage(noPicturesText()))
        return;
    view_.formLoad();
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

void ShowTick::comment() {
    const ShowSettings& settings = records_.settings;
    CommentStart(services_.sound.comment, settings.ShowFolder, records_.show.CurrentPicture,
                 settings.SuonoWAV);
}

bool ShowTick::folderChange() {
    const ShowSettings& settings = records_.settings;
    ShowState& show = records_.show;
    TickMemory& memory = records_.memory;
    memory.PictureFolder = FolderPartOf(show.CurrentPicture);
    const QString folderKey = memory.PictureFolder + settings.ShowFolder;
    if (folderKey != memory.LastFolder || show.MusicRestart) {
        const MusicChangeInput input{settings.ShowFolder, memory.PictureFolder, settings.MusicaFM,
                                     records_.showRunning};
        if (MusicChange(services_.sound, input, show.MusicRestart, services_.yielder,
                        services_.clock) == MusicOutcome::ShowEnded)
            return false;
    }
    memory.LastFolder = folderKey;
    return true;
}

void ShowTick::placeLabel(TwipsSize window, double band) {
    const qint16 position = records_.settings.PosLabel;
    view_.showLabel();
    view_.setLabelText(LabelTextFor(records_.show.CurrentPicture));
    double labelTop = window.height;
    if (position == LabelTop)
        labelTop = 0;
    else if (position == LabelBottom)
        labelTop = window.height - band - LabelGap;
    view_.moveLabel((window.width - view_.labelWidth()) / 2, labelTop);
}

bool ShowTick::background() {
    const ShowSettings& settings = records_.settings;
    quint32 color = 0;
    if (settings.RGB_RANDOM == -1) {
        color = RandomBackColor(services_.random, services_.clock);
    } else {
        if (!services_.yielder.yieldOnce())
            return false;
        color = FixedBackColor(settings.RGB_R, settings.RGB_G, settings.RGB_B);
    }
    view_.setBackColor(color);
    return true;
}

void ShowTick::placePicture(TwipsSize shown, double labelHeight) {
    const TwipsSize screen = view_.screenSize();
    const double freeHeight = screen.height - labelHeight - shown.height;
    const qint16 position = records_.settings.PosLabel;
    if (position == LabelTop)
        view_.setPictureTop(freeHeight / 2 + labelHeight);
    else if (position == LabelBottom)
        view_.setPictureTop(freeHeight / 2);
    else // no label on screen ("Assente", or a position typed into the list and saved)
        view_.setPictureTop((screen.height - shown.height) / 2);
}

bool ShowTick::slideIn(TwipsSize shown) {
    const double screenWidth = view_.screenSize().width;
    const double targetLeft = (screenWidth - shown.width) / 2;
    view_.showPicture();
    const qint16 speed = records_.settings.Effetti;
    // A negative speed would never reach the target: such a picture is shown at once.
    const int step = ClampToInt16(qint64(speed) * SlideStepPerSpeed);
    if (step > 0) {
        const double first =
            std::max(-shown.width, targetLeft - LongestSlideInScreens * screenWidth);
        for (double x = first; x <= targetLeft; x += step) {
            view_.setPictureLeft(x);
            if (!services_.yielder.yieldOnce())
                return false;
        }
    }
    view_.setPictureLeft(targetLeft);
    return true;
}

ShowView::ShownSizeRule ShowTick::shownSizeRule(TwipsSize window, double labelHeight) const {
    const qint16 allarga = records_.settings.AllargaFoto;
    return
        [=](TwipsSize natural) { return ShownPictureSize(natural, window, labelHeight, allarga); };
}

void ShowTick::prepareAhead(int row) {
    const QString entry = records_.list.entry(row);
    if (!entry.isEmpty())
        view_.prepareAhead(records_.settings.ShowFolder + entry,
                           shownSizeRule(view_.windowSize(), view_.labelHeight()));
}

void ShowTick::failure() {
    showMessage(invalidPictureText(records_.show.CurrentPicture));
}

bool ShowTick::showMessage(const QString& text) {
    services_.dialogs.message(text);
    return !view_.isShowOpen();
}
