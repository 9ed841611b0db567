#pragma once

#include <sys/resource.h>

// The limits the decoder helper puts on itself before it reads any picture.
namespace confinement {

// Address space of the whole helper (code, libraries, heap, stacks): what the largest picture
// it is meant to decode in time needs with room to spare (see the README's figures); beyond it
// an allocation fails and the picture is not decodable.
constexpr rlim_t AddressSpaceBytes = rlim_t(1536) << 20;

// No core files; the address-space ceiling; no gaining privileges through exec; and, where the
// kernel offers Landlock, no file created, written, removed or renamed and no network.
// Each step that the system does not support is skipped.
void confineDecoder();

} // namespace confinement
