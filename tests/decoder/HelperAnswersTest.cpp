// The program's side of the decoder helper takes nothing on trust: every answer out of turn or
// out of bounds ends that helper and the picture is not decodable.
#include "platform/decoder/DecoderProcess.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/mman.h>
#include <sys/socket.h>
#include <vector>

using namespace decoderwire;

namespace {

Message message(quint32 kind, QSize size = {}) {
    return {Magic, kind, size.width(), size.height()};
}

// A Picture answer for pixels of `size`, natural size `nat`, lines of `stride` bytes.
Message picture(QSize size, QSize nat = {80, 40}, int stride = -1,
                QImage::Format format = OpaqueFormat) {
    return {Magic,
            Picture,
            size.width(),
            size.height(),
            nat.width(),
            nat.height(),
            stride < 0 ? size.width() * 4 : stride,
            quint32(format)};
}

// A memfd of `bytes` bytes filled with opaque red, sealed as the helper seals it unless not.
UniqueFd pixels(qint64 bytes, bool sealed = true) {
    UniqueFd fd(::memfd_create("test-picture", MFD_CLOEXEC | MFD_ALLOW_SEALING));
    EXPECT_EQ(::ftruncate(fd.get(), bytes), 0);
    if (bytes <= 1 << 20) {
        const std::vector<quint32> red(size_t(bytes / 4), 0xFFFF0000u);
        EXPECT_EQ(::pwrite(fd.get(), red.data(), size_t(bytes), 0), bytes);
    }
    if (sealed)
        ::fcntl(fd.get(), F_ADD_SEALS, F_SEAL_SHRINK | F_SEAL_GROW | F_SEAL_WRITE);
    return fd;
}

// One answer of the fake helper: a message, or raw bytes, with the descriptors to attach.
struct Say {
    Message message;
    std::vector<int> fds = {};
    QByteArray raw = {}; // sent instead of the message when not empty
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
    ASSERT_EQ(::sendmsg(socket, &header, 0), bytes.size());
}

// Plays a helper that has queued `answers` (and then ends, unless `staysSilent`) and returns
// what the program makes of it, asking for `shown` at every size question.
DecoderProcess::Answer converse(const std::vector<Say>& answers, QSize shown = {40, 20},
                                bool staysSilent = false) {
    int ends[2];
    EXPECT_EQ(::socketpair(AF_UNIX, SOCK_SEQPACKET | SOCK_CLOEXEC, 0, ends), 0);
    UniqueFd helper(ends[1]);
    for (const Say& say : answers) {
        const QByteArray bytes =
            say.raw.isEmpty()
                ? QByteArray(reinterpret_cast<const char*>(&say.message), sizeof say.message)
                : say.raw;
        sendRaw(helper.get(), bytes, say.fds);
    }
    if (!staysSilent)
        ::shutdown(helper.get(), SHUT_WR);
    DecoderProcess process(UniqueFd(ends[0]), -1);
    const UniqueFd file(::open("/dev/null", O_RDONLY | O_CLOEXEC));
    return process.decode(
        file.get(), QStringLiteral("jpg"), [shown](QSize) { return shown; },
        std::chrono::steady_clock::now() + std::chrono::milliseconds(300));
}

} // namespace

TEST(HelperAnswers, onlyAWellFormedPictureInTurnIsTaken) {
    using enum DecoderProcess::Outcome;
    const qint64 bytes = 40 * 20 * 4;
    const UniqueFd good = pixels(bytes), unsealed = pixels(bytes, false),
                   short_ = pixels(bytes - 4), large = pixels(bytes * 16), other = pixels(bytes),
                   natural = pixels(bytes * 4), twice = pixels(bytes * 2);
    // 20,000 x 20,000 pixels: within the picture ceiling, beyond what a helper may hand over.
    const UniqueFd huge = pixels(qint64(20000) * 20000 * 4);
    const Say question{message(Natural, {80, 40})};
    Message wrongMagic = question.message;
    wrongMagic.magic = 0x12345678;
    const struct {
        const char* what;
        std::vector<Say> answers;
        DecoderProcess::Outcome outcome;
        QSize shown = {40, 20};
    } cases[] = {
        {"the picture, asked for", {question, {picture({40, 20}), {good.get()}}}, Decoded},
        {"the picture at its natural size",
         {{message(Natural, {40, 20})}, {picture({40, 20}, {40, 20}), {good.get()}}},
         Decoded,
         {200, 100}},
        {"refused", {question, {message(Failed)}}, Refused},
        {"a picture before any size question", {{picture({40, 20}), {good.get()}}}, Broken},
        {"a size question beyond the picture ceiling", {{message(Natural, {70000, 10})}}, Broken},
        {"endless size questions", {question, question, question, question, question}, Broken},
        {"another natural size than asked about",
         {question, {picture({40, 20}, {81, 40}), {good.get()}}},
         Broken},
        {"pixels larger than asked for", {question, {picture({160, 80}), {large.get()}}}, Broken},
        {"pixels wider than asked for, not taller",
         {question, {picture({80, 20}), {twice.get()}}},
         Broken},
        {"pixels taller than asked for, not wider",
         {question, {picture({40, 40}), {twice.get()}}},
         Broken},
        {"pixels at the natural size when a smaller one was asked",
         {question, {picture({80, 40}), {natural.get()}}},
         Broken},
        {"pixels in memory that may still change",
         {question, {picture({40, 20}), {unsealed.get()}}},
         Broken},
        {"lines that do not fit the memory",
         {question, {picture({40, 20}), {short_.get()}}},
         Broken},
        {"lines shorter than the width",
         {question, {picture({40, 20}, {80, 40}, 80), {good.get()}}},
         Broken},
        {"a pixel format with a colour table",
         {question, {picture({40, 20}, {80, 40}, -1, QImage::Format_Indexed8), {good.get()}}},
         Broken},
        {"more memory than any helper may hand over",
         {{message(Natural, {20000, 20000})},
          {picture({20000, 20000}, {20000, 20000}), {huge.get()}}},
         Broken,
         {20000, 20000}},
        {"a picture without its memory", {question, {picture({40, 20})}}, Broken},
        {"a picture with two memories",
         {question, {picture({40, 20}), {good.get(), other.get()}}},
         Broken},
        {"a size question with a descriptor", {{question.message, {good.get()}}}, Broken},
        {"a message cut short", {{{}, {}, QByteArray(20, 'x')}}, Broken},
        {"a wrong magic", {{wrongMagic}}, Broken},
        {"an unknown kind", {{message(99)}}, Broken},
        {"a request sent back", {{message(Open)}}, Broken},
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
