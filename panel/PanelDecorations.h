#pragma once

#include "panel/PanelLinks.h"
#include "panel/PanelMotion.h"

#include <array>
#include <map>
#include <QObject>
#include <QString>

class Launcher;
class LineControl;
class LinkLabel;
class PointerManager;
class QLabel;
class QPushButton;
class QTimer;
class QWidget;

// Everything around the panel's settings: the animated banner Image3, the sliding e-mail link
// Label3, the web-site picture Picture4, the icon Image4, the picture Image2, the separators,
// the description, "&Aiuto" and the button of the maker's other product. The links open their
// pages through the launcher; the links' pointer is the pointing hand.
class PanelDecorations : public QObject {
    Q_OBJECT
public:
    // Creates the controls on `form` and, for the two buttons, in `frame`. `secondsCaption` is
    // the frame's label Label1, which "&Aiuto" moves out of view. The pictures and the
    // launcher `start` are found in `appFolder`.
    PanelDecorations(QWidget* form, QWidget* frame, QLabel* secondsCaption, QString appFolder,
                     Launcher& launcher, PointerManager& pointer);
    ~PanelDecorations() override;

    // The controls, by the names the program knows them by.
    std::array<LinkLabel*, 4> Image3{}; // element 3 is seen; 0..2 hold the frames
    LinkLabel* Picture4 = nullptr;      // the web-site picture
    LinkLabel* Label3 = nullptr;        // the e-mail link
    QLabel* Picture3 = nullptr;         // the link pointer's picture, never seen
    QLabel* Image4 = nullptr;           // the panel's icon
    QLabel* Image2 = nullptr;           // the made-in-Italy picture
    QLabel* Label18 = nullptr;          // ">"
    QLabel* Label19 = nullptr;          // "<"
    std::map<int, LineControl*> Line1;  // elements 0, 1, 6, 7
    QLabel* lblDescription = nullptr;
    QPushButton* Command2 = nullptr; // "&Aiuto"
    QPushButton* Command3 = nullptr; // the other product
    QTimer* Timer2 = nullptr;        // banner, 600 ms
    QTimer* Timer3 = nullptr;        // e-mail link, 50 ms

    BannerAnimation banner;
    MailLinkSlide mailLink;

    // The picture files beside the program.
    static inline const QString BannerDesign = QStringLiteral("banner.png");
    static inline const QString BannerFrames[3] = {QStringLiteral("banner1.png"),
                                                   QStringLiteral("banner2.png"),
                                                   QStringLiteral("banner3.png")};
    static inline const QString WebSitePicture = QStringLiteral("sito.png");
    static inline const QString IconPicture = QStringLiteral("quirello.png");
    static inline const QString ItalyPicture = QStringLiteral("italia.png");

    void Timer2_Timer();
    void Timer3_Timer();
    void Image3_Click();
    void Picture4_Click();
    void Label3_Click();
    void Command2_Click();
    void Command3_Click();

private:
    // Building the controls, in this order (each later one lies over the earlier ones).
    void createSeparators();
    void createBanner();   // Image3 and the web-site picture Picture4
    void createMailLink(); // Label3, and Picture3 with the link pointer's picture
    void createPictures(); // the icon Image4 and Image2
    void createTexts();    // the arrows Label18 and Label19, the description
    void createButtons(QWidget* frame);
    // The links take the pointing hand and open on a click or a key; the panel and the frame
    // take the arrow.
    void watchLinks(QWidget* frame);
    void startTimers();

    void open(PanelLink link);

    QWidget* form_;
    QLabel* secondsCaption_;
    const QString appFolder_;
    Launcher& launcher_;
    PointerManager& pointer_;
};
