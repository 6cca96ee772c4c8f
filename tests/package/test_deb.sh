#!/usr/bin/env bash
# Builds the Debian package of this build, checks it with lintian (no error, no warning), installs
# it on this machine with apt-get, checks what software centres read of it (appstreamcli), runs the
# installed program (its version, then offscreen with a sample script for a few seconds) and
# removes the package again. Needs root and apt-get; without them, or when a vantell package is
# installed already (it is not replaced), it is skipped (exit status 77).
# Usage: test_deb.sh CPACK BUILD_DIR VERSION
set -euo pipefail
cpack=$1
build_dir=$2
version=$3
skip=77

step() {
    echo "== $* (at ${SECONDS}s)"
}

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

if [ "$(id -u)" -ne 0 ] || ! command -v apt-get >/dev/null || ! command -v dpkg-shlibdeps >/dev/null; then
    echo "skipped: installing the package needs root, apt-get and dpkg-shlibdeps"
    exit $skip
fi
if dpkg-query -W -f='${Status}' vantell 2>/dev/null | grep -q 'ok installed'; then
    echo "skipped: a vantell package is installed already"
    exit $skip
fi

work=$(mktemp -d)
installed=0
program_pid=
cleanup() {
    if [ -n "$program_pid" ]; then
        kill -KILL "$program_pid" 2>/dev/null || true
    fi
    if [ "$installed" -eq 1 ]; then
        apt-get remove -y -q vantell >/dev/null 2>&1 || true
    fi
    rm -rf "$work"
}
trap cleanup EXIT

step "building the package"
"$cpack" --config "$build_dir/CPackConfig.cmake" -B "$work/packages" >"$work/cpack.log" 2>&1 ||
    { cat "$work/cpack.log"; fail "cpack failed"; }
arch=$(dpkg --print-architecture)
deb="$work/packages/vantell_${version}_${arch}.deb"
[ -f "$deb" ] || { ls "$work/packages"; fail "no package named vantell_${version}_${arch}.deb"; }
[ "$(dpkg-deb -f "$deb" Package)" = vantell ] || fail "the package is not named vantell"
[ "$(dpkg-deb -f "$deb" Version)" = "$version" ] || fail "the package's version is not $version"
depends=$(dpkg-deb -f "$deb" Depends)
echo "Depends: $depends"
for needed in fonts-liberation2 fonts-noto-color-emoji fonts-noto-core fonts-noto-cjk qt6-wayland libqt6webenginewidgets6 libqt6widgets6 libc6; do
    grep -Eq "(^|, )$needed( |,|$)" <<<"$depends" || fail "the package does not depend on $needed"
done
# Every dependency is a Debian package: apt knows each of them.
for dependency in $(sed 's/([^)]*)//g; s/|/,/g; s/,/ /g' <<<"$depends"); do
    apt-cache show "$dependency" >/dev/null 2>&1 || fail "dependency $dependency is no Debian package"
done

step "checking it with lintian"
command -v lintian >/dev/null || fail "lintian is not installed (scripts/install-deps.sh)"
lintian --fail-on error,warning "$deb" >"$work/lintian.log" 2>&1 || { cat "$work/lintian.log"; fail "lintian found errors or warnings"; }
grep -E '^[EW]: ' "$work/lintian.log" && fail "lintian found errors or warnings"
cat "$work/lintian.log"
echo "lintian: $(grep -c -E '^[EWI]: ' "$work/lintian.log" || true) remarks, none an error or a warning"

step "installing it"
DEBIAN_FRONTEND=noninteractive apt-get install -y -q "$deb" >"$work/install.log" 2>&1 ||
    { cat "$work/install.log"; fail "apt-get install failed"; }
installed=1
[ "$(command -v vantell)" = /usr/bin/vantell ] || fail "vantell is not /usr/bin/vantell"
for file in /usr/share/applications/vantell.desktop /usr/share/mime/packages/vantell.xml \
    /usr/share/icons/hicolor/48x48/apps/vantell.png /usr/share/man/man1/vantell.1.gz \
    /usr/share/vantell/specialchars.dat /usr/share/vantell/samples/welcome.vnr; do
    [ -f "$file" ] || fail "$file is not installed"
done
for file in /usr/share/doc/vantell/copyright /usr/share/doc/vantell/changelog.gz \
    /usr/share/metainfo/com.korvanex.vantell.metainfo.xml /usr/share/locale/fr/LC_MESSAGES/vantell.mo \
    /usr/share/locale/es/LC_MESSAGES/vantell.mo; do
    [ -f "$file" ] || fail "$file is not installed"
done
# What software centres read of the package: valid, without warnings, in the installed tree.
appstreamcli validate --no-net --explain /usr/share/metainfo/com.korvanex.vantell.metainfo.xml ||
    fail "appstreamcli finds the installed metainfo wanting"
# Its dependencies give every major writing system a font: a letter of each has one to fall back to.
for letter in 0627:Arabic 05D0:Hebrew 0710:Syriac 0780:Thaana 0915:Devanagari 0995:Bengali \
    0B95:Tamil 0C15:Telugu 0A95:Gujarati 0C95:Kannada 0D15:Malayalam 0A15:Gurmukhi 0D85:Sinhala \
    0E01:Thai 0E81:Lao 1000:Myanmar 1780:Khmer AC00:Hangul 4E2D:Han 3042:Hiragana 1200:Ethiopic \
    10D0:Georgian 0531:Armenian; do
    [ -n "$(fc-list ":charset=${letter%%:*}" family)" ] || fail "no font has the ${letter#*:} letter U+${letter%%:*}"
done
# The package's file types reached the system's MIME database.
grep -q 'application/x-vantell-script' /usr/share/mime/globs2 || fail "*.vnr is not in the MIME database"

step "running it"
[ "$(vantell --version)" = "Vantell $version" ] || fail "vantell --version says: $(vantell --version)"
vantell --help | grep -q ' /usr/share/vantell/specialchars.dat$' ||
    fail "the installed program does not find /usr/share/vantell/specialchars.dat"

mkdir "$work/config"
XDG_CONFIG_HOME="$work/config" QT_QPA_PLATFORM=offscreen QTWEBENGINE_DISABLE_SANDBOX=1 \
    VANTELL_PROBE_URL=http://127.0.0.1:1/ vantell /usr/share/vantell/samples/welcome.vnr \
    >"$work/run.log" 2>&1 &
program_pid=$!
sleep 8
if ! kill -0 "$program_pid" 2>/dev/null; then
    status=0
    wait "$program_pid" || status=$?
    program_pid=
    cat "$work/run.log"
    fail "the program ended by itself (exit status $status) instead of running"
fi
pgrep -P "$program_pid" -f QtWebEngineProcess >/dev/null || fail "the program started no browser"
kill -TERM "$program_pid"
status=0
wait "$program_pid" || status=$?
program_pid=
# SIGTERM closes the program as Exit does, with status 0.
[ "$status" -eq 0 ] || { cat "$work/run.log"; fail "the program ended with status $status"; }
cat "$work/run.log"

step "removing it"
DEBIAN_FRONTEND=noninteractive apt-get remove -y -q vantell >"$work/remove.log" 2>&1 ||
    { cat "$work/remove.log"; fail "apt-get remove failed"; }
installed=0
[ ! -e /usr/bin/vantell ] || fail "/usr/bin/vantell is still there"
dpkg-query -W -f='${Status}' vantell 2>/dev/null | grep -q 'ok installed' && fail "vantell is still installed"
echo "PASS"
