// The program's checks of what a sound process sends: the declaration before the samples, the
// samples' count, and a feed that stalls or burns the processor, while its sound plays and after.
// A process that breaks its word is given up and its sound ends silent.
#include "audio/PcmStream.h"
#include "audio/FeedWatch.h"
#include "audio/PcmFormat.h"
#include "support/Rows.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <vector>

namespace {

using namespace std::chrono_literals;
using pcm::Declared;

constexpr quint32 Rate = pcm::Rate;
constexpr qint64 Mp3Bound = 1000 * pcm::Mp3FramesPerByte + pcm::Rate; // of a 1000-byte file

const struct Declaration {
    const char* name;
    SoundKind kind;
    Declared declared;
    qint64 accepted; // -1: refused
} declarations[] = {
    {"comment of 4410 frames", SoundKind::Wave, {pcm::Signed16, Rate, 2, 4410}, 4410},
    {"comment of twelve minutes",
     SoundKind::Wave,
     {pcm::Signed16, Rate, 2, pcm::LongestComment},
     pcm::LongestComment},
    {"comment longer than that",
     SoundKind::Wave,
     {pcm::Signed16, Rate, 2, pcm::LongestComment + 1},
     -1},
    {"comment without a length", SoundKind::Wave, {pcm::Signed16, Rate, 2, 0}, -1},
    {"MP3 to its end", SoundKind::Mp3, {pcm::Signed16, Rate, 2, 0}, Mp3Bound},
    {"MP3 of what its file holds", SoundKind::Mp3, {pcm::Signed16, Rate, 2, Mp3Bound}, Mp3Bound},
    {"MP3 of more", SoundKind::Mp3, {pcm::Signed16, Rate, 2, Mp3Bound + 1}, -1},
    {"MIDI to its end", SoundKind::Midi, {pcm::Signed16, Rate, 2, 0}, pcm::LongestMidi},
    {"MIDI of more than hours",
     SoundKind::Midi,
     {pcm::Signed16, Rate, 2, pcm::LongestMidi + 1},
     -1},
    {"negative frames", SoundKind::Midi, {pcm::Signed16, Rate, 2, -1}, -1},
    {"another rate", SoundKind::Mp3, {pcm::Signed16, 48000, 2, 0}, -1},
    {"mono", SoundKind::Wave, {pcm::Signed16, Rate, 1, 4410}, -1},
    {"another encoding", SoundKind::Midi, {pcm::Signed16 + 1, Rate, 2, 0}, -1},
};
TABLE_TEST(StreamDeclarations, AreTakenOnlyInTheDevicesFormatAndWithinWhatTheFileCanHold,
           declarations) {
    const Declaration& d = GetParam();
    const std::optional<qint64> frames = pcm::acceptedFrames(d.kind, 1000, d.declared);
    EXPECT_EQ(frames.value_or(-1), d.accepted);
}

// A feed heard block after block: the time in milliseconds, the milliseconds of sound it
// delivered since the block before (a block of 50 ms in all: less leaves it hungry), the
// feeder's processor time then in milliseconds (-1: not read), and whether a sound plays.
struct Block {
    int atMs;
    int soundMs = 50;
    int cpuMs = -1;
    bool playing = true;
};
const struct Feed {
    const char* name;
    std::vector<Block> blocks;
    FeedWatch::Verdict verdict; // after the last block
} feeds[] = {
    {"fed", {{0, 50, 0}, {4000, 4000, 100}, {8000, 4000, 200}}, FeedWatch::Verdict::Fed},
    {"hungry a moment", {{0, 0}, {1900, 0}, {1950}, {3000, 10}}, FeedWatch::Verdict::Fed},
    {"hungry two seconds", {{0, 0}, {1000, 0}, {2000, 10}}, FeedWatch::Verdict::Stalled},
    {"hungry, fed, hungry again", {{0, 0}, {1500}, {1600, 0}, {3500, 0}}, FeedWatch::Verdict::Fed},
    {"two thirds of the sound's time",
     {{0, 50, 0}, {2000, 2000, 1300}, {4000, 2000, 2700}},
     FeedWatch::Verdict::Spinning},
    {"a third of it",
     {{0, 50, 0}, {4000, 4000, 1300}, {8000, 4000, 2700}},
     FeedWatch::Verdict::Fed},
    // Most of a core for a second of sound in four: hungry now and then on a busy machine.
    {"most of a core for little sound",
     {{0, 50, 0}, {1000, 0}, {2500, 500}, {4000, 500, 1800}},
     FeedWatch::Verdict::Spinning},
    {"a burst within a quiet window",
     {{0, 50, 0}, {1000, 1000, 1500}, {5000, 4000, 1600}},
     FeedWatch::Verdict::Fed},
    {"its time unread", {{0}, {4000, 4000}, {8000, 4000}}, FeedWatch::Verdict::Fed},
};
TABLE_TEST(FeedWatchRows, GivesUpAFeederThatStallsOrBurnsTheProcessor, feeds) {
    FeedWatch watch;
    const auto start = FeedWatch::Clock::time_point{} + 1h;
    FeedWatch::Verdict verdict = FeedWatch::Verdict::Fed;
    for (const Block& b : GetParam().blocks) {
        const auto at = start + std::chrono::milliseconds(b.atMs);
        std::optional<FeedWatch::Clock::duration> cpu;
        if (b.cpuMs >= 0 && watch.wantsProcessorTime(at))
            cpu = std::chrono::milliseconds(b.cpuMs);
        verdict =
            watch.heard(at, qint64(b.soundMs) * pcm::Rate / 1000, b.playing && b.soundMs < 50, cpu);
    }
    EXPECT_EQ(verdict, GetParam().verdict);
}

struct FakeFeeder final : PcmFeeder {
    std::optional<std::chrono::nanoseconds> processorTime() override { return std::nullopt; }
    void giveUp() override { ++givenUp; }
    int givenUp = 0;
};

// A stream over a pipe that the test writes as the sound process would.
struct Piped {
    explicit Piped(qint64 frames) {
        int ends[2];
        EXPECT_EQ(::pipe2(ends, O_CLOEXEC | O_NONBLOCK), 0);
        writer = ends[1];
        stream = std::make_unique<PcmStream>(ends[0], frames, feeder);
    }
    ~Piped() { close(); }
    void send(const std::vector<qint16>& samples, int bytesLess = 0) {
        const auto bytes = qsizetype(samples.size() * sizeof(qint16)) - bytesLess;
        EXPECT_EQ(::write(writer, samples.data(), size_t(bytes)), bytes);
    }
    void sendBytes(const char* bytes, int count) {
        EXPECT_EQ(::write(writer, bytes, size_t(count)), count);
    }
    void close() {
        if (writer >= 0)
            ::close(writer);
        writer = -1;
    }
    bool mix(std::vector<qint16>& out) {
        return stream->mixInto(out.data(), int(out.size() / 2)).playing;
    }

    std::shared_ptr<FakeFeeder> feeder = std::make_shared<FakeFeeder>();
    std::unique_ptr<PcmStream> stream;
    int writer = -1;
};

} // namespace

TEST(PcmStream, AddsWhatHasComeClampedAndKeepsAFrameThatCameInPart) {
    Piped p(100);
    p.send({1000, -1000, 30000, -30000, 5, 6, 7, 8}, 3); // the last frame one byte short of whole
    std::vector<qint16> out(8, 0);
    out[2] = 10000;
    out[3] = -10000;
    ASSERT_TRUE(p.mix(out));
    EXPECT_EQ(out, std::vector<qint16>({1000, -1000, 32767, -32768, 5, 6, 0, 0}));
    const qint16 last[] = {7, 8};
    p.sendBytes(reinterpret_cast<const char*>(last) + 1, 3); // the rest of it
    p.send({9, 10});
    std::vector<qint16> next(8, 0);
    ASSERT_TRUE(p.mix(next));
    EXPECT_EQ(next, std::vector<qint16>({7, 8, 9, 10, 0, 0, 0, 0}));
    EXPECT_EQ(p.feeder->givenUp, 0);
}

TEST(PcmStream, EndsWithItsPipeAndNeverTakesMoreThanItsDeclaredFrames) {
    {
        Piped p(3);
        p.send({1, 1, 2, 2, 3, 3});
        p.close();
        std::vector<qint16> out(8, 0);
        EXPECT_FALSE(p.mix(out));
        EXPECT_EQ(p.stream->end(), PcmStream::End::Ended);
        EXPECT_EQ(out, std::vector<qint16>({1, 1, 2, 2, 3, 3, 0, 0}));
        EXPECT_EQ(p.feeder->givenUp, 0);
    }
    Piped p(3);
    p.send({1, 1, 2, 2});
    std::vector<qint16> out(8, 0);
    EXPECT_TRUE(p.mix(out));
    p.send({3, 3, 30000, 30000, 30000, 30000}); // two frames beyond its word
    std::vector<qint16> more(8, 0);
    EXPECT_FALSE(p.mix(more));
    EXPECT_EQ(p.stream->end(), PcmStream::End::Overlong);
    EXPECT_EQ(more, std::vector<qint16>({3, 3, 0, 0, 0, 0, 0, 0})) << "the extra frames were heard";
    EXPECT_EQ(p.feeder->givenUp, 1);
    EXPECT_FALSE(p.mix(more)) << "a stream given up stays over";
}
