#!/usr/bin/env bash
# Installs what building and testing VQ needs on Debian 12, skipping what is already there
# (qt6-translations-l10n gives Qt's own buttons and dialogs their Hebrew texts).
# Packages named on the command line are installed too (the sanitizer and fuzz build adds
# clang's).
set -euo pipefail
pkgs=(build-essential cmake qt6-base-dev qt6-serialport-dev qt6-svg-dev libgl-dev
      libgtest-dev libgmock-dev libbenchmark-dev libproj-dev proj-data xdg-utils libxml2-utils locales
      qt6-translations-l10n "$@")
missing=()
for p in "${pkgs[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
# The tests write numbers under a German locale, whose decimal separator is a comma.
locale -a 2>/dev/null | grep -qi '^de_DE.utf-\?8$' || $sudo localedef -i de_DE -f UTF-8 de_DE.UTF-8
