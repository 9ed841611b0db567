#include "show/ShowTick.h"

#include "catalogue/ImageCatalogue.h"
#include "catalogue/PictureList.h"
#include "core/Rounding.h"
#include "platform/Dialogs.h"
#include "settings/ShowSettings.h"
#include "show/Background.h"
#include "show/ShowState.h"
#include "show/ShowView.h"
#include "show/StepScheduler.h"
#include "sound/Music.h"

#include <algorithm>
#include <vector>

namespace {
// Twips between the label and the picture band, and the label's margin from the bottom edge.
constexpr double LabelGap = 80;
// Slide-in step per unit of Effetti, in twips.
constexpr int SlideStepPerSpeed = 40;
// The farthest a picture slides, in screen widths. A strip enlarged to the screen's height can be
// hundreds of screens wide and would slide for minutes; pictures up to three screens wide start
// off screen as usual, wider ones start already covering the screen.
constexpr double LongestSlideInScreens = 2;
// While the picture is being decoded the tick looks again this often; the window hastens the
// look as soon as the decode ends.
constexpr int PictureLookMs = 100;

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

struct ShowTick::Progress {
    TwipsSize window; // as the picture was asked for: its size rule holds for the whole tick
    double band = 0;
    double labelHeight = 0;
    QString path; // the picture file
    TwipsSize shown;
    QString folderKey;
    std::vector<MusicStep> music;
    size_t musicDone = 0;
    double left = 0;       // the slide-in's next place
    double targetLeft = 0; // and where it ends
    int step = 0;
};

ShowTick::ShowTick(const TickRecords& records, ShowView& view, const TickServices& services)
    : records_(records), view_(view), services_(services) {}

ShowTick::~ShowTick() = default;

void ShowTick::Timer1_Timer() {
    if (alive_)
        return;
    alive_ = std::make_shared<const bool>(true);
    progress_ = std::make_unique<Progress>();
    start();
}

void ShowTick::stop() {
    services_.steps.cancel();
    alive_.reset();
}

void ShowTick::finish() {
    alive_.reset();
}

void ShowTick::next(int delayMs, Step step) {
    services_.steps.after(delayMs, [this, step] { (this->*step)(); });
}

void ShowTick::showMessage(const QString& text, Step then) {
    services_.dialogs.message(text, [this, then, alive = std::weak_ptr<const bool>(alive_)] {
        if (!alive.expired())
            (this->*then)();
    });
}

void ShowTick::start() {
    Progress& p = *progress_;
    p.band = labelBand();
    transition();
    if (!nextEntry())
        return;
    p.window = view_.windowSize();
    p.labelHeight = view_.labelHeight();
    p.path = records_.settings.ShowFolder + records_.show.CurrentPicture;
    awaitPicture();
}

void ShowTick::awaitPicture() {
    Progress& p = *progress_;
    const ShowView::ShownSizeRule shownSize = shownSizeRule(p.window, p.labelHeight);
    if (!view_.pictureAtHand(p.path, shownSize)) {
        // A pause like any other: a key or a click ends the show meanwhile.
        next(PictureLookMs, &ShowTick::awaitPicture);
        return;
    }
    const std::optional<TwipsSize> natural = view_.loadPicture(p.path, shownSize);
    if (!natural) {
        // The next picture is decoded while the message waits for the user.
        prepareAhead(records_.show.PictureIndex);
        failure();
        return;
    }
    comment();
    p.shown = shownSize(*natural);
    folderChange();
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
    showMessage(noPicturesText(), &ShowTick::setUpAgain);
}

void ShowTick::setUpAgain() {
    view_.formLoad();
    finish();
}

void ShowTick::endTitle() {
    view_.setLabelText(endTitleText());
    const TwipsSize window = view_.windowSize();
    view_.moveLabel((window.width - view_.labelWidth()) / 2,
                    (window.height - view_.labelHeight()) / 2);
    records_.memory.LastFolder.clear();
    StopMusic(services_.sound);
    prepareAhead(0);
    finish();
}

void ShowTick::comment() {
    const ShowSettings& settings = records_.settings;
    CommentStart(services_.sound.comment, settings.ShowFolder, records_.show.CurrentPicture,
                 settings.SuonoWAV);
}

void ShowTick::folderChange() {
    const ShowSettings& settings = records_.settings;
    ShowState& show = records_.show;
    TickMemory& memory = records_.memory;
    Progress& p = *progress_;
    memory.PictureFolder = FolderPartOf(show.CurrentPicture);
    p.folderKey = memory.PictureFolder + settings.ShowFolder;
    if (p.folderKey != memory.LastFolder || show.MusicRestart) {
        const MusicChangeInput input{settings.ShowFolder, memory.PictureFolder, settings.MusicaFM,
                                     records_.showRunning};
        p.music = MusicChange(services_.sound, input, show.MusicRestart);
    }
    musicStep();
}

void ShowTick::musicStep() {
    Progress& p = *progress_;
    if (p.musicDone == p.music.size()) {
        records_.memory.LastFolder = p.folderKey;
        placeAndColour();
        return;
    }
    services_.steps.after(p.music[p.musicDone].waitMs, [this] {
        Progress& q = *progress_;
        const std::function<void()> run = std::move(q.music[q.musicDone++].run);
        if (run)
            run();
        musicStep();
    });
}

void ShowTick::placeAndColour() {
    const Progress& p = *progress_;
    view_.sizePicture(p.shown);
    placeLabel(p.window, p.band);
    if (records_.settings.RGB_RANDOM == -1) {
        view_.setBackColor(RandomBackColor(services_.random, services_.clock));
        slideIn();
    } else {
        next(0, &ShowTick::fixedBackground);
    }
}

void ShowTick::fixedBackground() {
    const ShowSettings& settings = records_.settings;
    view_.setBackColor(FixedBackColor(settings.RGB_R, settings.RGB_G, settings.RGB_B));
    slideIn();
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

void ShowTick::slideIn() {
    Progress& p = *progress_;
    placePicture(p.shown, p.labelHeight);
    const double screenWidth = view_.screenSize().width;
    p.targetLeft = (screenWidth - p.shown.width) / 2;
    view_.showPicture();
    const qint16 speed = records_.settings.Effetti;
    // A negative speed would never reach the target: such a picture is shown at once.
    p.step = ClampToInt16(qint64(speed) * SlideStepPerSpeed);
    if (p.step <= 0) {
        slideEnd();
        return;
    }
    p.left = std::max(-p.shown.width, p.targetLeft - LongestSlideInScreens * screenWidth);
    slideStep();
}

void ShowTick::slideStep() {
    Progress& p = *progress_;
    if (p.left > p.targetLeft) {
        slideEnd();
        return;
    }
    view_.setPictureLeft(p.left);
    p.left += p.step;
    next(0, &ShowTick::slideStep);
}

void ShowTick::slideEnd() {
    view_.setPictureLeft(progress_->targetLeft);
    prepareAhead(records_.show.PictureIndex);
    finish();
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
    showMessage(invalidPictureText(records_.show.CurrentPicture), &ShowTick::finish);
}
