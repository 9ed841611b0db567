#pragma once

#include "audio/PcmFormat.h"
#include "audio/PcmStream.h"
#include "helpers/HelperOutput.h"
#include "helpers/SoundWire.h"
#include "helpers/UniqueFd.h"

#include <chrono>
#include <memory>
#include <optional>
#include <QString>
#include <sys/types.h>

// The program's side of one sound process (the sound decoder beside the program, see
// SoundHelperMain.h): a child process that decodes the sound files it is handed into streams of
// PCM, one at a time. It is started ahead of the first sound and kept; one that has ended (a
// crash, a file that hung it) or broken its word is ended and a new one started in its place, at
// once, so that the next sound finds it ready. Everything it says is checked: an answer out of
// turn, late or lying ends it. Used from one thread.
class SoundProcess {
public:
    enum class Role { Music, Comment };
    struct Options {
        QString program;
        Role role = Role::Music;
        // How long the program waits for an answer, and for a new process to be ready (a music
        // process loads its soundfont first).
        std::chrono::milliseconds answerTime{1000};
        std::chrono::milliseconds startTime{10000};
    };
    explicit SoundProcess(Options options);
    // Speaks over `socket` to a process already at its other end, with no process to end (a fuzz
    // driver's); once that one fails, `options.program` is started in its place.
    SoundProcess(Options options, UniqueFd socket);
    // Ends the process (SIGKILL) and reaps it.
    ~SoundProcess();
    SoundProcess(const SoundProcess&) = delete;
    SoundProcess& operator=(const SoundProcess&) = delete;

    // Starts the process when none runs; returns at once.
    void startAhead();
    // Waits up to `ms` milliseconds for it to be ready; true when it is (a music process: when
    // its synthesizer has a soundfont).
    bool waitUntilReady(int ms);
    // Whether the open `file` holds sound of `kind` that can be played.
    bool playable(SoundKind kind, int file);
    // The sound of the open `file` of `bytes` bytes, streamed by the process; null when it cannot
    // be played, or the process failed.
    std::unique_ptr<PcmStream> decode(SoundKind kind, int file, qint64 bytes);

    // The process running now; -1 for none.
    pid_t pid() const;

private:
    class Feeder;

    bool running();
    bool greeted(std::chrono::steady_clock::time_point deadline);
    std::optional<soundwire::Message> converse(const soundwire::Message& request,
                                               std::initializer_list<int> fds,
                                               std::initializer_list<quint32> answers);
    void replace();
    void end();
    void passOnOutput();

    Options options_;
    UniqueFd socket_;
    helperoutput::Relay output_; // its standard error and sanitizers' reports
    std::shared_ptr<Feeder> feeder_;
    std::chrono::steady_clock::time_point started_;
    bool greeted_ = false;
    bool midi_ = false;
    bool startFailureReported_ = false;
};
