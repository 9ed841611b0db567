// A helper taken over by a file cannot flood the program: of what it writes to its standard
// error, 64 KiB over its life are passed on, then one line says how much was dropped; the
// program reads it through one small buffer, so its own memory stays flat, and a helper that
// writes without end is given up at its time bound like one that stalls.
#include "helpers/HelperOutput.h"
#include "support/TestDecoder.h"
#include "support/TestFiles.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <QFile>
#include <QRegularExpression>
#include <unistd.h>

namespace {

double residentMB() {
    const QByteArray status = testfiles::read(QStringLiteral("/proc/self/status"));
    const qsizetype at = status.indexOf("VmRSS:") + 6;
    return status.mid(at, status.indexOf('\n', at) - at).trimmed().split(' ').first().toDouble() /
           1024;
}

// The program's standard error, into `path` while it lives.
class CapturedErrors {
public:
    explicit CapturedErrors(const QString& path)
        : saved_(::dup(STDERR_FILENO)),
          file_(::open(QFile::encodeName(path).constData(), O_WRONLY | O_CREAT | O_TRUNC, 0600)) {
        EXPECT_EQ(::dup2(file_.get(), STDERR_FILENO), STDERR_FILENO);
    }
    ~CapturedErrors() { ::dup2(saved_.get(), STDERR_FILENO); }
    CapturedErrors(const CapturedErrors&) = delete;
    CapturedErrors& operator=(const CapturedErrors&) = delete;

private:
    UniqueFd saved_;
    UniqueFd file_;
};

} // namespace

TEST(HelperFlood, whatAHelperWritesIsCutAndTheProgramsMemoryStaysFlat) {
    testfiles::Sandbox box;
    // Three pictures that each write 900 KB (the pipe holds them all) and are decoded; then one
    // that writes a gigabyte, whose helper waits on the full pipe until its picture is given up.
    testfiles::write(box.file("a.jpg"), "FLOOD 900000");
    testfiles::write(box.file("b.jpg"), "FLOOD 1073741824");
    const double before = residentMB();
    {
        const CapturedErrors captured(box.file("errors.txt"));
        testfiles::TestDecoder decoder(
            {testfiles::hookedDecoderProgram(), std::chrono::seconds(1)});
        for (int i = 0; i < 3; ++i)
            EXPECT_TRUE(decoder.decode(box.file("a.jpg"), {}).ok());
        EXPECT_FALSE(decoder.decode(box.file("b.jpg"), {}).ok());
    }
    EXPECT_LT(residentMB() - before, 4.0) << "MB more of the program's memory";

    const QByteArray relayed = testfiles::read(box.file("errors.txt"));
    const QList<QByteArray> lines = relayed.split('\n');
    EXPECT_LE(relayed.size(), helperoutput::KeptMessageBytes + 1024);
    EXPECT_GE(relayed.size(), helperoutput::KeptMessageBytes);
    // One line for each helper that dropped some: the one of the three pictures, then the one
    // given up.
    const QRegularExpression dropped(QStringLiteral("^\\[quirello-decoder \\d+\\] (\\d+) "
                                                    "more bytes of messages dropped$"));
    QList<qint64> counts;
    for (const QByteArray& line : lines) {
        const QRegularExpressionMatch match = dropped.match(QString::fromUtf8(line));
        if (match.hasMatch())
            counts << match.captured(1).toLongLong();
    }
    ASSERT_EQ(counts.size(), 1) << relayed.right(300).toStdString();
    EXPECT_GE(counts[0], 3 * 900000 - helperoutput::KeptMessageBytes);
}
