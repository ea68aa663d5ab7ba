#!/usr/bin/env bash
# Installs the Debian packages that the given parts of the build need, only
# those that are missing. Usage: install-deps.sh run|test|bench|fuzz|package|print ...
set -euo pipefail

packages=(cmake ninja-build g++ qt6-base-dev libgl-dev libcups2-dev fonts-ipafont-gothic)
for part in "$@"; do
    case "$part" in
        run) ;;
        test)
            packages+=(googletest libgtest-dev libgmock-dev xvfb x11-utils xdotool imagemagick
                       poppler-utils desktop-file-utils appstream cups printer-driver-cups-pdf) ;;
        bench) packages+=(libbenchmark-dev xvfb x11-utils procps libx11-dev time) ;;
        fuzz) packages+=(clang libclang-rt-14-dev) ;;
        package) packages+=(dpkg-dev file) ;;
        print) packages+=(cups printer-driver-cups-pdf) ;;
        *) echo "install-deps.sh: unknown part '$part'" >&2; exit 2 ;;
    esac
done

missing=()
for package in "${packages[@]}"; do
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
