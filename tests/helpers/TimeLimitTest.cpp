// How long a helper may take: a decoder that spins is ended by the processor-time limit, long
// before a generous wall-clock bound would end it; one that sleeps is ended at the one
// wall-clock bound its picture got, whatever it asks meanwhile; a caller that stops asking ends
// it at once.
#include "helpers/DecoderProcess.h"
#include "helpers/TimeLimits.h"
#include "support/TestDecoder.h"
#include "support/TestFiles.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <QElapsedTimer>
#include <QFile>
#include <thread>

using namespace std::chrono_literals;

namespace {

UniqueFd openFile(const QString& path) {
    return UniqueFd(::open(QFile::encodeName(path).constData(), O_RDONLY));
}

} // namespace

TEST(TimeLimit, aSpinningDecoderIsEndedByItsProcessorTime) {
    testfiles::Sandbox box;
    testfiles::write(box.file("a.jpg"), "HANG");
    const auto helper = DecoderProcess::start(testfiles::hookedDecoderProgram());
    ASSERT_TRUE(helper);
    const auto answer = helper->decode(openFile(box.file("a.jpg")).get(), QStringLiteral("jpg"), {},
                                       std::chrono::steady_clock::now() + 2min);
    EXPECT_EQ(int(answer.outcome), int(DecoderProcess::Outcome::Ended));
}

// Each of its four size questions claims a 400-megapixel picture, which once bought it 66 s
// more: the deadline stays where it was.
TEST(TimeLimit, aStallingHelperIsEndedAtItsDeadlineWhateverItAsks) {
    testfiles::Sandbox box;
    testfiles::write(box.file("a.jpg"), "STALL");
    const auto helper = DecoderProcess::start(testfiles::hookedDecoderProgram());
    ASSERT_TRUE(helper);
    QElapsedTimer clock;
    clock.start();
    const auto answer = helper->decode(
        openFile(box.file("a.jpg")).get(), QStringLiteral("jpg"),
        [](QSize) { return QSize(1920, 1080); }, std::chrono::steady_clock::now() + 2s);
    EXPECT_EQ(int(answer.outcome), int(DecoderProcess::Outcome::TimedOut));
    EXPECT_LT(clock.elapsed(), 6000);
    EXPECT_FALSE(helper->usable());
}

// Through the pool, as the show and the panel decode: the stalling picture is given up within
// the bound the program set for it, and the next picture is decoded by a fresh helper.
TEST(TimeLimit, aStalledPictureIsGivenUpWithinItsBoundAndTheNextOneDecodes) {
    testfiles::Sandbox box;
    testfiles::write(box.file("stallo.jpg"), "STALL");
    QImage green(64, 48, QImage::Format_RGB32);
    green.fill(Qt::green);
    ASSERT_TRUE(green.save(box.file("verde.png")));
    testfiles::TestDecoder pool({testfiles::hookedDecoderProgram()});
    QElapsedTimer clock;
    clock.start();
    EXPECT_FALSE(pool.decode(box.file("stallo.jpg"), {}).ok());
    const qint64 givenUpMs = clock.elapsed();
    EXPECT_LE(givenUpMs, timelimits::LongestBound.count() + 1000);
    const DecodedPicture next = pool.decode(box.file("verde.png"), {});
    EXPECT_EQ(next.naturalSize, QSize(64, 48));
    std::printf("stalled picture given up after %lld ms (bound %lld ms at load %.2f a core)\n",
                qint64(givenUpMs),
                qint64(timelimits::wallClockBound({5, {}}, timelimits::loadPerCore()).count()),
                timelimits::loadPerCore());
}

// A stop asked for from another thread ends the decode at once, and the helper with it.
TEST(TimeLimit, aStoppedDecodeEndsItsHelperAtOnce) {
    testfiles::Sandbox box;
    testfiles::write(box.file("stallo.jpg"), "STALL");
    testfiles::TestDecoder pool({testfiles::hookedDecoderProgram()});
    const int before = testfiles::helpersAlive();
    std::stop_source stop;
    qint64 afterStopMs = -1;
    QElapsedTimer clock;
    std::thread decoding([&] {
        EXPECT_FALSE(pool.decode(box.file("stallo.jpg"), {}, stop.get_token()).ok());
        afterStopMs = clock.elapsed();
    });
    std::this_thread::sleep_for(500ms);
    EXPECT_EQ(testfiles::helpersAlive(), before + 1);
    clock.start();
    stop.request_stop();
    decoding.join();
    EXPECT_LT(afterStopMs, 1000);
    EXPECT_EQ(testfiles::helpersAlive(), before);
}
