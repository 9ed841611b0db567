#pragma once

#include <QObject>
#include <QString>

class AutoSizeLabel;
class QLabel;
class QListView;
class QPushButton;
class QWidget;
class DirListBox;
class DriveListBox;
class Dialogs;
struct AppRecords;

// The panel's catalogue controls: the folder and drive choice, "Visualizza lista", the count
// and the file list List1, with the rescan that ties them to the catalogue.
class CatalogueControls : public QObject {
    Q_OBJECT
public:
    // Creates the controls as children of `panel`, at their places in its client area.
    CatalogueControls(QWidget* panel, AppRecords& records, Dialogs& dialogs);

    QLabel* Label14 = nullptr;        // the folder list's caption
    DirListBox* Dir1 = nullptr;       // the folder list: its folder is the show folder
    QLabel* Label15 = nullptr;        // the drive list's caption
    DriveListBox* Drive1 = nullptr;   // the mounted volumes
    QPushButton* Command4 = nullptr;  // "Visualizza lista": scans the folder again
    AutoSizeLabel* Label17 = nullptr; // "N. " and the pictures the last scan found
    QListView* List1 = nullptr;       // the pictures, in the show's order

    // The rescan: ShowFolder from the folder list, the hourglass while scanning, the count.
    void Command4_Click();
    void Dir1_Change();
    // Moves the folder list to the root of `root`; when that fails, says so and goes back to
    // the application folder.
    void Drive1_Change(const QString& root);
    // Shows the count of a scan made elsewhere (the show window's own rescan).
    void setScanCount(int count);

private:
    AppRecords& records_;
    Dialogs& dialogs_;
};
