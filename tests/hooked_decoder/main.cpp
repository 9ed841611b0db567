// A test build of the decoder helper: the real helper's life and decoding, and files whose
// first word makes it fail the ways a hostile picture makes the real one fail. The shipped
// helper has none of this.
#include "platform/decoder/HelperMain.h"

#include <cstdlib>
#include <fcntl.h>
#include <unistd.h>

int main(int argc, char** argv) {
    return runDecoderHelper(argc, argv,
                            [](QIODevice& file, const QString& suffix,
                               const ShownSizeFor& shownSize) -> DecodedPicture {
                                const QByteArray head = file.peek(4096);
                                if (head.startsWith("CRASH"))
                                    std::abort();
                                if (head.startsWith("HANG")) {
                                    for (volatile bool spin = true; spin;) {
                                    }
                                }
                                if (head.startsWith("HOG")) {
                                    // More than the helper's address-space limit; never touched, so
                                    // without the limit it would cost nothing and the picture would
                                    // be decoded.
                                    auto* hog = new char[size_t(3) << 30];
                                    static_cast<volatile char*>(hog)[0] = 1;
                                    QImage one(1, 1, QImage::Format_RGB32);
                                    one.fill(Qt::red);
                                    shownSize(one.size());
                                    return {one, one.size()};
                                }
                                if (head.startsWith("WRITE ")) {
                                    // Tries to create the file named after the word.
                                    const QByteArray path = head.mid(6).trimmed();
                                    const int fd = ::open(path.constData(),
                                                          O_WRONLY | O_CREAT | O_CLOEXEC, 0644);
                                    if (fd >= 0)
                                        ::close(fd);
                                    return {};
                                }
                                return decodePicture(file, suffix, shownSize);
                            });
}
