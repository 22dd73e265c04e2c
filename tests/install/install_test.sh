#!/usr/bin/env bash
# Builds the Debian package, unpacks it into a scratch root and checks what it holds; then starts
# the installed game there, with its data read-only and a fresh home, and has it save a game and
# the hall of fame: they must land in the home's standard folders and nowhere else.
#   install_test.sh BUILD_DIR WORK_DIR INSTALL_PREFIX VERSION
set -euo pipefail
build=$1 work=$2 prefix=$3 version=$4

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

[ -d "$work" ] && chmod -R u+w "$work"
rm -rf "$work"
mkdir -p "$work/pkg" "$work/root" "$work/home" "$work/cwd"

# The package and its dependencies.
cpack --config "$build/CPackConfig.cmake" -B "$work/pkg" >"$work/cpack.log" 2>&1 || {
  cat "$work/cpack.log"
  fail "cpack could not build the package"
}
deb="$work/pkg/korvant_${version}_$(dpkg --print-architecture).deb"
[ -f "$deb" ] || fail "no $deb; made: $(ls "$work/pkg")"
depends=$(dpkg-deb -f "$deb" Depends)
for d in libqt6widgets6 libfluidsynth3 libc6 timgm6mb-soundfont; do
  grep -q "$d" <<<"$depends" || fail "Depends lacks $d: $depends"
done

# What it installs.
dpkg-deb -x "$deb" "$work/root"
r="$work/root$prefix"
for f in bin/korvant bin/korvant-sim \
  share/korvant/korvant.ini share/korvant/tav.dat share/korvant/tav_en.dat share/korvant/korvant.png share/korvant/korvant_en.png \
  share/korvant/help/ru/10.html share/korvant/help/en/10.html share/korvant/music/korvant1.mid \
  share/applications/org.korvant.Korvant.desktop share/metainfo/org.korvant.Korvant.metainfo.xml \
  share/icons/hicolor/48x48/apps/korvant.png share/icons/hicolor/128x128/apps/korvant.png \
  share/icons/hicolor/256x256/apps/korvant.png share/icons/hicolor/scalable/apps/korvant.svg \
  share/man/man6/korvant.6 share/man/man6/korvant-sim.6; do
  [ -s "$r/$f" ] || fail "the package lacks $prefix/$f"
done
desktop-file-validate "$r/share/applications/org.korvant.Korvant.desktop" || fail "desktop entry"
appstreamcli validate --no-net "$r/share/metainfo/org.korvant.Korvant.metainfo.xml" || fail "metainfo"
grep -q "<release version=\"$version\"" "$r/share/metainfo/org.korvant.Korvant.metainfo.xml" || fail "metainfo version"

for p in korvant korvant-sim; do
  [ "$("$r/bin/$p" --version)" = "$p $version" ] || fail "$p --version"
  "$r/bin/$p" --help | grep -q -- "--version" || fail "$p --help"
done

# The installed game in use: nothing it writes may touch the installation or the current folder.
chmod -R a-w "$work/root"
snapshot() { (cd "$work/root" && find . -printf '%p %s %T@ %m\n' | sort); }
before=$(snapshot)
home="$work/home"
(cd "$work/cwd" && env -i PATH=/usr/bin:/bin HOME="$home" LANG=C.UTF-8 QT_QPA_PLATFORM=offscreen \
  KORVANT_DISCOVERY_ADDRESS=127.255.255.255 timeout 60 "$r/bin/korvant" --write-user-files) ||
  fail "korvant --write-user-files ended with status $?"
[ "$(snapshot)" = "$before" ] || fail "the installed files changed"
[ -z "$(ls -A "$work/cwd")" ] || fail "files in the current folder: $(ls -A "$work/cwd")"

saves="$home/.local/share/korvant"
for f in .config/korvant/korvant.ini .local/share/korvant/autosave.gen .local/share/korvant/tav.rec \
  .local/share/korvant/Tester_1.gen; do
  [ -s "$home/$f" ] || fail "no ~/$f"
done
grep -Eq "^Music *= *0" "$home/.config/korvant/korvant.ini" || fail "the settings were not written to the copy"
stray=$(cd "$home" && find . -type f ! -path './.config/korvant/*' ! -path './.local/share/korvant/*' ! -path './.cache/*')
[ -z "$stray" ] || fail "files outside the game's folders: $stray"
"$r/bin/korvant-sim" inspect "$saves/autosave.gen" | grep -q "check value: holds" || fail "the autosave does not load"
echo "installed, started and saved: $deb"
