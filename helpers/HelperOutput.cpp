#include "helpers/HelperOutput.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <string>
#include <unistd.h>

namespace helperoutput {

namespace {

// What one call reads at most: more than the pipe holds (1 MB), so that a helper that has ended
// is read to its end; a helper that writes on while it is read is ended by its time bound.
constexpr std::int64_t MostReadAtOnce = std::int64_t(2) << 20;

void writeAll(int fd, const char* data, size_t size) {
    for (size_t done = 0; done < size;) {
        const ssize_t n = ::write(fd, data + done, size - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return;
        done += size_t(n);
    }
}

void writeAll(int fd, const std::string& text) {
    writeAll(fd, text.data(), text.size());
}

// Reads up to `most` bytes of the pipe `fd` through one buffer, handing each piece to `take`,
// until the pipe is empty or ends.
template <typename Take> void readPieces(int fd, std::int64_t most, const Take& take) {
    char buffer[16384];
    for (std::int64_t done = 0; fd >= 0 && done < most;) {
        const auto wanted = size_t(std::min<std::int64_t>(sizeof buffer, most - done));
        const ssize_t n = ::read(fd, buffer, wanted);
        if (n > 0) {
            take(buffer, size_t(n));
            done += n;
        } else if (n == 0 || errno != EINTR) {
            return;
        }
    }
}

// The sanitizers' log_path, as the program's own reports use it; empty: standard error.
std::string logPath() {
    const char* options = std::getenv("ASAN_OPTIONS");
    if (!options)
        return {};
    const std::string all = options;
    const std::string key = "log_path=";
    for (size_t at = all.find(key); at != std::string::npos; at = all.find(key, at + 1)) {
        if (at == 0 || all[at - 1] == ':' || all[at - 1] == ' ') {
            const size_t start = at + key.size();
            return all.substr(start, all.find_first_of(": ", start) - start);
        }
    }
    return {};
}

// Reports are passed on whole: they come only from the sanitizer build, for CI to read.
void relayReports(int fd, pid_t helper, std::int64_t most) {
    UniqueFd file;
    int out = -1;
    readPieces(fd, most, [&](const char* piece, size_t size) {
        if (out < 0) {
            const std::string path = logPath();
            if (!path.empty() && path != "stderr") {
                const std::string name = path + ".decoder." + std::to_string(helper);
                file.reset(::open(name.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644));
            }
            out = file.valid() ? file.get() : STDERR_FILENO;
        }
        writeAll(out, piece, size);
    });
}

std::string mark(const char* name, pid_t helper) {
    return "[" + std::string(name) + " " + std::to_string(helper) + "] ";
}

} // namespace

Relay::Relay(UniqueFd messages, UniqueFd reports, const char* name)
    : messages_(std::move(messages)), reports_(std::move(reports)), name_(name) {}

void Relay::relayMessages(pid_t helper, std::int64_t most) {
    bool marked = false;
    char last = '\n';
    readPieces(messages_.get(), most, [&](const char* piece, size_t size) {
        const auto keep =
            size_t(std::clamp<std::int64_t>(KeptMessageBytes - kept_, 0, std::int64_t(size)));
        dropped_ += std::int64_t(size - keep);
        if (keep == 0)
            return;
        if (!marked)
            writeAll(STDERR_FILENO, mark(name_, helper));
        marked = true;
        writeAll(STDERR_FILENO, piece, keep);
        kept_ += std::int64_t(keep);
        last = piece[keep - 1];
    });
    if (last != '\n')
        writeAll(STDERR_FILENO, "\n", 1);
}

void Relay::passOn(pid_t helper) {
    relayMessages(helper, MostReadAtOnce);
    relayReports(reports_.get(), helper, MostReadAtOnce);
}

void Relay::finish(pid_t helper) {
    if (!messages_.valid() && !reports_.valid())
        return;
    passOn(helper);
    if (dropped_ > 0)
        writeAll(STDERR_FILENO, mark(name_, helper) + std::to_string(dropped_) +
                                    " more bytes of messages dropped\n");
    messages_.reset();
    reports_.reset();
}

} // namespace helperoutput
