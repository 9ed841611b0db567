#pragma once

#include <QString>

// The sound process this build made, and its test build (tests/hooked_soundhelper/), which lies,
// stalls, dies or tries an escape on a file that begins with the word for it: CRASH and HANG
// before it answers; STALL, SPIN and DIE after half a second of a tone; OVERLONG (loud beyond a
// tenth of a second it declared), BURN (fed, with nine tenths of a core's work), LINGER (a fifth
// of a second of a tone, then it spins), RATE, CHANNELS, ENCODING, ENDLESS (a comment without a
// length), HUGE (more frames than its kind holds); ESCAPE
// and an escape's request (tests/hooked_picturehelper/Escapes.h), whose outcome is its one frame
// (-1: the escape worked, else the errno that refused it). It decodes any other file as the real
// one does. QUIRELLO_TEST_LANDLOCK_VERSION=N in its environment confines it as on a kernel whose
// Landlock is at most version N (0: none).
namespace testfiles {

inline QString soundProgram() {
    return QStringLiteral(QUIRELLO_SOUND_PROGRAM);
}

inline QString hookedSoundProgram() {
    return QStringLiteral(QUIRELLO_HOOKED_SOUND_PROGRAM);
}

} // namespace testfiles
