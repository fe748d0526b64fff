# Shared by the window benchmarks; sourced with $work set to their
# temporary folder.

# Each program runs from a private copy of its app folder: what it writes
# there (its recent-files list) never lands in the build's own.
private_copy() {
  local dir
  dir="$(mktemp -d "$work/app.XXXXXX")"
  cp -a "$(dirname "$1")/." "$dir"
  echo "$dir/$(basename "$1")"
}

# Builds the bare SDL baseline as $work/bare; extra compiler flags follow
# (-DWAIT_FOR_EVENTS for one that waits until it is closed).
build_bare() {
  # shellcheck disable=SC2046
  cc -O2 "$@" -o "$work/bare" "$(dirname "${BASH_SOURCE[0]}")/bare-window.c" \
    $(pkg-config --cflags --libs sdl2)
}
