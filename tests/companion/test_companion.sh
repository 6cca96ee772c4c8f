#!/bin/sh
# The Companion module's tests (Node's test runner) against the built program. The module is
# copied into the build tree and its packages installed there with npm the first time, exactly as
# its lock file names them; never shipped with the program. Without node or npm, or when npm
# cannot reach its registry, the tests are skipped (77) with the reason.
# Usage: test_companion.sh MODULE_SOURCE BUILD_FOLDER PROGRAM
set -u
source=$1
build=$2
program=$3
if ! command -v node >/dev/null 2>&1; then
    echo "SKIP: node is not installed: the Companion module is not tested"
    exit 77
fi
mkdir -p "$build"
for part in package.json package-lock.json companion src test; do
    rm -rf "${build:?}/$part"
    cp -R "$source/$part" "$build/$part" || exit 1
done
if [ ! -f "$build/node_modules/@companion-module/base/package.json" ] ||
   ! cmp -s "$source/package-lock.json" "$build/node_modules/.package-lock-source.json"; then
    if ! command -v npm >/dev/null 2>&1; then
        echo "SKIP: npm is not installed: the Companion module's packages cannot be installed"
        exit 77
    fi
    if ! (cd "$build" && npm ci --no-audit --no-fund --fetch-retries=1 --fetch-timeout=30000 >npm.log 2>&1); then
        echo "SKIP: npm could not install the Companion module's packages: $(head -n 3 "$build/npm.log")"
        exit 77
    fi
    cp "$source/package-lock.json" "$build/node_modules/.package-lock-source.json"
fi
cd "$build" && VANTELL_PROGRAM="$program" exec node --test test/*.test.js
