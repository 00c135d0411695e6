#!/usr/bin/env bash
# Builds the Debian package with Debian's hardening flags in build-deb/ (or $VQ_DEB_BUILD_DIR),
# without tests or benchmarks, and checks it: lintian (no error, no warning), desktop-file-validate
# on the desktop entry, the manual page against vqtool's options. The package is left in that folder.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh lintian desktop-file-utils shared-mime-info
dir=${VQ_DEB_BUILD_DIR:-build-deb}
cmake -S . -B "$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVQ_DEB_FLAGS=ON -DVQ_BUILD_TESTS=OFF \
  -DVQ_BUILD_BENCH=OFF >/dev/null
cmake --build "$dir" -j "$(nproc)"
version=$(sed -n 's/^project(VQ VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
changelog=$(dpkg-parsechangelog -l packaging/changelog -S Version)
if [ "$changelog" != "$version" ]; then
  echo "packaging/changelog's newest entry is $changelog, the project is $version" >&2
  exit 1
fi
(cd "$dir" && rm -f vq_*.deb && cpack -G DEB >/dev/null)
deb=$(ls "$dir"/vq_*.deb)
# Every option vqtool takes is in its manual page.
page=$(zcat "$dir/packaging/vqtool.1.gz")
for opt in $("$dir/tool/vqtool" --help | grep -o -- '--[a-z][a-z-]*' | sort -u); do
  grep -q -- "${opt//-/\\\\-}\|$opt" <<<"$page" || { echo "vqtool.1 lacks $opt" >&2; exit 1; }
done
desktop-file-validate packaging/vq.desktop
echo "desktop-file-validate: no complaint"
# --fail-on warning: an error or a warning fails the build; informational tags are printed.
lintian --fail-on error,warning --info "$deb"
echo "lintian: no error, no warning in $(basename "$deb")"
