#include "sound/Music.h"

#include "core/FileLookup.h"

#include <QFileInfo>

namespace {

const QString kAlias = QStringLiteral("can");

QString openCommand(const QString& midiPath) {
    return QStringLiteral("open ") + midiPath + QStringLiteral(" type sequencer alias ") + kAlias;
}

// The path in double quotes. A quote inside it (legal in a Linux name, never in a Windows one)
// is doubled, which the sequencer reads back as one; every other path reads as it always did.
QString quoted(QString path) {
    path.replace(QLatin1Char('"'), QLatin1String("\"\""));
    return QLatin1Char('"') + path + QLatin1Char('"');
}

enum class MusicKind { None, Mp3, Midi };

struct MusicFile {
    MusicKind kind = MusicKind::None;
    QString name; // file name inside the folder
};

// The first "*.mp3", else "*.mid", else "*.rmi" of the folder, in name order.
MusicFile findMusic(const QString& folder) {
    struct Pattern {
        const char* suffix;
        MusicKind kind;
    };
    static const Pattern patterns[] = {
        {".mp3", MusicKind::Mp3}, {".mid", MusicKind::Midi}, {".rmi", MusicKind::Midi}};
    for (const Pattern& p : patterns) {
        const QString found = filelookup::firstWithSuffix(folder, QString::fromLatin1(p.suffix));
        if (!found.isEmpty())
            return {p.kind, QFileInfo(found).fileName()};
    }
    return {};
}

} // namespace

void MidiStopSequence(MciSequencer& mci) {
    // Opening with an empty path fails on purpose; only the close matters.
    mci.mciSendString(openCommand(QString()));
    mci.mciSendString(QStringLiteral("close ") + kAlias);
}

void StopMusic(SoundDevices& devices) {
    MidiStopSequence(devices.mci);
    devices.mp3.stop();
}

QString CommentName(const QString& entry) {
    if (entry.size() > 5)
        return entry.left(entry.size() - 4) + QStringLiteral(".wav");
    return entry;
}

void CommentStart(CommentSound& comment, const QString& showFolder, const QString& currentPicture,
                  qint16 suonoWAV) {
    if (suonoWAV == 0)
        return;
    const QString path = filelookup::findFile(showFolder + CommentName(currentPicture));
    if (!path.isEmpty())
        comment.sndPlaySound(path); // a comment that cannot be played stays silent
}

std::vector<MusicStep> MusicChange(SoundDevices& devices, const MusicChangeInput& input,
                                   bool& musicRestart) {
    MidiStopSequence(devices.mci);
    devices.mp3.stop();
    musicRestart = false;

    if (input.musicaFM == 0 || !input.showRunning)
        return {}; // nothing could start: no need to look
    const QString folder = input.showFolder + input.pictureFolder;
    const MusicFile music = findMusic(folder);
    if (music.kind == MusicKind::None)
        return {};

    // The music plays a while before the picture comes.
    constexpr int AfterStartMs = 1000;
    if (music.kind == MusicKind::Midi) {
        const QString midiPath = quoted(folder + music.name);
        devices.mci.mciSendString(openCommand(midiPath));
        devices.mci.mciSendString(QStringLiteral("close ") + kAlias);
        MciSequencer& mci = devices.mci;
        return {{0,
                 [&mci, midiPath] {
                     mci.mciSendString(openCommand(midiPath));
                     mci.mciSendString(QStringLiteral("play ") + kAlias + QLatin1Char(' '));
                 }},
                {AfterStartMs, {}}};
    }
    devices.mp3.stop();
    // The player gets three seconds of quiet between two folders' MP3s.
    constexpr int Mp3PauseMs = 3000;
    Mp3Player& mp3 = devices.mp3;
    // A damaged or mislabelled MP3 is the folder's fault, not the picture's: like a MIDI file
    // that cannot be opened, it leaves the folder silent.
    return {{Mp3PauseMs, [&mp3, path = folder + music.name] { mp3.play(path); }},
            {AfterStartMs, {}}};
}
