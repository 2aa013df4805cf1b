#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Makes the Debian package from this build tree, unpacks it into a scratch
# folder and runs the unpacked program there: --version names the project's
# version and --report finds the bundled example through the installed
# layout; Debian's python3 imports the Python module from the unpacked
# tree and it names the version. `cmake --install` must lay out the same files. lintian, when
# present, must find no error.
# Usage: package_test.sh CPACK CMAKE BUILD_DIR VERSION
set -euo pipefail
cpack="$1"; cmake="$2"; build="$3"; version="$4"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

fail() { echo "FAIL: $*" >&2; exit 1; }

(cd "$build" && "$cpack" -G DEB -B "$work/out" > "$work/cpack.log" 2>&1) || { cat "$work/cpack.log"; fail "cpack"; }
deb="$(ls "$work"/out/returnplot_*.deb)"
[ "$(basename "$deb")" = "returnplot_${version}_amd64.deb" ] || fail "package name $(basename "$deb")"

info="$(dpkg-deb -f "$deb" Package Version Section Depends)"
grep -qx "Package: returnplot" <<<"$info" || fail "package field"
grep -qx "Version: $version" <<<"$info" || fail "version field"
grep -qx "Section: sound" <<<"$info" || fail "section"
grep -q "timgm6mb-soundfont" <<<"$info" || fail "SoundFont dependency"
grep -q "libqt6widgets6" <<<"$info" || fail "computed library dependencies"

dpkg-deb -x "$deb" "$work/root"
for f in usr/bin/returnplot usr/share/returnplot/performance.txt usr/share/returnplot/ScatterData.csv \
         usr/share/applications/returnplot.desktop usr/share/man/man1/returnplot.1.gz \
         usr/share/icons/hicolor/scalable/apps/returnplot.svg \
         usr/share/icons/hicolor/48x48/apps/returnplot.png usr/share/icons/hicolor/128x128/apps/returnplot.png \
         usr/share/icons/hicolor/256x256/apps/returnplot.png usr/share/doc/returnplot/copyright \
         usr/share/returnplot/translations/returnplot_de.qm; do
  [ -f "$work/root/$f" ] || fail "missing $f"
done
grep -qx "MimeType=audio/midi;" "$work/root/usr/share/applications/returnplot.desktop" || fail "MIME type"

out="$(cd / && "$work/root/usr/bin/returnplot" --version)"
[ "$(head -n 1 <<<"$out")" = "returnplot $version" ] || fail "--version printed '$out'"
grep -q "GPL-3.0-or-later" <<<"$out" || fail "--version does not name the licence"
# The Python module where Debian's python3 finds it, with its dependency.
grep -q "python3-numpy" <<<"$info" || fail "NumPy dependency"
ls "$work"/root/usr/lib/python3/dist-packages/returnplot.*.so > /dev/null || fail "missing the Python module"
pyversion="$(cd / && PYTHONPATH="$work/root/usr/lib/python3/dist-packages" /usr/bin/python3 -c \
  "import returnplot; print(returnplot.__version__)")" || fail "import returnplot"
[ "$pyversion" = "$version" ] || fail "returnplot.__version__ is '$pyversion'"
report="$(cd / && "$work/root/usr/bin/returnplot" --report)" || fail "--report exit status $?"
grep -q "performance.txt" <<<"$report" || fail "--report did not read the bundled example: $report"

# The same tree from cmake --install (the package's binary is stripped, so
# only the file lists are compared).
"$cmake" --install "$build" --prefix "$work/install" > /dev/null
diff <(cd "$work/root/usr" && find . -type f | sort) <(cd "$work/install" && find . -type f | sort) \
  || fail "cmake --install lays out other files than the package"

if command -v lintian > /dev/null; then
  lintian "$deb" > "$work/lintian.log" 2>&1 || true
  if grep -q '^E:' "$work/lintian.log"; then cat "$work/lintian.log"; fail "lintian errors"; fi
else
  echo "lintian is not installed: its check was skipped"
fi
echo "package test passed: $(basename "$deb")"
