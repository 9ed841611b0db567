#pragma once

#include <functional>
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

// The largest file the helper may write. It may open none for writing and make no memfd: this
// bounds what it writes into the memory the program hands it.
constexpr rlim_t FileSizeBytes = rlim_t(1) << 30;

// Descriptors the helper may hold at once (it holds five between pictures, one more for the
// picture and a few fonts while it decodes): pipes it makes and answers' memory it would keep
// are no address space, and this bounds them.
constexpr rlim_t OpenFiles = 64;

// The most threads a helper works with besides the one that serves the program: all started
// before it confines itself, none after.
constexpr int MostThreads = 8;

// Whether the helper takes the address-space ceiling: not under AddressSanitizer, which
// reserves terabytes of address space for its own use; there its allocator's limits stand in.
bool limitsAddressSpace();

struct Options {
    int socket = 3;                   // the program's socket, the only one the helper speaks on
    std::vector<std::string> reads;   // folders and files the decoders read (see readableFiles)
    int landlockVersionAtMost = 1000; // lower: behave as on an older kernel; 0: none
    // Whether the helper still opens files for reading once confined: a picture decoder opens
    // fonts (where Landlock holds); a sound decoder has loaded all it needs.
    bool opensFiles = true;
    // Starts the threads the helper will work with, at most MostThreads: called once the
    // helper is alone, holds no privilege and Landlock holds (a thread takes these from the
    // one that starts it), before the system-call filter, which then holds for every thread and
    // refuses any new one.
    std::function<void()> startThreads = {};
};

// What the helper found: each layer that holds.
struct Result {
    bool alone = false; // no thread ran when it began to confine itself
    bool landlock = false;
    bool syscallFilter = false;
};

// The folders and files decoding reads after start-up: the libraries and Qt's plug-ins, fonts
// and their configuration and caches, and the application folder `appFolder`.
std::vector<std::string> readableFiles(const std::string& appFolder);

// The threads of this process now, the calling one included; -1 when they cannot be counted.
int threadsRunning();

// Only when the helper is alone in itself (a thread already running would keep what the
// confinement takes from the caller: Landlock and capabilities are a thread's own): no core
// files; the address-space, file-size and descriptor ceilings; no capabilities (when started as
// root) and no gaining any through exec; where the kernel offers Landlock, reading only
// `options.reads` and writing nothing; the helper's threads started; then the system-call
// allow-list (see SyscallFilter.h) on every thread, which holds alone where Landlock is missing:
// there no file can be opened at all.
Result confineDecoder(const Options& options);

} // namespace confinement
