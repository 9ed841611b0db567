#include "VirtualDisplay.h"

#include <QFile>
#include <QSize>
#include <QStandardPaths>
#include <QThread>

QString VirtualDisplay::missingTools() {
    QStringList missing;
    for (const char* tool : {"Xvfb", "xdotool", "import"})
        if (QStandardPaths::findExecutable(QString::fromLatin1(tool)).isEmpty())
            missing << QString::fromLatin1(tool);
    return missing.isEmpty() ? QString()
                             : missing.join(", ") + " not installed (scripts/setup-debian.sh)";
}

VirtualDisplay::VirtualDisplay() {
    // A display number no one else on the machine uses.
    for (int n = 160; n < 260; ++n) {
        if (QFile::exists(QStringLiteral("/tmp/.X11-unix/X%1").arg(n)) ||
            QFile::exists(QStringLiteral("/tmp/.X%1-lock").arg(n)))
            continue;
        const QString name = QStringLiteral(":%1").arg(n);
        xvfb_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        xvfb_.start(QStringLiteral("Xvfb"), {name, QStringLiteral("-screen"), QStringLiteral("0"),
                                             QStringLiteral("%1x%2x24").arg(Width).arg(Height),
                                             QStringLiteral("-nolisten"), QStringLiteral("tcp")});
        if (!xvfb_.waitForStarted(5000))
            return;
        for (int i = 0; i < 100; ++i) {
            if (QFile::exists(QStringLiteral("/tmp/.X11-unix/X%1").arg(n))) {
                name_ = name;
                return;
            }
            if (xvfb_.state() != QProcess::Running)
                break; // taken meanwhile: try the next number
            QThread::msleep(50);
        }
        xvfb_.kill();
        xvfb_.waitForFinished(2000);
    }
}

VirtualDisplay::~VirtualDisplay() {
    if (xvfb_.state() == QProcess::Running) {
        xvfb_.terminate();
        if (!xvfb_.waitForFinished(3000))
            xvfb_.kill();
        xvfb_.waitForFinished(2000);
    }
}

QImage VirtualDisplay::screenshot() const {
    QProcess import;
    import.start(QStringLiteral("import"),
                 {QStringLiteral("-display"), name_, QStringLiteral("-window"),
                  QStringLiteral("root"), QStringLiteral("png:-")});
    if (!import.waitForFinished(10000))
        return {};
    return QImage::fromData(import.readAllStandardOutput(), "PNG");
}

bool VirtualDisplay::xdotool(const QStringList& arguments) const {
    return !xdotoolOutput(arguments).isNull();
}

QString VirtualDisplay::xdotoolOutput(const QStringList& arguments) const {
    QProcess tool;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("DISPLAY"), name_);
    tool.setProcessEnvironment(env);
    tool.start(QStringLiteral("xdotool"), arguments);
    if (!tool.waitForFinished(5000) || tool.exitCode() != 0)
        return QString();
    return QString::fromLocal8Bit(tool.readAllStandardOutput()) + QStringLiteral(" ");
}

bool VirtualDisplay::hasWindowOfSize(const QSize& size) const {
    const QString ids = xdotoolOutput({QStringLiteral("search"), QStringLiteral("--onlyvisible"),
                                       QStringLiteral("--name"), QStringLiteral(".")});
    const QString wanted = QStringLiteral("Geometry: %1x%2").arg(size.width()).arg(size.height());
    for (const QString& id : ids.split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
        if (id.trimmed().isEmpty())
            continue;
        if (xdotoolOutput({QStringLiteral("getwindowgeometry"), id.trimmed()}).contains(wanted))
            return true;
    }
    return false;
}

void VirtualDisplay::click(int x, int y) const {
    xdotool({QStringLiteral("mousemove"), QString::number(x), QString::number(y),
             QStringLiteral("click"), QStringLiteral("1")});
}

void VirtualDisplay::key(const QString& keyName) const {
    xdotool({QStringLiteral("key"), keyName});
}
