// A picture that is not shown leaves its path, what it came to and how long it took in the
// program's log (quirello.decode); one decoded says so only with debug on.
#include "support/TestDecoder.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>
#include <QFile>
#include <QImage>
#include <QLoggingCategory>
#include <QRegularExpression>
#include <QStringList>

namespace {

QStringList heard;
QtMessageHandler before = nullptr;

void listen(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (QLatin1String(context.category) == QLatin1String("quirello.decode"))
        heard.append(message);
    else
        before(type, context, message);
}

// What quirello.decode says while `path` is decoded by `decoder` for a small screen.
QStringList logOf(DecoderPool& decoder, const QString& path) {
    heard.clear();
    before = qInstallMessageHandler(listen);
    decoder.decode(path, [](QSize) { return QSize(400, 300); });
    qInstallMessageHandler(before);
    return heard;
}

} // namespace

TEST(PictureLog, aPictureNotShownSaysItsPathOutcomeAndTime) {
    testfiles::Sandbox box;
    testfiles::write(box.file("noise.jpg"), QByteArray(100, 'x'));
    testfiles::write(box.file("lie.jpg"), "LIE");
    // A bitmap's first bytes and a byte beyond the gigabyte any bitmap may take (sparse).
    QFile huge(box.file("huge.bmp"));
    ASSERT_TRUE(huge.open(QIODevice::WriteOnly) && huge.write("BM") == 2 &&
                huge.resize((qint64(1) << 30) + 1));
    huge.close();
    testfiles::TestDecoder real;
    testfiles::TestDecoder hooked({testfiles::hookedDecoderProgram()});
    const struct {
        const char* name;
        DecoderPool& decoder;
        const char* outcome;
    } rows[] = {
        {"noise.jpg", real, "refused"},
        {"huge.bmp", real, "too large"},
        {"missing.jpg", real, "absent or not a regular file"},
        {"lie.jpg", hooked, "broken"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const QString path = box.file(QString::fromLatin1(row.name));
        const QStringList said = logOf(row.decoder, path);
        ASSERT_EQ(said.size(), 1) << said.join(QLatin1Char('\n')).toStdString();
        const QRegularExpression expected(
            QRegularExpression::escape(path) + QStringLiteral(": not shown, ") +
            QLatin1String(row.outcome) + QStringLiteral(".*, after \\d+ ms$"));
        EXPECT_TRUE(expected.match(said.first()).hasMatch()) << said.first().toStdString();
    }
}

TEST(PictureLog, aPictureDecodedIsToldOnlyWithDebugOn) {
    testfiles::Sandbox box;
    QImage red(8, 4, QImage::Format_RGB32);
    red.fill(Qt::red);
    ASSERT_TRUE(red.save(box.file("red.png")));
    testfiles::TestDecoder decoder;
    EXPECT_TRUE(logOf(decoder, box.file("red.png")).isEmpty());
    QLoggingCategory::setFilterRules(QStringLiteral("quirello.decode.debug=true"));
    const QStringList said = logOf(decoder, box.file("red.png"));
    QLoggingCategory::setFilterRules({});
    ASSERT_EQ(said.size(), 1);
    EXPECT_TRUE(QRegularExpression(QRegularExpression::escape(box.file("red.png")) +
                                   QStringLiteral(": decoded in \\d+ ms$"))
                    .match(said.first())
                    .hasMatch())
        << said.first().toStdString();
}
