#pragma once

class SoundFiles;

// The sound process's side of the conversation (see SoundWire.h): answers the program's
// requests on `socket` and streams one sound at a time into the pipe the program gave with it,
// a few blocks ahead of playback, until the program closes its end of the socket. `midi`: the
// synthesizer has its soundfont. Returns the process's exit status.
int serveSound(int socket, SoundFiles& files, bool midi);
