#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Installs the Debian packages that the given parts need, only those that are
# missing. Usage: install-deps.sh run|test|bench|fuzz|libcxx|package|print|site|web ...
#   run      build and start the window
#   test     build and run every test
#   bench    build and run the benchmarks
#   fuzz     build and run the fuzzer (clang)
#   libcxx   build and test the core with clang and LLVM's libc++, GoogleTest
#            built from its sources
#   package  build and check the Debian package
#   print    the print service and its PDF printer, to print without a printer
#   site     build the web page
#   web      build the web page, open it, and test it in a headless browser
set -euo pipefail

# Every part that compiles: the compiler and Qt, and msgfmt for torvelin-calc's
# messages.
build=(cmake ninja-build g++ qt6-base-dev libgl-dev libcups2-dev gettext)
# The builds that write the package's files (the debug and release presets):
# torvelin-calc's manual page is made by help2man.
manual_page=(help2man)
# What the window shows: its font and Qt's own texts in Japanese.
window_assets=(fonts-ipafont-gothic qt6-translations-l10n)
# Debian's print service, its filters, and the PDF printer's driver.
print_service=(cups printer-driver-cups-pdf)
# The web page's build: the core compiled to WebAssembly.
web_build=(cmake ninja-build emscripten)
# Its tests and benchmark drive Chromium through Selenium and read its PDF
# with poppler's tools; xdg-open shows the page to the user.
web=("${web_build[@]}" chromium chromium-driver python3-selenium poppler-utils fonts-ipafont-gothic
     xdg-utils)

packages=()
for part in "$@"; do
    case "$part" in
        run) packages+=("${build[@]}" "${manual_page[@]}" "${window_assets[@]}") ;;
        test)
            # libc-l10n: the C library's own messages in Japanese, which
            # torvelin-calc's Japanese diagnostics quote. python3-icalendar
            # and khal read back the calendar files torvelin-calc writes. The
            # web page is built and tried in Chromium.
            packages+=("${build[@]}" "${manual_page[@]}" "${window_assets[@]}" googletest libgtest-dev
                       libgmock-dev python3 xvfb x11-utils xdotool imagemagick poppler-utils ghostscript
                       dbus-daemon at-spi2-core libc-l10n
                       desktop-file-utils appstream man-db python3-icalendar khal
                       "${print_service[@]}" "${web[@]}") ;;
        bench) packages+=("${build[@]}" "${window_assets[@]}" libbenchmark-dev xvfb x11-utils procps
                          libx11-dev time) ;;
        fuzz) packages+=("${build[@]}" clang libclang-rt-14-dev) ;;
        # Debian's GoogleTest libraries are built for libstdc++; the googletest
        # package has the sources, which this build compiles with libc++. The
        # core's tests run Python and quote the C library's Japanese messages.
        libcxx) packages+=("${build[@]}" clang libc++-14-dev libc++abi-14-dev googletest python3
                           libc-l10n) ;;
        # The package holds the web page, and the page's zip is made beside it.
        package) packages+=("${build[@]}" "${manual_page[@]}" "${web_build[@]}" dpkg-dev file lintian
                            zip) ;;
        print) packages+=("${print_service[@]}") ;;
        site) packages+=("${web_build[@]}") ;;
        web) packages+=("${web[@]}") ;;
        *) echo "install-deps.sh: unknown part '$part'" >&2; exit 2 ;;
    esac
done

missing=()
for package in $(printf '%s\n' "${packages[@]}" | sort -u); do
    status=$(dpkg-query -W -f='${Status}' "$package" 2>/dev/null || true)
    [[ "$status" == "install ok installed" ]] || missing+=("$package")
done
[[ ${#missing[@]} -eq 0 ]] && exit 0

echo "Installing missing packages: ${missing[*]}"
sudo=()
[[ $(id -u) -eq 0 ]] || sudo=(sudo)
"${sudo[@]}" apt-get update -qq
"${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends \
    "${missing[@]}"
