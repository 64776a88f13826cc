# Sourced by ./run, ./test, bench/run, tools/wine-prefix and cmake/wine-exec: the build
# folders, the Wine environment (set here and nowhere else) and the Wine sessions.
QM_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
QM_BUILD="${QM_BUILD:-$QM_ROOT/build}"
QM_JOBS=$(nproc 2>/dev/null || echo 2)
# The test sessions' prefixes, one per slot (s0, s1, ...), each with the display it runs on.
QM_WINE_POOL="${QM_WINE_POOL:-$QM_BUILD/wine}"

# Code page 932 for the "A" API, no debug noise, no Mono/Gecko installers.
export WINEDEBUG="${WINEDEBUG:--all}" WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree=;mshtml=}"
export LC_ALL=ja_JP.UTF-8
# The locales the tests run under: ja_JP gives Wine's programs code page 932; the tests of the
# other code pages run under hi_IN (65001, the system code page UTF-8) and en_US (1252).
QM_TEST_LOCALES="ja_JP.UTF-8 hi_IN.UTF-8 en_US.UTF-8"
# The size of the virtual desktop that test prefixes get (tools/wine-prefix).
QM_TEST_DESKTOP=1280x1024

# configure_and_build DIR [cmake args...]
qm_build() {
  local dir=$1; shift
  if [ ! -f "$dir/CMakeCache.txt" ]; then
    cmake -S "$QM_ROOT" -B "$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" >/dev/null
  fi
  # The build's own status: compile errors go to stderr, so the filter may see no line at all.
  cmake --build "$dir" -j "$QM_JOBS" -- --no-print-directory | { grep -v -E '^\[ *[0-9]+%\]' || true; }
  local status=${PIPESTATUS[0]}
  return "$status"
}

# qm_new_display: starts a private Xvfb on the first free display number (the server picks it,
# so two scripts starting displays at once never take the same one) and sets QM_NEW_DISPLAY
# to ":N". Its process id is added to QM_XVFB_PIDS, which qm_stop_display ends.
QM_XVFB_PIDS=()
qm_new_display() {
  local out n
  out=$(mktemp)
  Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$out" >/dev/null 2>&1 &
  QM_XVFB_PIDS+=($!)
  for _ in $(seq 100); do
    n=$(cat "$out")
    if [[ "$n" =~ ^[0-9]+$ ]]; then rm -f "$out"; QM_NEW_DISPLAY=":$n"; return 0; fi
    kill -0 "${QM_XVFB_PIDS[-1]}" 2>/dev/null || break
    sleep 0.1
  done
  rm -f "$out"
  echo "Xvfb did not start" >&2; return 1
}
# Starts a private Xvfb display when none is set; qm_stop_display ends it.
qm_start_display() {
  if [ -n "${DISPLAY:-}" ]; then return 0; fi
  qm_new_display || return 1
  export DISPLAY=$QM_NEW_DISPLAY
}
qm_stop_display() {
  local pid
  for pid in "${QM_XVFB_PIDS[@]}"; do kill "$pid" 2>/dev/null || true; done
  for pid in "${QM_XVFB_PIDS[@]}"; do wait "$pid" 2>/dev/null || true; done
  QM_XVFB_PIDS=()
}

# qm_wine_session: starts the Wine session of $WINEPREFIX on $DISPLAY and keeps it until
# `wineserver -k`: one wineserver for all the programs that follow, its desktop and services
# started here, so that no later program's output pipe is held open by a service process
# and no program pays for the session's start.
qm_wine_session() {
  wineserver -p 2>/dev/null || true
  wine cmd /c exit </dev/null >/dev/null 2>&1 || true
}

# qm_wine_pool_start N: N test sessions side by side, slots s0 ... s<N-1> in QM_WINE_POOL:
# each its own prefix (so its own wineserver, and the tool's single-instance mutex of one
# never meets another), its own Xvfb display (so key presses and the foreground of one never
# reach another), named in sK.display for cmake/wine-exec. Returns when every session has
# started.
qm_wine_pool_start() {
  local n=$1 i starts=()
  QM_WINE_POOL_SIZE=$n
  qm_wine_pool_make "$n"
  for ((i = 0; i < n; i++)); do
    qm_new_display || return 1
    echo "$QM_NEW_DISPLAY" >"$QM_WINE_POOL/s$i.display"
    (export WINEPREFIX="$QM_WINE_POOL/s$i" DISPLAY=$QM_NEW_DISPLAY; qm_wine_session) &
    starts+=($!)
  done
  wait "${starts[@]}"
}
# qm_wine_pool_make N: the prefixes of N slots, those that are missing: the first one is
# booted once, the others are copies of it. Safe to run ahead, while the trees build.
qm_wine_pool_make() {
  local n=$1 i
  mkdir -p "$QM_WINE_POOL"
  QM_VIRTUAL_DESKTOP=$QM_TEST_DESKTOP WINEPREFIX="$QM_WINE_POOL/s0" "$QM_ROOT/tools/wine-prefix"
  for ((i = 1; i < n; i++)); do
    local slot="$QM_WINE_POOL/s$i"
    if [ ! -f "$slot/system.reg" ]; then
      # The system's files (over a gigabyte, and no test writes them) are shared as hard links;
      # what a session writes, the registry and the users' folders, is copied. Wine saves the
      # registry into a new file that replaces the old one, so a link would be broken anyway.
      rm -rf "$slot.new"
      cp -al "$QM_WINE_POOL/s0" "$slot.new"
      rm -rf "$slot.new"/*.reg "$slot.new/drive_c/users"
      cp -a "$QM_WINE_POOL/s0"/*.reg "$slot.new/"
      cp -a "$QM_WINE_POOL/s0/drive_c/users" "$slot.new/drive_c/users"
      mv "$slot.new" "$slot"
    fi
  done
}
# Ends every program of the pool's sessions, then their displays.
qm_wine_pool_stop() {
  local i
  for ((i = 0; i < ${QM_WINE_POOL_SIZE:-0}; i++)); do
    WINEPREFIX="$QM_WINE_POOL/s$i" wineserver -k 2>/dev/null || true
  done
  QM_WINE_POOL_SIZE=0
  qm_stop_display
}
# qm_wine_slots FILE FIRST COUNT: the ctest resource file that hands out the slots
# sFIRST ... one test at a time each (the tests ask for "wine:1").
qm_wine_slots() {
  local file=$1 first=$2 count=$3 i sep=""
  {
    printf '{"version": {"major": 1, "minor": 0}, "local": [{"wine": ['
    for ((i = first; i < first + count; i++)); do
      printf '%s{"id": "s%d", "slots": 1}' "$sep" "$i"; sep=", "
    done
    printf ']}]}\n'
  } >"$file"
}
