# Shared by the packaging checks: a tiny check counter and starting an installed Velliqa
# headless until it has made its data files. Sourced by bash scripts.

passed=0
failed=0

pass() { passed=$((passed + 1)); }
fail() {
    failed=$((failed + 1))
    echo "FAILED: $*" >&2
}
# check DESCRIPTION COMMAND...: runs COMMAND, counts it as passed when it succeeds.
check() {
    local what=$1
    shift
    if "$@"; then pass; else fail "$what"; fi
}
# Prints the closing line and exits non-zero when any check failed.
finish() {
    echo "$1: $passed passed, $failed failed"
    [ "$failed" -eq 0 ]
}

# has_data_files DIR: the three files a first start creates, with their default line counts
# (item.txt 5 type names, setting.txt 6 settings, data.txt empty), each line ending in CR LF.
has_data_files() {
    local dir=$1
    [ -f "$dir/data.txt" ] && [ -f "$dir/item.txt" ] && [ -f "$dir/setting.txt" ] || return 1
    [ ! -s "$dir/data.txt" ] || return 1
    [ "$(grep -c $'\r$' "$dir/item.txt")" -eq 5 ] && [ "$(wc -l < "$dir/item.txt")" -eq 5 ] || return 1
    [ "$(grep -c $'\r$' "$dir/setting.txt")" -eq 6 ] && [ "$(wc -l < "$dir/setting.txt")" -eq 6 ] || return 1
}

# start_headless EXPECTED_DIR COMMAND...: starts COMMAND in the background without a display,
# waits (at most 60 s) until it has created its three data files in EXPECTED_DIR, lets it run
# a few seconds more to show that it keeps running once its window is up, then ends it.
# Fails when the program exits early or never creates the files. Its output goes to
# $scratch/program.log, shown when it fails.
start_headless() {
    local dir=$1
    shift
    QT_QPA_PLATFORM=offscreen "$@" > "${scratch:?}/program.log" 2>&1 &
    local pid=$! waited=0
    while ! { [ -f "$dir/data.txt" ] && [ -f "$dir/item.txt" ] && [ -f "$dir/setting.txt" ]; }; do
        if ! kill -0 "$pid" 2>/dev/null || [ "$waited" -ge 600 ]; then
            kill "$pid" 2>/dev/null
            wait "$pid" 2>/dev/null
            echo "the program did not create its data files in $dir; its output:" >&2
            cat "$scratch/program.log" >&2
            return 1
        fi
        sleep 0.1
        waited=$((waited + 1))
    done
    sleep 3
    if ! kill -0 "$pid" 2>/dev/null; then
        wait "$pid"
        echo "the program ended on its own (status $?) instead of showing its window; its output:" >&2
        cat "$scratch/program.log" >&2
        return 1
    fi
    kill "$pid"
    wait "$pid" 2>/dev/null
    return 0
}

# png_size FILE: prints "WIDTHxHEIGHT" from the PNG header, or nothing when FILE is no PNG.
png_size() {
    python3 - "$1" <<'PY'
import struct, sys
with open(sys.argv[1], "rb") as f:
    head = f.read(24)
if head[:8] == b"\x89PNG\r\n\x1a\n" and head[12:16] == b"IHDR":
    print("%dx%d" % struct.unpack(">II", head[16:24]))
PY
}
