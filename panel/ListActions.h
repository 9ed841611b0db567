#pragma once

#include <functional>
#include <QObject>
#include <QPoint>

class FileActions;
class PointerManager;
class PreviewImage;
struct ShowSettings;
class QAction;
class QListView;
class QMenu;

// What the file list List1 does with its pictures: a new selection previews the picture, a
// double click opens it, and the right button offers the popup menu Menudestro to open,
// rename or delete it. The right button never changes the selection: the menu acts on the
// entry selected before. The preview reads the settings' show folder at each click.
class ListActions : public QObject {
    Q_OBJECT
public:
    ListActions(QListView* list, PreviewImage* preview, FileActions& actions,
                const ShowSettings& settings, PointerManager& pointer);
    ~ListActions() override;

    QMenu* Menudestro = nullptr;         // the right button's popup menu
    QAction* Menuaprifile = nullptr;     // opens the selected picture
    QAction* MenuRinomina = nullptr;     // renames it
    QAction* menuCancellaFile = nullptr; // deletes it, after asking

    // Shows the menu at a screen position and returns at once; the command chosen, if any, is
    // triggered when the user picks it. Tests put a chooser of their own in its place.
    std::function<void(QPoint)> popupMenu;

    // The selected row, -1 when nothing is selected.
    int selectedRow() const;

    void List1_Click();
    void List1_DblClick();
    void List1_MouseDown(Qt::MouseButton button, QPoint globalPosition);
    void Menuaprifile_Click();
    void MenuRinomina_Click();
    void menuCancellaFile_Click();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QListView* list_;
    QObject* viewport_ = nullptr; // the list's viewport, never called through
    PreviewImage* preview_;
    FileActions& actions_;
    const ShowSettings& settings_;
    PointerManager& pointer_;
};
