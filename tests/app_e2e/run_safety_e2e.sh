#!/usr/bin/env bash
# End-to-end, the real program under its own Xvfb: two copies on one folder
# (the second opens read-only and writes nothing), the X server killed while
# an edit is pending and after a confirmed deletion, termination signals
# while a box is open (also the start-up box), and a save that fails at a
# forced end (rescue file, non-zero status).
# Usage: run_safety_e2e.sh <Staffelplan executable>
set -uo pipefail

program=$(realpath "${1:?program}")
for tool in Xvfb xdotool; do
    if ! command -v "$tool" >/dev/null; then
        echo "$tool is missing: end-to-end test skipped"
        exit 77
    fi
done

scratch=$(mktemp -d)
xpid=
cleanup() {
    chattr -R -i "$scratch" 2>/dev/null
    chmod -R u+w "$scratch" 2>/dev/null
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

new_folder() { # name [data file to start with]
    folder="$scratch/$1"
    mkdir "$folder"
    [[ -n ${2:-} ]] && cp "$2" "$folder/Ligatafel.xml"
}

start_program() { # log name; sets pid
    (cd "$folder" && exec "$program" >"$scratch/$1.out" 2>"$scratch/$1.err") &
    pid=$!
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

# Navigator buttons of the main window (client coordinates).
source "$(cd "$(dirname "$0")" && pwd)/client_area.sh"
click() { # window x y
    click_client "$1" "$2" "$3"
    sleep 0.3
}
press_neu() { click "$1" 260 186; }
press_loeschen() { click "$1" 355 186; }
press_speichern() { click "$1" 576 186; }
grid_second_row=45 # client y of the division list's second row

type_division() { # window year class: the cursor is in the year editor after "neu"
    xdotool type --delay 20 "$2"
    xdotool key Tab
    xdotool type --delay 20 "$3"
    sleep 0.3
}

has() { grep -q -- "$2" "$folder/$1"; }
lacks() { ! has "$@"; }
unchanged() { cmp -s "$1" "$2"; }
# A deleted row stays in the file's change log with the deleted bit (2) set.
kept() { ! gone "$@"; }
gone() { # file class
    local row state
    row=$(grep -o "<ROW[^>]* Klasse=\"$2\"[^>]*>" "$folder/$1" | tail -n 1)
    [[ -z $row ]] && return 0
    state=$(sed -n 's/.*RowState="\([0-9]*\)".*/\1/p' <<<"$row")
    [[ -n $state ]] && (((state & 2) != 0))
}

# Three divisions without a change log, so that a deleted one leaves no trace.
source "$(cd "$(dirname "$0")" && pwd)/divisions_file.sh"
write_divisions_file "$scratch/divisions.xml" '<ROW Ueberschrift="Badminton" Klasse="Bezirksliga Nord" Jahr="2009" 10Klasse="FALSE"/><ROW Ueberschrift="Badminton" Klasse="Landesliga" Jahr="2009" 10Klasse="TRUE"/><ROW Ueberschrift="Badminton" Klasse="Kreisklasse" Jahr="2010" 10Klasse="FALSE"/>'

# --- Two copies on one folder -------------------------------------------
scenario="two copies"
start_x
new_folder two
start_program first
first=$pid
first_window=$(window '^Staffelplan$')
check "the first copy opens for writing" test -n "$first_window"
start_program second
second=$pid
box=$(window '^Best')
check "the second copy asks about the lock" test -n "$box"
xdotool windowfocus --sync "$box" key Return # "Schreibgeschützt öffnen", the default
second_window=$(window '^Staffelplan \(schreibgesch')
check "the second copy's title says read-only" test -n "$second_window"
# Both windows stand centred; the first must be on top to take the clicks.
xdotool windowraise "$first_window" windowfocus --sync "$first_window"
press_neu "$first_window"
type_division "$first_window" 2024 Bezirksliga
press_speichern "$first_window"
check "the first copy saved" has Ligatafel.xml 'Klasse="Bezirksliga"'
cp "$folder/Ligatafel.xml" "$scratch/after-first-save.xml"
cp "$folder/Spieltage.xml" "$scratch/calendars.xml"
kill -TERM "$second"
wait_end "$second" 10
check "the second copy ends with status 0 (got $status)" test "$status" = 0
check "the second copy's end left the divisions as the first saved them" \
    unchanged "$folder/Ligatafel.xml" "$scratch/after-first-save.xml"
check "the second copy's end left the calendars" \
    unchanged "$folder/Spieltage.xml" "$scratch/calendars.xml"
press_neu "$first_window"
type_division "$first_window" 2024 Landesliga
kill -TERM "$first"
wait_end "$first" 10
check "the first copy ends with status 0 (got $status)" test "$status" = 0
check "the first copy's save survived" has Ligatafel.xml 'Klasse="Bezirksliga"'
check "the first copy's pending edit was saved at its end" has Ligatafel.xml 'Klasse="Landesliga"'
check "the lock is gone" test ! -e "$folder/.staffelplan.lock"
stop_x

# --- The display goes away ----------------------------------------------
scenario="display lost"
start_x
new_folder display "$scratch/divisions.xml"
start_program display
main=$(window '^Staffelplan$')
check "the program opens" test -n "$main"
press_loeschen "$main"
box=$(window '^Best')
check "the deletion asks" test -n "$box"
xdotool windowfocus --sync "$box" key Return # "&Ja"
sleep 0.5
xdotool windowfocus --sync "$main"
press_neu "$main"
type_division "$main" 2025 Kreisliga
{
    kill -KILL "$xpid"
    wait "$xpid"
} 2>/dev/null
wait_end "$pid" 15
check "the program ends (status $status)" test "$status" != 124
check "the confirmed deletion is on disk" gone Ligatafel.xml "Bezirksliga Nord"
check "the pending edit is on disk" has Ligatafel.xml 'Klasse="Kreisliga"'
check "the other divisions stay" has Ligatafel.xml 'Klasse="Landesliga"'
grep -q 'X11 connection broke' "$scratch/display.err"
check "Qt reported the broken connection" test $? = 0
stop_x

# --- A termination signal while a box is open -----------------------------
scenario="signal in a box"
start_x
new_folder box "$scratch/divisions.xml"
start_program box
main=$(window '^Staffelplan$')
press_loeschen "$main"
box=$(window '^Best')
check "the deletion asks" test -n "$box"
kill -TERM "$pid"
wait_end "$pid" 10
check "the program ends at once with status 0 (got $status)" test "$status" = 0
check "the unanswered deletion did not happen" kept Ligatafel.xml "Bezirksliga Nord"
stop_x

# --- A termination signal while the start-up box is open -----------------
scenario="signal in the start-up box"
start_x
new_folder startup
start_program holder
holder=$pid
window '^Staffelplan$' >/dev/null
cp "$folder/Ligatafel.xml" "$scratch/startup-before.xml"
start_program late
box=$(window '^Best')
check "the second copy asks about the lock" test -n "$box"
kill -TERM "$pid"
wait_end "$pid" 10
check "the second copy ends at once with status 0 (got $status)" test "$status" = 0
check "it wrote nothing" unchanged "$folder/Ligatafel.xml" "$scratch/startup-before.xml"
kill -TERM "$holder"
wait_end "$holder" 10
check "the holder ends with status 0 (got $status)" test "$status" = 0
stop_x

# --- A save that fails at a forced end -------------------------------------
# The data folder starts refusing every write while the program runs: as
# root the folder is made immutable, else its write permission is taken away.
refuse_writing() {
    if (($(id -u) == 0)); then
        chattr +i "$1" 2>/dev/null
    else
        chmod a-w "$1"
    fi
    ! touch "$1/.probe" 2>/dev/null
}
allow_writing() {
    chattr -i "$1" 2>/dev/null
    chmod u+w "$1" 2>/dev/null
}

scenario="failed save at a forced end"
start_x
new_folder rescue
mkdir "$scratch/home"
(cd "$folder" && HOME="$scratch/home" exec "$program" >"$scratch/rescue.out" 2>"$scratch/rescue.err") &
pid=$!
main=$(window '^Staffelplan$')
press_neu "$main"
type_division "$main" 2026 Oberliga
if refuse_writing "$folder"; then
    kill -TERM "$pid"
    wait_end "$pid" 10
    allow_writing "$folder"
    check "the program ends without waiting, with a non-zero status (got $status)" \
        test "$status" != 0 -a "$status" != 124
    rescue=$(ls "$scratch/home" | grep rettung | head -n 1)
    check "a rescue file was written in the home folder ($rescue)" test -n "$rescue"
    if [[ -n $rescue ]]; then
        check "the rescue file holds the pending edit" \
            grep -q 'Klasse="Oberliga"' "$scratch/home/$rescue"
        check "standard error names the rescue file" grep -q -- "$rescue" "$scratch/rescue.err"
    fi
    check "the data file stayed as it was" lacks Ligatafel.xml Oberliga

    # The user is there: a failed save shows its error box. A signal while it
    # is up, after a normal end began, still rescues.
    rm -f "$scratch/home/"*
    (cd "$folder" && HOME="$scratch/home" exec "$program" >"$scratch/normal.out" 2>"$scratch/normal.err") &
    pid=$!
    main=$(window '^Staffelplan$')
    press_neu "$main"
    type_division "$main" 2027 Regionalliga
    refuse_writing "$folder"
    press_speichern "$main"
    error=$(timeout 10 bash -c "until xdotool search --onlyvisible --name '^Staffelplan\$' | grep -v -x $main; do sleep 0.2; done" | head -n 1)
    check "the failed save shows its error" test -n "$error"
    [[ -n $error ]] && xdotool windowfocus --sync "$error" key Return
    sleep 0.5
    click "$main" 695 186 # "abbrechen": the normal end, whose save fails too
    error=$(timeout 10 bash -c "until xdotool search --onlyvisible --name '^Staffelplan\$' | grep -v -x $main; do sleep 0.2; done" | head -n 1)
    check "the end's failed save shows its error" test -n "$error"
    kill -TERM "$pid"
    wait_end "$pid" 10
    allow_writing "$folder"
    check "a signal during that box ends with a non-zero status (got $status)" \
        test "$status" != 0 -a "$status" != 124
    check "the entry went to a rescue file" grep -q 'Klasse="Regionalliga"' "$scratch/home/"*rettung*
else
    allow_writing "$folder"
    echo "skip $scenario: the folder cannot be made to refuse writing here"
    kill -TERM "$pid"
    wait_end "$pid" 10
fi
stop_x

# --- A grid click ends an edit ------------------------------------------
# The edit is saved as "speichern" saves it, so a reload offered after
# another program replaced the file cannot drop it.
scenario="grid click saves"
start_x
new_folder gridclick "$scratch/divisions.xml"
start_program gridclick
main=$(window '^Staffelplan$')
check "the program opens" test -n "$main"
click "$main" 465 186 # "ändern": the cursor is in the year editor
xdotool key Tab Tab Tab ctrl+a
xdotool type --delay 20 "TV Gitter"
sleep 0.3
click "$main" 100 "$grid_second_row"
check "the edit is in the file once the grid moved on" \
    timeout 5 bash -c "until grep -q 'Mannschaft=\"TV Gitter\"' '$folder/Ligatafel.xml'; do sleep 0.2; done"
cp "$folder/Ligatafel.xml" "$scratch/gridclick-saved.xml"
write_divisions_file "$scratch/outside.xml" '<ROW Ueberschrift="Badminton" Klasse="Von aussen" Jahr="2011" 10Klasse="FALSE"/>'
cp "$scratch/outside.xml" "$folder/.outside" && mv "$folder/.outside" "$folder/Ligatafel.xml"
box=$(window '^Best')
check "the outside change is offered for reloading" test -n "$box"
[[ -n $box ]] && xdotool windowfocus --sync "$box" key Return # "&Ja"
sleep 0.5
click "$main" 695 186 # "abbrechen": the end
wait_end "$pid" 10
check "the program ends with status 0 (got $status)" test "$status" = 0
check "the reloaded file was not overwritten" has Ligatafel.xml 'Klasse="Von aussen"'
check "the grid click's edit had reached the file" grep -q 'TV Gitter' "$scratch/gridclick-saved.xml"
stop_x

exit $failed
