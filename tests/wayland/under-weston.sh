#!/usr/bin/env bash
# Runs a command in a Wayland session of its own: a headless weston (no screen, no input devices,
# screenshots allowed) on a private socket, as a desktop session gives it: WAYLAND_DISPLAY and
# XDG_SESSION_TYPE set, no X server (DISPLAY unset), so that Qt picks its Wayland plugin itself.
# The compositor stops with the command. Usage: under-weston.sh COMMAND [ARGUMENTS...]
set -euo pipefail
command -v weston >/dev/null || { echo "weston is not installed (scripts/install-deps.sh)"; exit 1; }
runtime=$(mktemp -d /tmp/weston-test.XXXXXX)
chmod 700 "$runtime"
compositor=
cleanup() {
    if [ -n "$compositor" ]; then
        kill "$compositor" 2>/dev/null || true
        wait "$compositor" 2>/dev/null || true
    fi
    rm -rf "$runtime"
}
trap cleanup EXIT
export XDG_RUNTIME_DIR=$runtime
socket=wayland-test
weston --backend=headless-backend.so --use-pixman --width=1280 --height=800 --socket=$socket \
    --idle-time=0 --debug --log="$runtime/weston.log" &
compositor=$!
for _ in $(seq 100); do
    [ -S "$runtime/$socket" ] && break
    kill -0 "$compositor" 2>/dev/null || { cat "$runtime/weston.log"; echo "weston did not start"; exit 1; }
    sleep 0.1
done
[ -S "$runtime/$socket" ] || { cat "$runtime/weston.log"; echo "weston did not open its socket"; exit 1; }
unset DISPLAY QT_QPA_PLATFORM
export WAYLAND_DISPLAY=$socket XDG_SESSION_TYPE=wayland
status=0
"$@" || status=$?
exit $status
