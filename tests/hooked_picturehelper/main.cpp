// A test build of the decoder helper: the real helper's life, confinement and decoding, and
// files whose first word makes it fail the ways a hostile picture makes the real one fail, or
// try what a picture that has taken over a decoder would try. The shipped helper has none of
// this.
#include "Escapes.h"
#include "picturehelper/HelperMain.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <thread>
#include <unistd.h>

namespace {

DecodedPicture hooked(QIODevice& file, const QString& suffix, const ShownSizeFor& shownSize) {
    const QByteArray head = file.peek(4096);
    if (head.startsWith("CRASH"))
        std::abort();
    if (head.startsWith("HANG")) {
        for (volatile bool spin = true; spin;) {
        }
    }
    if (head.startsWith("STALL")) {
        // Asks about a huge picture, slowly, as often as it may, then sleeps: it spends no
        // processor time, so only the program's wall clock ends it.
        for (int question = 0; question < 4; ++question) {
            std::this_thread::sleep_for(std::chrono::milliseconds(300));
            shownSize(QSize(20000, 20000));
        }
        std::this_thread::sleep_for(std::chrono::hours(1));
        return {};
    }
    if (head.startsWith("HOG")) {
        // More than the helper's address-space limit; never touched, so without the limit it
        // would cost nothing and the picture would be decoded.
        auto* hog = new char[size_t(3) << 30];
        static_cast<volatile char*>(hog)[0] = 1;
        QImage one(1, 1, QImage::Format_RGB32);
        one.fill(Qt::red);
        shownSize(one.size());
        return {one, one.size()};
    }
    if (head.startsWith("LIE")) {
        // Pixels at the natural size, whatever size the program asks for.
        QImage large(4000, 3000, QImage::Format_RGB32);
        large.fill(Qt::red);
        shownSize(large.size());
        return {large, large.size()};
    }
    if (head.startsWith("OVERFLOW")) {
        // Reads past the end of a heap block: a finding for AddressSanitizer.
        auto* block = new char[16]();
        const volatile char past = block[file.size() + 16];
        static_cast<void>(past);
        delete[] block;
        return {};
    }
    if (head.startsWith("FLOOD ")) {
        // Writes as many bytes to standard error as the file says (at most a gigabyte), then
        // answers with one pixel.
        const qint64 bytes = std::min(head.mid(6).trimmed().toLongLong(), qint64(1) << 30);
        const QByteArray line(1023, 'x');
        for (qint64 written = 0; written < bytes; written += line.size() + 1)
            std::fprintf(stderr, "%s\n", line.constData());
        std::fflush(stderr);
        QImage one(1, 1, QImage::Format_RGB32);
        one.fill(Qt::green);
        shownSize(one.size());
        return {one, one.size()};
    }
    if (head.startsWith("ESCAPE ")) {
        // The answer is one pixel: red 255 when the escape worked, green the errno that
        // refused it.
        const int result = escapeOutcome(head.mid(7).trimmed());
        QImage answer(1, 1, QImage::Format_RGB32);
        answer.fill(qRgb(result == 0 ? 255 : 0, result & 0xFF, 0));
        shownSize(answer.size());
        return {answer, answer.size()};
    }
    return decodePicture(file, suffix, shownSize);
}

} // namespace

int main(int argc, char** argv) {
    // Lets a test confine the helper as on an older kernel, or one without Landlock.
    HelperOptions options;
    bool given = false;
    const int version = qEnvironmentVariableIntValue("QUIRELLO_TEST_LANDLOCK_VERSION", &given);
    if (given)
        options.landlockVersionAtMost = version;
    return runDecoderHelper(argc, argv, hooked, options);
}
