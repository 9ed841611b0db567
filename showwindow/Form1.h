#pragma once

#include <memory>
#include <QRect>
#include <QString>
#include <QWidget>

struct AppRecords;
struct ShowServices;

// The full-screen show window. It shows the title screen for one interval, then one picture per
// tick of Timer1; any key, a mouse button on the background or a click on the picture ends the
// show through Fine. The show state and the tick memory live in AppRecords, so they outlive it.
class Form1 : public QWidget {
    Q_OBJECT
public:
    // `panel` only chooses the screen the show covers (the panel's); it is not the parent.
    Form1(AppRecords& records, const ShowServices& services, QWidget* panel = nullptr);
    ~Form1() override;

    // Form_Load, then full screen on the panel's screen, application-modal: every other window
    // of the program takes no input until Fine closes this one. Returns at once; the show runs
    // on the application's event loop until ended() is signalled.
    void startShow();

    // Ends the show: music stop sequence and MP3 stop, Timer1 off, the tick stopped where it
    // stands, PictureIndex 0, MusicRestart true, close; then ended().
    void Fine();

    // What the window shows, in pixels of this window.
    struct Shown {
        bool open = false; // from startShow until Fine
        QRect picture;     // Image1
        bool pictureVisible = false;
        // The largest image (device pixels) the picture has kept since the show opened.
        QSize largestPictureImage;
        QRect label; // Label1
        QString labelText;
        int timerInterval = 0; // Timer1
        bool timerActive = false;
        bool tickRunning = false; // a tick of Timer1 has not returned yet
    };
    Shown shown() const;

Q_SIGNALS:
    // The show has ended (Fine, or the window was closed from outside), and the window closed.
    void ended();

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

public:
    // The window's state and the view its tick works on (Form1Private.h).
    struct Impl;

private:
    std::unique_ptr<Impl> d;
};
