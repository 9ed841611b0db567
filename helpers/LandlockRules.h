#pragma once

#include <string>
#include <vector>

// The file system a confined decoder helper still sees, where the kernel offers Landlock: the
// folders in `readable` may be read (files, listings, libraries to map); nothing anywhere may
// be written, created, removed or renamed. On kernels that know them, TCP is closed and
// abstract Unix sockets and signals stop at the helper.
namespace landlockrules {

// The kernel's Landlock version: 0 when it has none (too old, or not enabled).
int kernelVersion();

// Restricts this process with what Landlock offers up to `versionAtMost`; false when the
// kernel has no Landlock (or none is wanted) or refused the rules.
bool restrictTo(const std::vector<std::string>& readable, int versionAtMost);

} // namespace landlockrules
