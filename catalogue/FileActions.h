#pragma once

#include "catalogue/FileOperations.h"
#include "catalogue/PictureList.h"
#include "platform/Dialogs.h"
#include "platform/Launcher.h"

#include <functional>
#include <QSize>
#include <QString>

namespace fileactions {

inline const QString RenamePrompt = QStringLiteral(
    "La sequenza dello screen show avviene in ordine alfabetico crescente sul nome del file, per "
    "cambiare l'ordine occorre cambiare nome ai files. Digita il nuovo nome della foto, "
    "ricordando di non cancellare l'estensione (.jpg, .bmp ecc) il nome attuale e'");
inline const QString RenameTitle = QStringLiteral("Rinomina un file di immagine");
inline const QString RenameError = QStringLiteral(
    "Si è verificato un errore durante il processo di ridenominazione del file, o è stato usato "
    "un nome di file errato oppure non è possibile scrivere sulla directory specificata (cd-rom, "
    "rete ecc.)");

QString deleteQuestion(const QString& entry);
QString deleteFailure(const QString& entry);

// The preview box the panel fits pictures into, in pixels.
constexpr int PreviewWidth = 280;
constexpr int PreviewHeight = 180;

// The size of a picture of `natural` size in the preview box: its proportions kept, touching
// the box on its longer side, small pictures enlarged. An empty size for a picture with no size.
QSize previewSize(QSize natural);

// The path of an entry's file as handed to the launcher: the show folder followed by the entry,
// without the current-folder step "./".
QString openPath(const QString& showFolder, const QString& entry);

// The command line that opens an entry's file with the desktop's program for it.
QString openCommandLine(const QString& appFolder, const QString& showFolder, const QString& entry);

} // namespace fileactions

// Open, rename and delete of the file list's selected entry. `row` is the selected row of the
// list, -1 when nothing is selected. `showFolder` is asked at each action, so that the actions
// follow the folder the panel shows; `appFolder` holds the launcher `start`. An answer that comes
// when the entry is no longer at its row does nothing.
class FileActions {
public:
    FileActions(QString appFolder, std::function<QString()> showFolder, PictureList& list,
                Launcher& launcher, Dialogs& dialogs, FileOperations& files);

    // Opens the entry's file; false when the launcher could not be started.
    bool open(int row);
    // The popup menu's open: a launcher that cannot be started is reported.
    void openFromMenu(int row);
    // Asks for the new name and renames; `done` gets true when the file was renamed. The item
    // keeps its place in the list until the next scan.
    void rename(int row, std::function<void(bool renamed)> done = {});
    // Asks for confirmation and deletes, into the user's Trash where the file's volume has one;
    // `done` gets true when the item left the list. It leaves only when the file is gone: a file
    // that is kept (read-only, a folder, a medium that refuses) stays listed. A file already gone
    // from the disk is reported as not deleted and leaves the list.
    void remove(int row, std::function<void(bool removed)> done = {});

private:
    const QString appFolder_;
    const std::function<QString()> showFolder_;
    PictureList& list_;
    Launcher& launcher_;
    Dialogs& dialogs_;
    FileOperations& files_;
};
