#pragma once

#include <QString>

// How the launched program's window opens.
enum class WindowStyle { MinimizedFocus, NormalFocus };

// Runs a command line as a new process, without waiting and without a shell.
class Launcher {
public:
    virtual ~Launcher() = default;
    // True when the process could be started; its outcome is never looked at.
    virtual bool run(const QString& commandLine, WindowStyle style) = 0;
};
