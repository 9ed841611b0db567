#pragma once

#include "panel/PanelServices.h"

#include <map>
#include <memory>
#include <QWidget>

class AutoSizeLabel;
class CatalogueControls;
class ColourSample;
class EditableList;
class QCheckBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QScrollBar;
class SecondsField;
struct AppRecords;
struct SettingLine;

// The control panel, the program's main window: the show's settings, "&Play", the folder and
// the picture list. Its controls are public so that the panel's decorations can reach them.
class frmAbout : public QWidget {
    Q_OBJECT
public:
    frmAbout(AppRecords& records, PanelServices& services, QWidget* parent = nullptr);
    ~frmAbout() override;

    // The load: everything that happens before the panel is first shown, including the show
    // started by /RUN. Call once, before show().
    void Form_Load();
    // The panel became the active window again.
    void Form_Activate();
    // "&Play": checks the seconds, copies the controls into the settings, saves PHOTO.INI and
    // opens the show; returns when the show has closed.
    void Inizializza();

    AppRecords& records() { return records_; }
    PanelServices& services() { return services_; }

    // Places `control` at `index` in the panel's tab order (lowest first).
    void setTabIndex(QWidget* control, int index);

    // The controls, by the names the program knows them by.
    QGroupBox* Frame1 = nullptr;
    QPushButton* cmdOK = nullptr;
    QPushButton* Command1 = nullptr;
    QPushButton* cmdSysInfo = nullptr;
    QLabel* Label1 = nullptr;
    SecondsField* Text1 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label13 = nullptr;
    EditableList* Combo1 = nullptr;
    QLabel* Label16 = nullptr;
    EditableList* Combo2 = nullptr;
    QCheckBox* Check1 = nullptr;
    QCheckBox* Check2 = nullptr;
    QCheckBox* Check3 = nullptr;
    QCheckBox* Check4 = nullptr;
    QCheckBox* Check5 = nullptr;
    QLabel* Label20 = nullptr;
    QScrollBar* HScroll1 = nullptr;
    QScrollBar* HScroll2 = nullptr;
    QScrollBar* HScroll3 = nullptr;
    QScrollBar* HScroll4 = nullptr;
    AutoSizeLabel* Label21 = nullptr;
    QLabel* Label6 = nullptr;
    QLabel* Label7 = nullptr;
    QLabel* Label8 = nullptr;
    QLabel* Label9 = nullptr;
    AutoSizeLabel* Label10 = nullptr;
    AutoSizeLabel* Label11 = nullptr;
    AutoSizeLabel* Label12 = nullptr;
    ColourSample* Picture2 = nullptr;
    AutoSizeLabel* lblTitle = nullptr;
    AutoSizeLabel* Label5 = nullptr;
    // Label14, Dir1, Label15, Drive1, Command4, Label17, List1.
    std::unique_ptr<CatalogueControls> catalogue;

Q_SIGNALS:
    // The panel's first paint (the colour set-up that follows the load hangs off it).
    void firstPainted();

protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Building the window (frmAboutLayout.cpp).
    void createControls();
    void createSettingsControls();
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

    // The load (frmAboutLoad.cpp).
    void applySettingLine(const SettingLine& line);
    void fillLists();
    void setFolderControls(const QString& folder);
    void openNamedOnCommandLine();

    // The ways out (frmAboutExits.cpp).
    void EscapePressed();

    AppRecords& records_;
    PanelServices& services_;
    std::map<int, QWidget*> tabOrder_;
    bool painted_ = false;
    bool unloading_ = false;
};
