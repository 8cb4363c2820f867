#!/usr/bin/env bash
# Takes the README's screenshots of the real program under Xvfb:
# docs/screenshots/main-browse.png, menu-staffel.png (the "Staffel" menu
# open), main-edit.png, calendar.png, chooser.png and about.png. Usage: screenshots.sh <Staffelplan executable> [output folder]
set -euo pipefail
program=${1:?program}
out=${2:-$(cd "$(dirname "$0")/../.." && pwd)/docs/screenshots}

if [[ ${SHOTS_INNER:-} != 1 ]]; then
    mkdir -p "$out"
    export SHOTS_INNER=1 QT_QPA_PLATFORM=xcb LC_ALL=C.UTF-8 TZ=UTC
    exec xvfb-run -a -s "-screen 0 1024x768x24" "$0" "$program" "$out"
fi

here=$(cd "$(dirname "$0")" && pwd)
folder=$(mktemp -d)
trap 'rm -rf "$folder"' EXIT
cd "$folder"

# Three divisions to show in the list.
dates='1dat="20090926" 2dat="20091010" 3dat="20091031" 4dat="20091121" 5dat="20100123" 6dat="20100130" 7dat="20100220" 8dat="20100306" 4Adat="20091219" 8Adat="20100320"'
rows="<ROW Ueberschrift=\"Badminton\" Klasse=\"Bezirksliga Nord\" Jahr=\"2009\" 10Klasse=\"FALSE\" Mannschaft=\"TV Sued\" 1A=\"TV Sued\" 1B=\"SC Nord\" 2A=\"BC Hafen\" 2B=\"SV Berg\" 3A=\"TSV Au\" 3B=\"BV Tal\" 4A=\"SG Feld\" 4B=\"TuS Hof\" $dates/>"
rows+="<ROW Ueberschrift=\"Badminton\" Klasse=\"Landesliga\" Jahr=\"2009\" 10Klasse=\"TRUE\" Mannschaft=\"TV Sued II\" 1A=\"TV Sued II\" 1B=\"BC Hafen II\" $dates/>"
rows+="<ROW Ueberschrift=\"Badminton\" Klasse=\"Kreisklasse\" Jahr=\"2010\" 10Klasse=\"FALSE\" Mannschaft=\"TV Sued III\"/>"
source "$here/divisions_file.sh"
write_divisions_file Ligatafel.xml "$rows"

"$program" >/dev/null 2>&1 &
pid=$!
main=$(timeout 30 xdotool search --sync --onlyvisible --name '^Staffelplan$' | head -n 1)

shot() { # window-name file
    local wid
    wid=$(timeout 10 xdotool search --sync --onlyvisible --name "^$1\$" | head -n 1)
    sleep 0.7
    import -window "$wid" "$out/$2"
}
source "$here/client_area.sh"
click() { # x y in the main window's client area
    click_client "$main" "$1" "$2"
}

shot Staffelplan main-browse.png
# The open menu is a window of its own: the screen where the main window stands.
xdotool windowfocus --sync "$main" key alt+s
sleep 0.7
eval "$(xdotool getwindowgeometry --shell "$main")"
import -window root -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage "$out/menu-staffel.png"
xdotool key Escape
sleep 0.3
click 463 186 # "ändern"
shot Staffelplan main-edit.png
click 695 186 # "abbrechen": ends the edit
click 602 461 # "Spieltage verwalten"
shot Spieltage calendar.png
xdotool key Escape
sleep 0.5
click 602 492 # "Spieltage den Staffeln zuordnen"
shot 'Spieltage auswählen' chooser.png
xdotool key Escape
sleep 0.5
click 382 524 # the information bar
shot Informationen about.png
xdotool key Return
sleep 0.5
kill -TERM "$pid"
wait "$pid" || true
