// A decoder that spins is ended by the processor-time limit, long before a generous
// wall-clock bound would end it.
#include "helpers/DecoderProcess.h"
#include "support/TestDecoder.h"
#include "support/TestFiles.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <QFile>

TEST(TimeLimit, aSpinningDecoderIsEndedByItsProcessorTime) {
    testfiles::Sandbox box;
    testfiles::write(box.file("a.jpg"), "HANG");
    const auto helper = DecoderProcess::start(testfiles::hookedDecoderProgram());
    ASSERT_TRUE(helper);
    const UniqueFd file(::open(QFile::encodeName(box.file("a.jpg")).constData(), O_RDONLY));
    const auto answer = helper->decode(file.get(), QStringLiteral("jpg"), {},
                                       std::chrono::steady_clock::now() + std::chrono::minutes(2));
    EXPECT_EQ(int(answer.outcome), int(DecoderProcess::Outcome::Ended));
}
