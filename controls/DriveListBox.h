#pragma once

#include <QComboBox>
#include <QString>
#include <QStringList>

// The drive list Drive1: the mounted volumes (ready ones) a user takes for drives (the root, the
// home's, removable media), shown by their root path, sorted.
// The list is read again each time it opens, so a volume mounted meanwhile shows up.
class DriveListBox : public QComboBox {
    Q_OBJECT
public:
    explicit DriveListBox(QWidget* parent = nullptr);

    // The root path of the selected volume ("" when none is selected).
    QString drive() const { return currentText(); }
    // Selects the volume that holds `folder` (the longest root that contains it), without
    // emitting changed(). Nothing is selected when no listed volume holds it.
    void setDriveOf(const QString& folder);

    // The volume roots as listed; kept apart so tests can pick one.
    static QStringList mountedRoots();

Q_SIGNALS:
    // The user picked another volume.
    void changed(const QString& root);

protected:
    void showPopup() override;

private:
    void fill(const QStringList& roots);

    QString chosen_; // the volume last chosen, so picking it again changes nothing
};
