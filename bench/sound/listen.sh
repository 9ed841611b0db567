#!/usr/bin/env bash
# bench/sound/listen.sh APPFOLDER OUT.raw [SECONDS]: plays a show with a comment (880 Hz, two
# seconds), MP3 music (440 Hz) and, in a child folder, MIDI music (the demo's piece), five seconds
# a picture, for SECONDS (default 24) through SDL's disk driver into OUT.raw (44.1 kHz stereo,
# signed 16-bit); prints which sound libraries the program maps and its children, sox's
# statistics of what was heard, and its loudness (RMS) second by second. Run it on two builds
# (say, before and after a change to the sound) to compare what they play.
set -euo pipefail
app=$1 out=$2 seconds=${3:-24}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp -a "$app" "$work/Q"
show="$work/Q/Ascolto"
mkdir -p "$show/Midi"
convert -size 320x240 xc:red "$show/a.jpg"
convert -size 320x240 xc:green "$show/Midi/b.jpg"
sox -n -r 44100 -c 1 "$show/a.wav" synth 2 sine 880 vol 0.5
sox -n -r 44100 -c 2 "$show/musica.mp3" synth 60 sine 440 vol 0.5
python3 "$(dirname "$0")/../../scripts/make-midi.py" "$show/Midi/tema.mid"
printf 'PATH=%s\r\nTempoAttesa=5\r\nMusicaFM=1\r\nSuonoWAV=1\r\nEffetti=0\r\nCornice3D=0\r\nAllargaFoto=1\r\nRGB_R=0\r\nRGB_G=0\r\nRGB_B=0\r\nRGB_RANDOM=0\r\nTipoEffetto=0\r\nPosLabel=2\r\n' "$show" > "$work/Q/PHOTO.INI"
rm -f "$out"
SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE="$out" QT_QPA_PLATFORM=offscreen XDG_CONFIG_HOME="$work/cfg" \
  "$work/Q/quirello" /RUN > "$work/log" 2>&1 &
pid=$!
sleep "$seconds"
grep -E 'libmpg123|libfluidsynth|libsndfile|libFLAC|libopusfile|libvorbisfile|libmodplug|libSDL2_mixer|libpulsecommon' "/proc/$pid/maps" | awk '{print $6}' | sort -u | sed 's/^/mapped: /' || echo "mapped: no sound decoder library"
ps -o pid,rss,cmd --ppid "$pid" | sed 's/^/child: /'
kill "$pid"
wait "$pid" 2>/dev/null || true
sox -t raw -r 44100 -e signed -b 16 -c 2 "$out" -n stat 2>&1 | grep -E 'Length|RMS     amplitude|Maximum amplitude'
python3 - "$out" <<'PY'
import sys, struct, math
data = open(sys.argv[1], 'rb').read()
n = len(data) // 4
sec = 44100
line = []
for s in range(0, n // sec):
    chunk = struct.unpack('<%dh' % (sec * 2), data[s*sec*4:(s+1)*sec*4])
    rms = math.sqrt(sum(x*x for x in chunk) / len(chunk))
    line.append('%d' % rms)
print('rms per second:', ' '.join(line))
PY
