#!/usr/bin/env bash
# The desktop launcher velliqa-launch, run beside a stand-in velliqa that records where and
# with what it was started: it must start the program in the user's data folder, create that
# folder privately, pass arguments on, and refuse clearly when there is no usable folder.
# Usage: launcher-test.sh PATH/TO/velliqa-launch
set -u
source "$(dirname "$0")/common.sh"

launcher=$1
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

# An installed pair: bin/velliqa-launch and a stand-in bin/velliqa.
bin="$scratch/inst dir/bin"
mkdir -p "$bin"
cp "$launcher" "$bin/velliqa-launch"
cat > "$bin/velliqa" <<'STUB'
#!/bin/sh
pwd > "$STUB_OUT"
for a in "$@"; do printf '[%s]' "$a" >> "$STUB_OUT"; done
exit "${STUB_STATUS:-0}"
STUB
chmod +x "$bin/velliqa" "$bin/velliqa-launch"

# run_launcher HOME XDG_DATA_HOME(or -unset) ARGS...: runs it from an unrelated folder.
run_launcher() {
    local home=$1 xdg=$2
    shift 2
    rm -f "$scratch/out"
    mkdir -p "$scratch/terminal"
    (
        cd "$scratch/terminal" || exit 99
        if [ "$xdg" = -unset ]; then unset XDG_DATA_HOME; else export XDG_DATA_HOME=$xdg; fi
        if [ "$home" = -unset ]; then unset HOME; else export HOME=$home; fi
        STUB_OUT="$scratch/out" "$bin/velliqa-launch" "$@"
    ) 2> "$scratch/err"
}
started_in() { [ -f "$scratch/out" ] && [ "$(head -n 1 "$scratch/out")" = "$1" ]; }
mode_of() { stat -c %a "$1"; }

# Default folder: ~/.local/share/Velliqa, created with every missing parent, owner only.
home="$scratch/home with space"
mkdir -p "$home"
check "runs with XDG_DATA_HOME unset" run_launcher "$home" -unset
check "starts in ~/.local/share/Velliqa" started_in "$home/.local/share/Velliqa"
check "the new data folder is private" test "$(mode_of "$home/.local/share/Velliqa")" = 700
check "nothing is written to the folder it was started from" test -z "$(ls -A "$scratch/terminal")"

# An empty or relative XDG_DATA_HOME is not a usable base: the default applies.
check "runs with an empty XDG_DATA_HOME" run_launcher "$home" ""
check "an empty XDG_DATA_HOME means ~/.local/share" started_in "$home/.local/share/Velliqa"
check "runs with a relative XDG_DATA_HOME" run_launcher "$home" "relative/share"
check "a relative XDG_DATA_HOME is ignored" started_in "$home/.local/share/Velliqa"
check "a relative XDG_DATA_HOME creates nothing" test ! -e "$scratch/terminal/relative"

# An absolute XDG_DATA_HOME is the base; a folder that exists keeps its files and its mode.
xdg="$scratch/xdg data"
mkdir -p "$xdg/Velliqa"
chmod 755 "$xdg/Velliqa"
printf 'kept\r\n' > "$xdg/Velliqa/data.txt"
check "runs with XDG_DATA_HOME set" run_launcher "$home" "$xdg"
check "starts in XDG_DATA_HOME/Velliqa" started_in "$xdg/Velliqa"
check "an existing data file is untouched" test "$(cat "$xdg/Velliqa/data.txt")" = $'kept\r'
check "an existing folder keeps its mode" test "$(mode_of "$xdg/Velliqa")" = 755
check "without HOME, XDG_DATA_HOME alone suffices" run_launcher -unset "$xdg"
check "and is used" started_in "$xdg/Velliqa"

# Arguments reach the program unchanged, and so does its exit status.
check "runs with arguments" run_launcher "$home" -unset "two words" "" "-x"
check "arguments are passed on unchanged" test "$(sed -n 2p "$scratch/out")" = "[two words][][-x]"
STUB_STATUS=3 run_launcher "$home" -unset
check "the program's exit status is the launcher's" test $? -eq 3

# Found through a symbolic link elsewhere on the PATH, it still runs the program beside it.
mkdir -p "$scratch/links"
ln -s "$bin/velliqa-launch" "$scratch/links/velliqa-launch"
check "runs through a symbolic link" \
    env -u XDG_DATA_HOME HOME="$home" STUB_OUT="$scratch/out" PATH="$scratch/links:/usr/bin:/bin" velliqa-launch
check "through the link it finds the program beside the real launcher" started_in "$home/.local/share/Velliqa"

# No usable folder: a clear message, and the program is not started at all.
refused_with() {
    local message=$1
    shift
    ! run_launcher "$@" && [ ! -f "$scratch/out" ] && grep -q "$message" "$scratch/err"
}
touch "$scratch/blocked"
check "a data folder path taken by a file is refused" refused_with "cannot create the data folder" "$home" "$scratch/blocked"
check "no HOME and no XDG_DATA_HOME is refused" refused_with "neither XDG_DATA_HOME nor HOME" -unset -unset
mv "$bin/velliqa" "$bin/velliqa.away"
check "a missing program is named" refused_with "velliqa is missing" "$home" -unset
mv "$bin/velliqa.away" "$bin/velliqa"

finish launcher-test
