#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Prints the real window through a print service of the test's own and checks
# the paper: one page, the window at its physical size in the top-left corner,
# its controls there and no Print button; then a printer that refuses jobs
# gets an error box and the window carries on.
#
# The service is a private cupsd: its configuration, spool, logs and socket
# live in a temporary folder, and it is stopped and removed however the test
# ends, so the machine's own print service, printers and default printer are
# never touched. The queue is the PDF printer's (the cups-pdf driver), but its
# device is a file in that folder: the cups-pdf backend writes only where
# /etc/cups/cups-pdf.conf says. The file holds what the backend would have
# turned into a PDF; ghostscript turns it into one here, as the backend does.
# Exits 77 (skipped), saying why, when CUPS, the driver or ghostscript is
# missing. Usage: print_end_to_end_test.sh PROGRAM
set -euo pipefail
TORVELIN=$1
source "$(dirname "$0")/xvfb_session.sh"

skip() { echo "SKIP: $*"; exit 77; }
PATH=$PATH:/usr/sbin
driver=/usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd
command -v cupsd >/dev/null || skip "no cupsd (Debian package cups)"
[[ -r $driver ]] || skip "no PDF printer driver (Debian package printer-driver-cups-pdf)"
command -v ps2pdf >/dev/null || skip "no ps2pdf (Debian package ghostscript)"

service=$work/print-service
printed=$work/printed.ps
mkdir -m 755 "$service" "$service"/{root,spool,cache,state,log}
# Started by root, cupsd runs its filters as the user lp, who must reach the
# spool through the temporary folder.
chmod 711 "$work"
cat >"$service/cups-files.conf" <<CONF
ServerRoot $service/root
RequestRoot $service/spool
CacheDir $service/cache
StateDir $service/state
ErrorLog $service/log/error_log
AccessLog $service/log/access_log
PageLog $service/log/page_log
FileDevice Yes
CONF
# Only its own socket, no sharing or browsing, and anyone who can reach the
# socket (only this user, by the folder's permissions) may administer it.
cat >"$service/cupsd.conf" <<CONF
Listen $service/socket
Browsing No
BrowseLocalProtocols none
WebInterface No
DefaultAuthType None
LogLevel debug
<Location />
  Order allow,deny
  Allow all
</Location>
<Policy default>
  <Limit All>
    Order deny,allow
  </Limit>
</Policy>
CONF

stop_print_service() {
    [[ -n ${print_service:-} ]] || return 0
    kill "$print_service" 2>/dev/null || true
    # Let it end its filters before the folder goes.
    timeout 10 tail --pid="$print_service" -f /dev/null || kill -9 "$print_service" 2>/dev/null || true
}
trap 'stop_print_service; cleanup' EXIT

# Ended with the test even when the test is killed and cannot clean up.
setpriv --pdeathsig TERM -- cupsd -f -c "$service/cupsd.conf" -s "$service/cups-files.conf" &
print_service=$!
export CUPS_SERVER=$service/socket
# The program's default printer is this service's: no user default from the
# environment or from ~/.cups/lpoptions may point elsewhere.
unset PRINTER LPDEST
export HOME=$work/home
mkdir "$HOME"
for _ in $(seq 100); do
    lpstat -r 2>/dev/null | grep -qx 'scheduler is running' && break
    sleep 0.1
done
lpstat -r 2>/dev/null | grep -qx 'scheduler is running' ||
    fail "the private cupsd did not start: $(tail -5 "$service/log/error_log" 2>/dev/null)"

printer=PDF
# lpadmin warns that drivers are deprecated; its messages matter only when it fails.
lpadmin -p "$printer" -v "file://$printed" -P "$driver" -E 2>"$work/lpadmin.log" ||
    fail "could not create the printer: $(cat "$work/lpadmin.log")"
lpadmin -d "$printer"
[[ $(lpstat -d) == "system default destination: $printer" ]] || fail "no default printer: $(lpstat -d)"

# Waits until the private service has completed COUNT jobs.
wait_for_jobs() {
    for _ in $(seq 240); do
        [[ $(lpstat -W completed -o "$printer" | wc -l) -ge $1 ]] && return 0
        sleep 0.5
    done
    fail "the print service completed no job $1 within 120 s: $(tail -5 "$service/log/error_log")"
}

start_x_server
start_program
click_at 112 208  # Calculate, so that the result shows the formatted end date
sleep 1
click_at 184 248  # Print
wait_for_jobs 1
[[ -s $printed ]] || fail "the job completed but the printer's file is empty"
kill -0 "$program" 2>/dev/null || fail "the program ended while printing"
sleep 1
! xdotool search --onlyvisible --name '^Torvelin$' >/dev/null || fail "an error box after a print that worked"
title=$(sed -n 's/.*argv\[3\]="\(.*\)"$/\1/p' "$service/log/error_log" | head -1)
echo "printed the job \"$title\""
[[ "$title" == *Torvelin*2014/02/24* ]] || fail "the job's name \"$title\" does not name the end date"

pdf=$work/printed.pdf
ps2pdf "$printed" "$pdf"
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
cupsreject "$printer"
click_at 184 248
box=$(timeout 60 xdotool search --sync --onlyvisible --name '^Torvelin$' | head -1) ||
    fail "no error box for a printer that refuses jobs"
xwininfo -id "$box" | grep -q "Map State: IsViewable" || fail "error box not shown"
xdotool key Return
sleep 1
kill -0 "$program" 2>/dev/null || fail "the program ended after a refused print"
import -window "$window" "$work/after.png"
[[ $(pixel "$work/after.png" 184 248) == 0,0,192 ]] && fail "Print button not back after the error"
echo "PASS"
