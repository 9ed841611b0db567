#pragma once

#include <QByteArray>

// The standard MIDI file `smf` with every event written out in full: each channel message
// carries its own status byte. Files that let a running status carry on past meta and
// system-exclusive events (which the format says end it, and which some synthesizers' readers
// then give up on) play as every player plays them. Other chunks than the header and the
// tracks are left out; a track that turns unreadable ends where it does. Empty when `smf` has no
// readable header or no track. Safe on any bytes.
QByteArray withFullStatus(const QByteArray& smf);
