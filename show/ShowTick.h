#pragma once

#include "show/ShowView.h"

#include <memory>
#include <QString>

class Clock;
class Dialogs;
struct ImageCatalogue;
class PictureList;
class RandomSource;
struct ShowSettings;
struct ShowState;
struct SoundDevices;
struct TickMemory;
class StepScheduler;

// The records one tick reads and writes. They are owned by the application object and outlive
// the show window; the tick keeps only these references.
struct TickRecords {
    const ShowSettings& settings;
    const ImageCatalogue& catalogue; // the scan: only asked whether it found a picture
    const PictureList& list;         // the show's order
    ShowState& show;
    TickMemory& memory;
    const bool& showRunning; // the show was started by "&Play": music may start
};

// The services one tick uses besides the view.
struct TickServices {
    Dialogs& dialogs;
    SoundDevices& sound;
    StepScheduler& steps; // where the tick goes on after each pause
    const Clock& clock;
    RandomSource& random;
};

// The show's main loop, one pass per tick of Timer1: wipe the old picture with the effect, load
// the next picture of the list, start its comment, change the music at a new folder, scale and
// place it, label it, colour the background and slide it in. After the last picture one tick
// shows the end title; the next starts again at the first picture. A tick pauses (while its
// picture is being decoded, for the music's waits, before a fixed background, at each slide-in
// step, while a message is open) by handing the rest of itself to the scheduler or to the
// message's answer.
class ShowTick {
public:
    ShowTick(const TickRecords& records, ShowView& view, const TickServices& services);
    ~ShowTick();

    // One tick. A tick that comes while another is still paused or showing a message is
    // skipped: ticks never overlap.
    void Timer1_Timer();
    // Ends the tick in progress where it stands (the show has ended): its pending step never
    // runs, nor what would follow the answer to a message open now.
    void stop();

    bool isRunning() const { return alive_ != nullptr; }

    static QString noPicturesText();
    static QString invalidPictureText(const QString& entry);
    static QString endTitleText();

private:
    using Step = void (ShowTick::*)();

    // The tick, step by step, in the order they follow each other.
    void start();
    // The label's height with its gap, which the picture leaves free; 0 with no label.
    double labelBand() const;
    // Wipes the picture on screen with the transition effect.
    void transition();
    // Moves on to the next list entry; false when this tick shows no picture (no pictures, or
    // the end title), which then ends the tick itself.
    bool nextEntry();
    void noPictures();
    void setUpAgain();
    void endTitle();
    // Loads the entry's picture once it is decoded, pausing until then.
    void awaitPicture();
    // Starts the entry's spoken comment.
    void comment();
    // At a new folder the music changes, with its waits; then the picture is placed.
    void folderChange();
    void musicStep();
    void placeAndColour();
    // Labels the picture at the top, at the bottom or below the window.
    void placeLabel(TwipsSize window, double band);
    void fixedBackground();
    // Places the picture in the band the label leaves.
    void placePicture(TwipsSize shown, double labelHeight);
    // Slides the picture in from the left to the middle, one step per pause.
    void slideIn();
    void slideStep();
    void slideEnd();

    void failure();
    // The size rule for a window of `window` size and a label `labelHeight` high.
    ShowView::ShownSizeRule shownSizeRule(TwipsSize window, double labelHeight) const;
    // Lets the view decode the list entry at 0-based `row`, the next tick's picture.
    void prepareAhead(int row);
    // Shows `text`; `then` follows its answer unless the tick was stopped meanwhile.
    void showMessage(const QString& text, Step then);
    // Runs `step` after `delayMs` on the scheduler.
    void next(int delayMs, Step step);
    void finish();

    // What one tick carries from step to step (ShowTick.cpp).
    struct Progress;

    TickRecords records_;
    ShowView& view_;
    TickServices services_;
    std::unique_ptr<Progress> progress_;
    // Held for the tick in progress only: a message's answer that finds it gone does nothing,
    // and a Timer1 tick that finds it held is skipped.
    std::shared_ptr<const bool> alive_;
};

// The label's text for a list entry: lower case, without a leading "./".
QString LabelTextFor(const QString& entry);

// The folder part of a list entry: its text up to and including the first separator, or ""
// when it has none.
QString FolderPartOf(const QString& entry);
