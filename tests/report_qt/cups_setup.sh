#!/bin/sh
# Makes sure a CUPS scheduler runs and offers the cups-pdf queue StaffelPDF.
# Exit 0: ready. Exit 77: something is missing (the reason on stdout), the
# printing tests skip.
queue=StaffelPDF

skip() {
    echo "$*"
    exit 77
}

for tool in lpstat lpadmin lpinfo; do
    command -v "$tool" >/dev/null 2>&1 || skip "$tool not found (package cups-client)"
done
[ -x /usr/lib/cups/backend/cups-pdf ] || skip "cups-pdf backend missing (package printer-driver-cups-pdf)"

if ! lpstat -r >/dev/null 2>&1 || lpstat -r 2>&1 | grep -q "not running"; then
    cupsd_bin=$(command -v cupsd || echo /usr/sbin/cupsd)
    [ -x "$cupsd_bin" ] || skip "cupsd not found (package cups-daemon)"
    "$cupsd_bin" >/dev/null 2>&1 || skip "cupsd could not be started (needs root)"
    tries=0
    until lpstat -r 2>/dev/null | grep -q "is running"; do
        tries=$((tries + 1))
        [ "$tries" -gt 50 ] && skip "cupsd did not come up"
        sleep 0.2
    done
fi

if ! lpstat -p "$queue" >/dev/null 2>&1; then
    model=$(lpinfo -m 2>/dev/null | awk '/CUPS-PDF_opt/ {print $1; exit}')
    [ -n "$model" ] || model=$(lpinfo -m 2>/dev/null | awk 'tolower($0) ~ /cups-pdf/ {print $1; exit}')
    [ -n "$model" ] || skip "no cups-pdf model in lpinfo -m"
    lpadmin -p "$queue" -E -v cups-pdf:/ -m "$model" >/dev/null 2>&1 ||
        skip "lpadmin could not add $queue (needs root or lpadmin group)"
fi
# Render the PDF jobs with pdftocairo: the other renderers lose the text
# (Type 3 glyphs or fonts without a Unicode map), so pdftotext sees nothing.
lpadmin -p "$queue" -o pdftops-renderer-default=pdftocairo >/dev/null 2>&1
cupsenable "$queue" >/dev/null 2>&1
cupsaccept "$queue" >/dev/null 2>&1
lpstat -p "$queue" >/dev/null 2>&1 || skip "queue $queue is not there"
exit 0
