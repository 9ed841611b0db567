#include "ProcessMemory.h"

#include <QDir>
#include <QFile>
#include <unistd.h>
#include <vector>

namespace {

QByteArray readProc(const QString& pid, const char* name) {
    QFile file(QStringLiteral("/proc/%1/%2").arg(pid, QLatin1String(name)));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The value in kB of the line starting with `key` in a /proc status-like file, in MB.
double fieldMB(const QByteArray& text, const QByteArray& key) {
    for (const QByteArray& line : text.split('\n'))
        if (line.startsWith(key))
            return line.mid(key.size()).trimmed().split(' ').first().toDouble() / 1024;
    return 0;
}

Footprint footprintOf(const QString& pid) {
    return {fieldMB(readProc(pid, "status"), "VmRSS:"),
            fieldMB(readProc(pid, "smaps_rollup"), "Pss:")};
}

// Parent of each running process.
std::vector<std::pair<QString, QString>> parents() {
    std::vector<std::pair<QString, QString>> all;
    for (const QString& entry : QDir(QStringLiteral("/proc")).entryList(QDir::Dirs)) {
        bool number = false;
        entry.toInt(&number);
        if (!number)
            continue;
        const QByteArray stat = readProc(entry, "stat");
        // "pid (name) state ppid ...": the name may hold spaces and parentheses.
        const QList<QByteArray> fields = stat.mid(stat.lastIndexOf(')') + 2).split(' ');
        if (fields.size() > 1)
            all.emplace_back(entry, QString::fromLatin1(fields[1]));
    }
    return all;
}

} // namespace

int ProcessMemory::helperCount() const {
    int count = 0;
    for (const auto& [name, runs] : helperRuns)
        count += runs;
    return count;
}

ProcessMemory processMemoryNow() {
    ProcessMemory m;
    m.program = footprintOf(QString::number(getpid()));
    const auto all = parents();
    QStringList family{QString::number(getpid())};
    for (qsizetype i = 0; i < family.size(); ++i) {
        for (const auto& [pid, parent] : all) {
            if (parent != family[i])
                continue;
            family << pid;
            m.helperPids << pid;
            m.helpers += footprintOf(pid);
            ++m.helperRuns[QString::fromLocal8Bit(readProc(pid, "comm").trimmed())];
        }
    }
    return m;
}
