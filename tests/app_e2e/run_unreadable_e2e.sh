#!/usr/bin/env bash
# End-to-end, the real program under its own Xvfb, run by a user who may
# write the data folder but not read Ligatafel.xml (as on a shared folder
# whose rights changed): the program asks, opens read-only or ends, and the
# file stays as it was; no backup, no new file, no clean-up.
# Usage: run_unreadable_e2e.sh <Staffelplan executable>
set -uo pipefail

program=$(realpath "${1:?program}")
for tool in Xvfb xdotool; do
    if ! command -v "$tool" >/dev/null; then
        echo "$tool is missing: end-to-end test skipped"
        exit 77
    fi
done
# Root reads every file: the program runs as nobody then. setpriv, unlike
# runuser, becomes the program, so signals and the exit status are its own.
as_user=()
if (($(id -u) == 0)); then
    if ! command -v setpriv >/dev/null || ! id nobody >/dev/null 2>&1; then
        echo "setpriv or the user nobody is missing: end-to-end test skipped"
        exit 77
    fi
    as_user=(setpriv --reuid=nobody --regid="$(id -g nobody)" --clear-groups --)
fi

scratch=$(mktemp -d)
chmod 755 "$scratch"
xpid=
cleanup() {
    [[ -n $xpid ]] && kill -KILL "$xpid" 2>/dev/null
    jobs -p | xargs -r kill -KILL 2>/dev/null
    rm -rf "$scratch"
}
trap cleanup EXIT
failed=0

check() { # description, command...
    local what=$1
    shift
    if "$@"; then
        echo "ok   $scenario: $what"
    else
        echo "FAIL $scenario: $what"
        failed=1
    fi
}

start_x() {
    : >"$scratch/xdisplay"
    Xvfb -displayfd 5 -screen 0 1280x1024x24 -nolisten tcp 5>"$scratch/xdisplay" \
        2>"$scratch/xvfb.log" &
    xpid=$!
    for _ in $(seq 1 100); do
        [[ -s $scratch/xdisplay ]] && break
        sleep 0.1
    done
    export DISPLAY=:$(head -n 1 "$scratch/xdisplay")
}

stop_x() {
    kill -KILL "$xpid" 2>/dev/null
    wait "$xpid" 2>/dev/null
    xpid=
}

window() { # name pattern; prints the window id
    timeout 20 xdotool search --sync --onlyvisible --name "$1" 2>/dev/null | head -n 1
}

# Waits for the process to end; sets status (124 when it did not end).
wait_end() { # pid seconds
    local p=$1
    for _ in $(seq 1 $(($2 * 10))); do
        kill -0 "$p" 2>/dev/null || break
        sleep 0.1
    done
    if kill -0 "$p" 2>/dev/null; then
        kill -KILL "$p"
        wait "$p" 2>/dev/null
        status=124
        return
    fi
    wait "$p"
    status=$?
}

# A data folder the user may write, holding divisions the user may not read
# and a temporary file a killed save left; no calendar file yet.
source "$(cd "$(dirname "$0")" && pwd)/divisions_file.sh"
new_folder() { # name
    folder="$scratch/$1"
    mkdir "$folder" "$folder-home"
    write_divisions_file "$folder/Ligatafel.xml" '<ROW Ueberschrift="Badminton" Klasse="Bezirksliga Nord" Jahr="2009" 10Klasse="FALSE"/>'
    echo stale >"$folder/.Ligatafel.xml.tmp-AbC123"
    cp "$folder/Ligatafel.xml" "$scratch/$1.original"
    if ((${#as_user[@]})); then
        chown -R nobody "$folder" "$folder-home"
    fi
    chmod 000 "$folder/Ligatafel.xml"
    listing >"$scratch/$1.listing"
}

# The folder's names, but the program's own lock while it runs.
listing() { ls -A "$folder" | grep -v -x '\.staffelplan\.lock'; }

start_program() { # name; sets pid
    (cd "$folder" && exec "${as_user[@]}" env -u XDG_RUNTIME_DIR DISPLAY="$DISPLAY" \
        HOME="$folder-home" "$program" >"$scratch/$1.out" 2>"$scratch/$1.err") &
    pid=$!
}

# The divisions as they were, still unreadable, and no name added or gone.
untouched() { # name
    local mode same
    mode=$(stat -c %a "$folder/Ligatafel.xml")
    chmod u+r "$folder/Ligatafel.xml" # for a test run without root
    cmp -s "$folder/Ligatafel.xml" "$scratch/$1.original"
    same=$?
    chmod "$mode" "$folder/Ligatafel.xml"
    ((same == 0)) && [[ $mode == 0 ]] && listing | cmp -s - "$scratch/$1.listing"
}

# --- Open read-only ---------------------------------------------------------
scenario="open read-only"
start_x
new_folder readonly
start_program readonly
box=$(window '^Best')
check "the program asks before the window appears" test -n "$box"
[[ -n $box ]] && xdotool windowfocus --sync "$box" key Return # "Schreibgeschützt öffnen"
main=$(window '^Staffelplan \(schreibgesch')
check "the title says read-only" test -n "$main"
check "nothing changed while it runs" untouched readonly
kill -TERM "$pid"
wait_end "$pid" 10
check "the program ends with status 0 (got $status)" test "$status" = 0
check "the divisions file, the temporary file and the folder are as they were" untouched readonly
check "no backup was made" test -z "$(ls "$folder" | grep '\.bak$')"
stop_x

# --- End --------------------------------------------------------------------
scenario="end"
start_x
new_folder end
start_program end
box=$(window '^Best')
check "the program asks" test -n "$box"
[[ -n $box ]] && xdotool windowfocus --sync "$box" key Escape # "Beenden"
wait_end "$pid" 10
check "the program ends with status 0 (got $status)" test "$status" = 0
check "no main window appeared" test -z "$(xdotool search --onlyvisible --name '^Staffelplan' 2>/dev/null)"
check "the folder is as it was" untouched end
stop_x

exit $failed
