#pragma once

#include <QListWidget>
#include <QString>

// The folder list Dir1 in the classic style: the current path's folders from the root down
// (open), then the current folder's child folders (closed), hidden ones left out, sorted
// without regard to case. Opening an entry (double click or Enter) makes it the path; a single
// click only selects it. Starts at the process's current folder, like the classic control.
class DirListBox : public QListWidget {
    Q_OBJECT
public:
    explicit DirListBox(QWidget* parent = nullptr);

    // The current folder, without a trailing separator except for the root "/".
    QString path() const { return path_; }
    // Makes `path` the current folder. False, and nothing changes, when it does not exist or
    // cannot be read. Emits changed() only when it names a different folder than before.
    bool setPath(const QString& path);
    // Lists the current folder's children again (folders made or removed meanwhile).
    void refresh();

Q_SIGNALS:
    void changed();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void openItem(QListWidgetItem* item);
    void fill();

    QString path_;
};
