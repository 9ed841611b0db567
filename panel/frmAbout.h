#pragma once

#include "panel/PanelRoles.h"
#include "panel/PanelStretch.h"
#include "settings/SettingRules.h"
#include "startup/AppServices.h"

#include <map>
#include <memory>
#include <QWidget>

class CatalogueControls;
class QDragEnterEvent;
class QDropEvent;
class AutoSizeLabel;
struct AppRecords;
struct PanelValues;
struct SettingLine;

// The control panel, the program's main window: the show's settings, "&Play", the folder and
// the picture list. What is built around it (decorations, preview, list actions) and the tests
// reach its controls through the role views.
class frmAbout : public QWidget {
    Q_OBJECT
public:
    frmAbout(AppRecords& records, AppServices& services, QWidget* parent = nullptr);
    ~frmAbout() override;

    // The load: everything that happens before the panel is first shown, including the show
    // started by /RUN. Call once, before show().
    void Form_Load();
    // The panel became the active window again.
    void Form_Activate();
    // "&Play": checks the seconds, copies the controls into the settings, saves PHOTO.INI and
    // opens the show (which runs on after the return).
    void Inizializza();

    // A folder or picture handed over once the panel is up (another start of the program, a
    // drop): the panel comes forward and opens it as the command line `arguments` would, taken
    // from `startFolder`; "/RUN" starts the show. Dropped while a show or a message is open.
    void openArguments(const QStringList& arguments, const QString& startFolder);

    AppRecords& records() { return records_; }
    AppServices& services() { return services_; }

    // Places `control` at `index` in the panel's tab order (lowest first).
    void setTabIndex(QWidget* control, int index);

    // The controls by role (PanelRoles.h).
    ColourBars colourBars() const;
    ValueLabels valueLabels() const;
    PlayControls playControls() const;
    ShowChoices showChoices() const;
    SettingsFrame settingsFrame() const;
    // Label14, Dir1, Label15, Drive1, Command4, Label17, List1.
    CatalogueControls& catalogue() const { return *catalogue_; }

Q_SIGNALS:
    // The panel's first paint (the colour set-up that follows the load hangs off it).
    void firstPainted();

protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    // Building the window (frmAboutLayout.cpp, frmAboutControls.cpp).
    void createControls();
    void createButtons(QWidget* frame);
    void createSecondsControls(QWidget* frame);
    void createChoiceControls(QWidget* frame);
    void createSpeedControls(QWidget* frame);
    void createColourControls(QWidget* frame);
    // What a screen reader says of the controls whose caption stands beside them.
    void nameControls();
    void applyTabOrder();

    // The settings controls' change handling (frmAboutSettings.cpp).
    void connectSettingsControls();
    void HScroll_Change(QScrollBar* bar, AutoSizeLabel* valueLabel);
    void Check4_Click();
    void HScroll4_Change();
    void Text1_LostFocus();
    // "&Play" however pressed (click, access key, Space or Enter): the seconds check that leaving
    // the field makes, since a key press does not leave it; then Inizializza.
    void cmdOK_Click();
    QColor barsColour() const;

    // Each PHOTO.INI key's control, and the panel's load and save through it
    // (frmAboutBinding.cpp).
    struct SettingControl {
        QWidget* control = nullptr;
        AutoSizeLabel* valueLabel = nullptr; // the bar's value, where the load shows it
    };
    SettingControl controlOf(SettingKey key) const;
    void applySettingLine(const SettingLine& line);
    // The lists show the record's entries once every line has been read.
    void selectSettingLists();
    PanelValues panelValues() const;

    // The load (frmAboutLoad.cpp).
    void fillLists();
    void setFolderControls(const QString& folder);
    void openNamed(const OpenRequest& request);

    // The ways out (frmAboutExits.cpp).
    void EscapePressed();

    AppRecords& records_;
    AppServices& services_;

    // The controls, by the names the program knows them by; each is a child of the window.
    QGroupBox* Frame1 = nullptr;       // "Quirello", round the settings and the buttons
    QPushButton* cmdOK = nullptr;      // "&Play": saves the settings and starts the show
    QPushButton* Command1 = nullptr;   // "&Fine": the maker's site, then the end
    QPushButton* cmdSysInfo = nullptr; // "&System Info...": the system information tool
    QLabel* Label1 = nullptr;          // the seconds' caption (the show's Label1 is its file name)
    SecondsField* Text1 = nullptr;     // the seconds each picture stays
    QLabel* Label2 = nullptr;          // "secondi", after the field
    QLabel* Label13 = nullptr;         // the effect list's caption
    EditableList* Combo1 = nullptr;    // the transition effect
    QLabel* Label16 = nullptr;         // the label position list's caption
    EditableList* Combo2 = nullptr;    // where the file-name label goes
    QCheckBox* Check1 = nullptr;       // the folders' MP3/MIDI music
    QCheckBox* Check2 = nullptr;       // the pictures' spoken comments
    QCheckBox* Check3 = nullptr;       // small pictures enlarged to the screen
    QCheckBox* Check4 = nullptr;       // "A caso": a random background colour
    QCheckBox* Check5 = nullptr;       // the thin border round each picture
    QLabel* Label20 = nullptr;         // the speed bar's caption
    QScrollBar* HScroll1 = nullptr;    // the background's red, 0..255
    QScrollBar* HScroll2 = nullptr;    // green
    QScrollBar* HScroll3 = nullptr;    // blue
    QScrollBar* HScroll4 = nullptr;    // the change speed, 0..100
    AutoSizeLabel* Label21 = nullptr;  // the speed's value
    QLabel* Label6 = nullptr;          // "Colore del bordo", the colour's caption
    QLabel* Label7 = nullptr;          // "R" before the red bar
    QLabel* Label8 = nullptr;          // "G"
    QLabel* Label9 = nullptr;          // "B"
    AutoSizeLabel* Label10 = nullptr;  // the red bar's value
    AutoSizeLabel* Label11 = nullptr;  // the green bar's value
    AutoSizeLabel* Label12 = nullptr;  // the blue bar's value
    ColourSample* Picture2 = nullptr;  // the sample box of the background colour
    AutoSizeLabel* lblTitle = nullptr; // the program's name and credit, at the bottom
    AutoSizeLabel* Label5 = nullptr;   // the version, under the title
    std::unique_ptr<CatalogueControls> catalogue_;

    PanelStretch stretch_;
    std::map<int, QWidget*> tabOrder_;
    bool painted_ = false;
    bool unloading_ = false;
};
