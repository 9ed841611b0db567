#include "platform/ProcessLauncher.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>
#include <QFile>
#include <QStandardPaths>
#include <QTest>

namespace {
// An application folder, with blanks in its path, holding an executable `start`.
struct AppFolder {
    testfiles::Sandbox box;
    QString app = box.file("Programmi utili/app/");

    explicit AppFolder(const QByteArray& script = "#!/bin/sh\n") {
        testfiles::write(app + "start", script);
        QFile::setPermissions(app + "start", QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    }
};
} // namespace

TEST(ProcessLauncher, HandsTheRestOfTheLineOverAsOneLiteralArgument) {
    // `start` records its arguments, NUL-terminated, and renames the record when it is whole.
    testfiles::Sandbox out;
    const QByteArray record = out.file("record").toUtf8();
    AppFolder folder("#!/bin/sh\nprintf '%s\\0' \"$@\" > '" + record + ".part'\nmv '" + record +
                     ".part' '" + record + "'\n");
    const QString trap = out.file("trap");
    const QString hostile = "/le mie foto/\"citazione\"; touch " + trap + "1 $(touch " + trap +
                            "2) `touch " + trap + "3` > " + trap + "4\nriga 2.jpg";
    ProcessLauncher launcher(folder.app);
    ASSERT_TRUE(launcher.run(folder.app + "START " + hostile, WindowStyle::MinimizedFocus));
    EXPECT_TRUE(QTest::qWaitFor([&] { return QFile::exists(record); }, 20000));
    EXPECT_EQ(testfiles::read(record), hostile.toUtf8() + '\0');
    for (const char* n : {"1", "2", "3", "4"})
        EXPECT_FALSE(QFile::exists(trap + n)) << "a shell interpreted the argument";
}

TEST(ProcessLauncher, SplitsTheLineIntoProgramAndOneArgument) {
    AppFolder folder;
    const QString app = folder.app, start = app + "start";
    testfiles::write(app + "cat", "#!/bin/sh\n");
    QFile::setPermissions(app + "cat", QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    // The line, then the program and the arguments it is split into.
    const std::tuple<QString, QString, QStringList> cases[] = {
        {app + "START " + app + "Quirello.htm", start, {app + "Quirello.htm"}},
        {app + "start \"" + app + "Zafferon.htm\"", start, {app + "Zafferon.htm"}},
        {"start mailto:autore@example.org", start, {"mailto:autore@example.org"}},
        {"Start \"a b\" c\"", start, {"a b\" c"}},
        {"start \"\"", start, {""}},
        {"start  due blank", start, {" due blank"}},
        {"start", start, {}},
        // Bare names: the application folder first, then the search path.
        {"CAT x", app + "cat", {"x"}},
        {"sh -c", QStandardPaths::findExecutable("sh"), {"-c"}},
        {"nessun-programma-quirello x", {}, {}},
        {app + "missing x", {}, {}},
        {"", {}, {}},
    };
    ProcessLauncher launcher(app);
    for (const auto& [line, program, arguments] : cases) {
        const ProcessLauncher::Command command = launcher.resolve(line);
        EXPECT_EQ(command.program, program) << line.toStdString();
        EXPECT_EQ(command.arguments, arguments) << line.toStdString();
    }
}

TEST(ProcessLauncher, ReportsAMissingOrNonExecutableLauncherAsNotStarted) {
    AppFolder folder;
    QFile::setPermissions(folder.app + "start", QFileDevice::ReadOwner);
    EXPECT_FALSE(ProcessLauncher(folder.app).run(folder.app + "start x", WindowStyle::NormalFocus));
    const QString empty = folder.box.file("empty/");
    EXPECT_FALSE(ProcessLauncher(empty).run(empty + "START foto.jpg", WindowStyle::NormalFocus));
}
