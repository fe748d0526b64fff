#!/usr/bin/env bash
# Builds the Debian package from a built folder (default build/), checks it
# with lintian and appstreamcli, installs it, starts the installed program
# headless as a user who is not root with a script (a word list, two tasks of
# Wortvergleich, the options saved) and checks that the per-user folder was
# made and seeded, that the options file went there and that nothing was
# written under /usr; then removes the package. Run as root on Debian 12.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
export DEBIAN_FRONTEND=noninteractive
apt-get install -y --no-install-recommends dpkg-dev lintian appstream desktop-file-utils >/dev/null

make -C "$build" -j"$(nproc)" quendelstrand package_changelog >/dev/null
rm -f "$build"/quendelstrand_*.deb
(cd "$build" && cpack -G DEB >/dev/null)
deb=$(ls "$build"/quendelstrand_*.deb)
echo "== package $deb"
dpkg-deb -I "$deb" | sed -n '/Depends/p'

echo "== lintian"
lintian --fail-on error "$deb" || { echo "test-package: lintian reports errors" >&2; exit 1; }
echo "== appstream and desktop entry"
appstreamcli validate --no-net packaging/org.quendelstrand.Quendelstrand.metainfo.xml
desktop-file-validate packaging/org.quendelstrand.Quendelstrand.desktop

echo "== install"
apt-get install -y "./$deb" >/dev/null
user=qs-package-test
id "$user" >/dev/null 2>&1 || useradd --create-home --shell /bin/bash "$user"
home=$(getent passwd "$user" | cut -d: -f6)
rm -rf "$home/.local/share/quendelstrand"
work=$(mktemp -d)
trap 'rm -rf "$work"; apt-get remove -y quendelstrand >/dev/null 2>&1 || true' EXIT
cat >"$work/run.txt" <<'SCRIPT'
until Text-Editor
key w
until Anzahl der Dateien
key RET
until Anzahl der Spieler
key 1
until Leertaste
key SPACE
wait 1500
key j
until %
wait 1000
key x
key SPACE
wait 1500
key n
until %
wait 1000
key x
key ESC
until Jetzt schon beenden?
key j
until Wann sehen wir uns wieder?
key SPACE
until Text-Editor
key o
wait 500
key ESC
wait 500
dump menu
key ESC
key RET
SCRIPT
chmod -R a+rwX "$work"
touch "$work/stamp"
runuser -u "$user" -- env -u XDG_DATA_HOME HOME="$home" \
    /usr/bin/quendelstrand --headless --script "$work/run.txt" --out "$work"

fail() {
    echo "test-package: $*" >&2
    exit 1
}
data="$home/.local/share/quendelstrand"
[[ -f "$data/LS1DAT/Tiere.WWT" ]] || fail "the per-user LS1DAT was not seeded"
[[ -f "$data/.seeded" ]] || fail "the seeding was not finished"
[[ -f "$data/lsp1.opt" ]] || fail "the options file is not in the per-user folder"
grep -q Wortvergleich "$work/menu.txt" || fail "the run did not end in the main menu"
written=$(find /usr -newer "$work/stamp" \( -type f -o -type d \) -print | head -5)
[[ -z "$written" ]] || fail "the program wrote under /usr: $written"

echo "== remove"
apt-get remove -y quendelstrand >/dev/null
[[ ! -e /usr/bin/quendelstrand && ! -e /usr/share/quendelstrand ]] || fail "the package left files behind"
echo "test-package: all good"
