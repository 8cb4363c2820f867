#!/usr/bin/env bash
# End-to-end, the real program under Xvfb: the results window opened from
# the division list's context menu, three results and a move typed into it
# the way a volunteer does (result, Tab, ..., Enter), then the tie file and
# the table the companion prints from it.
# Usage: run_ties_e2e.sh <Staffelplan executable> <staffelplan-saison executable>
set -uo pipefail

program=$(realpath "${1:?program}")
companion=$(realpath "${2:?companion}")
here=$(cd "$(dirname "$0")" && pwd)

if [[ ${E2E_INNER:-} != 1 ]]; then
    for tool in xvfb-run xdotool; do
        if ! command -v "$tool" >/dev/null; then
            echo "$tool is missing: end-to-end test skipped"
            exit 77
        fi
    done
    export E2E_INNER=1 QT_QPA_PLATFORM=xcb LC_ALL=C.UTF-8 TZ=UTC
    exec xvfb-run -a -s "-screen 0 1280x1024x24" "$0" "$@"
fi

folder=$(mktemp -d)
trap 'kill -KILL "$pid" 2>/dev/null; rm -rf "$folder"' EXIT
cd "$folder" || exit 2
dates='1dat="20260905" 2dat="20260912" 3dat="20260919" 4dat="20260926" 5dat="20261003" 6dat="20261010" 7dat="20261017" 8dat="20261024"'
row="<ROW Ueberschrift=\"Badminton\" Klasse=\"Bezirksliga Nord\" Jahr=\"2026\" 10Klasse=\"FALSE\" Mannschaft=\"TV Sued\" 1A=\"TV Sued\" 1B=\"SC Nord\" 2A=\"BC Hafen\" 2B=\"SV Berg\" 3A=\"TSV Au\" 3B=\"BV Tal\" 4A=\"SG Feld\" 4B=\"TuS Hof\" $dates/>"
source "$here/divisions_file.sh"
write_divisions_file Ligatafel.xml "$row"

"$program" >"$folder/program.log" 2>&1 &
pid=$!
main=$(timeout 30 xdotool search --sync --onlyvisible --name '^Staffelplan$' | head -n 1)
[[ -n $main ]] || { echo "FAIL: no main window"; exit 1; }

# The division list's context menu ends with "Begegnungen …", "Tabelle …".
xdotool mousemove --sync --window "$main" 100 30 click 1
xdotool click 3
sleep 0.5
xdotool key Up Up Return
results=$(timeout 20 xdotool search --sync --onlyvisible --name '^Begegnungen$' | head -n 1)
[[ -n $results ]] || { echo "FAIL: no results window"; exit 1; }
sleep 0.5

# The first open tie stands ready at its matches: three results in a row.
for result in "5:3 11:7 386:301" "4:4 9:9 300:310" "2:6 5:13 250:330"; do
    set -- $result
    xdotool type --delay 40 "$1"
    xdotool key Tab
    xdotool type --delay 40 "$2"
    xdotool key Tab
    xdotool type --delay 40 "$3"
    xdotool key Return
    sleep 0.4
done
# The fourth tie moved: note, date, time.
xdotool key Tab Tab Tab
xdotool type --delay 40 "Halle belegt"
xdotool key Tab
xdotool type --delay 40 "3.10.2026"
xdotool key Tab
xdotool type --delay 40 "19:30"
xdotool key Return
sleep 0.5
kill -TERM "$pid"
wait "$pid"

failed=0
check() { # description, command...
    local what=$1
    shift
    if "$@"; then echo "ok   $what"; else echo "FAIL $what"; failed=1; fi
}
ties=Begegnungen.xml
check "the tie file was written" test -s "$ties"
count() { grep -o "<ROW " "$ties" | wc -l; }
check "four records" test "$(count)" -eq 4
has() { grep -q "$1" "$ties"; }
check "first result" has 'SpieleHeim="5" SpieleGast="3" SaetzeHeim="11" SaetzeGast="7" PunkteHeim="386" PunkteGast="301"'
check "a draw" has 'SpieleHeim="4" SpieleGast="4"'
check "an away win" has 'SpieleHeim="2" SpieleGast="6"'
check "the move" has 'Datum="20261003" Uhrzeit="19:30" Status="offen"'

# The companion's table from the same file: the away winner of 6:2 first,
# the home winner of 5:3 second (level on points, fewer matches won).
team_of() { # pattern of the record, Heim or Gast
    grep -o "<ROW [^>]*$1[^>]*>" "$ties" | grep -o " $2=\"[^\"]*\"" | cut -d'"' -f2
}
table=$("$companion" --tabelle "Bezirksliga Nord" --jahr 2026)
echo "$table"
away=$(team_of 'SpieleGast="6"' Gast)
home=$(team_of 'SpieleHeim="5"' Heim)
check "$away first" grep -q "^1;$away;1;1;0;0;2:0;6:2;13:5;330:250" <<<"$table"
check "$home second" grep -q "^2;$home;1;1;0;0;2:0;5:3;11:7;386:301" <<<"$table"
exit $failed
