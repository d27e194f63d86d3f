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
# The icon is drawn, not left blank: the 48 pixel PNG has some opaque pixels of its red.
check "the PNG icon shows the drawing" python3 - "$prefix/share/icons/hicolor/48x48/apps/velliqa.png" <<'PY'
import sys, zlib, struct
data = open(sys.argv[1], "rb").read()
pos, idat = 8, b""
while pos < len(data):
    length, kind = struct.unpack(">I4s", data[pos:pos + 8])
    if kind == b"IDAT":
        idat += data[pos + 8:pos + 8 + length]
    pos += 12 + length
raw = zlib.decompress(idat)
sys.exit(0 if raw.count(b"\xff") > 100 and len(set(raw)) > 16 else 1)
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
cd "$scratch/elsewhere"
check "the launcher starts the installed program" \
    start_headless "$data_dir" env -u XDG_DATA_HOME HOME="$scratch/home" "$prefix/bin/velliqa-launch"
check "it created its three files with their defaults in the data folder" has_data_files "$data_dir"
check "it wrote nothing where it was started from" test -z "$(ls -A "$scratch/elsewhere")"

# Started directly, as from a terminal: the current directory.
mkdir -p "$scratch/terminal"
cd "$scratch/terminal"
check "the program starts directly" start_headless "$scratch/terminal" "$prefix/bin/velliqa"
check "started directly, it uses the current directory" has_data_files "$scratch/terminal"
cd /

finish install-test
