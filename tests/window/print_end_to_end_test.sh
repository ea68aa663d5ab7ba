#!/usr/bin/env bash
# Prints the real window through the system's print service to its default
# printer, a cups-pdf virtual printer (scripts/start-print-service.sh sets one
# up), and checks the paper: one page, the window at its physical size in the
# top-left corner, its controls there and no Print button.
# Exits 77 (skipped) when there is no print service or no PDF printer.
# Usage: print_end_to_end_test.sh PROGRAM
set -euo pipefail
TORVELIN=$1
source "$(dirname "$0")/xvfb_session.sh"

skip() { echo "SKIP: $*"; exit 77; }
lpstat -r 2>/dev/null | grep -qx 'scheduler is running' ||
    skip "cupsd is not running (scripts/start-print-service.sh starts it)"
printer=$(lpstat -d 2>/dev/null | sed -n 's/^system default destination: //p')
[[ -n "$printer" ]] || skip "no default printer"
lpstat -v "$printer" | grep -q 'cups-pdf:/' || skip "the default printer $printer is not a PDF printer"

# cups-pdf writes to the directory its configuration names, or for jobs it
# cannot map to a user, to the anonymous one.
out=$(sed -n 's/^Out[[:space:]]\+//p' /etc/cups/cups-pdf.conf | tail -1)
out=${out:-'${HOME}/PDF'}
out=${out//'${HOME}'/$(getent passwd "$(id -un)" | cut -d: -f6)}
out=${out//'${USER}'/$(id -un)}
anonymous=$(sed -n 's/^AnonDirName[[:space:]]\+//p' /etc/cups/cups-pdf.conf | tail -1)
directories=("$out" "${anonymous:-/var/spool/cups-pdf/ANONYMOUS}")

start_x_server
touch "$work/before-print"
start_program
click_at 112 208  # Calculate, so that the result shows the formatted end date
sleep 1
click_at 184 248  # Print

pdf=
for _ in $(seq 240); do
    # The directories may not exist before the first PDF arrives.
    pdf=$(find "${directories[@]}" -maxdepth 1 -name '*.pdf' -newer "$work/before-print" \
          2>/dev/null | head -1 || true)
    [[ -n "$pdf" ]] && break
    sleep 0.5
done
[[ -n "$pdf" ]] || fail "no PDF appeared in ${directories[*]} within 120 s"
sleep 2  # let cups-pdf finish writing
echo "printed to $pdf"
[[ "$pdf" == *Torvelin*2014*02*24* ]] || fail "job name in $pdf does not name the end date"
kill -0 "$program" 2>/dev/null || fail "the program ended while printing"

pages=$(pdfinfo "$pdf" | awk '/^Pages:/ { print $2 }')
[[ "$pages" == 1 ]] || fail "$pages pages, expected 1"

# At 96 dots per inch a pixel of the page is a pixel of the window's layout.
pdftoppm -png -r 96 -singlefile "$pdf" "$work/page"
page="$work/page.png"
read -r width height x y < <(convert "$page" -fuzz 5% -trim -format '%w %h %X %Y\n' info:)
echo "window image ${width}x${height} at ${x},${y} on a page of $(identify -format '%wx%h' "$page")"
# 6090 x 4995 twips is 406 x 333 at 96 dpi; within 2%.
(( width >= 398 && width <= 414 && height >= 326 && height <= 340 )) ||
    fail "image is ${width}x${height} px at 96 dpi, expected 406x333 within 2%"
# The printable area of the PDF printer starts within half an inch of the corner.
(( ${x#+} < 48 && ${y#+} < 48 )) || fail "image at ${x},${y}, expected the top-left corner"

at() { pixel "$page" $((${x#+} + $1)) $((${y#+} + $2)); }
near "$(at 395 140)" 192,192,192 || fail "no grey result label: $(at 395 140)"
near "$(at 100 3)" 0,0,192 || fail "no dark-blue background: $(at 100 3)"
near "$(at 20 200)" 0,0,192 && fail "no Calculate button"
# Where the Print button stands on screen, the paper shows the background.
region="$work/print-button.png"
convert "$page" -crop "90x26+$((${x#+} + 140))+$((${y#+} + 235))" +repage "$region"
for point in "0 0" "45 13" "89 25" "20 20" "70 5"; do
    near "$(pixel "$region" $point)" 0,0,192 || fail "Print button on paper at $point"
done
# The result label holds its caption: red text on the grey.
convert "$page" -crop "100x20+$((${x#+} + 290))+$((${y#+} + 121))" +repage "$work/result.png"
reds=$(convert "$work/result.png" -fuzz 25% -fill black +opaque 'rgb(192,0,0)' \
       -fill white -opaque 'rgb(192,0,0)' -format '%[fx:int(mean*w*h)]' info:)
(( reds > 20 )) || fail "no caption in the result label ($reds red pixels)"

# A printer that refuses jobs: an error box, and the window carries on.
# Only an administrator can make the printer refuse jobs.
if ! cupsreject "$printer" 2>/dev/null; then
    echo "PASS (the refused-job case needs print administrator rights and was not run)"
    exit 0
fi
trap 'cupsaccept "$printer"; cleanup' EXIT
click_at 184 248
box=$(timeout 60 xdotool search --sync --onlyvisible --name '^Torvelin$' | head -1) ||
    fail "no error box for a printer that refuses jobs"
xwininfo -id "$box" | grep -q "Map State: IsViewable" || fail "error box not shown"
xdotool key Return
cupsaccept "$printer"
sleep 1
kill -0 "$program" 2>/dev/null || fail "the program ended after a refused print"
import -window "$window" "$work/after.png"
[[ $(pixel "$work/after.png" 184 248) == 0,0,192 ]] && fail "Print button not back after the error"
echo "PASS"
