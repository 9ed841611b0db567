#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

namespace testfiles {

// Writes `bytes` to `path`, creating the parent folders; fails the test on error.
void write(const QString& path, const QByteArray& bytes = {});

// Reads the whole file, or an empty array when it cannot be read.
QByteArray read(const QString& path);

// Makes a test file with a tool of the build machine (ImageMagick's convert, sox, python3 with a
// script of the project's, found by `sourceFile`); fails the test, saying why, when it cannot.
void make(const QString& program, const QStringList& arguments);
QString sourceFile(const QString& relative);

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
