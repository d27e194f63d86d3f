#!/usr/bin/env bash
# scripts/update-readme-screenshots on a scratch copy of the repository: it copies the current
# PNGs, drops the stale ones, rewrites only the gallery of the README, and refuses clearly
# when there is nothing to copy or no gallery to rewrite.
# Usage: readme-screenshots-test.sh PATH/TO/update-readme-screenshots
set -u
source "$(dirname "$0")/common.sh"

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
repo="$scratch/repo"
mkdir -p "$repo/scripts" "$repo/docs/screenshots" "$scratch/shots"
cp "$1" "$repo/scripts/update-readme-screenshots"
printf 'old' > "$repo/docs/screenshots/removed-page.png"
printf 'A' > "$scratch/shots/about.png"
printf 'L' > "$scratch/shots/main-list.png"
printf 'R' > "$scratch/shots/rename-dialog.png"
printf 'X' > "$scratch/shots/zz-new-window.png"
printf 'pdf' > "$scratch/shots/report.pdf"
cat > "$repo/README.md" <<'MD'
# Title

Before.

<!-- screenshots:begin -->
stale gallery
<!-- screenshots:end -->

After: 日本語.
MD
fails() { ! "$@"; }
update() { python3 "$repo/scripts/update-readme-screenshots" "$@" > "$scratch/out" 2>&1; }

check "it runs" update "$scratch/shots"
check "the PNGs are copied as they are" test "$(cat "$repo/docs/screenshots/main-list.png")" = L
check "a PNG the tool no longer makes is removed" test ! -e "$repo/docs/screenshots/removed-page.png"
check "other files are not copied" test ! -e "$repo/docs/screenshots/report.pdf"
readme=$(cat "$repo/README.md")
check "the text around the gallery is kept" grep -q $'^Before.\n\n<!-- screenshots:begin -->' <<< "$readme"
check "the text after the gallery is kept" test "$(tail -n 1 "$repo/README.md")" = "After: 日本語."
check "the old gallery is gone" test "$(grep -c 'stale gallery' <<< "$readme")" -eq 0
images=$(grep -o 'docs/screenshots/[a-z-]*\.png' <<< "$readme" | tr '\n' ' ')
check "the main window comes first, unknown windows last" \
    test "$images" = "docs/screenshots/main-list.png docs/screenshots/rename-dialog.png docs/screenshots/about.png docs/screenshots/zz-new-window.png "
check "each picture has an English and a Japanese caption" grep -q '^\*\*Renaming a measurement type\*\* / 測定の種類の名前の変更$' <<< "$readme"
check "a window without a caption is named and reported" grep -q 'no caption for: zz-new-window' "$scratch/out"
check "a second run changes nothing" bash -c 'cp "$1" "$1.first" && python3 "$2" "$3" > /dev/null && cmp -s "$1" "$1.first"' _ \
    "$repo/README.md" "$repo/scripts/update-readme-screenshots" "$scratch/shots"

mkdir -p "$scratch/empty"
check "no screenshots is refused" fails update "$scratch/empty"
check "and says to make them first" grep -q 'make screenshots' "$scratch/out"
printf 'no gallery here\n' > "$repo/README.md"
check "a README without a gallery is refused" fails update "$scratch/shots"
check "and is left as it was" test "$(cat "$repo/README.md")" = "no gallery here"

finish readme-screenshots-test
