#pragma once

#include <QByteArray>

// The standard MIDI file held in `bytes`: the bytes themselves when they are one ("MThd"), the
// "data" chunk of a RIFF "RMID" wrapper (.rmi files) when they are that; empty otherwise.
QByteArray standardMidi(const QByteArray& bytes);
