#include "platform/ProcessLauncher.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>

#include <optional>
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QFile>
#include <QThread>

namespace {
// An application folder holding a `start` that records its arguments, NUL-terminated, into
// one file, written whole and then renamed so that a reader never sees half of it.
class RecordingLauncher {
public:
    explicit RecordingLauncher(const QString& scriptName = QStringLiteral("start")) {
        record_ = box_.file("record");
        testfiles::write(box_.file("app/" + scriptName), "#!/bin/sh\nprintf '%s\\0' \"$@\" > '" +
                                                             record_.toUtf8() + ".part'\nmv '" +
                                                             record_.toUtf8() + ".part' '" +
                                                             record_.toUtf8() + "'\n");
        QFile::setPermissions(box_.file("app/" + scriptName), QFileDevice::ReadOwner |
                                                                  QFileDevice::WriteOwner |
                                                                  QFileDevice::ExeOwner);
    }

    QString app() const { return box_.file("app") + u'/'; }

    // The arguments the script received, or nullopt when it never ran.
    std::optional<QList<QByteArray>> arguments() const {
        const QDeadlineTimer deadline(20000);
        while (!QFile::exists(record_)) {
            if (deadline.hasExpired())
                return std::nullopt;
            QThread::msleep(10);
        }
        QByteArray bytes = testfiles::read(record_);
        QList<QByteArray> args = bytes.split('\0');
        args.removeLast(); // after the last terminator
        return args;
    }

private:
    testfiles::Sandbox box_;
    QString record_;
};
} // namespace

TEST(ProcessLauncher, HandsTheRestOfTheLineOverAsOneLiteralArgument) {
    RecordingLauncher rec;
    const QString trap = rec.app() + "trap";
    const QString hostile = "/le mie foto/\"citazione\"; touch " + trap + "1 $(touch " + trap +
                            "2) `touch " + trap + "3` > " + trap + "4\nriga 2.jpg";
    ProcessLauncher launcher(rec.app());
    ASSERT_TRUE(launcher.run(rec.app() + "START " + hostile, WindowStyle::MinimizedFocus));
    const auto args = rec.arguments();
    ASSERT_TRUE(args.has_value());
    ASSERT_EQ(args->size(), 1);
    EXPECT_EQ(QString::fromUtf8(args->at(0)), hostile);
    for (const char* n : {"1", "2", "3", "4"})
        EXPECT_FALSE(QFile::exists(trap + n)) << "a shell interpreted the argument";
}

TEST(ProcessLauncher, SplitsTheLineIntoProgramAndOneArgument) {
    RecordingLauncher rec;
    ProcessLauncher launcher(rec.app());
    const QString start = rec.app() + "start";
    struct Case {
        QString line;
        QString program;
        QStringList arguments;
    };
    const Case cases[] = {
        {rec.app() + "START " + rec.app() + "Quirello.htm", start, {rec.app() + "Quirello.htm"}},
        {rec.app() + "start \"" + rec.app() + "Zafferon.htm\"",
         start,
         {rec.app() + "Zafferon.htm"}},
        {"start mailto:autore@example.org", start, {"mailto:autore@example.org"}},
        {"Start \"a b\" c\"", start, {"a b\" c"}},
        {"start \"\"", start, {""}},
        {"start  due blank", start, {" due blank"}},
        {"start", start, {}},
        {rec.app() + "missing x", {}, {}},
        {"", {}, {}},
    };
    for (const Case& c : cases) {
        const ProcessLauncher::Command command = launcher.resolve(c.line);
        EXPECT_EQ(command.program, c.program) << c.line.toStdString();
        EXPECT_EQ(command.arguments, c.arguments) << c.line.toStdString();
    }
}

TEST(ProcessLauncher, FindsTheProgramThroughAnApplicationFolderWithBlanks) {
    testfiles::Sandbox box;
    const QString app = box.file("Programmi utili/Quirello/");
    testfiles::write(app + "start", "#!/bin/sh\n");
    QFile::setPermissions(app + "start", QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    ProcessLauncher launcher(app);
    const auto command = launcher.resolve(app + "START " + app + "Quirello.htm");
    EXPECT_EQ(command.program, app + "start");
    EXPECT_EQ(command.arguments, QStringList{app + "Quirello.htm"});
}

TEST(ProcessLauncher, BareNamesComeFromTheApplicationFolderFirstThenThePath) {
    RecordingLauncher rec;
    ProcessLauncher launcher(rec.app());
    EXPECT_EQ(launcher.resolve("start x").program, rec.app() + "start");
    testfiles::write(rec.app() + "cat", "#!/bin/sh\n");
    QFile::setPermissions(rec.app() + "cat", QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    EXPECT_EQ(launcher.resolve("CAT x").program, rec.app() + "cat");
    // Not in the application folder: the search path finds the system's own programs.
    EXPECT_TRUE(launcher.resolve("sh -c").program.endsWith("/sh"));
    EXPECT_TRUE(launcher.resolve("nessun-programma-quirello x").program.isEmpty());
}

TEST(ProcessLauncher, ReportsAMissingOrNonExecutableLauncherAsNotStarted) {
    testfiles::Sandbox box;
    testfiles::write(box.file("app/start"), "#!/bin/sh\n");
    QFile::setPermissions(box.file("app/start"), QFileDevice::ReadOwner);
    ProcessLauncher launcher(box.file("empty/"));
    EXPECT_FALSE(launcher.run(box.file("empty/START ") + "foto.jpg", WindowStyle::NormalFocus));
    ProcessLauncher notExecutable(box.file("app/"));
    EXPECT_FALSE(notExecutable.run(box.file("app/start x"), WindowStyle::NormalFocus));
}
