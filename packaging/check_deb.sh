#!/bin/sh
# Builds the Debian package and checks it: the files it holds, its control fields, the desktop
# entry and AppStream metainfo as installed, the manual pages, and the unpacked programs.
# Usage: check_deb.sh CPACK SCRATCH_FOLDER VERSION (run in the build folder)
set -eu
cpack=$1
scratch=$2
version=$3

fail() {
    echo "package_deb: $*"
    exit 1
}

rm -rf "$scratch"
mkdir -p "$scratch"
"$cpack" -G DEB -B "$scratch" >"$scratch/cpack.log" 2>&1 || { cat "$scratch/cpack.log"; fail "cpack failed"; }
deb=$(ls "$scratch"/korvaneawg_*.deb)

dpkg-deb -c "$deb" | awk '{print $NF}' >"$scratch/contents"
for f in usr/bin/korvaneawg usr/bin/korvaneawg-cli usr/share/korvaneawg/pic.bmp \
         usr/share/korvaneawg/language/Deutsch.lug usr/share/korvaneawg/language/English.html \
         usr/share/applications/korvaneawg.desktop \
         usr/share/metainfo/org.korvaneawg.korvaneawg.metainfo.xml \
         usr/share/icons/hicolor/48x48/apps/korvaneawg.png \
         usr/share/man/man1/korvaneawg.1.gz usr/share/man/man1/korvaneawg-cli.1.gz \
         usr/share/doc/korvaneawg/copyright; do
    grep -qx "\./$f" "$scratch/contents" || fail "not in the package: $f"
done

[ "$(dpkg-deb -f "$deb" Package)" = korvaneawg ] || fail "package name"
[ "$(dpkg-deb -f "$deb" Version)" = "$version" ] || fail "package version"
dpkg-deb -f "$deb" Depends | grep -q libqt6widgets6 || fail "Depends lacks the Qt libraries"
dpkg-deb -f "$deb" Recommends | grep -q qt6-translations-l10n || fail "Recommends lacks Qt's translations"

root=$scratch/root
dpkg -x "$deb" "$root"
desktop-file-validate "$root/usr/share/applications/korvaneawg.desktop" ||
    fail "desktop entry does not validate"
appstreamcli validate --no-net "$root/usr/share/metainfo/org.korvaneawg.korvaneawg.metainfo.xml" ||
    fail "metainfo does not validate"

# The licence, machine-readable, in the copyright file and the metainfo.
grep -qx "License: GPL-3.0-or-later" "$root/usr/share/doc/korvaneawg/copyright" ||
    fail "the copyright file does not name GPL-3.0-or-later"
grep -q "<project_license>GPL-3.0-or-later</project_license>" \
    "$root/usr/share/metainfo/org.korvaneawg.korvaneawg.metainfo.xml" ||
    fail "the metainfo does not name the project licence"

cli=$root/usr/bin/korvaneawg-cli
gui=$root/usr/bin/korvaneawg
[ "$("$cli" --version)" = "korvaneawg-cli $version" ] || fail "korvaneawg-cli --version"
# Neither option needs a display.
[ "$(env -u DISPLAY -u QT_QPA_PLATFORM "$gui" --version)" = "KorvaneAWG $version" ] ||
    fail "korvaneawg --version"
env -u DISPLAY -u QT_QPA_PLATFORM "$gui" --help | grep -q -- --version || fail "korvaneawg --help"

# Each manual page carries the version, and the headless tool's page every command it has.
for page in korvaneawg korvaneawg-cli; do
    gzip -dc "$root/usr/share/man/man1/$page.1.gz" | sed 's/\\f[BIRP]//g; s/\\-/-/g' \
        >"$scratch/$page.txt"
    grep -q "KorvaneAWG $version" "$scratch/$page.txt" || fail "$page.1 lacks the version"
done
"$cli" --help | sed -n '/^commands:/,/^$/p' | awk 'NF && !/:$/ {print $1}' >"$scratch/commands"
[ -s "$scratch/commands" ] || fail "korvaneawg-cli --help lists no commands"
while read -r command; do
    grep -Eq "^$command( |$)" "$scratch/korvaneawg-cli.txt" ||
        fail "korvaneawg-cli.1 does not describe '$command'"
done <"$scratch/commands"

# The unpacked program finds its files beside bin/ and stays up (offscreen, one simulated
# generator, its configuration in the scratch folder).
mkdir -p "$scratch/home"
status=0
HOME=$scratch/home XDG_CONFIG_HOME=$scratch/home/.config QT_QPA_PLATFORM=offscreen \
    KVDDS_SIMULATED_DEVICES=1 timeout 5 "$gui" >"$scratch/run.log" 2>&1 || status=$?
[ "$status" -eq 124 ] || { cat "$scratch/run.log"; fail "the unpacked program ended with status $status"; }
echo "package_deb: $(basename "$deb") checked"
