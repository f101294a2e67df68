#!/usr/bin/env bash
# Builds the Debian package from the build tree, unpacks it into a scratch
# root and runs the installed programs from there.
# usage: check_package.sh BUILD_DIR
set -euo pipefail
build=$1
scratch=$(mktemp -d "${TMPDIR:-/tmp}/zax-package.XXXXXX")
trap 'rm -rf "$scratch"' EXIT

(cd "$scratch" && cpack --config "$build/CPackConfig.cmake" -B "$scratch/out" >"$scratch/cpack.log" 2>&1) ||
  { cat "$scratch/cpack.log"; exit 1; }
deb=$(ls "$scratch"/out/zaxmgr_*.deb)
dpkg-deb -x "$deb" "$scratch/root"
root=$scratch/root

fail=0
for path in usr/bin/zaxmgr usr/bin/zaxsim usr/bin/zaxvoice usr/bin/zaxctl \
            usr/lib/zaxmgr/zaxmgr usr/lib/zaxmgr/zaxmgr.hlp usr/lib/zaxmgr/zaxmgr.cnt \
            usr/lib/zaxmgr/englishus.dll usr/lib/zaxmgr/englishuk.dll \
            usr/lib/zaxmgr/frenchca.dll usr/lib/zaxmgr/spanish.dll \
            usr/lib/zaxmgr/frenchca.hlp usr/lib/zaxmgr/spanish.cnt \
            usr/share/applications/zaxmgr.desktop \
            usr/share/icons/hicolor/scalable/apps/zaxmgr.svg \
            usr/share/man/man1/zaxmgr.1.gz usr/share/man/man1/zaxsim.1.gz \
            usr/share/man/man1/zaxvoice.1.gz usr/share/man/man1/zaxctl.1.gz \
            usr/lib/systemd/system/zaxsim.service; do
  if [ ! -e "$root/$path" ]; then
    echo "missing from the package: /$path"
    fail=1
  fi
done
# The client is found through its link, and finds its modules beside itself.
if [ "$(readlink -f "$root/usr/bin/zaxmgr")" != "$root/usr/lib/zaxmgr/zaxmgr" ]; then
  echo "/usr/bin/zaxmgr does not lead to /usr/lib/zaxmgr/zaxmgr"
  fail=1
fi
# The gui build file names must not leak into the installed program's folder.
if ls "$root"/usr/lib/zaxmgr/gui* >/dev/null 2>&1; then
  echo "the build's gui.* files were installed"
  fail=1
fi
for program in zaxvoice zaxsim zaxctl; do
  if ! out=$("$root/usr/bin/$program" --help 2>&1) || ! grep -q "usage: $program" <<<"$out"; then
    echo "$program --help failed: $out"
    fail=1
  fi
done
if command -v desktop-file-validate >/dev/null; then
  desktop-file-validate "$root/usr/share/applications/zaxmgr.desktop" || fail=1
fi
for page in zaxmgr zaxsim zaxvoice zaxctl; do
  if ! zcat "$root/usr/share/man/man1/$page.1.gz" | grep -q "^\.TH"; then
    echo "man page $page is not a man page"
    fail=1
  fi
done
exit $fail
