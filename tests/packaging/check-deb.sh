#!/usr/bin/env bash
# Builds the Debian package from a build tree into a scratch folder and
# checks its file list and dependencies.
set -euo pipefail
build_dir=$1
with_window=$2
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
cpack --config "$build_dir/CPackConfig.cmake" -B "$scratch" > "$scratch/cpack.log" 2>&1 || { cat "$scratch/cpack.log"; exit 1; }
deb=$(ls "$scratch"/zorvane_*.deb)
files=$(dpkg-deb -c "$deb" | awk '{print $6}' | sed 's|^\./|/|')
expected=(
  /usr/bin/zorvane-find
  /usr/share/applications/org.zorvane.Zorvane.desktop
  /usr/share/metainfo/org.zorvane.Zorvane.metainfo.xml
  /usr/share/icons/hicolor/scalable/apps/org.zorvane.Zorvane.svg
  /usr/share/icons/hicolor/48x48/apps/org.zorvane.Zorvane.png
  /usr/share/icons/hicolor/256x256/apps/org.zorvane.Zorvane.png
  /usr/share/man/man1/zorvane-find.1
)
[[ $with_window == ON ]] && expected+=(/usr/bin/zorvane)
status=0
for path in "${expected[@]}"; do
  grep -qx "$path" <<<"$files" || { echo "missing from the package: $path"; status=1; }
done
depends=$(dpkg-deb -f "$deb" Depends)
grep -q 'libc6' <<<"$depends" || { echo "Depends lacks libc6: $depends"; status=1; }
if [[ $with_window == ON ]]; then
  for package in libqt6widgets6 qt6-qpa-plugins; do
    grep -q "$package" <<<"$depends" || { echo "Depends lacks $package: $depends"; status=1; }
  done
fi
echo "package $(basename "$deb"): ${#expected[@]} files checked; Depends: $depends"
exit $status
