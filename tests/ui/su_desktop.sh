#!/usr/bin/env bash
# Runs window test cases on a real desktop: an X server (Xvfb) of the given
# size with a window manager (openbox or fluxbox), both started here and ended
# here.  Everything the run makes lives in a folder of its own in FOLDER,
# which a run killed outright leaves behind and the next run removes.  Exit 77
# (skipped) when the desktop cannot start, except under CI, where that is a
# failure.
#
# The desktop is the run's alone, however many runs start together: its X
# server lets in only the programs that show the run's own key (an X
# authority cookie made anew for each run), so that another run's programs,
# or anyone else's that dial the display's number (a window manager started
# with --replace, which would end this run's), are turned away, and this
# run's programs reach no other server; the test program checks besides that
# the server it talks to is this run's Xvfb.  The run writes nothing outside
# its folder.  The log (standard error) tells the X server (display and Xvfb's process)
# and the window manager (name and process) the run talked to, whether and
# when either ended before the run ended them, and, when the run fails, their
# own output.
#
#   su_desktop.sh TEST-PROGRAM GTEST-FILTER WINDOW-MANAGER WIDTHxHEIGHT FOLDER
set -u
uso="uso: su_desktop.sh PROGRAMMA FILTRO GESTORE LARGHEZZAxALTEZZA CARTELLA"
programma=${1:?$uso}
filtro=${2:?$uso}
nome_gestore=${3:?$uso}
misura=${4:?$uso}
cartella=${5:?$uso}

# A line of the log, with the time of day to the millisecond.
di() { echo "su_desktop: $(date +%T.%3N) $*" >&2; }

salta() {
  echo "su_desktop: $*" >&2
  if [ "${CI:-}" = true ]; then
    echo "su_desktop: under CI the desktop must start: failed" >&2
    exit 1
  fi
  echo "su_desktop: skipped" >&2
  exit 77
}

# The clock in milliseconds, in `ora`.
orologio() {
  local t=${EPOCHREALTIME/[.,]/}
  ora=$((t / 1000))
}
# Waits up to $1 tenths of a second by the clock for the command that follows
# to succeed: on a busy machine each try takes longer, not the wait.
attendi() {
  local fino
  orologio
  fino=$((ora + $1 * 100))
  shift
  until "$@"; do
    orologio
    [ "$ora" -lt "$fino" ] || return 1
    sleep 0.1
  done
}

case $nome_gestore in
  openbox) gestore_cmd=(openbox --sm-disable) ;;
  fluxbox) gestore_cmd=(fluxbox) ;;
  *) echo "su_desktop: unknown window manager $nome_gestore" >&2; exit 2 ;;
esac
for comando in Xvfb "$nome_gestore" xmessage xwininfo xprop setpriv od; do
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
chmod 700 "$cartella" "$cartella/run"
xvfb=""
gestore=""
sonda=""
prova=""
sentinella=""
pronto=false
# Each process ends with this script (a parent that dies takes them along,
# also under a kill -9); here they are ended in order and reaped.
# A process that does not end within 5 seconds of being asked (fluxbox may
# hang with the signal blocked) is killed.
finito() {
  local stato
  { read -r stato <"/proc/$1/stat"; } 2>/dev/null || return 0
  stato=${stato##*) }
  [ "${stato%% *}" = Z ]
}
termina() {
  kill "$1" 2>/dev/null
  attendi 50 finito "$1" || kill -KILL "$1" 2>/dev/null
  wait "$1" 2>/dev/null
}
# Whether the window manager or the X server, named by the variable $1, has
# ended by itself: its exit status is said, and its process id, which may be
# another process's by now, is signalled no more.
finito_da_se() {
  local -n pid=$1
  [ -n "$pid" ] && finito "$pid" || return 1
  wait "$pid"
  di "$2 (process $pid) had ended by itself, exit status $?"
  pid=""
}
fine() {
  local esito=$?
  if [ -n "$sentinella" ]; then
    kill "$sentinella" 2>/dev/null
    wait "$sentinella" 2>/dev/null
  fi
  finito_da_se gestore "the window manager $nome_gestore"
  finito_da_se xvfb "the X server"
  if [ "$esito" -ne 0 ] && [ "$pronto" = true ]; then
    # Xvfb's own lines for each display it tried and found taken are left out.
    grep -v -e 'SocketCreateListener() failed' -e 'server already running' "$cartella/xvfb.log" 2>/dev/null |
      sed 's/^/su_desktop: xvfb: /' >&2
    sed 's/^/su_desktop: window manager: /' "$cartella/gestore.log" >&2 2>/dev/null
  fi
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

# The run's key: an X authority file of one entry, for any address and any
# display number, that the server takes as the one key it lets in and that
# the run's programs find through XAUTHORITY.
chiave() {
  local ottetti="" b
  for b in $(od -An -N16 -tx1 /dev/urandom); do ottetti+="\\x$b"; done
  [ ${#ottetti} -eq 64 ] || return 1
  # Family 0xffff (any address), no address, no display number, the
  # protocol's name and the 16 bytes, each length in two bytes.
  (umask 077 && printf '\xff\xff\x00\x00\x00\x00\x00\x12MIT-MAGIC-COOKIE-1\x00\x10%b' "$ottetti" >"$1")
}
export XAUTHORITY=$cartella/chiave
chiave "$XAUTHORITY" || salta "no key for the X server could be made"

# The process at the other end of process $1's connection to an X server (the
# server it talks to), by the sockets as ss tells them; nothing where ss is
# missing.
server_di() {
  command -v ss >/dev/null 2>&1 || return 0
  ss -xp 2>/dev/null | awk -v pid="$1" '
    { indirizzo[$6] = $5; riga[$6] = $0 }
    index($0, "pid=" pid ",") { altro[$8] = 1 }
    END {
      for (i in altro)
        if (indirizzo[i] ~ /X11-unix/ && match(riga[i], /pid=[0-9]+/)) {
          print substr(riga[i], RSTART + 4, RLENGTH - 4)
          exit
        }
    }'
}

# Says when the window manager or the X server ends before the script ends
# them: a run's window manager is its own to end.
sorveglia() {
  while :; do
    if finito "$xvfb"; then
      di "the X server (Xvfb, process $xvfb) has ended"
      return
    fi
    if finito "$gestore"; then
      di "the window manager ($nome_gestore, process $gestore) has ended"
      return
    fi
    sleep 0.2
  done
}

# A desktop: Xvfb, which picks a free display and writes its number once it
# takes clients, and the window manager.  The server never resets: one that
# resets as its first client (the check that it takes clients) leaves would
# drop a window manager connecting at that moment.  A manager may announce
# itself before it handles windows, and one that starts while a window is
# being mapped may leave that window unframed: the desktop is ready once a
# window of the script's own, mapped anew every two seconds until then, has
# been framed (reparented away from the root window).  False when the server
# does not take clients within 40 seconds, the manager does not frame the
# window within 30, or the manager is gone or talks to another server.
numero() { grep -qE '^[0-9]+$' "$cartella/schermo" 2>/dev/null; }
raggiungibile() { xprop -root -display ":$(cat "$cartella/schermo")" >/dev/null 2>&1; }
incorniciata() {
  xwininfo -name kenvaron-sonda-cornice -tree 2>/dev/null | grep 'Parent window id:' | grep -qv 'the root window'
}
avvia_desktop() {
  rm -f "$cartella/schermo"
  setpriv --pdeathsig KILL Xvfb -displayfd 3 -auth "$XAUTHORITY" -noreset -screen 0 "${misura}x24" -nolisten tcp \
    3>"$cartella/schermo" 2>>"$cartella/xvfb.log" &
  xvfb=$!
  attendi 300 numero && attendi 100 raggiungibile || return 1
  export DISPLAY=:$(cat "$cartella/schermo")
  setpriv --pdeathsig KILL "${gestore_cmd[@]}" >>"$cartella/gestore.log" 2>&1 &
  gestore=$!
  local volta server
  for volta in $(seq 15); do
    finito "$gestore" && return 1
    setpriv --pdeathsig KILL xmessage -title kenvaron-sonda-cornice -geometry +10+10 sonda 2>/dev/null &
    sonda=$!
    if attendi 20 incorniciata; then
      server=$(server_di "$gestore")
      if [ -n "$server" ] && [ "$server" != "$xvfb" ]; then
        di "the window manager ($nome_gestore, process $gestore) talks to process $server, not to Xvfb $xvfb"
        return 1
      fi
      [ -n "$server" ] && server="talking to process $server" || server="its server unchecked (no ss)"
      di "X server $DISPLAY (Xvfb, process $xvfb), window manager $nome_gestore (process $gestore, $server)"
      return 0
    fi
    termina "$sonda"
    sonda=""
  done
  return 1
}
# A desktop that does not start is started again, twice at most, while the
# run has time left for its test before ctest's limit (300 seconds).
for tentativo in 1 2 3; do
  [ "$SECONDS" -lt 120 ] || break
  if avvia_desktop; then
    pronto=true
    break
  fi
  di "desktop $tentativo (display :$(cat "$cartella/schermo" 2>/dev/null)) did not start"
  finito_da_se gestore "the window manager $nome_gestore"
  finito_da_se xvfb "the X server"
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
sorveglia &
sentinella=$!

# The test may stop the window manager for a while, to see what the program
# does while its requests go unanswered; it checks that the server it talks
# to is this run's Xvfb.
export KENVARON_GESTORE=$nome_gestore KENVARON_PID_GESTORE=$gestore KENVARON_PID_XVFB=$xvfb
QT_QPA_PLATFORM=xcb setpriv --pdeathsig KILL "$programma" --gtest_filter="$filtro" &
prova=$!
wait "$prova"
esito=$?
prova=""
exit "$esito"
