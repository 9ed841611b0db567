// A sanitizer's finding inside a confined helper reaches the file the program's own reports go
// to, so that CI sees it; the helper's other messages reach the program's standard error.
#include "platform/decoder/Sanitizers.h"
#include "support/TestDecoder.h"
#include "support/TestFiles.h"

#include <cstdlib>
#include <gtest/gtest.h>
#include <QDir>

TEST(HelperReports, aFindingInTheHelperLandsBesideTheProgramsReports) {
    testfiles::Sandbox box;
    testfiles::write(box.file("a.jpg"), "OVERFLOW");
    // The reports of this test go to its own folder, not to CI's, which would fail on them.
    const char* ci = std::getenv("ASAN_OPTIONS");
    const std::string saved = ci ? ci : "";
    const QByteArray options = "log_path=" + QFile::encodeName(box.file("asan"));
    ::setenv("ASAN_OPTIONS", options.constData(), 1);
    {
        testfiles::TestDecoder decoder({testfiles::hookedDecoderProgram()});
        EXPECT_FALSE(decoder.decode(box.file("a.jpg"), {}).ok());
    }
    if (ci)
        ::setenv("ASAN_OPTIONS", saved.c_str(), 1);
    else
        ::unsetenv("ASAN_OPTIONS");
    const QStringList reports = QDir(box.path()).entryList({"asan.decoder.*"}, QDir::Files);
    ASSERT_EQ(reports.size(), sanitizers::active ? 1 : 0);
    if (sanitizers::active) {
        EXPECT_TRUE(testfiles::read(box.file(reports.front()))
                        .contains("ERROR: AddressSanitizer: heap-buffer-overflow"));
    }
}
