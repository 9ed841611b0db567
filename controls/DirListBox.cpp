#include "controls/DirListBox.h"

#include "controls/FocusMark.h"
#include "core/FolderPath.h"

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QKeyEvent>
#include <QStyle>
#include <QStyledItemDelegate>

#include <algorithm>
#include <cmath>

namespace {
constexpr int kPathRole = Qt::UserRole;
constexpr int kLevelRole = Qt::UserRole + 1;
constexpr int kIndent = 8; // pixels per level, as the classic list steps in

// Indents each entry by its depth, so the path reads as a tree.
class IndentDelegate : public FocusRowDelegate {
public:
    using FocusRowDelegate::FocusRowDelegate;
    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        QStyleOptionViewItem shifted(option);
        shifted.rect.setLeft(option.rect.left() + kIndent * index.data(kLevelRole).toInt());
        FocusRowDelegate::paint(painter, shifted, index);
    }
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        QSize size = FocusRowDelegate::sizeHint(option, index);
        size.rwidth() += kIndent * index.data(kLevelRole).toInt();
        return size;
    }
};

// The tree the indents draw, for a screen reader: the depth (the root's is 1) and whether the
// folder is open (on the current path) or closed (a child of the current folder).
void describe(QListWidgetItem* item, int level, bool open) {
    item->setData(kLevelRole, level);
    item->setData(Qt::AccessibleDescriptionRole,
                  (open ? QStringLiteral("Cartella aperta, livello %1")
                        : QStringLiteral("Cartella chiusa, livello %1"))
                      .arg(level + 1));
}

QString withoutTrailingSeparator(const QString& path) {
    QString clean = QDir::cleanPath(QDir(path).absolutePath());
    return clean.isEmpty() ? QStringLiteral("/") : clean;
}

bool readableFolder(const QString& path) {
    const QFileInfo info(path);
    return info.isDir() && info.isReadable() && info.isExecutable();
}

QStringList childFolders(const QString& path) {
    QStringList names;
    QDirIterator it(path, QDir::Dirs | QDir::NoDotAndDotDot);
    while (it.hasNext()) {
        it.next();
        names.append(it.fileName());
    }
    std::sort(names.begin(), names.end(), [](const QString& a, const QString& b) {
        const int c = a.compare(b, Qt::CaseInsensitive);
        return c != 0 ? c < 0 : a < b;
    });
    return names;
}
} // namespace

DirListBox::DirListBox(QWidget* parent) : QListWidget(parent) {
    // The frame's inside is the rows' white too, also where the rows leave a line (below).
    setAutoFillBackground(true);
    setBackgroundRole(QPalette::Base);
    setItemDelegate(new IndentDelegate(this));
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    connect(this, &QListWidget::itemDoubleClicked, this, &DirListBox::openItem);
    const QString start = withoutTrailingSeparator(QDir::currentPath());
    if (readableFolder(start)) {
        path_ = start;
        fill();
    }
}

bool DirListBox::setPath(const QString& path) {
    if (path.isEmpty())
        return false;
    const QString wanted = withoutTrailingSeparator(path);
    if (!readableFolder(wanted))
        return false;
    // The same folder under another spelling (a trailing separator, "..", a link) is no change.
    if (!path_.isEmpty() &&
        QFileInfo(wanted).canonicalFilePath() == QFileInfo(path_).canonicalFilePath())
        return true;
    path_ = wanted;
    fill();
    Q_EMIT changed();
    return true;
}

void DirListBox::refresh() {
    fill();
}

void DirListBox::fill() {
    clear();
    const QIcon open = style()->standardIcon(QStyle::SP_DirOpenIcon);
    const QIcon closed = style()->standardIcon(QStyle::SP_DirClosedIcon);

    // The path's folders, the root first.
    QStringList parts = path_.split(u'/', Qt::SkipEmptyParts);
    QString walked = QStringLiteral("/");
    auto* root = new QListWidgetItem(open, QStringLiteral("/"), this);
    root->setData(kPathRole, walked);
    describe(root, 0, true);
    QListWidgetItem* current = root;
    int level = 0;
    for (const QString& part : parts) {
        walked = WithTrailingSeparator(walked) + part;
        auto* item = new QListWidgetItem(open, part, this);
        item->setData(kPathRole, walked);
        describe(item, ++level, true);
        current = item;
    }
    for (const QString& child : childFolders(path_)) {
        auto* item = new QListWidgetItem(closed, child, this);
        item->setData(kPathRole, WithTrailingSeparator(walked) + child);
        describe(item, level + 1, false);
    }
    setCurrentItem(current);
    scrollToItem(current);
}

void DirListBox::openItem(QListWidgetItem* item) {
    if (item == nullptr)
        return;
    // A folder that has gone or turned unreadable stays where the list is; the list is
    // brought up to date instead.
    if (!setPath(item->data(kPathRole).toString()))
        refresh();
}

void DirListBox::resizeEvent(QResizeEvent* event) {
    // At a fractional scale (1.5 device pixels to a logical one) the frame's bottom line and the
    // rows' area share a device row, which the rows, drawn last, paint over: the list then lost
    // its bottom border. The rows end a line higher there.
    const qreal ratio = devicePixelRatioF();
    setViewportMargins(0, 0, 0, ratio != std::floor(ratio) ? 1 : 0);
    QListWidget::resizeEvent(event);
}

void DirListBox::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        openItem(currentItem());
        return;
    }
    QListWidget::keyPressEvent(event);
}
