#include "desktop/SingleInstance.h"
#include "core/Log.h"

#include <QCryptographicHash>
#include <QDataStream>
#include <QDir>
#include <QFileInfo>
#include <QLocalSocket>
#include <QLockFile>
#include <unistd.h>

namespace {

// The first bytes of a hand-over, so that nothing else passes for one.
constexpr quint32 Magic = 0x51524c31; // "QRL1"
// A command line larger than this is no start of ours.
constexpr qint64 MostBytes = qint64(256) * 1024;
const char Taken = 'K';

} // namespace

SingleInstance::SingleInstance(const QString& key, QObject* parent)
    : QObject(parent), path_(socketPath(key)) {
    server_.setSocketOptions(QLocalServer::UserAccessOption);
    connect(&server_, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket* socket = server_.nextPendingConnection()) {
            connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
            connect(socket, &QLocalSocket::readyRead, this, [this, socket] { receive(socket); });
        }
    });
}

SingleInstance::~SingleInstance() = default;

QString SingleInstance::socketPath(const QString& key) {
    QString folder = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (folder.isEmpty() || !QFileInfo(folder).isDir())
        folder = QDir::tempPath();
    const QString canonical = QFileInfo(key).canonicalFilePath();
    const QByteArray hash =
        QCryptographicHash::hash((canonical.isEmpty() ? key : canonical).toUtf8(),
                                 QCryptographicHash::Sha256)
            .toHex()
            .left(16);
    return folder +
           QStringLiteral("/quirello-%1-%2").arg(::getuid()).arg(QString::fromLatin1(hash));
}

SingleInstance::Start SingleInstance::start(const QStringList& arguments,
                                            const QString& startFolder) {
    // Two starts at the same moment take turns, so that only one of them listens.
    QLockFile turn(path_ + QStringLiteral(".lock"));
    turn.setStaleLockTime(AnswerTimeoutMs * 2);
    turn.tryLock(AnswerTimeoutMs * 2);
    const Start handed = handOver(arguments, startFolder);
    if (handed != Start::First)
        return handed;
    // What lies there is left by a program that did not end cleanly: nobody answers on it.
    QLocalServer::removeServer(path_);
    if (!server_.listen(path_))
        qCWarning(logStart, "Quirello: cannot listen on %s: %s", qPrintable(path_),
                  qPrintable(server_.errorString()));
    return Start::First;
}

SingleInstance::Start SingleInstance::handOver(const QStringList& arguments,
                                               const QString& startFolder) {
    QLocalSocket socket;
    socket.connectToServer(path_);
    if (!socket.waitForConnected(AnswerTimeoutMs))
        return Start::First;
    QByteArray message;
    QDataStream out(&message, QIODevice::WriteOnly);
    out << Magic << arguments << startFolder;
    socket.write(message);
    if (!socket.waitForBytesWritten(AnswerTimeoutMs))
        return Start::NoAnswer;
    while (socket.bytesAvailable() < 1)
        if (!socket.waitForReadyRead(AnswerTimeoutMs))
            return Start::NoAnswer;
    char answer = 0;
    return socket.getChar(&answer) && answer == Taken ? Start::HandedOver : Start::NoAnswer;
}

void SingleInstance::receive(QLocalSocket* socket) {
    if (socket->bytesAvailable() > MostBytes) {
        socket->abort();
        return;
    }
    QDataStream in(socket);
    in.startTransaction();
    quint32 magic = 0;
    QStringList arguments;
    QString startFolder;
    in >> magic;
    if (in.status() != QDataStream::Ok) {
        in.rollbackTransaction(); // not even the first bytes yet
        return;
    }
    if (magic != Magic) {
        socket->abort();
        return;
    }
    in >> arguments >> startFolder;
    if (!in.commitTransaction())
        return; // the rest is still on its way
    socket->putChar(Taken);
    socket->flush();
    socket->disconnectFromServer();
    Q_EMIT handedOver(arguments, startFolder);
}
