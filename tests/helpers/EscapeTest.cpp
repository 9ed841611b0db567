// The helpers, once confined, are tried as a file that has taken one over would try them (see the
// test builds' escapes): the picture decoder and the sound process alike, every escape is
// refused, as the user who started the program and as an ordinary one, and with Landlock
// reported missing, where the system-call allow-list holds alone. Each helper starts as a
// stranger to the program's terminal and descriptors.
#include "helpers/Confinement.h"
#include "helpers/DecoderProcess.h"
#include "helpers/SoundProcess.h"
#include "support/OrdinaryUser.h"
#include "support/TestDecoder.h"
#include "support/TestFiles.h"
#include "support/TestSound.h"

#include <arpa/inet.h>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace {

// A socket that listens (or, for UDP, receives) on the loopback at a port of the kernel's
// choosing, or on a Unix path (a leading '@': an abstract name).
struct Listener {
    UniqueFd fd;
    QByteArray address; // what the escape is told: the port, or the path

    static Listener inet(int type) {
        Listener l{UniqueFd(::socket(AF_INET, type | SOCK_CLOEXEC, 0)), {}};
        sockaddr_in a{};
        a.sin_family = AF_INET;
        a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t size = sizeof a;
        EXPECT_EQ(::bind(l.fd.get(), reinterpret_cast<sockaddr*>(&a), size), 0);
        EXPECT_EQ(::getsockname(l.fd.get(), reinterpret_cast<sockaddr*>(&a), &size), 0);
        if (type == SOCK_STREAM) {
            EXPECT_EQ(::listen(l.fd.get(), 4), 0);
        }
        l.address = QByteArray::number(ntohs(a.sin_port));
        return l;
    }

    static Listener local(const QByteArray& name) {
        Listener l{UniqueFd(::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0)), name};
        sockaddr_un a{};
        a.sun_family = AF_UNIX;
        std::memcpy(a.sun_path, name.constData(), size_t(name.size()));
        if (name.startsWith('@'))
            a.sun_path[0] = '\0';
        const auto size = socklen_t(offsetof(sockaddr_un, sun_path) + size_t(name.size()));
        EXPECT_EQ(::bind(l.fd.get(), reinterpret_cast<sockaddr*>(&a), size), 0);
        EXPECT_EQ(::listen(l.fd.get(), 4), 0);
        return l;
    }
};

// The helpers the escapes are tried in.
enum class Helper { Pictures, Sound };

// An escape's outcome as the test build of `helper` reports it when it decodes `file`: 0 when
// it worked, else the errno that refused it; -1 when the helper did not report.
class Attempts {
public:
    explicit Attempts(Helper helper) : helper_(helper) {}

    int outcome(const QString& file) {
        if (helper_ == Helper::Pictures) {
            const DecodedPicture answer = pictures_.decode(file, {});
            const QRgb result = answer.ok() ? answer.image.pixel(0, 0) : 0;
            return !answer.ok() ? -1 : qRed(result) ? 0 : qGreen(result);
        }
        const UniqueFd fd(::open(QFile::encodeName(file).constData(), O_RDONLY | O_CLOEXEC));
        std::unique_ptr<PcmStream> stream =
            sound_.decode(SoundKind::Wave, fd.get(), QFileInfo(file).size());
        qint16 frame[2] = {};
        if (!stream || (stream->mixInto(frame, 1), frame[0] == 0))
            return -1;
        return frame[0] == -1 ? 0 : frame[0];
    }

private:
    Helper helper_;
    testfiles::TestDecoder pictures_{{testfiles::hookedDecoderProgram()}};
    SoundProcess sound_{{testfiles::hookedSoundProgram(), SoundProcess::Role::Comment}};
};

// Tries every escape through the test build of the helper and checks each is refused.
void everyEscapeIsRefused(const std::string& setting, Helper helper) {
    testfiles::Sandbox box;
    const QString secret = box.file("home/utente/.ssh/id_ed25519");
    testfiles::write(secret, "PRIVATE KEY");
    ::chmod(QFile::encodeName(secret).constData(), 0600);
    const QString created = box.file("creato.txt");
    const Listener tcp = Listener::inet(SOCK_STREAM), udp = Listener::inet(SOCK_DGRAM),
                   named = Listener::local(QFile::encodeName(box.file("X0"))),
                   abstract = Listener::local("@quirello-escape-" + QByteArray::number(::getpid()));
    const QByteArray programEnvironment = "/proc/" + QByteArray::number(::getpid()) + "/environ";

    const bool sound = helper == Helper::Sound;
    const struct {
        const char* what;
        QByteArray request;
        int errnoExpected = 0; // 0: any refusal
    } escapes[] = {
        {"read a private key in a home folder", "read " + QFile::encodeName(secret)},
        {"read the program's environment in /proc", "read " + programEnvironment},
        {"create a file", "create " + QFile::encodeName(created)},
        {"start a program", "exec /bin/true"},
        {"fork a child", "fork"},
        {"clone a child", "clone"},
        {"clone3, which the C library must not find", "clone3", ENOSYS},
        {"connect over TCP", "tcp " + tcp.address},
        {"send over UDP", "udp " + udp.address},
        {"connect to a named Unix socket (the X server's kind)", "unix " + named.address},
        {"connect to an abstract Unix socket (the session bus's kind)", "unix " + abstract.address},
        {"make a new socket pair", "socketpair"},
        {"signal the program", "signal"},
        {"trace the program", "ptrace"},
        {"type into a terminal on descriptors 0 to 2", "tiocsti", EPERM},
        // Memory no limit of the process counts: the program hands over the one memfd a
        // picture's pixels go in.
        {"make memfds without end", "memfd", EPERM},
        {"make shared memory (System V, /dev/shm)", "shm", EPERM},
        {"raise its own limits", "rlimit"},
        // The picture decoder's threads were started before it confined itself.
        {"start threads without end", "thread", EPERM},
    };
    Attempts attempts(helper);
    int n = 0;
    for (const auto& e : escapes) {
        SCOPED_TRACE(e.what);
        const QString file = box.file(QStringLiteral("%1.%2").arg(++n).arg(sound ? "wav" : "jpg"));
        testfiles::write(file, "ESCAPE " + e.request);
        const int error = attempts.outcome(file);
        ASSERT_NE(error, -1) << "the helper did not report";
        std::printf("[escape, %s, %s] %s: %s (%s)\n", sound ? "sound" : "pictures", setting.c_str(),
                    e.what, error == 0 ? "DONE" : "refused",
                    error == 0 ? "-" : strerrorname_np(error));
        EXPECT_NE(error, 0);
        if (e.errnoExpected) {
            EXPECT_EQ(error, e.errnoExpected) << strerrorname_np(error);
        }
    }
    EXPECT_FALSE(QFile::exists(created));
}

void everyEscapeIsRefused(const std::string& setting) {
    for (const Helper helper : {Helper::Pictures, Helper::Sound})
        everyEscapeIsRefused(setting, helper);
}

} // namespace

TEST(Escape, everyEscapeIsRefusedAsTheUserWhoStartedTheProgram) {
    everyEscapeIsRefused(::geteuid() == 0 ? "root" : "user");
}

TEST(Escape, everyEscapeIsRefusedAsAnOrdinaryUser) {
    testfiles::AsOrdinaryUser([] { everyEscapeIsRefused("ordinary user"); });
}

// Debian 12's own kernel has Landlock version 2: no network rules, no scoping of signals and
// abstract sockets. Where the kernel has no Landlock, no file can be opened once confined, so
// the home folder stays closed too.
TEST(Escape, everyEscapeIsRefusedWithAnOlderLandlockOrNone) {
    testfiles::AsOrdinaryUser([] {
        for (const char* version : {"2", "0"}) {
            ::setenv("QUIRELLO_TEST_LANDLOCK_VERSION", version, 1);
            everyEscapeIsRefused(std::string("ordinary user, Landlock at most version ") + version);
        }
        ::unsetenv("QUIRELLO_TEST_LANDLOCK_VERSION");
    });
}

// Each helper, once confined (the sound process has greeted the program), runs in a session of
// its own without a terminal, holds none of the program's descriptors, may gain no privileges,
// and is filtered; the sound process is alone in itself, with no thread beside it.
TEST(Escape, theHelpersHaveNoTerminalAndNoneOfTheProgramsDescriptors) {
    testfiles::Sandbox box;
    testfiles::write(box.file("aperto.txt"), "x");
    // Descriptors the program holds without close-on-exec, as a library might.
    const UniqueFd file(::open(QFile::encodeName(box.file("aperto.txt")).constData(), O_RDONLY));
    const UniqueFd socket(::socket(AF_INET, SOCK_STREAM, 0));
    const auto targetOf = [](const QString& link) {
        char target[256] = {};
        return QByteArray(target, int(::readlink(QFile::encodeName(link), target, 255)));
    };
    const QByteArray fileTarget = targetOf(QStringLiteral("/proc/self/fd/%1").arg(file.get()));
    const QByteArray socketTarget = targetOf(QStringLiteral("/proc/self/fd/%1").arg(socket.get()));

    const auto pictures = DecoderProcess::start(testfiles::hookedDecoderProgram());
    ASSERT_TRUE(pictures);
    // An answer: the helper has confined itself.
    testfiles::write(box.file("nulla.jpg"), "ESCAPE nothing");
    const UniqueFd nothing(::open(QFile::encodeName(box.file("nulla.jpg")).constData(), O_RDONLY));
    ASSERT_EQ(int(pictures
                      ->decode(nothing.get(), "jpg", {},
                               std::chrono::steady_clock::now() + std::chrono::seconds(20))
                      .outcome),
              int(DecoderProcess::Outcome::Decoded));
    SoundProcess sound({testfiles::hookedSoundProgram(), SoundProcess::Role::Music});
    ASSERT_TRUE(sound.waitUntilReady(20000)) << "the sound process did not greet";
    for (const pid_t helper : {pictures->pid(), sound.pid()}) {
        SCOPED_TRACE(helper == sound.pid() ? "sound" : "pictures");
        const QString proc = QStringLiteral("/proc/%1/").arg(helper);
        // stat: "pid (name) state ppid pgrp session tty_nr ..."
        const QByteArray stat = testfiles::read(proc + "stat");
        const QList<QByteArray> fields = stat.mid(stat.lastIndexOf(')') + 2).split(' ');
        ASSERT_GT(fields.size(), 4);
        EXPECT_EQ(fields[3].toInt(), helper) << "a session of its own";
        EXPECT_EQ(fields[4].toInt(), 0) << "no controlling terminal";
        EXPECT_EQ(targetOf(proc + "fd/0"), "/dev/null");
        EXPECT_EQ(targetOf(proc + "fd/1"), "/dev/null");
        EXPECT_TRUE(targetOf(proc + "fd/2").startsWith("pipe:"));
        EXPECT_TRUE(targetOf(proc + "fd/3").startsWith("socket:"));
        for (const QString& fd : QDir(proc + "fd").entryList(QDir::NoDotAndDotDot | QDir::System)) {
            SCOPED_TRACE(fd.toStdString());
            EXPECT_NE(targetOf(proc + "fd/" + fd), fileTarget);
            EXPECT_NE(targetOf(proc + "fd/" + fd), socketTarget);
        }
        const QByteArray status = testfiles::read(proc + "status");
        for (const char* line :
             {"\nSeccomp:\t2\n", "\nNoNewPrivs:\t1\n", "\nCapEff:\t0000000000000000\n"})
            EXPECT_TRUE(status.contains(line)) << line << status.toStdString();
        // The sound process alone; the picture decoder with the threads it started before it
        // confined itself: its pool's, and the one that ends it with the program.
        const qsizetype at = status.indexOf("\nThreads:\t") + 10;
        const int threads = status.mid(at, status.indexOf('\n', at) - at).toInt();
        if (helper == sound.pid()) {
            EXPECT_EQ(threads, 1);
        } else {
            EXPECT_GE(threads, 2);
            EXPECT_LE(threads, confinement::MostThreads + 2);
        }
    }
}
