#pragma once

#include <QImage>
#include <QProcess>
#include <QSize>
#include <QStandardPaths>
#include <QString>
#include <QStringList>

// An Xvfb display of its own for one test program, on a number Xvfb finds free, with the tools
// that look at it and act on it (ImageMagick's import, xdotool).
class VirtualDisplay {
public:
    static constexpr int Width = 1280;
    static constexpr int Height = 800;

    // Why the display cannot be had on this machine ("" when it can).
    static QString missingTools() {
        QStringList missing;
        for (const QString tool : {"Xvfb", "xdotool", "import"})
            if (QStandardPaths::findExecutable(tool).isEmpty())
                missing << tool;
        return missing.isEmpty() ? QString()
                                 : missing.join(", ") + " not installed (scripts/setup-debian.sh)";
    }

    VirtualDisplay() {
        xvfb_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        xvfb_.start("Xvfb",
                    {"-displayfd", "1", "-screen", "0",
                     QStringLiteral("%1x%2x24").arg(Width).arg(Height), "-nolisten", "tcp"});
        // Xvfb writes the display's number once it takes connections.
        while (!xvfb_.canReadLine() && xvfb_.waitForReadyRead(20000)) {
        }
        if (xvfb_.canReadLine())
            name_ = ':' + QString::fromLatin1(xvfb_.readLine()).trimmed();
    }
    ~VirtualDisplay() {
        xvfb_.terminate();
        if (!xvfb_.waitForFinished(3000))
            xvfb_.kill();
        xvfb_.waitForFinished(2000);
    }
    bool isRunning() const { return !name_.isEmpty(); }
    QString name() const { return name_; }

    QImage screenshot() const {
        QProcess import;
        import.start("import", {"-display", name_, "-window", "root", "png:-"});
        if (!import.waitForFinished(10000))
            return {};
        return QImage::fromData(import.readAllStandardOutput(), "PNG");
    }
    // Runs xdotool with `arguments` on this display; its output, or a null text when it failed.
    QString xdotool(const QStringList& arguments) const {
        QProcess tool;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("DISPLAY", name_);
        tool.setProcessEnvironment(env);
        tool.start("xdotool", arguments);
        if (!tool.waitForFinished(5000) || tool.exitCode() != 0)
            return QString();
        return QString::fromLocal8Bit(tool.readAllStandardOutput()) + ' ';
    }
    // Whether a mapped window of exactly `size` is on the display.
    bool hasWindowOfSize(const QSize& size) const {
        return xdotool({"search", "--onlyvisible", "--name", ".", "getwindowgeometry", "%@"})
            .contains(QStringLiteral("Geometry: %1x%2").arg(size.width()).arg(size.height()));
    }

private:
    QProcess xvfb_;
    QString name_;
};
