#!/usr/bin/env bash
# The README works as printed, its fenced blocks taken in order at the top of a clone of
# the sources (build/release being BUILD, HOME a folder of its own): every shell block
# runs, but the two that install packages (continuous integration runs them) and
# `curvist --watch`, which only its user ends; every C++ block compiles alone against
# the installation a shell block made; examples/library, which they build, is shown whole.
#   ReadmeWorksAsPrinted.sh SOURCE BUILD WORK COMPILER [SANITIZER FLAG ...]
set -euo pipefail
source=$1 build=$2 work=$3 compiler=$4
shift 4
rm -rf "$work"
mkdir -p "$work/clone/build" "$work/home" "$work/blocks"
ln -s "$source/examples" "$work/clone/examples"
ln -s "$build" "$work/clone/build/release"
export HOME=$work/home PATH=$work/home/opt/curvist/bin:$PATH
unset DISPLAY
# The blocks' own programs, built without the sanitizers, load them with the library.
(($# == 0)) || export CXXFLAGS="$*" ASAN_OPTIONS=verify_asan_link_order=0

awk -v blocks="$work/blocks" '
  /^```/ && !inside { inside = 1; block = sprintf("%s/%02d.%s", blocks, ++count, substr($0, 4))
                      printf "" > block; next }
  /^```/ { inside = 0; close(block); next }
  inside { print > block }' "$source/README.md"

for block in "$work"/blocks/*; do
  case $block:$(<"$block") in
    *.sh:"bash scripts/run-examples" | *.sh:"bash scripts/test" | *.sh:"curvist --watch") ;;
    *.sh:*) (cd "$work/clone" && bash -e "$block") || { cat "$block" && exit 1; } ;;
    *.cpp:*) "$compiler" -std=c++20 -Wall -Wextra -Werror "$@" -I"$HOME/opt/curvist/include" \
               -c "$block" -o "$block.o" || { cat "$block" && exit 1; } ;;
  esac
done
for file in "$source"/examples/library/*; do
  for block in "$work"/blocks/*; do cmp -s "$block" "$file" && continue 2; done
  echo "the README does not show $file whole" && exit 1
done
