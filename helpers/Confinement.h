#pragma once

#include <string>
#include <sys/resource.h>
#include <vector>

// The limits the decoder helper puts on itself before it reads any picture.
namespace confinement {

// Address space of the whole helper (code, libraries, heap, stacks): what the largest picture
// it is meant to decode needs, with room to spare. A 200-megapixel 24-bit BMP (a panorama at
// the size the program promises, in a format that cannot be decoded at a reduced size) peaks at
// 1.09 GB, the helper alone at about 90 MB. Beyond it an allocation fails and the picture is
// not decodable.
constexpr rlim_t AddressSpaceBytes = rlim_t(1536) << 20;

// The largest file the helper may write, which is all a memfd is: the pixels of the largest
// picture it may hand over (memfd pages are no address space, so the ceiling above misses them).
constexpr rlim_t FileSizeBytes = rlim_t(1) << 30;

// Whether the helper takes the address-space ceiling: not under AddressSanitizer, which
// reserves terabytes of address space for its own use; there its allocator's limits stand in.
bool limitsAddressSpace();

struct Options {
    int socket = 3;                   // the program's socket, the only one the helper speaks on
    std::vector<std::string> reads;   // folders and files the decoders read (see readableFiles)
    int landlockVersionAtMost = 1000; // lower: behave as on an older kernel; 0: none
    // What the helper still does once confined. A picture decoder opens fonts (where Landlock
    // holds), draws on threads and hands pixels over in memfds; a sound decoder has loaded all it
    // needs, works on one thread and writes into a pipe the program gives it.
    bool opensFiles = true;
    bool threads = true;
    bool memfds = true;
};

// What the helper found: each layer that holds.
struct Result {
    bool landlock = false;
    bool syscallFilter = false;
};

// The folders and files decoding reads after start-up: the libraries and Qt's plug-ins, fonts
// and their configuration and caches, and the application folder `appFolder`.
std::vector<std::string> readableFiles(const std::string& appFolder);

// No core files; the address-space and file-size ceilings; no capabilities (when started as
// root) and no gaining any through exec; where the kernel offers Landlock, reading only
// `options.reads` and writing nothing; then the system-call allow-list (see SyscallFilter.h),
// which holds alone where Landlock is missing: there no file can be opened at all.
Result confineDecoder(const Options& options);

} // namespace confinement
