#include "panel/ListActions.h"

#include "catalogue/FileActions.h"
#include "controls/PointerManager.h"
#include "panel/PreviewImage.h"
#include "settings/ShowSettings.h"

#include <QContextMenuEvent>
#include <QListView>
#include <QMenu>
#include <QMouseEvent>
#include <QPointer>

ListActions::ListActions(QListView* list, PreviewImage* preview, FileActions& actions,
                         const ShowSettings& settings, PointerManager& pointer)
    : list_(list), viewport_(list->viewport()), preview_(preview), actions_(actions),
      settings_(settings), pointer_(pointer) {
    Menudestro = new QMenu(list);
    Menudestro->setObjectName(QStringLiteral("Menudestro"));
    Menuaprifile = Menudestro->addAction(QStringLiteral("&Apri File (doppio click)"));
    Menuaprifile->setObjectName(QStringLiteral("Menuaprifile"));
    MenuRinomina = Menudestro->addAction(QStringLiteral("&Rinomina File ..."));
    MenuRinomina->setObjectName(QStringLiteral("MenuRinomina"));
    menuCancellaFile = Menudestro->addAction(QStringLiteral("&Cancella File"));
    menuCancellaFile->setObjectName(QStringLiteral("menuCancellaFile"));
    connect(Menuaprifile, &QAction::triggered, this, [this] { Menuaprifile_Click(); });
    connect(MenuRinomina, &QAction::triggered, this, [this] { MenuRinomina_Click(); });
    connect(menuCancellaFile, &QAction::triggered, this, [this] { menuCancellaFile_Click(); });
    popupMenu = [this](QPoint at) { Menudestro->popup(at); };

    // The list's own handling would select the item under the pointer on a right click.
    viewport_->installEventFilter(this);
    list_->installEventFilter(this);
    pointer_.arrowOver(list_->viewport());

    connect(list_->selectionModel(), &QItemSelectionModel::selectionChanged, this, [this] {
        if (selectedRow() >= 0)
            List1_Click();
    });
    connect(list_, &QListView::doubleClicked, this, [this] { List1_DblClick(); });
    connect(preview_, &PreviewImage::previewed, this,
            [this] { pointer_.setPointer(PointerManager::Pointer::Arrow); });
}

ListActions::~ListActions() = default;

int ListActions::selectedRow() const {
    if (!list_->selectionModel())
        return -1;
    const QModelIndexList rows = list_->selectionModel()->selectedRows();
    return rows.isEmpty() ? -1 : rows.first().row();
}

void ListActions::List1_Click() {
    const int row = selectedRow();
    if (row < 0)
        return;
    // The pointer says the preview is coming; the list answers meanwhile.
    pointer_.setPointer(PointerManager::Pointer::Wait);
    preview_->showPicture(settings_.ShowFolder + list_->model()->index(row, 0).data().toString());
}

void ListActions::List1_DblClick() {
    // A launcher that cannot be started leaves the panel as it was; the menu's open says so.
    actions_.open(selectedRow());
}

void ListActions::List1_MouseDown(Qt::MouseButton button, QPoint globalPosition) {
    if (button != Qt::RightButton)
        return;
    // The chosen command comes later, through its action.
    popupMenu(globalPosition);
}

void ListActions::Menuaprifile_Click() {
    actions_.openFromMenu(selectedRow());
}

void ListActions::MenuRinomina_Click() {
    actions_.rename(selectedRow());
}

void ListActions::menuCancellaFile_Click() {
    actions_.remove(selectedRow(), [list = QPointer<QListView>(list_)](bool removed) {
        if (!removed || !list)
            return;
        // The item is gone and with it the selection; the preview keeps its picture.
        QSignalBlocker quiet(list->selectionModel());
        list->selectionModel()->clearSelection();
        list->selectionModel()->setCurrentIndex({}, QItemSelectionModel::NoUpdate);
        list->viewport()->update();
    });
}

bool ListActions::eventFilter(QObject* watched, QEvent* event) {
    // Compared by address only: while the list is being destroyed its viewport and this filter
    // still get events, and the list can no longer be asked for anything.
    if (watched != viewport_ && watched != list_)
        return false;
    if (watched == list_ && event->type() != QEvent::ContextMenu)
        return false;
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick: {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() != Qt::RightButton)
            return false;
        if (event->type() == QEvent::MouseButtonPress)
            List1_MouseDown(mouse->button(), mouse->globalPosition().toPoint());
        return true; // never reaches the list: the selection stays
    }
    case QEvent::ContextMenu: {
        // The keyboard's menu key offers the same menu.
        const auto* menu = static_cast<QContextMenuEvent*>(event);
        if (menu->reason() == QContextMenuEvent::Keyboard)
            List1_MouseDown(Qt::RightButton, menu->globalPos());
        return true;
    }
    default:
        return false;
    }
}
