#include "sounddecoders/MidiEvents.h"
#include "support/Rows.h"

#include <fluidsynth.h>
#include <gtest/gtest.h>
#include <QtEndian>

#include <utility>
#include <vector>

namespace {

using Notes = std::vector<std::pair<int, int>>; // channel, key of each note started

QByteArray chunk(const char* id, const QByteArray& body, quint32 length) {
    length = qToBigEndian(length);
    return QByteArray(id, 4) + QByteArray(reinterpret_cast<const char*>(&length), 4) + body;
}

QByteArray midiFile(const QByteArray& events, int lengthSurplus = 0) {
    const QByteArray header = chunk("MThd", QByteArray("\0\0\0\1\0\x60", 6), 6);
    return header + chunk("MTrk", events, quint32(events.size() + lengthSurplus));
}

// Written byte by byte: no tool of the build machine writes running status after meta or
// system-exclusive events, as some sequencers do.
const QByteArray tempo("\x00\xFF\x51\x03\x07\xA1\x20", 7);
const QByteArray runningAfterMeta = tempo + QByteArray("\x00\x90\x3C\x64"
                                                       "\x60\x3C\x00" // running
                                                       "\x00\xFF\x01\x03"
                                                       "abc"          // text
                                                       "\x00\x40\x64" // running after it
                                                       "\x60\x40\x00"
                                                       "\x00\xF0\x03\x7E\x7F\xF7" // exclusive
                                                       "\x00\x43\x64" // running after it
                                                       "\x60\x43\x00"
                                                       "\x00\xC1\x05\x00\x06" // one data byte
                                                       "\x00\x91\x48\x64\x60\x48\x00",
                                                       44);
const QByteArray endOfTrack("\x00\xFF\x2F\x00", 4);
const Notes allNotes = {{0, 60}, {0, 64}, {0, 67}, {1, 72}};

int recordNote(void* notes, fluid_midi_event_t* event) {
    if (fluid_midi_event_get_type(event) == 0x90 && fluid_midi_event_get_velocity(event) > 0)
        static_cast<Notes*>(notes)->push_back(
            {fluid_midi_event_get_channel(event), fluid_midi_event_get_key(event)});
    return FLUID_OK;
}

// The notes the synthesizer is handed when its own player plays `smf`: the player reads the
// file as in the program, and a recorder stands in for the synthesizer it drives.
Notes notesPlayed(const QByteArray& smf) {
    Notes notes;
    fluid_set_log_function(FLUID_ERR, nullptr, nullptr);
    fluid_set_log_function(FLUID_WARN, nullptr, nullptr);
    fluid_settings_t* settings = new_fluid_settings();
    fluid_synth_t* synth = new_fluid_synth(settings);
    fluid_player_t* player = new_fluid_player(synth);
    fluid_player_set_playback_callback(player, recordNote, &notes);
    if (fluid_player_add_mem(player, smf.constData(), size_t(smf.size())) == FLUID_OK &&
        fluid_player_play(player) == FLUID_OK) {
        // The player runs on the synthesizer's clock: rendering advances it (ten seconds at
        // most; the pieces here last one).
        float samples[2 * 64];
        for (int block = 0;
             block < 44100 * 10 / 64 && fluid_player_get_status(player) == FLUID_PLAYER_PLAYING;
             ++block)
            fluid_synth_write_float(synth, 64, samples, 0, 2, samples, 1, 2);
    }
    delete_fluid_player(player);
    delete_fluid_synth(synth);
    delete_fluid_settings(settings);
    return notes;
}

} // namespace

// Every note of a track reaches the synthesizer once its events are written in full status,
// whatever came between them and their status; a damaged track plays up to the damage.
const QByteArray unknownChunk = chunk("XFIH", "junk", 4);
const QByteArray withJunk = midiFile(runningAfterMeta + endOfTrack);
const struct Stream {
    const char* name;
    QByteArray smf;
    Notes notes;
} streams[] = {
    {"running status after meta and exclusive events", midiFile(runningAfterMeta + endOfTrack),
     allNotes},
    {"a track length beyond the file", midiFile(runningAfterMeta + endOfTrack, 1000), allNotes},
    {"no end of track", midiFile(runningAfterMeta), allNotes},
    {"another chunk before the track", withJunk.left(14) + unknownChunk + withJunk.mid(14),
     allNotes},
    {"cut inside an event", midiFile(runningAfterMeta.left(30)), {{0, 60}, {0, 64}}},
    {"data before any status", midiFile(QByteArray("\x00\x3C\x64", 3) + runningAfterMeta), {}},
};
TABLE_TEST(MidiFullStatusRows, everyNoteReachesTheSynthesizer, streams) {
    const auto& c = GetParam();
    const QByteArray full = withFullStatus(c.smf);
    ASSERT_FALSE(full.isEmpty());
    EXPECT_EQ(notesPlayed(full), c.notes);
    EXPECT_EQ(withFullStatus(full), full) << "not written in full the first time";
}

TEST(MidiFullStatus, refusesFilesWithoutHeaderOrTrack) {
    const QByteArray header = chunk("MThd", QByteArray("\0\0\0\1\0\x60", 6), 6);
    for (const QByteArray& bytes :
         {QByteArray(), header, header.left(13), chunk("MThd", QByteArray(6, '\0'), 600) + "MTrk",
          QByteArray("RIFF\0\0\0\0RMID", 12)})
        EXPECT_TRUE(withFullStatus(bytes).isEmpty()) << bytes.toHex().toStdString();
}
