#!/usr/bin/env bash
# Runs window test cases on a real desktop: an X server of 1024x768 (Xvfb)
# with a window manager (openbox), both started here, in a folder of the
# run's own, and ended here.  Exit 77 (skipped) when either cannot start,
# except under CI, where that is a failure.
#
#   su_desktop.sh TEST-PROGRAM GTEST-FILTER
set -u
programma=${1:?uso: su_desktop.sh PROGRAMMA FILTRO}
filtro=${2:?uso: su_desktop.sh PROGRAMMA FILTRO}

salta() {
  echo "su_desktop: $*" >&2
  if [ "${CI:-}" = true ]; then
    echo "su_desktop: under CI the desktop must start: failed" >&2
    exit 1
  fi
  echo "su_desktop: skipped" >&2
  exit 77
}

# Waits up to $1 tenths of a second for the command that follows to succeed.
attendi() {
  local decimi=$1
  shift
  while [ "$decimi" -gt 0 ]; do
    "$@" && return 0
    sleep 0.1
    decimi=$((decimi - 1))
  done
  return 1
}

for comando in Xvfb openbox xprop setpriv; do
  command -v "$comando" >/dev/null 2>&1 || salta "$comando is not installed (scripts/setup.sh installs it)"
done

cartella=$(mktemp -d) || exit 1
xvfb=""
gestore=""
prova=""
# Each process ends with this script (a parent that dies takes them along,
# also under a kill -9); here they are ended in order and reaped.
fine() {
  for pid in $prova $gestore $xvfb; do
    kill "$pid" 2>/dev/null
    wait "$pid" 2>/dev/null
  done
  rm -rf "$cartella"
}
trap fine EXIT
trap 'exit 143' TERM INT HUP

mkdir -p "$cartella/home" "$cartella/run"
chmod 700 "$cartella/run"
export HOME=$cartella/home XDG_CONFIG_HOME=$cartella/home/.config XDG_CACHE_HOME=$cartella/home/.cache
export XDG_RUNTIME_DIR=$cartella/run TMPDIR=$cartella
unset WAYLAND_DISPLAY
# Under the sanitizers: what libdbus keeps is not the program's leak.
export LSAN_OPTIONS="${LSAN_OPTIONS:+$LSAN_OPTIONS:}suppressions=$(cd "$(dirname "$0")" && pwd)/lsan_desktop.supp"

# Xvfb picks a free display and writes its number once it takes clients.
setpriv --pdeathsig KILL Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp \
  3>"$cartella/schermo" 2>"$cartella/xvfb.log" &
xvfb=$!
numero() { grep -qE '^[0-9]+$' "$cartella/schermo" 2>/dev/null; }
if ! attendi 100 numero; then
  cat "$cartella/xvfb.log" >&2
  salta "the X server did not start"
fi
export DISPLAY=:$(cat "$cartella/schermo")

setpriv --pdeathsig KILL openbox --sm-disable >"$cartella/openbox.log" 2>&1 &
gestore=$!
gestito() { xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; }
if ! attendi 100 gestito; then
  cat "$cartella/openbox.log" >&2
  salta "the window manager did not start on $DISPLAY"
fi

QT_QPA_PLATFORM=xcb setpriv --pdeathsig KILL "$programma" --gtest_filter="$filtro" &
prova=$!
wait "$prova"
esito=$?
prova=""
exit "$esito"
