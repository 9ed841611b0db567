#pragma once

#include "show/ShowView.h"

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
class Yielder;

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
    Yielder& yielder;
    const Clock& clock;
    RandomSource& random;
};

// The show's main loop, one step per tick of Timer1: wipe the old picture with the effect, load
// the next picture of the list, start its comment, change the music at a new folder, scale and
// place it, label it, colour the background and slide it in. After the last picture one tick
// shows the end title; the next starts again at the first picture.
class ShowTick {
public:
    ShowTick(const TickRecords& records, ShowView& view, const TickServices& services);

    // One tick. A tick that comes while another is still suspended at a yield or showing a
    // message is skipped: ticks never overlap.
    void Timer1_Timer();

    bool isRunning() const { return running_; }

    static QString noPicturesText();
    static QString invalidPictureText(const QString& entry);
    static QString endTitleText();

private:
    // The tick, step by step (in the order run() takes them).
    void run();
    // The label's height with its gap, which the picture leaves free; 0 with no label.
    double labelBand() const;
    // Wipes the picture on screen with the transition effect.
    void transition();
    // Moves on to the next list entry; false when this tick has nothing to show (no pictures,
    // or the end title).
    bool nextEntry();
    void noPictures();
    void endTitle();
    // Starts the entry's spoken comment.
    void comment();
    // At a new folder the music changes; false when the show was ended meanwhile.
    bool folderChange();
    // Labels the picture at the top, at the bottom or below the window.
    void placeLabel(TwipsSize window, double band);
    // Colours the background; false when the show was ended meanwhile.
    bool background();
    // Places the picture in the band the label leaves.
    void placePicture(TwipsSize shown, double labelHeight);
    // Slides the picture in from the left to the middle; false when the show was ended
    // meanwhile.
    bool slideIn(TwipsSize shown);

    void failure();
    // The size rule for a window of `window` size and a label `labelHeight` high.
    ShowView::ShownSizeRule shownSizeRule(TwipsSize window, double labelHeight) const;
    // Lets the view decode the list entry at 0-based `row`, the next tick's picture.
    void prepareAhead(int row);
    // True when the show was ended during the message: nothing more may be touched.
    bool showMessage(const QString& text);

    TickRecords records_;
    ShowView& view_;
    TickServices services_;
    bool running_ = false;
};

// The label's text for a list entry: lower case, without a leading "./".
QString LabelTextFor(const QString& entry);

// The folder part of a list entry: its text up to and including the first separator, or ""
// when it has none.
QString FolderPartOf(const QString& entry);
