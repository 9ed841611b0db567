#include "support/TestFiles.h"

#include <gtest/gtest.h>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>

namespace testfiles {

void write(const QString& path, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate)) << path.toStdString();
    ASSERT_EQ(f.write(bytes), bytes.size());
}

QByteArray read(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return f.readAll();
}

void make(const QString& program, const QStringList& arguments) {
    QProcess tool;
    tool.setProcessChannelMode(QProcess::MergedChannels);
    tool.start(program, arguments);
    const bool finished = tool.waitForFinished(60000);
    ASSERT_TRUE(finished && tool.exitStatus() == QProcess::NormalExit && tool.exitCode() == 0)
        << (program + u' ' + arguments.join(u' ')).toStdString() << ": "
        << (tool.error() == QProcess::FailedToStart ? "not installed (scripts/setup-debian.sh)"
                                                    : tool.readAll().toStdString());
}

QString sourceFile(const QString& relative) {
    return QStringLiteral(QUIRELLO_SOURCE_DIR "/") + relative;
}

Sandbox::Sandbox() {
    EXPECT_TRUE(dir_.isValid());
}

QString Sandbox::file(const QString& relative) const {
    return dir_.filePath(relative);
}

} // namespace testfiles
