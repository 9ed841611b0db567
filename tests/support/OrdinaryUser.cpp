#include "support/OrdinaryUser.h"

#include <gtest/gtest.h>
#include <QCoreApplication>
#include <QProcess>
#include <unistd.h>

namespace testfiles {

void AsOrdinaryUser(const std::function<void()>& body) {
    if (::geteuid() != 0) {
        body();
        return;
    }
    const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
    const QString filter =
        QStringLiteral("--gtest_filter=%1.%2")
            .arg(QString::fromUtf8(test->test_suite_name()), QString::fromUtf8(test->name()));
    QProcess child;
    child.setProcessChannelMode(QProcess::MergedChannels);
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    // Root's own folders are closed to nobody.
    environment.insert(QStringLiteral("TMPDIR"), QStringLiteral("/tmp"));
    environment.insert(QStringLiteral("HOME"), QStringLiteral("/tmp"));
    environment.remove(QStringLiteral("XDG_RUNTIME_DIR"));
    child.setProcessEnvironment(environment);
    child.start(QStringLiteral("setpriv"),
                {QStringLiteral("--reuid=65534"), QStringLiteral("--regid=65534"),
                 QStringLiteral("--clear-groups"), QStringLiteral("--"),
                 QCoreApplication::applicationFilePath(), filter});
    ASSERT_TRUE(child.waitForStarted()) << "setpriv could not be started";
    ASSERT_TRUE(child.waitForFinished(300'000)) << "the run as nobody did not end";
    const QByteArray output = child.readAll();
    EXPECT_TRUE(child.exitStatus() == QProcess::NormalExit && child.exitCode() == 0 &&
                output.contains("[  PASSED  ] 1 test"))
        << "as nobody:\n"
        << output.toStdString();
}

} // namespace testfiles
