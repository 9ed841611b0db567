// A sanitizer's finding inside a confined helper reaches the file the program's own reports go
// to, so that CI sees it; the helper's other messages reach the program's standard error.
#include "helpers/Sanitizers.h"
#include "support/TestDecoder.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>
#include <QDir>

TEST(HelperReports, aFindingInTheHelperLandsBesideTheProgramsReports) {
    testfiles::Sandbox box;
    testfiles::write(box.file("a.jpg"), "OVERFLOW");
    // The reports of this test go to its own folder, not to CI's, which would fail on them.
    const QByteArray ci = qgetenv("ASAN_OPTIONS");
    qputenv("ASAN_OPTIONS", "log_path=" + QFile::encodeName(box.file("asan")));
    EXPECT_FALSE(testfiles::TestDecoder({testfiles::hookedDecoderProgram()})
                     .decode(box.file("a.jpg"), {})
                     .ok());
    qputenv("ASAN_OPTIONS", ci);
    const QStringList reports = QDir(box.path()).entryList({"asan.decoder.*"}, QDir::Files);
    ASSERT_EQ(reports.size(), sanitizers::active ? 1 : 0);
    if (sanitizers::active) {
        EXPECT_TRUE(testfiles::read(box.file(reports.front()))
                        .contains("ERROR: AddressSanitizer: heap-buffer-overflow"));
    }
}
