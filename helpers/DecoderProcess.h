#pragma once

#include "helpers/DecoderWire.h"
#include "helpers/HelperOutput.h"
#include "helpers/UniqueFd.h"
#include "pictures/DecodedPicture.h"

#include <chrono>
#include <memory>
#include <optional>
#include <QString>
#include <sys/types.h>

// The program's side of one decoder helper: a child process that decodes the pictures it is
// handed, one at a time. Everything the helper says is checked; any answer out of turn ends it.
class DecoderProcess {
public:
    // Starts `program` (see HelperLaunch.h); null when it cannot be started.
    static std::unique_ptr<DecoderProcess> start(const QString& program);

    // Speaks over `socket` to a helper already at its other end; `pid` is the helper's process
    // to end with it, or -1 for none.
    DecoderProcess(UniqueFd socket, pid_t pid);
    // Ends the helper (SIGKILL) and reaps it.
    ~DecoderProcess();
    DecoderProcess(const DecoderProcess&) = delete;
    DecoderProcess& operator=(const DecoderProcess&) = delete;

    enum class Outcome {
        Decoded,  // the picture
        Refused,  // the helper says the picture cannot be decoded; it serves on
        TooLarge, // the helper says the file is beyond its kind's bound; it serves on
        Ended,    // the helper ended (a crash, a limit) before it answered
        TimedOut, // no answer by the deadline
        Broken,   // an answer out of turn or out of bounds
    };
    struct Answer {
        Outcome outcome;
        DecodedPicture picture; // set when Decoded
    };

    // Hands `file` (open for reading) to the helper and answers its size questions with
    // `shownSize`. The helper gets a little processor time for the header, then time scaled to
    // the picture's size; whatever it says, it is ended at `deadline`. Pixels larger than the
    // size asked for are refused. After any outcome but Decoded, Refused and TooLarge the helper
    // has been ended.
    Answer decode(int file, const QString& suffix, const ShownSizeFor& shownSize,
                  decoderwire::Deadline deadline);

    // Whether the helper still runs and may be asked again.
    bool usable() const { return socket_.valid(); }
    // Whether the helper has answered a request before.
    bool hasServed() const { return served_; }
    pid_t pid() const { return pid_; }
    // The program's end of the helper's socket; -1 once the helper has ended.
    int socket() const { return socket_.get(); }

private:
    Answer converse(const ShownSizeFor& shownSize, decoderwire::Deadline deadline);
    Answer fail(Outcome outcome);
    // Waits for the helper's next message; the outcome when there is none to act on.
    std::optional<Outcome> next(decoderwire::Deadline deadline, decoderwire::Message& answer);
    // Makes the memory the helper hands `pixels` over in and sends it; false when it cannot.
    bool handOverMemory(const decoderwire::Message& pixels, UniqueFd& memory);
    void end();
    // The helper may spend `budget` more seconds of processor time; beyond, the kernel ends it.
    void limitProcessorTime(std::chrono::seconds budget);
    void passOnOutput();

    UniqueFd socket_;
    helperoutput::Relay output_; // its standard error and sanitizers' reports
    pid_t pid_ = -1;
    bool served_ = false;
};
