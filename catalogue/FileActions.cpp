#include "catalogue/FileActions.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace fileactions {

QString deleteQuestion(const QString& entry) {
    return QStringLiteral("Sei sicuro di vole cancellare il file ") + entry + QStringLiteral(" ?");
}

QString deleteFailure(const QString& entry) {
    return QStringLiteral("Non è possibile cancellare il file ") + entry +
           QStringLiteral(" controllare che non si tratti di un file in sola lettura o una "
                          "cartella di un CD-ROM o DVD-ROM");
}

namespace {
// Whole pixels: the nearest, a half to the even neighbour.
int wholePixels(float value) {
    return std::max(1, static_cast<int>(std::nearbyint(value)));
}
} // namespace

QSize previewSize(QSize natural) {
    if (natural.width() <= 0 || natural.height() <= 0)
        return {};
    // Single precision, both sides divided by the same ratio read from the natural size.
    const float rw = static_cast<float>(natural.width()) / PreviewWidth;
    const float rh = static_cast<float>(natural.height()) / PreviewHeight;
    const float r = rw > rh ? rw : rh;
    return {wholePixels(static_cast<float>(natural.width()) / r),
            wholePixels(static_cast<float>(natural.height()) / r)};
}

QString openPath(const QString& showFolder, const QString& entry) {
    static const QString here = QStringLiteral("./");
    return showFolder + (entry.startsWith(here) ? entry.mid(here.size()) : entry);
}

QString openCommandLine(const QString& appFolder, const QString& showFolder, const QString& entry) {
    return appFolder + QStringLiteral("START ") + openPath(showFolder, entry);
}

} // namespace fileactions

FileActions::FileActions(QString appFolder, std::function<QString()> showFolder, PictureList& list,
                         Launcher& launcher, Dialogs& dialogs, FileOperations& files)
    : appFolder_(std::move(appFolder)), showFolder_(std::move(showFolder)), list_(list),
      launcher_(launcher), dialogs_(dialogs), files_(files) {}

bool FileActions::open(int row) {
    // No selection opens the show folder itself.
    return launcher_.run(fileactions::openCommandLine(appFolder_, showFolder_(), list_.entry(row)),
                         WindowStyle::MinimizedFocus);
}

void FileActions::openFromMenu(int row) {
    if (!open(row))
        dialogs_.message(fileactions::RenameError);
}

void FileActions::rename(int row, std::function<void(bool renamed)> done) {
    const auto finish = [done = std::move(done)](bool renamed) {
        if (done)
            done(renamed);
    };
    const QString old = list_.entry(row);
    if (old.isEmpty())
        return finish(false);
    dialogs_.inputBox(fileactions::RenamePrompt, fileactions::RenameTitle, old, 0,
                      [this, row, old, finish](const QString& typed) {
                          if (typed.isEmpty() || list_.entry(row) != old)
                              return finish(false);
                          if (!files_.rename(showFolder_() + old, showFolder_() + typed)) {
                              dialogs_.message(fileactions::RenameError);
                              return finish(false);
                          }
                          list_.replace(row, typed);
                          finish(true);
                      });
}

void FileActions::remove(int row, std::function<void(bool removed)> done) {
    const auto finish = [done = std::move(done)](bool removed) {
        if (done)
            done(removed);
    };
    const QString name = list_.entry(row);
    if (name.isEmpty())
        return finish(false);
    dialogs_.confirm(fileactions::deleteQuestion(name), [this, row, name, finish](bool ok) {
        if (!ok || list_.entry(row) != name)
            return finish(false);
        using Removal = FileOperations::Removal;
        const Removal removal = files_.remove(showFolder_() + name);
        if (removal == Removal::Kept || removal == Removal::Missing)
            dialogs_.message(fileactions::deleteFailure(name));
        if (removal == Removal::Kept)
            return finish(false);
        // In the Trash, deleted now, or already gone: nothing is left to list.
        list_.remove(row);
        finish(true);
    });
}
