// The program's side of the decoder helper takes nothing on trust: every answer out of turn or
// out of bounds ends that helper and the picture is not decodable. The memory the pixels come
// back in is the program's, of the size it accepted: the helper can neither resize it nor
// change it once it has answered.
#include "helpers/DecoderProcess.h"

#include <algorithm>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/mman.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <thread>
#include <vector>

using namespace decoderwire;

namespace {

Message message(quint32 kind, QSize size = {}) {
    return {Magic, kind, size.width(), size.height()};
}

// A Pixels (or Picture) message for pixels of `size`, natural size `nat`, lines of `stride`
// bytes.
Message pixels(QSize size, quint32 kind = Pixels, QSize nat = {80, 40}, int stride = -1,
               QImage::Format format = OpaqueFormat) {
    return {Magic,
            kind,
            size.width(),
            size.height(),
            nat.width(),
            nat.height(),
            stride < 0 ? size.width() * 4 : stride,
            quint32(format)};
}
Message picture(QSize size, QSize nat = {80, 40}) {
    return pixels(size, Picture, nat);
}

// What the fake helper does with the memory the program hands over before it says its turn.
enum class Handed {
    Nothing,    // waits for none
    Filled,     // fills it with opaque red and lets go of it, as the helper does
    KeptMapped, // fills it and keeps it mapped for writing
};

// One turn of the fake helper: a message, or raw bytes, with the descriptors to attach.
struct Say {
    Message message;
    std::vector<int> fds = {};
    QByteArray raw = {}; // sent instead of the message when not empty
    Handed handed = Handed::Nothing;
};

void sendRaw(int socket, const QByteArray& bytes, const std::vector<int>& fds) {
    iovec io{const_cast<char*>(bytes.constData()), size_t(bytes.size())};
    std::vector<char> control(CMSG_SPACE(sizeof(int) * fds.size()));
    msghdr header{};
    header.msg_iov = &io;
    header.msg_iovlen = 1;
    if (!fds.empty()) {
        header.msg_control = control.data();
        header.msg_controllen = control.size();
        cmsghdr* c = CMSG_FIRSTHDR(&header);
        c->cmsg_level = SOL_SOCKET;
        c->cmsg_type = SCM_RIGHTS;
        c->cmsg_len = CMSG_LEN(sizeof(int) * fds.size());
        std::memcpy(CMSG_DATA(c), fds.data(), sizeof(int) * fds.size());
    }
    EXPECT_EQ(::sendmsg(socket, &header, MSG_NOSIGNAL), bytes.size());
}

// Waits for the memory the program hands over and fills it with opaque red; it can be neither
// grown nor shrunk. The mapping is kept (and returned) when `keep`.
std::pair<void*, size_t> fillHanded(int socket, bool keep) {
    Message handed;
    UniqueFd memory;
    // The request and the answers to size questions come first.
    const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(2);
    while (receive(socket, until, handed, memory) == Received::Message &&
           (handed.kind == Open || handed.kind == Shown)) {
    }
    if (handed.kind != Memory || !memory.valid())
        return {};
    struct stat info {};
    EXPECT_EQ(::fstat(memory.get(), &info), 0);
    const auto bytes = size_t(info.st_size);
    EXPECT_NE(::ftruncate(memory.get(), info.st_size * 2), 0) << "grown";
    EXPECT_NE(::ftruncate(memory.get(), 0), 0) << "shrunk";
    void* mapped = ::mmap(nullptr, bytes, PROT_READ | PROT_WRITE, MAP_SHARED, memory.get(), 0);
    EXPECT_NE(mapped, MAP_FAILED);
    if (mapped == MAP_FAILED)
        return {};
    std::fill_n(static_cast<quint32*>(mapped), bytes / 4, 0xFFFF0000u);
    if (!keep) {
        ::munmap(mapped, bytes);
        return {};
    }
    return {mapped, bytes};
}

// Plays a helper that says `answers` in turn (and then ends, unless `staysSilent`) and returns
// what the program makes of it, asking for `shown` at every size question.
DecoderProcess::Answer converse(const std::vector<Say>& answers, QSize shown = {40, 20},
                                bool staysSilent = false) {
    int ends[2];
    EXPECT_EQ(::socketpair(AF_UNIX, SOCK_SEQPACKET | SOCK_CLOEXEC, 0, ends), 0);
    UniqueFd helper(ends[1]);
    std::vector<std::pair<void*, size_t>> kept;
    std::thread fake([&] {
        for (const Say& say : answers) {
            if (say.handed != Handed::Nothing)
                kept.push_back(fillHanded(helper.get(), say.handed == Handed::KeptMapped));
            const QByteArray bytes =
                say.raw.isEmpty()
                    ? QByteArray(reinterpret_cast<const char*>(&say.message), sizeof say.message)
                    : say.raw;
            sendRaw(helper.get(), bytes, say.fds);
        }
        if (!staysSilent)
            ::shutdown(helper.get(), SHUT_WR);
    });
    DecoderProcess::Answer answer;
    {
        DecoderProcess process(UniqueFd(ends[0]), -1);
        const UniqueFd file(::open("/dev/null", O_RDONLY | O_CLOEXEC));
        answer = process.decode(
            file.get(), QStringLiteral("jpg"), [shown](QSize) { return shown; },
            std::chrono::steady_clock::now() + std::chrono::milliseconds(300));
    }
    fake.join();
    for (const auto& [mapped, bytes] : kept)
        if (mapped)
            ::munmap(mapped, bytes);
    return answer;
}

} // namespace

TEST(HelperAnswers, onlyAWellFormedPictureInTurnIsTaken) {
    using enum DecoderProcess::Outcome;
    const UniqueFd own(::memfd_create("test-picture", MFD_CLOEXEC));
    const Say question{message(Natural, {80, 40})}, asks{pixels({40, 20})};
    const Say answers{picture({40, 20}), {}, {}, Handed::Filled};
    Message wrongMagic = question.message;
    wrongMagic.magic = 0x12345678;
    const struct {
        const char* what;
        std::vector<Say> answers;
        DecoderProcess::Outcome outcome;
        QSize shown = {40, 20};
    } cases[] = {
        {"the picture, asked for", {question, asks, answers}, Decoded},
        {"the picture at its natural size",
         {{message(Natural, {40, 20})},
          asks,
          {picture({40, 20}, {40, 20}), {}, {}, Handed::Filled}},
         Decoded,
         {200, 100}},
        {"refused", {question, {message(Failed)}}, Refused},
        {"a file beyond its kind's bound", {{message(decoderwire::TooLarge)}}, TooLarge},
        {"refused once the memory is handed over",
         {question, asks, {message(Failed), {}, {}, Handed::Filled}},
         Refused},
        {"memory asked for before any size question", {asks}, Broken},
        {"a size question beyond the picture ceiling", {{message(Natural, {70000, 10})}}, Broken},
        {"endless size questions", {question, question, question, question, question}, Broken},
        {"another natural size than asked about",
         {question, asks, {picture({40, 20}, {81, 40}), {}, {}, Handed::Filled}},
         Broken},
        {"memory for pixels larger than asked for", {question, {pixels({160, 80})}}, Broken},
        {"memory for pixels wider than asked for, not taller",
         {question, {pixels({80, 20})}},
         Broken},
        {"memory for pixels taller than asked for, not wider",
         {question, {pixels({40, 40})}},
         Broken},
        {"memory for the natural size when a smaller one was asked",
         {question, {pixels({80, 40})}},
         Broken},
        {"memory asked for twice", {question, asks, asks}, Broken},
        {"other pixels than the memory was asked for",
         {question, asks, {picture({40, 10}), {}, {}, Handed::Filled}},
         Broken},
        {"the memory still mapped for writing",
         {question, asks, {picture({40, 20}), {}, {}, Handed::KeptMapped}},
         Broken},
        {"lines shorter than the width",
         {question, {pixels({40, 20}, Pixels, {80, 40}, 80)}},
         Broken},
        {"a pixel format with a colour table",
         {question, {pixels({40, 20}, Pixels, {80, 40}, -1, QImage::Format_Indexed8)}},
         Broken},
        {"more memory than any helper may hand over",
         {{message(Natural, {20000, 20000})}, {pixels({20000, 20000}, Pixels, {20000, 20000})}},
         Broken,
         {20000, 20000}},
        {"a picture without its memory", {question, {picture({40, 20})}}, Broken},
        {"a picture with memory of the helper's own",
         {question, asks, {picture({40, 20}), {own.get()}, {}, Handed::Filled}},
         Broken},
        {"a size question with a descriptor", {{question.message, {own.get()}}}, Broken},
        {"a message cut short", {{{}, {}, QByteArray(20, 'x')}}, Broken},
        {"a wrong magic", {{wrongMagic}}, Broken},
        {"an unknown kind", {{message(99)}}, Broken},
        {"a request sent back", {{message(Open)}}, Broken},
        {"memory sent back", {question, {message(Memory)}}, Broken},
        {"the helper ends after a question", {question}, Ended},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const DecoderProcess::Answer answer = converse(c.answers, c.shown);
        EXPECT_EQ(int(answer.outcome), int(c.outcome));
        EXPECT_EQ(answer.picture.ok(), c.outcome == Decoded);
        if (answer.picture.ok()) {
            EXPECT_EQ(answer.picture.image.pixel(3, 3), 0xFFFF0000u);
        }
    }
    EXPECT_EQ(int(converse({}, {40, 20}, true).outcome), int(TimedOut));
}
