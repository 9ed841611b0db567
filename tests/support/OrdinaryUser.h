#pragma once

#include <functional>

namespace testfiles {

// Runs `body` as an ordinary user, for whom file permissions hold (they do not stop root). As
// root (CI) the test program starts again under setpriv as the user nobody, runs only the
// current test there, and that run must pass; as any other user `body` simply runs here. Make
// every file `body` needs inside it.
void AsOrdinaryUser(const std::function<void()>& body);

} // namespace testfiles
