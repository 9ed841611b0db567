#pragma once

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

namespace testfiles {

// Writes `bytes` to `path`, creating the parent folders; fails the test on error.
void write(const QString& path, const QByteArray& bytes = {});

// Reads the whole file, or an empty array when it cannot be read.
QByteArray read(const QString& path);

// A sandbox folder for one test, removed when it goes out of scope.
class Sandbox {
public:
    Sandbox();
    QString path() const { return dir_.path(); }
    // The sandbox path joined with `relative`.
    QString file(const QString& relative) const;

private:
    QTemporaryDir dir_;
};

} // namespace testfiles
