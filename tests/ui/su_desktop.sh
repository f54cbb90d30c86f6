#!/usr/bin/env bash
# Runs window test cases on a real desktop: an X server (Xvfb) of the given
# size with a window manager (openbox or fluxbox), both started here and ended
# here.  Everything the run makes lives in a folder of its own in FOLDER,
# which a run killed outright leaves behind and the next run removes.  Exit 77
# (skipped) when the desktop cannot start, except under CI, where that is a
# failure.
#
#   su_desktop.sh TEST-PROGRAM GTEST-FILTER WINDOW-MANAGER WIDTHxHEIGHT FOLDER
set -u
uso="uso: su_desktop.sh PROGRAMMA FILTRO GESTORE LARGHEZZAxALTEZZA CARTELLA"
programma=${1:?$uso}
filtro=${2:?$uso}
nome_gestore=${3:?$uso}
misura=${4:?$uso}
cartella=${5:?$uso}

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

case $nome_gestore in
  openbox) gestore_cmd=(openbox --sm-disable) ;;
  fluxbox) gestore_cmd=(fluxbox) ;;
  *) echo "su_desktop: unknown window manager $nome_gestore" >&2; exit 2 ;;
esac
for comando in Xvfb "$nome_gestore" xmessage xwininfo xprop setpriv; do
  command -v "$comando" >/dev/null 2>&1 || salta "$comando is not installed (scripts/setup.sh installs it)"
done

# FOLDER holds a folder for each run, named by the run's process id; one whose
# run is over (killed outright, say) goes now.
for vecchia in "$cartella"/*; do
  [ -d "$vecchia" ] || continue
  kill -0 "${vecchia##*/}" 2>/dev/null || rm -rf "$vecchia"
done
cartella=$cartella/$$
mkdir -p "$cartella/home" "$cartella/run" || exit 1
chmod 700 "$cartella/run"
xvfb=""
gestore=""
sonda=""
prova=""
# Each process ends with this script (a parent that dies takes them along,
# also under a kill -9); here they are ended in order and reaped.
# A process that does not end within 5 seconds of being asked (fluxbox may
# hang with the signal blocked) is killed.
finito() { [ ! -e "/proc/$1" ] || grep -q '^State:.*zombie' "/proc/$1/status" 2>/dev/null; }
termina() {
  kill "$1" 2>/dev/null
  attendi 50 finito "$1" || kill -KILL "$1" 2>/dev/null
  wait "$1" 2>/dev/null
}
fine() {
  for pid in $prova $sonda $gestore $xvfb; do
    termina "$pid"
  done
  rm -rf "$cartella"
}
trap fine EXIT
trap 'exit 143' TERM INT HUP

export HOME=$cartella/home XDG_CONFIG_HOME=$cartella/home/.config XDG_CACHE_HOME=$cartella/home/.cache
export XDG_RUNTIME_DIR=$cartella/run TMPDIR=$cartella
unset WAYLAND_DISPLAY
# Under the sanitizers: what libdbus keeps is not the program's leak.
export LSAN_OPTIONS="${LSAN_OPTIONS:+$LSAN_OPTIONS:}suppressions=$(cd "$(dirname "$0")" && pwd)/lsan_desktop.supp"

# A desktop: Xvfb, which picks a free display and writes its number once it
# takes clients, and the window manager.  A manager may announce itself
# before it handles windows, and one that starts while a window is being
# mapped may leave that window unframed: the desktop is ready once a window of
# the script's own, mapped anew every two seconds until then, has been framed
# (reparented away from the root window).  False when the server does not
# take clients within 40 seconds, the manager does not frame the window within
# 30, or the manager is gone.
numero() { grep -qE '^[0-9]+$' "$cartella/schermo" 2>/dev/null; }
raggiungibile() { xprop -root -display ":$(cat "$cartella/schermo")" >/dev/null 2>&1; }
incorniciata() {
  xwininfo -name kenvaron-sonda-cornice -tree 2>/dev/null | grep 'Parent window id:' | grep -qv 'the root window'
}
avvia_desktop() {
  rm -f "$cartella/schermo"
  setpriv --pdeathsig KILL Xvfb -displayfd 3 -screen 0 "${misura}x24" -nolisten tcp \
    3>"$cartella/schermo" 2>>"$cartella/xvfb.log" &
  xvfb=$!
  attendi 300 numero && attendi 100 raggiungibile || return 1
  export DISPLAY=:$(cat "$cartella/schermo")
  setpriv --pdeathsig KILL "${gestore_cmd[@]}" >>"$cartella/gestore.log" 2>&1 &
  gestore=$!
  local volta
  for volta in $(seq 15); do
    finito "$gestore" && return 1
    setpriv --pdeathsig KILL xmessage -title kenvaron-sonda-cornice -geometry +10+10 sonda 2>/dev/null &
    sonda=$!
    attendi 20 incorniciata && return 0
    termina "$sonda"
    sonda=""
  done
  return 1
}
# A desktop that does not start is started again, twice at most: two servers
# starting and ending side by side may take one display's socket from each
# other.
pronto=false
for tentativo in 1 2 3; do
  if avvia_desktop; then
    pronto=true
    break
  fi
  for pid in $sonda $gestore $xvfb; do
    termina "$pid"
  done
  sonda="" gestore="" xvfb=""
done
if [ "$pronto" != true ]; then
  cat "$cartella/xvfb.log" "$cartella/gestore.log" >&2
  salta "no desktop with $nome_gestore started"
fi
termina "$sonda"
sonda=""

# The test may stop the window manager for a while, to see what the program
# does while its requests go unanswered.
export KENVARON_PID_GESTORE=$gestore
QT_QPA_PLATFORM=xcb setpriv --pdeathsig KILL "$programma" --gtest_filter="$filtro" &
prova=$!
wait "$prova"
esito=$?
prova=""
exit "$esito"
