#pragma once

#include <sys/resource.h>

// The limits the decoder helper puts on itself before it reads any picture.
namespace confinement {

// Address space of the whole helper (code, libraries, heap, stacks): what the largest picture
// it is meant to decode needs, with room to spare. A 200-megapixel 24-bit BMP (a panorama at
// the size the program promises, in a format that cannot be decoded at a reduced size) peaks at
// 1.09 GB, the helper alone at about 90 MB. Beyond it an allocation fails and the picture is
// not decodable.
constexpr rlim_t AddressSpaceBytes = rlim_t(1536) << 20;

// Whether the helper takes the address-space ceiling: not under AddressSanitizer, which
// reserves terabytes of address space for its own use; there its allocator's limits stand in.
bool limitsAddressSpace();

// No core files; the address-space ceiling; no gaining privileges through exec; and, where the
// kernel offers Landlock, no file created, written, removed or renamed and no network.
// Each step that the system does not support is skipped.
void confineDecoder();

} // namespace confinement
