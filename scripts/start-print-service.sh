#!/usr/bin/env bash
# Starts the system's print service with a PDF printer as its default, so that
# Print has somewhere to go on a machine without a real printer (CI among
# them). Runs as root, also where no init system starts services; safe to run
# again. The PDFs land in the directory that /etc/cups/cups-pdf.conf names.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh print

printer=PDF
sudo=()
[[ $(id -u) -eq 0 ]] || sudo=(sudo)

scheduler_running() { lpstat -r 2>/dev/null | grep -qx 'scheduler is running'; }

if ! scheduler_running; then
    "${sudo[@]}" mkdir -p /run/cups
    "${sudo[@]}" cupsd  # detaches by itself
    for _ in $(seq 60); do
        scheduler_running && break
        sleep 0.5
    done
    scheduler_running || { echo "start-print-service.sh: cupsd did not start" >&2; exit 1; }
fi

if ! lpstat -v "$printer" >/dev/null 2>&1; then
    driver=$(lpinfo -m | awk '/CUPS-PDF_opt\.ppd/ { print $1; exit }')
    [[ -n "$driver" ]] || { echo "start-print-service.sh: no cups-pdf driver found" >&2; exit 1; }
    "${sudo[@]}" lpadmin -p "$printer" -v cups-pdf:/ -m "$driver" -E
fi
"${sudo[@]}" cupsenable "$printer"
"${sudo[@]}" cupsaccept "$printer"
"${sudo[@]}" lpadmin -d "$printer"
lpstat -d
