#pragma once

// The system calls a confined decoder helper may still make: what decoding, the conversation
// with the program and the C and C++ runtimes need, and nothing that reaches another process,
// the network, a terminal, a new program or a file to write. Any other call fails with EPERM;
// clone3 fails with ENOSYS, so that the C library falls back to clone, whose flags the filter
// can see.
namespace syscallfilter {

struct Rules {
    int socket;          // the only descriptor that may send and receive messages
    bool opensFiles;     // whether files may still be opened for reading (by path)
    bool threads = true; // whether threads may be started
    bool memfds = true;  // whether memfds may be made
};

// Installs the filter for this process and every thread it starts later; false when the
// kernel or libseccomp refused it.
bool install(const Rules& rules);

} // namespace syscallfilter
