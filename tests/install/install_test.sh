#!/usr/bin/env bash
# install_test.sh <source folder>: as a throw-away user without root or sudo, set-up
# stops with the exact apt-get line when a Debian package is missing, and otherwise
# fetches the Dear ImGui sources through its private apt configuration and builds the
# Debian package; lintian finds no errors in it, and the package, unpacked into a
# scratch root, starts from its menu entry with an empty home and saves a design
# into the data folder. Needs root to create the user.
set -euo pipefail
SOURCE="$(cd "$1" && pwd)"
[[ "$(id -u)" == 0 ]] || { echo "skipped: creating a throw-away user needs root"; exit 77; }
fail() { echo "FAIL: $*" >&2; exit 1; }

user="tremora-test-$$"
work="$(mktemp -d /tmp/tremora-install-XXXXXX)"
cleanup() { userdel -r "$user" >/dev/null 2>&1 || true; rm -rf "$work"; }
trap cleanup EXIT
useradd --create-home --shell /bin/bash "$user"
copy="$work/tremora"
mkdir -p "$copy" "$work/home"
tar -C "$SOURCE" --exclude='./build*' --exclude=./.git --exclude=./.deps/src -cf - . | tar -C "$copy" -xf -
rm -rf "$copy/.deps/imgui" "$copy/.deps"/.complete-*  # fetched again, as the user
chown -R "$user:" "$work"
as_user() { runuser -u "$user" -- env -u XDG_DATA_HOME HOME="$work/home" "$@" </dev/null; }

if out="$(as_user TREMORA_EXTRA_PACKAGES=tremora-no-such-package bash "$copy/scripts/setup.sh" 2>&1)"; then
  fail "set-up succeeded with a Debian package missing: $out"
fi
grep -qF "apt-get install -y --no-install-recommends tremora-no-such-package" <<<"$out" \
  || fail "no apt-get install line for the missing package: $out"
[[ "$(grep -c 'apt-get install' <<<"$out")" == 1 ]] || fail "the apt-get install line is not printed once: $out"
grep -qE "cannot use sudo|sudo is not installed" <<<"$out" || fail "set-up does not say why it cannot install: $out"
! grep -qiE "sorry|password|incident" <<<"$out" || fail "sudo's own refusal in the set-up's output: $out"

as_user bash "$copy/scripts/package.sh" || fail "packaging as $user failed"
[[ -f "$copy/.deps/imgui/imgui.h" ]] || fail "Dear ImGui was not fetched"
! grep -rqsE '^[^#]*\b(trixie|sid)\b' /etc/apt/sources.list /etc/apt/sources.list.d || fail "newer suites in /etc/apt"
! find /var/lib/apt/lists -name '*_dists_trixie_*' -o -name '*_dists_sid_*' | grep -q . || fail "newer suites' indexes in /var/lib/apt/lists"

deb="$(ls "$copy"/build/tremora_*_amd64.deb)"
lint="$(as_user lintian "$deb" 2>&1 || true)"
! grep -q '^E:' <<<"$lint" || fail "lintian errors: $lint"
dpkg-deb -x "$deb" "$work/root"
entry="$work/root/usr/share/applications/tremora.desktop"
desktop-file-validate "$entry" | grep -v 'hint:' && fail "the menu entry is not valid"
launcher="$(sed -n 's/^Exec=//p' "$entry")"
[[ -x "$work/root$launcher" ]] || fail "the menu entry runs $launcher, which the package lacks"
as_user python3 "$copy/tests/e2e/package_launcher.py" --binary "$work/root$launcher" --source "$copy"
