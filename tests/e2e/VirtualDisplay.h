#pragma once

#include <QImage>
#include <QProcess>
#include <QString>
#include <QStringList>

// An Xvfb display of its own for one test program, with the tools that look at it and act on
// it (ImageMagick's import, xdotool).
class VirtualDisplay {
public:
    static constexpr int Width = 1280;
    static constexpr int Height = 800;

    // Why the display cannot be had on this machine ("" when it can).
    static QString missingTools();

    VirtualDisplay();
    ~VirtualDisplay();
    bool isRunning() const { return !name_.isEmpty(); }
    QString name() const { return name_; }

    QImage screenshot() const;
    // Runs xdotool with `arguments` on this display; true when it succeeded.
    bool xdotool(const QStringList& arguments) const;
    // Its standard output, "" when it failed.
    QString xdotoolOutput(const QStringList& arguments) const;
    void click(int x, int y) const;
    // Whether a mapped window of exactly `size` is on the display.
    bool hasWindowOfSize(const QSize& size) const;
    void key(const QString& keyName) const;

private:
    QProcess xvfb_;
    QString name_;
};
