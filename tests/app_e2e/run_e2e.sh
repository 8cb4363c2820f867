#!/usr/bin/env bash
# End-to-end: the real program, started under Xvfb in an empty folder, must
# leave the two first-start data files byte for byte when it is ended by
# SIGTERM and when it is ended by its navigator's "abbrechen" button.
# Usage: run_e2e.sh <Staffelplan executable> <folder with the expected files>
set -uo pipefail

skip=77
program=${1:?program}
expected=${2:?expected folder}
source "$(cd "$(dirname "$0")" && pwd)/client_area.sh"


# Inside Xvfb: start the program, wait for its window, end it, wait for it.
inner() {
    local how=$1 folder=$2
    cd "$folder" || return 2
    "$program" >"$folder.log" 2>&1 &
    local pid=$!
    local wid
    wid=$(timeout 30 xdotool search --sync --onlyvisible --name '^Staffelplan$' | head -n 1)
    if [[ -z $wid ]]; then
        echo "no main window appeared" >&2
        kill -KILL "$pid" 2>/dev/null
        return 1
    fi
    case $how in
    sigterm)
        kill -TERM "$pid"
        ;;
    cancel)
        # The navigator stands at (4, 174); its "abbrechen" button at 632..750
        # inside it, so the button's middle is at (695, 186) of the client area.
        click_client "$wid" 695 186
        ;;
    esac
    local status=0
    for _ in $(seq 1 300); do
        kill -0 "$pid" 2>/dev/null || break
        sleep 0.1
    done
    if kill -0 "$pid" 2>/dev/null; then
        echo "program did not end after $how" >&2
        kill -KILL "$pid"
        return 1
    fi
    wait "$pid" || status=$?
    if ((status != 0)); then
        echo "program ended with status $status after $how" >&2
        cat "$folder.log" >&2
        return 1
    fi
    return 0
}

if [[ ${E2E_INNER:-} == 1 ]]; then
    inner "$3" "$4"
    exit $?
fi

for tool in xvfb-run xdotool; do
    if ! command -v "$tool" >/dev/null; then
        echo "$tool is missing: end-to-end test skipped"
        exit $skip
    fi
done

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
failed=0
for how in sigterm cancel; do
    folder="$scratch/$how"
    mkdir "$folder"
    if ! E2E_INNER=1 xvfb-run -a -s "-screen 0 1280x1024x24" \
        "$0" "$program" "$expected" "$how" "$folder"; then
        echo "FAIL $how: the program run failed"
        failed=1
        continue
    fi
    for file in Ligatafel.xml Spieltage.xml; do
        if cmp "$expected/$file" "$folder/$file"; then
            echo "ok   $how: $file"
        else
            echo "FAIL $how: $file differs from the expected bytes"
            failed=1
        fi
    done
    extra=$(ls -A "$folder" | grep -v -x -e Ligatafel.xml -e Spieltage.xml || true)
    if [[ -n $extra ]]; then
        echo "FAIL $how: unexpected files: $extra"
        failed=1
    fi
done
exit $failed
