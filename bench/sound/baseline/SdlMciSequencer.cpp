#include "baseline/SdlMciSequencer.h"

#include "audio/MciCommand.h"
#include "baseline/AudioEngine.h"
#include "core/RegularFile.h"
#include "sounddecoders/MidiEvents.h"
#include "sounddecoders/MidiFile.h"

namespace inprocess {

namespace {
constexpr qint64 kLargestMidiFile = qint64(16) * 1024 * 1024; // far beyond any real piece
} // namespace

SdlMciSequencer::SdlMciSequencer(AudioEngine& engine) : engine_(engine), synth_(engine) {}

bool SdlMciSequencer::mciSendString(const QString& command) {
    const MciCommand c = parseMciCommand(command);
    switch (c.verb) {
    case MciCommand::Verb::Open:
        return open(c.path, c.alias);
    case MciCommand::Verb::Close:
        if (!isOpenAlias(c.alias))
            return false;
        synth_.stop();
        alias_.clear();
        piece_.clear();
        return true;
    case MciCommand::Verb::Play:
        if (!isOpenAlias(c.alias))
            return false;
        synth_.play(piece_);
        return true;
    case MciCommand::Verb::Invalid:
        break;
    }
    return false;
}

bool SdlMciSequencer::open(const QString& path, const QString& alias) {
    if (!alias_.isEmpty() || path.isEmpty() || alias.isEmpty() || !engine_.ready())
        return false;
    // Only a regular file of a sane size is read: a named pipe would block the show at the
    // open, and the whole piece is held in memory.
    const std::optional<QByteArray> bytes = RegularFile(path).readAll(kLargestMidiFile);
    if (!bytes)
        return false;
    // Written out in full status: the synthesizer's reader stops at a running status that
    // carries on past a meta event, as many files' do.
    const QByteArray smf = withFullStatus(standardMidi(*bytes));
    if (smf.isEmpty())
        return false;
    alias_ = alias;
    piece_ = smf;
    synth_.prepare(); // the first piece may well be played next: start loading now
    return true;
}

bool SdlMciSequencer::isOpenAlias(const QString& alias) const {
    return !alias_.isEmpty() && alias.compare(alias_, Qt::CaseInsensitive) == 0;
}

} // namespace inprocess
