#pragma once

#include <QByteArray>

// What a file that has taken over a helper would try once the helper has confined itself.
// `request` is "NAME ARGUMENT"; the answer is 0 when the escape worked, else the errno that
// refused it.
int escapeOutcome(const QByteArray& request);
