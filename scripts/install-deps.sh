#!/usr/bin/env bash
# Installs what building, testing and packaging VQ needs on Debian 12, skipping what is already
# there (qt6-translations-l10n gives Qt's own buttons and dialogs their Hebrew texts; file,
# dpkg-dev and help2man are for the package). Packages named on the command line are installed
# too (the sanitizer build adds clang's, scripts/package.sh lintian and desktop-file-utils).
set -euo pipefail
pkgs=(build-essential cmake qt6-base-dev qt6-serialport-dev qt6-svg-dev libgl-dev
      libgtest-dev libgmock-dev libbenchmark-dev libproj-dev proj-data xdg-utils libxml2-utils locales
      qt6-translations-l10n file dpkg-dev help2man "$@")
missing=()
for p in "${pkgs[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
# The tests write numbers under a German locale, whose decimal separator is a comma.
need_locale=0
locale -a 2>/dev/null | grep -qi '^de_DE.utf-\?8$' || need_locale=1
sudo=""
if [ "$(id -u)" -ne 0 ] && { [ ${#missing[@]} -gt 0 ] || [ $need_locale -eq 1 ]; }; then
  if ! command -v sudo >/dev/null 2>&1; then
    {
      echo "VQ needs packages installed first, and this user is not root and has no sudo."
      [ ${#missing[@]} -eq 0 ] || echo "Missing: ${missing[*]}"
      echo "Either run the same command again as root (su -, then the command), or, as root,"
      echo "install sudo and let this user use it (apt-get install sudo; usermod -aG sudo $(id -un)),"
      echo "log in again and run the command as this user."
    } >&2
    exit 1
  fi
  sudo="sudo"
fi
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
[ $need_locale -eq 0 ] || $sudo localedef -i de_DE -f UTF-8 de_DE.UTF-8
