# Sourced by the scripts that build or start the program. Qt needs a UTF-8 character set: under a
# locale without one (a fresh system sets none, which is "C") it switches to C.UTF-8 by itself and
# says so on the terminal. C.UTF-8 is on every Debian, so the scripts choose it from the start.
if [ "$(locale charmap 2>/dev/null)" != UTF-8 ]; then
  export LC_ALL=C.UTF-8
fi
