#include "Measure.h"

#include <algorithm>
#include <cstdio>
#include <numeric>
#include <QFile>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

double statusMB(const char* field) {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith(field))
            return line.mid(int(qstrlen(field))).trimmed().split(' ').first().toDouble() / 1024;
    }
    return 0;
}

} // namespace

double residentMB() {
    return statusMB("VmRSS:");
}
double residentPeakMB() {
    return statusMB("VmHWM:");
}

Figures measureInChild(const std::function<std::vector<double>()>& work) {
    int channel[2];
    if (pipe(channel) != 0)
        return {};
    const pid_t child = fork();
    if (child < 0)
        return {};
    if (child == 0) {
        close(channel[0]);
        Figures f;
        const double before = residentMB();
        const std::vector<double> steps = work();
        if (!steps.empty()) {
            f.meanMs = std::accumulate(steps.begin(), steps.end(), 0.0) / double(steps.size());
            f.minMs = *std::min_element(steps.begin(), steps.end());
            f.peakMB = residentPeakMB();
            f.pipelineMB = f.peakMB - before;
            f.ok = true;
        }
        const ssize_t written = write(channel[1], &f, sizeof f);
        _exit(written == ssize_t(sizeof f) ? 0 : 1);
    }
    close(channel[1]);
    Figures f;
    if (read(channel[0], &f, sizeof f) != ssize_t(sizeof f))
        f = {};
    close(channel[0]);
    int status = 0;
    waitpid(child, &status, 0);
    return f;
}
