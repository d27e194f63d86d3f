#!/usr/bin/env bash
# Runs scripts/package-test on this build only when VELLIQA_PACKAGE_TEST=1: it installs the
# Debian package into the system (as root, through apt) and removes it again.
# Usage: deb-test.sh SOURCE_DIR BUILD_DIR
if [ "${VELLIQA_PACKAGE_TEST:-}" != 1 ]; then
    echo "skipped: set VELLIQA_PACKAGE_TEST=1 to build, install, start and remove the Debian package"
    exit 77
fi
exec "$1/scripts/package-test" "$2"
