#pragma once

// The system calls a confined helper may still make: what decoding, the conversation with the
// program and the C and C++ runtimes need, and nothing that reaches another process, the
// network, a terminal, a new program or a file to write, and nothing that holds memory beyond
// the address-space ceiling (no memfd, no shared memory) or starts a thread (the threads a
// helper works with are started before). Any other call fails with EPERM; clone3 fails with
// ENOSYS, so that the C library falls back to clone, which is refused.
namespace syscallfilter {

struct Rules {
    int socket;      // the only descriptor that may send and receive messages
    bool opensFiles; // whether files may still be opened for reading (by path)
};

// Installs the filter for every thread of this process (the kernel fails the whole install when
// it cannot reach one) and every one started later; false when the kernel or libseccomp refused
// it.
bool install(const Rules& rules);

} // namespace syscallfilter
