#include "helpers/HelperOutput.h"

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <string>
#include <unistd.h>

namespace helperoutput {

namespace {

// Everything readable now; all that is left once the helper has ended.
std::string drain(int fd) {
    std::string text;
    if (fd < 0)
        return text;
    char buffer[16384];
    for (;;) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n > 0) {
            text.append(buffer, size_t(n));
        } else if (n == 0 || errno != EINTR) {
            break;
        }
    }
    return text;
}

void writeAll(int fd, const std::string& text) {
    for (size_t done = 0; done < text.size();) {
        const ssize_t n = ::write(fd, text.data() + done, text.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return;
        done += size_t(n);
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

} // namespace

void forwardMessages(int fd, pid_t helper, const char* name) {
    const std::string text = drain(fd);
    if (text.empty())
        return;
    const std::string marked = "[" + std::string(name) + " " + std::to_string(helper) + "] " +
                               text + (text.back() == '\n' ? "" : "\n");
    writeAll(STDERR_FILENO, marked);
}

void forwardReports(int fd, pid_t helper) {
    const std::string text = drain(fd);
    if (text.empty())
        return;
    const std::string path = logPath();
    if (path.empty() || path == "stderr") {
        writeAll(STDERR_FILENO, text);
        return;
    }
    const std::string file = path + ".decoder." + std::to_string(helper);
    const int out = ::open(file.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644);
    writeAll(out >= 0 ? out : STDERR_FILENO, text);
    if (out >= 0)
        ::close(out);
}

} // namespace helperoutput
