#include "panel/PanelDecorations.h"

#include "controls/LineControl.h"
#include "controls/LinkLabel.h"
#include "controls/PointerManager.h"
#include "core/Twips.h"
#include "panel/Addresses.h"
#include "panel/PanelPicture.h"
#include "platform/Launcher.h"

#include <QFont>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QTimer>
#include <utility>

namespace {

// A picture control; `spoken` is what a screen reader says of it.
template <typename Label = QLabel>
Label* picture(QWidget* parent, const QString& name, const QString& file, QRect place,
               bool stretched, const QString& spoken) {
    auto* label = new Label(parent);
    label->setObjectName(name);
    label->setAccessibleName(spoken);
    label->setGeometry(place);
    label->setScaledContents(stretched);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    // A missing picture leaves the control empty; the panel works without it.
    label->setPixmap(PanelPicture(file, parent->devicePixelRatioF()));
    return label;
}

QLabel* text(QWidget* parent, const QString& name, const QString& caption, QRect place) {
    auto* label = new QLabel(caption, parent);
    label->setObjectName(name);
    label->setGeometry(place);
    return label;
}

} // namespace

PanelDecorations::PanelDecorations(QWidget* form, QWidget* frame, QLabel* secondsCaption,
                                   QString appFolder, Launcher& launcher, PointerManager& pointer)
    : form_(form), secondsCaption_(secondsCaption), appFolder_(std::move(appFolder)),
      launcher_(launcher), pointer_(pointer) {
    createSeparators();
    createBanner();
    createMailLink();
    createPictures();
    createTexts();
    createButtons(frame);
    watchLinks(frame);
    startTimers();
}

void PanelDecorations::createSeparators() {
    // The etched separators: a grey line with a white one just under it.
    Line1[0] = new LineControl(form_, 24, 604, 72, Qt::white, 2);
    Line1[1] = new LineControl(form_, 24, 604, 72, QColor(128, 128, 128));
    Line1[6] = new LineControl(form_, 24, 604, 396, QColor(128, 128, 128));
    Line1[7] = new LineControl(form_, 24, 604, 398, Qt::white, 2);
    for (auto& [element, line] : Line1)
        line->setObjectName(QStringLiteral("Line1_%1").arg(element));
}

void PanelDecorations::createBanner() {
    const int frameLefts[3] = {2520, 4440, 6360};
    for (int i = 0; i < 3; ++i)
        Image3[i] = picture<LinkLabel>(form_, QStringLiteral("Image3_%1").arg(i),
                                       appFolder_ + BannerFrames[i],
                                       FromTwips(frameLefts[i], 7440, 1800, 870), true,
                                       QStringLiteral("Fotogramma %1 del banner").arg(i + 1));
    // The frames only hold their pictures: hidden, neither an enlarged panel nor a screen
    // reader shows them.
    for (int i = 0; i < 3; ++i)
        Image3[i]->hide();
    Image3[3] = picture<LinkLabel>(form_, QStringLiteral("Image3_3"), appFolder_ + BannerDesign,
                                   FromTwips(7290, 90, 1800, 870), true,
                                   QStringLiteral("Acquista Zafferon, giochi e utilità"));

    Picture4 = picture<LinkLabel>(form_, QStringLiteral("Picture4"), appFolder_ + WebSitePicture,
                                  FromTwips(1410, 540, 1800, 435), false,
                                  QStringLiteral("Visita il sito dell'autore"));
    Picture4->setToolTip(QStringLiteral("Visita il sito dell'autore ..."));
}

void PanelDecorations::createMailLink() {
    Label3 = new LinkLabel(addresses::AuthorMail, form_);
    Label3->setObjectName(QStringLiteral("Label3"));
    Label3->setGeometry(FromTwips(6540, 5670, 1635, 255));
    Label3->setAccessibleName(QStringLiteral("Scrivi all'autore: ") + addresses::AuthorMail);
    QFont link = Label3->font();
    link.setUnderline(true);
    Label3->setFont(link);
    QPalette blue = Label3->palette();
    blue.setColor(QPalette::WindowText, QColor(0, 0, 255));
    Label3->setPalette(blue);
    Label3->setToolTip(QStringLiteral("Scrivi all'autore ..."));

    Picture3 = new QLabel(form_);
    Picture3->setObjectName(QStringLiteral("Picture3"));
    Picture3->setAccessibleName(QStringLiteral("Puntatore dei collegamenti"));
    Picture3->setGeometry(96, 576, 32, 32);
    Picture3->setPixmap(QPixmap::fromImage(PointerManager::handPicture()));
    Picture3->hide();
}

void PanelDecorations::createPictures() {
    Image4 = picture(form_, QStringLiteral("Image4"), appFolder_ + IconPicture,
                     FromTwips(360, 120, 870, 870), true, QStringLiteral("Icona di Quirello"));
    form_->setWindowIcon(WindowIcon(appFolder_, appFolder_ + IconPicture));
    Image2 = picture(form_, QStringLiteral("Image2"), appFolder_ + ItalyPicture,
                     FromTwips(1680, 6060, 900, 705), false, QStringLiteral("Bandiera italiana"));
    Image2->setToolTip(QStringLiteral(
        "Tutti i bit utilizzati per la creazione di questo programma sono italiani."));
}

void PanelDecorations::createTexts() {
    Label18 = text(form_, QStringLiteral("Label18"), QStringLiteral(">"),
                   FromTwips(4890, 5700, 135, 225));
    Label19 = text(form_, QStringLiteral("Label19"), QStringLiteral("<"),
                   FromTwips(8970, 5700, 135, 225));
    for (QLabel* arrow : {Label18, Label19}) {
        QFont bold = arrow->font();
        bold.setBold(true);
        arrow->setFont(bold);
    }

    lblDescription = text(form_, QStringLiteral("lblDescription"),
                          QStringLiteral("Screen show di immagini, suoni, commento e musiche"),
                          FromTwips(1440, 330, 3825, 225));
}

void PanelDecorations::createButtons(QWidget* frame) {
    Command2 = new QPushButton(QStringLiteral("&Aiuto"), frame);
    Command2->setObjectName(QStringLiteral("Command2"));
    Command2->setGeometry(FromTwips(3180, 1200, 615, 375));
    Command2->setToolTip(QStringLiteral("Lettura file istruzioni"));
    connect(Command2, &QPushButton::clicked, this, [this] { Command2_Click(); });

    Command3 = new QPushButton(QStringLiteral("&Zafferon"), frame);
    Command3->setObjectName(QStringLiteral("Command3"));
    Command3->setGeometry(FromTwips(1500, 1200, 1575, 375));
    Command3->setToolTip(QStringLiteral("Il Zafferon è una suite di giochi/utilities"));
    connect(Command3, &QPushButton::clicked, this, [this] { Command3_Click(); });
}

void PanelDecorations::watchLinks(QWidget* frame) {
    for (LinkLabel* l : {Image3[0], Image3[1], Image3[2], Image3[3], Picture4, Label3}) {
        pointer_.linkOver(l);
        void (PanelDecorations::*click)() = l == Picture4 ? &PanelDecorations::Picture4_Click
                                            : l == Label3 ? &PanelDecorations::Label3_Click
                                                          : &PanelDecorations::Image3_Click;
        connect(l, &LinkLabel::activated, this, click);
    }
    // Only the links in view take the focus; the banner's frames lie below the window.
    for (LinkLabel* l : {Image3[3], Picture4, Label3})
        l->setFocusPolicy(Qt::TabFocus);
    pointer_.arrowOver(form_);
    pointer_.arrowOver(frame);
    pointer_.arrowOver(lblDescription);
}

void PanelDecorations::startTimers() {
    Timer2 = new QTimer(this);
    Timer2->setObjectName(QStringLiteral("Timer2"));
    Timer2->setInterval(600);
    connect(Timer2, &QTimer::timeout, this, [this] { Timer2_Timer(); });
    Timer3 = new QTimer(this);
    Timer3->setObjectName(QStringLiteral("Timer3"));
    Timer3->setInterval(50);
    connect(Timer3, &QTimer::timeout, this, [this] { Timer3_Timer(); });
    Timer2->start();
    Timer3->start();
}

PanelDecorations::~PanelDecorations() = default;

void PanelDecorations::Timer2_Timer() {
    const int element = banner.tick();
    Image3[3]->setPixmap(Image3[element]->pixmap());
}

void PanelDecorations::Timer3_Timer() {
    Label3->move(mailLink.tick(Label3->x()), Label3->y());
}

void PanelDecorations::open(PanelLink link) {
    // The panel never waits for the launcher nor looks at its outcome.
    const LinkCommand command = linkCommand(link, appFolder_, Label3->text());
    launcher_.run(command.commandLine, command.style);
}

void PanelDecorations::Image3_Click() {
    open(PanelLink::Purchase);
}

void PanelDecorations::Picture4_Click() {
    open(PanelLink::WebSite);
    pointer_.setPointer(PointerManager::Pointer::Arrow);
}

void PanelDecorations::Label3_Click() {
    pointer_.setPointer(PointerManager::Pointer::Arrow);
    open(PanelLink::Mail);
    pointer_.setPointer(PointerManager::Pointer::Arrow);
}

void PanelDecorations::Command2_Click() {
    // Below everything, and it stays there.
    secondsCaption_->move(secondsCaption_->x(), form_->frameGeometry().height());
    pointer_.setPointer(PointerManager::Pointer::Default);
    open(PanelLink::Help);
}

void PanelDecorations::Command3_Click() {
    open(PanelLink::Product);
}
