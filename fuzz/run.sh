#!/usr/bin/env bash
# Builds the fuzz drivers with clang under AddressSanitizer and UndefinedBehaviorSanitizer in
# BUILD (its own folder, configured with -DQUIRELLO_FUZZ=ON), makes their seeds, and runs each
# driver for SECONDS. Fails on any crash, leak, hang or sanitizer report in the program's own
# process. Prints each driver's executions per second.
#
# Usage: fuzz/run.sh [BUILD] [SECONDS per driver]          (defaults: build-fuzz, 20)
# The corpus grows in BUILD/fuzz-corpus from run to run; findings land in BUILD/fuzz-findings.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(realpath -m "${1:-$root/build-fuzz}")
seconds=${2:-20}

if [ ! -f "$build/CMakeCache.txt" ]; then
    cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
        -DQUIRELLO_FUZZ=ON -DQUIRELLO_TESTS=OFF -DQUIRELLO_BENCH=OFF
fi
cmake --build "$build" --target fuzzers -j"$(nproc)"

corpus="$build/fuzz-corpus"
findings="$build/fuzz-findings"
logs="$build/fuzz-logs"
mkdir -p "$corpus" "$findings" "$logs"

# Seeds: the project's own writers, then small pictures by ImageMagick, the demo's MIDI writer,
# and the command strings the show sends.
if [ ! -e "$corpus/.seeded" ]; then
    "$build/fuzz/fuzz_seeds" "$corpus"
    scratch=$(mktemp -d)
    trap 'rm -rf "$scratch"' EXIT
    pictures="$corpus/picture_decoders"
    mkdir -p "$pictures" "$corpus/packed_bitmap"
    convert -size 24x16 gradient:red-blue "$scratch/p.png"
    i=0
    for f in jpg:0 bmp:1 gif:2 ico:3; do
        ext=${f%:*} code=${f#*:}
        convert "$scratch/p.png" "$scratch/p.$ext"
        { printf "\\x$(printf %02x "$code")"; cat "$scratch/p.$ext"; } > "$pictures/magick.$ext"
    done
    convert "$scratch/p.png" -colors 16 -compress RLE "BMP3:$scratch/rle.bmp"
    { printf '\x06'; cat "$scratch/rle.bmp"; } > "$pictures/magick.rle"
    tail -c +15 "$scratch/p.bmp" > "$corpus/packed_bitmap/magick.dib"
    { printf '\x05'; cat "$corpus/packed_bitmap/magick.dib"; } > "$pictures/magick.dib"
    # Eight-bit runs, also without their file header, and a JPEG turned by its EXIF block.
    convert -size 30x4 xc:blue -type Palette -compress RLE "BMP3:$scratch/rle8.bmp"
    tail -c +15 "$scratch/rle8.bmp" > "$corpus/packed_bitmap/rle8.dib"
    { printf '\x06'; cat "$scratch/rle8.bmp"; } > "$pictures/rle8.rle"
    { printf '\x06'; cat "$corpus/packed_bitmap/rle8.dib"; } > "$pictures/bare.rle"
    cp "$scratch/p.jpg" "$scratch/turned.jpg"
    python3 "$root/scripts/exif-orientation.py" "$scratch/turned.jpg" 6
    { printf '\x00'; cat "$scratch/turned.jpg"; } > "$pictures/turned.jpg"
    # The decoder's own readers: an icon, the turned JPEG, bit-field bitmaps of 32 and 16 bits.
    parts="$corpus/picture_parts"
    mkdir -p "$parts"
    { printf '\x00'; cat "$scratch/p.ico"; } > "$parts/magick.ico"
    { printf '\x01'; cat "$scratch/turned.jpg"; } > "$parts/turned.jpg"
    convert "$scratch/p.png" -alpha set -type TrueColorAlpha "BMP:$scratch/argb.bmp"
    convert "$scratch/p.png" -type TrueColor -define bmp:subtype=RGB565 "BMP:$scratch/565.bmp"
    { printf '\x02'; cat "$scratch/argb.bmp"; } > "$parts/argb.bmp"
    { printf '\x02'; cat "$scratch/565.bmp"; } > "$parts/565.bmp"
    # The sizes the program reads from first bytes itself.
    mkdir -p "$corpus/picture_header"
    cp "$scratch/p.png" "$scratch/p.jpg" "$scratch/turned.jpg" "$scratch/argb.bmp" "$scratch/565.bmp" \
       "$corpus/picture_header/"

    # Tagged pictures of every format that carries a profile, the profiles themselves (the
    # table-based CMYK one is over the length limit: the small one stands for it), and a JPEG
    # whose EXIF block marks Adobe RGB.
    profiles="$corpus/picture_profiles"
    mkdir -p "$profiles"
    i=0
    for f in /usr/share/color/argyll/ref/DisplayP3.icm:jpg /usr/share/color/icc/colord/AdobeRGB1998.icc:png \
             /usr/share/color/icc/colord/ProPhotoRGB.icc:webp /usr/share/color/argyll/ref/DisplayP3.icm:bmp; do
        profile=${f%:*} ext=${f#*:}
        convert "$scratch/p.png" -profile "$profile" "$scratch/tagged.$ext"
        { printf '\x00'; cat "$scratch/tagged.$ext"; } > "$profiles/tagged.$ext"
        { printf '\x01'; cat "$profile"; } > "$profiles/profile$((i += 1)).icc"
    done
    convert "$scratch/p.png" -colorspace Gray -profile /usr/share/color/icc/Gray-CIE_L.icc "$scratch/grey.jpg"
    convert "$scratch/p.png" -colorspace CMYK -profile /usr/share/color/icc/ghostscript/ps_cmyk.icc "$scratch/cmyk.jpg"
    for f in grey.jpg cmyk.jpg; do { printf '\x00'; cat "$scratch/$f"; } > "$profiles/$f"; done
    { printf '\x01'; cat /usr/share/color/icc/ghostscript/ps_cmyk.icc; } > "$profiles/cmyk.icc"
    # The decoders see tagged pictures too, the colour conversion in their path.
    for f in tagged.jpg grey.jpg cmyk.jpg; do
        { printf '\x00'; cat "$scratch/$f"; } > "$pictures/$f"
    done
    python3 - "$scratch/p.jpg" "$profiles/dcf.jpg" <<'PY'
import struct, sys
jpeg = open(sys.argv[1], 'rb').read()
def entry(tag, kind, count, value):
    return struct.pack('>HHI', tag, kind, count) + value.ljust(4, b'\0')
tiff = (b'MM\0*' + struct.pack('>IH', 8, 1) + entry(0x8769, 4, 1, struct.pack('>I', 26)) +
        struct.pack('>IH', 0, 2) + entry(0xA001, 3, 1, struct.pack('>H', 0xFFFF)) +
        entry(0xA005, 4, 1, struct.pack('>I', 56)) + struct.pack('>IH', 0, 1) +
        entry(1, 2, 4, b'R03\0') + struct.pack('>I', 0))
body = b'Exif\0\0' + tiff
open(sys.argv[2], 'wb').write(b'\0' + jpeg[:2] + b'\xFF\xE1' + struct.pack('>H', len(body) + 2) +
                              body + jpeg[2:])
PY

    mkdir -p "$corpus/midi_file"
    python3 "$root/scripts/make-midi.py" "$corpus/midi_file/piece.mid"
    python3 - "$corpus/midi_file/piece.mid" "$corpus/midi_file/piece.rmi" <<'PY'
import struct, sys
smf = open(sys.argv[1], 'rb').read()
body = b'RMID' + b'data' + struct.pack('<I', len(smf)) + smf + (b'\0' if len(smf) % 2 else b'')
open(sys.argv[2], 'wb').write(b'RIFF' + struct.pack('<I', len(body)) + body)
PY
    # Running status that carries on past a meta and a system-exclusive event.
    python3 - "$corpus/midi_file/running.mid" <<'PY'
import struct, sys
events = (b'\x00\x90\x3c\x64\x60\x3c\x00\x00\xff\x01\x01a\x00\x40\x64\x60\x40\x00'
          b'\x00\xf0\x02\x7e\xf7\x00\x43\x64\x60\x43\x00\x00\xff\x2f\x00')
header = b'MThd' + struct.pack('>IHHH', 6, 0, 1, 96)
open(sys.argv[1], 'wb').write(header + b'MTrk' + struct.pack('>I', len(events)) + events)
PY

    # The real WMF files of the tests' corpus.
    mkdir -p "$corpus/wmf_player"
    cp "$root"/tests/data/metafiles/wmf/*.wmf "$corpus/wmf_player/"

    mkdir -p "$corpus/mci_command"
    printf 'open "/home/anna/Foto/Estate/musica.mid" type sequencer alias can' \
        > "$corpus/mci_command/open"
    printf 'close can' > "$corpus/mci_command/close"
    printf 'play can ' > "$corpus/mci_command/play"
    touch "$corpus/.seeded"
fi

# The EMF player starts also from the real files the tests compare (a corpus seeded by an
# older run.sh gets them too).
if [ ! -e "$corpus/emf_player/.real" ]; then
    mkdir -p "$corpus/emf_player"
    cp "$root"/tests/data/metafiles/emf/*.emf "$corpus/emf_player/"
    cp "$corpus/metafile_headers/rectangle.emf" "$corpus/emf_player/" 2>/dev/null || true
    touch "$corpus/emf_player/.real"
fi

# Both players start also from LibreOffice's drawings that fit their drivers' length (masks
# and pictures, see-through fills, carried EMFs) and from the hand-made files of every bitmap
# record (a corpus seeded by an older run.sh gets them too).
if [ ! -e "$corpus/.libreoffice" ]; then
    "$build/fuzz/fuzz_seeds" "$corpus"
    mkdir -p "$corpus/wmf_player" "$corpus/emf_player"
    find "$root/tests/data/metafiles/libreoffice" -name '*.wmf' -size -128k \
        -exec cp {} "$corpus/wmf_player/" \;
    find "$root/tests/data/metafiles/libreoffice" -name '*.emf' -size -64k \
        -exec cp {} "$corpus/emf_player/" \;
    touch "$corpus/.libreoffice"
fi

# WAVE comments in every format sox writes them in, a second long (a corpus seeded by an older
# run.sh gets them too).
if [ ! -e "$corpus/wave_file/.formats" ]; then
    mkdir -p "$corpus/wave_file"
    i=0
    for format in "-b 8 -e unsigned" "-b 16" "-b 24" "-b 32" "-e floating-point -b 32" \
                  "-e floating-point -b 64" "-B -b 16" "-B -b 24" "-B -e floating-point -b 64" \
                  "-c 2 -b 16" "-e ima-adpcm" "-e a-law"; do
        # shellcheck disable=SC2086 # the format's options, one word each
        sox -n -r 8000 -c 1 $format "$corpus/wave_file/tone$((i += 1)).wav" synth 0.05 sine 440
    done
    touch "$corpus/wave_file/.formats"
fi

drivers=(settings_file midi_file wave_file pcm_stream mci_command packed_bitmap picture_parts
         picture_profiles metafile_headers wmf_player emf_player helper_answers picture_header
         picture_decoders)
failed=()
printf '%-20s %12s %10s  %s\n' driver executions "exec/s" result
for d in "${drivers[@]}"; do
    mkdir -p "$corpus/$d"
    log="$logs/$d.log"
    extra=()
    # The fuzzer sees the coverage of the program's side only, not inside the helper: every
    # seed picture stays in the corpus to be mutated, whatever coverage it adds.
    [ "$d" = picture_decoders ] && extra=(-keep_seed=1 -max_len=65536)
    [ "$d" = picture_profiles ] && extra=(-max_len=65536)
    # The real drawings run to 120 KB.
    [ "$d" = wmf_player ] && extra=(-max_len=131072)
    # Larger seeds are cut there; the driver mends the cut file's record walk.
    [ "$d" = emf_player ] && extra=(-max_len=65536)
    if ASAN_OPTIONS=detect_leaks=1 "$build/fuzz/fuzz_$d" "$corpus/$d" "${extra[@]}" \
        -max_total_time="$seconds" -timeout=10 -rss_limit_mb=4096 -print_final_stats=1 \
        -artifact_prefix="$findings/$d-" >"$log" 2>&1; then
        result=ok
    else
        result="FAILED (see $log)"
        failed+=("$d")
    fi
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
    rate=$(sed -n 's/^stat::average_exec_per_sec: *//p' "$log" | tail -1)
    printf '%-20s %12s %10s  %s\n' "$d" "${runs:-?}" "${rate:-?}" "$result"
done

if [ ${#failed[@]} -gt 0 ]; then
    for d in "${failed[@]}"; do
        echo "== $d"
        grep -E -A30 '^==[0-9]+==ERROR|deadly signal|ALARM|runtime error|Test unit written' \
            "$logs/$d.log" | head -60 || tail -40 "$logs/$d.log"
    done
    exit 1
fi
