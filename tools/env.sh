# Sourced by ./run and ./test: the build folders and the Wine environment.
QM_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
QM_BUILD="${QM_BUILD:-$QM_ROOT/build}"
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree=;mshtml=" LC_ALL=ja_JP.UTF-8
QM_JOBS=$(nproc 2>/dev/null || echo 2)

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

# Starts a private Xvfb display when none is set; qm_stop_display ends it.
qm_start_display() {
  if [ -n "${DISPLAY:-}" ]; then return 0; fi
  local n
  for n in $(seq 91 120); do
    [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] && continue
    Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
    QM_XVFB_PID=$!
    export DISPLAY=":$n"
    for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X$n" ] && return 0; sleep 0.1; done
    echo "Xvfb did not start on :$n" >&2; return 1
  done
  echo "no free display number for Xvfb" >&2; return 1
}
qm_stop_display() {
  if [ -n "${QM_XVFB_PID:-}" ]; then kill "$QM_XVFB_PID" 2>/dev/null || true; wait "$QM_XVFB_PID" 2>/dev/null || true; fi
}
