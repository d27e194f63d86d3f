#!/usr/bin/env bash
# `cmake --install` into a scratch prefix: the program, the launcher, the icon in every size,
# a desktop entry and metainfo that the freedesktop validators accept and that point at what
# was installed; and the installed program, started by the launcher as a desktop would,
# creating its files in its data folder (and, started directly, in the current directory).
# Usage: install-test.sh BUILD_DIR
set -u
source "$(dirname "$0")/common.sh"

build=$1
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
prefix="$scratch/prefix"
app=org.velliqa.Velliqa

if ! cmake --install "$build" --prefix "$prefix" > "$scratch/install.log" 2>&1; then
    cat "$scratch/install.log" >&2
    echo "install-test: cmake --install failed" >&2
    exit 1
fi

desktop="$prefix/share/applications/$app.desktop"
metainfo="$prefix/share/metainfo/$app.metainfo.xml"
check "bin/velliqa is installed and executable" test -x "$prefix/bin/velliqa"
check "bin/velliqa-launch is installed and executable" test -x "$prefix/bin/velliqa-launch"
check "the desktop entry is installed" test -f "$desktop"
check "the metainfo is installed" test -f "$metainfo"
check "the scalable icon is installed" test -s "$prefix/share/icons/hicolor/scalable/apps/velliqa.svg"
for size in 16 22 24 32 48 64 128 256; do
    png="$prefix/share/icons/hicolor/${size}x${size}/apps/velliqa.png"
    check "the ${size} pixel icon is a ${size}x${size} PNG" test "$(png_size "$png" 2>/dev/null)" = "${size}x${size}"
done
# The icon is drawn, not left blank: a transparent corner outside the rounded frame and the
# opaque red of the heart.
check "the PNG icon shows the drawing" python3 - "$prefix/share/icons/hicolor/48x48/apps/velliqa.png" <<'PY'
import struct, sys, zlib
data = open(sys.argv[1], "rb").read()
width, height, depth, colour = struct.unpack(">IIBB", data[16:26])
if (depth, colour) != (8, 6):
    sys.exit("not an 8-bit RGBA PNG")
pos, idat = 8, b""
while pos < len(data):
    length, kind = struct.unpack(">I4s", data[pos:pos + 8])
    if kind == b"IDAT":
        idat += data[pos + 8:pos + 8 + length]
    pos += 12 + length
raw, stride, rows, prev = zlib.decompress(idat), width * 4, [], bytearray(width * 4)
for y in range(height):
    kind, line = raw[y * (stride + 1)], bytearray(raw[y * (stride + 1) + 1:(y + 1) * (stride + 1)])
    for x in range(stride):
        a = line[x - 4] if x >= 4 else 0
        b, c = prev[x], (prev[x - 4] if x >= 4 else 0)
        if kind == 1: line[x] = (line[x] + a) & 255
        elif kind == 2: line[x] = (line[x] + b) & 255
        elif kind == 3: line[x] = (line[x] + (a + b) // 2) & 255
        elif kind == 4:
            p = a + b - c
            pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
            line[x] = (line[x] + (a if pa <= pb and pa <= pc else b if pb <= pc else c)) & 255
    rows.append(line)
    prev = line
pixel = lambda x, y: tuple(rows[y][x * 4:x * 4 + 4])
r, g, b, alpha = pixel(width * 22 // 64, height * 24 // 64)  # the heart's left lobe
sys.exit(0 if pixel(0, 0)[3] == 0 and alpha == 255 and r > 180 and g < 120 and b < 120 else 1)
PY
# The freedesktop validators: errors and warnings fail, hints do not.
validated_cleanly() {
    local out
    out=$("$@" 2>&1)
    local status=$?
    [ -n "$out" ] && echo "$out"
    [ $status -eq 0 ] && ! grep -qiE '(^|: )(error|warning)' <<< "$out"
}
check "desktop-file-validate accepts the desktop entry" validated_cleanly desktop-file-validate "$desktop"
check "appstreamcli accepts the metainfo" validated_cleanly appstreamcli validate --no-net "$metainfo"

# The entry and the metainfo point at what was installed.
entry() { sed -n "s/^$1=//p" "$desktop"; }
check "the entry starts the installed launcher" test -x "$prefix/bin/$(entry Exec | cut -d' ' -f1)"
check "the entry names the installed icon" test -f "$prefix/share/icons/hicolor/scalable/apps/$(entry Icon).svg"
check "the entry has a Japanese comment" grep -q '^Comment\[ja\]=..' "$desktop"
check "the entry has an English comment" grep -q '^Comment=..' "$desktop"
check "the metainfo's id is the entry's name" grep -q "<id>$app</id>" "$metainfo"
check "the metainfo launches the entry" grep -q "<launchable type=\"desktop-id\">$app.desktop</launchable>" "$metainfo"

# Started as the desktop starts it: in ~/.local/share/Velliqa, never where it was started from.
mkdir -p "$scratch/home" "$scratch/elsewhere"
data_dir="$scratch/home/.local/share/Velliqa"
cd "$scratch/elsewhere" || exit 1
check "the launcher starts the installed program" \
    start_headless "$data_dir" env -u XDG_DATA_HOME HOME="$scratch/home" "$prefix/bin/velliqa-launch"
check "it created its three files with their defaults in the data folder" has_data_files "$data_dir"
check "it wrote nothing where it was started from" test -z "$(ls -A "$scratch/elsewhere")"

# Started directly, as from a terminal: the current directory.
mkdir -p "$scratch/terminal"
cd "$scratch/terminal" || exit 1
check "the program starts directly" start_headless "$scratch/terminal" "$prefix/bin/velliqa"
check "started directly, it uses the current directory" has_data_files "$scratch/terminal"
cd /

finish install-test
