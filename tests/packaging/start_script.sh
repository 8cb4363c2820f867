#!/usr/bin/env bash
# Runs the start script next to a stand-in program and checks that it creates
# ~/Staffelplan, starts the program there and passes the arguments on.
set -euo pipefail
script=$1
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
fail() { echo "FAIL: $*"; exit 1; }

mkdir -p "$tmp/bin" "$tmp/home"
cp "$script" "$tmp/bin/staffelplan"
cat >"$tmp/bin/Staffelplan" <<'STANDIN'
#!/bin/sh
pwd > "$HOME/ran-in"
echo "$#:$*" > "$HOME/args"
STANDIN
chmod +x "$tmp/bin/staffelplan" "$tmp/bin/Staffelplan"

# Called through PATH and through a symlink from another folder, with a home
# whose path holds a blank; the second run finds the folder already there.
mkdir -p "$tmp/my home" "$tmp/links"
ln -s "$tmp/bin/staffelplan" "$tmp/links/staffelplan"
for how in path symlink; do
  case $how in
    path) (cd / && HOME="$tmp/my home" PATH="$tmp/bin:$PATH" staffelplan -x "a b") ;;
    symlink) (cd / && HOME="$tmp/my home" "$tmp/links/staffelplan" -x "a b") ;;
  esac || fail "$how: start script failed"
  [[ $(cat "$tmp/my home/ran-in") == "$tmp/my home/Staffelplan" ]] || fail "$how: wrong working directory"
  [[ $(cat "$tmp/my home/args") == "2:-x a b" ]] || fail "$how: arguments not passed on"
done

# A file in the folder's place is reported, and the program is not started.
touch "$tmp/home/Staffelplan"
if HOME="$tmp/home" "$tmp/bin/staffelplan" 2>/dev/null; then
  fail "started although ~/Staffelplan is a file"
fi
[[ ! -e $tmp/home/ran-in ]] || fail "program started although ~/Staffelplan is a file"
echo "start script ok"
