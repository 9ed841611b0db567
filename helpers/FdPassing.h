#pragma once

#include "helpers/UniqueFd.h"

#include <chrono>
#include <cstddef>
#include <initializer_list>
#include <vector>

// Fixed-size datagrams with open descriptors attached, over a Unix socket pair of datagrams
// (SOCK_SEQPACKET): how the program and a helper of its own speak.
namespace fdpassing {

using Deadline = std::chrono::steady_clock::time_point;

// Sends `size` bytes with `fds` attached. Never blocks and never raises SIGPIPE: false when the
// peer is gone or not reading.
bool send(int socket, const void* bytes, size_t size, std::initializer_list<int> fds = {});

enum class Received { Message, Closed, TimedOut, Malformed };

// Waits until `deadline` (null: for ever) for one datagram. One of another size than `size` or
// with more than `mostFds` descriptors is Malformed; every descriptor that came with it is
// closed. The descriptors of a good one are put into `fds` (close-on-exec).
Received receive(int socket, void* bytes, size_t size, size_t mostFds, std::vector<UniqueFd>& fds,
                 const Deadline* deadline);

} // namespace fdpassing
