#!/usr/bin/env bash
# Installs everything Tremora needs to build, test and package, on Debian 12.
# Missing Debian 12 packages are installed from the machine's own apt sources, as root
# or through sudo; nothing else needs root. GLFW 3.4, raylib 6.0, Dear ImGui 1.92.2b
# and the icon font come from Debian's source packages of the newer suites, fetched
# through a private apt configuration in .deps/apt (the machine's apt configuration,
# lists and cache stay untouched), built into the ignored prefix .deps/ of this
# checkout, and reused when present.
#
# TREMORA_EXTRA_PACKAGES: more Debian packages to require (the install tests use it).
set -euo pipefail

ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
PREFIX="$ROOT/.deps"
STAMP="$PREFIX/.complete-v2"

GLFW_VERSION="3.4-3"
RAYLIB_VERSION="6.0+ds-2"
IMGUI_VERSION="1.92.2b+ds-1"
FONT_VERSION="6.7.2+ds1-1"

fail() { echo "setup: $*" >&2; exit 1; }
log() { echo "setup: $*"; }

# Runs a long command with its output appended to a log, saying every so often on
# stderr that it is still going and what it does now (the log's last line), so no
# minute of a first set-up passes in silence. Returns the command's status.
PROGRESS_SECONDS=15
with_progress() { # label log command...
  local label="$1" logfile="$2" pid status=0 waited=0 now
  shift 2
  "$@" >>"$logfile" 2>&1 &
  pid=$!
  while kill -0 "$pid" 2>/dev/null; do
    sleep 1
    waited=$((waited + 1))
    if (( waited % PROGRESS_SECONDS == 0 )) && kill -0 "$pid" 2>/dev/null; then
      now="$(tail -c 400 "$logfile" 2>/dev/null | tr '\r' '\n' | grep -v '^[[:space:]]*$' | tail -1 | cut -c1-90 || true)"
      log "$label: ${waited} s so far${now:+ ($now)}" >&2
    fi
  done
  wait "$pid" || status=$?
  return "$status"
}

DEBIAN_PACKAGES=(
  build-essential cmake pkg-config ninja-build dpkg-dev
  libx11-dev libxrandr-dev libxinerama-dev libxcursor-dev libxi-dev libxext-dev libxkbcommon-dev
  libgl-dev libgl1-mesa-dev libgl1-mesa-dri libglx-mesa0 mesa-utils
  libcereal-dev libbox2d-dev libgtest-dev googletest libgif-dev
  xvfb xdotool x11-utils imagemagick python3 clang
  file lintian desktop-file-utils
)
# shellcheck disable=SC2206
DEBIAN_PACKAGES+=(${TREMORA_EXTRA_PACKAGES:-})

missing_debian_packages() {
  local p out=()
  for p in "${DEBIAN_PACKAGES[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || out+=("$p")
  done
  echo "${out[@]:-}"
}

BUILT_FILES=(lib/libglfw3.a lib/libraylib.a include/raylib.h imgui/imgui.h fonts/fa-solid-900.ttf)
built_files_present() {
  local f
  for f in "${BUILT_FILES[@]}"; do [[ -f "$PREFIX/$f" ]] || return 1; done
}

# Earlier versions of this script added the newer suites to the machine's own apt
# configuration. They now live in a private configuration under .deps/apt.
OLD_APT_FILES=(/etc/apt/sources.list.d/tremora-newer-suites.sources /etc/apt/preferences.d/tremora-newer-suites)
old_apt_files() {
  local f out=()
  for f in "${OLD_APT_FILES[@]}"; do [[ -e "$f" ]] && out+=("$f"); done
  echo "${out[@]:-}"
}

# Fast path: everything present.
if [[ -f "$STAMP" ]] && built_files_present && [[ -z "$(missing_debian_packages)" ]] && [[ -z "$(old_apt_files)" ]]; then
  log "dependencies present in .deps (nothing to do)"
  exit 0
fi

command -v apt-get >/dev/null || fail "apt-get not found: this script needs a Debian 12 machine with apt"
if ! built_files_present; then
  log "first set-up: this takes about ten minutes (fetching source indexes, building GLFW and raylib); later runs reuse .deps"
fi
grep -q 'VERSION_ID="12"' /etc/os-release 2>/dev/null || log "warning: not Debian 12; continuing"
mkdir -p "$PREFIX"

# --- Root or not: only apt-get on the machine's own configuration needs root ---
# Whether this user may use sudo at all, found without a prompt: sudo itself asks every
# user for a password before it says no, so the test is sudo without a password, or
# membership of a group that Debian's sudoers lets in. Found once.
SUDO_RIGHTS=""
sudo_allowed() {
  if [[ -z "$SUDO_RIGHTS" ]]; then
    SUDO_RIGHTS=no
    if command -v sudo >/dev/null; then
      if sudo -n true >/dev/null 2>&1 || id -nG | tr ' ' '\n' | grep -qxE 'sudo|admin|wheel'; then SUDO_RIGHTS=yes; fi
    fi
  fi
  [[ "$SUDO_RIGHTS" == yes ]]
}
have_root() { [[ "$(id -u)" == 0 ]] || sudo_allowed; }
as_root() { if [[ "$(id -u)" == 0 ]]; then "$@"; else sudo "$@"; fi; }
# sudo asks for the password here, after the reason has been said, not inside a logged command.
sudo_ready() { [[ "$(id -u)" == 0 ]] || sudo -v; }
# Why root is out of reach, for the messages that then print the command to run as root.
no_root_reason() {
  if command -v sudo >/dev/null; then
    echo "this user ($(id -un)) is not root and cannot use sudo"
  else
    echo "this user ($(id -un)) is not root and sudo is not installed"
  fi
}

old="$(old_apt_files)"
if [[ -n "$old" ]]; then
  log "removing the newer suites that earlier versions of this script added to the machine's apt configuration: $old"
  # shellcheck disable=SC2086
  if have_root && sudo_ready && as_root rm -f $old; then
    # apt drops the indexes of sources that are gone on its next update
    as_root apt-get update -qq >/dev/null 2>"$PREFIX/apt-update.log" \
      || log "warning: apt-get update failed; the newer suites' indexes go with the next one"
  else
    log "warning: could not remove them (they are no longer used); as root, run: rm $old"
  fi
fi

missing="$(missing_debian_packages)"
if [[ -n "$missing" ]]; then
  install_line="apt-get install -y --no-install-recommends $missing"
  have_root || fail "these Debian packages are needed to build and test Tremora: $missing
Installing them needs root, and $(no_root_reason). As root, run:
  apt-get update && $install_line
then run this script again."
  log "installing the Debian packages needed to build and test Tremora with apt-get$([[ "$(id -u)" == 0 ]] || echo " through sudo"): $missing"
  sudo_ready 2>/dev/null || fail "sudo did not accept the password; as root, run: apt-get update && $install_line"
  # shellcheck disable=SC2086
  { as_root apt-get update -qq && as_root env DEBIAN_FRONTEND=noninteractive $install_line -qq; } \
    >"$PREFIX/apt-install.log" 2>&1 || {
    tail -20 "$PREFIX/apt-install.log" >&2
    fail "installing Debian packages failed; as root, run: apt-get update && $install_line"
  }
fi

# --- Newer suites, source only, through apt's own options pointed at .deps/apt ---
# The machine's apt configuration, package lists and cache stay as they are.
APT_DIR="$PREFIX/apt"
mirror_uri() {
  local uri=""
  if [[ -f /etc/apt/sources.list.d/debian.sources ]]; then
    uri="$(awk '/^URIs:/{print $2; exit}' /etc/apt/sources.list.d/debian.sources)"
  fi
  if [[ -z "$uri" && -f /etc/apt/sources.list ]]; then
    uri="$(awk '$1=="deb" && $0 !~ /security/ {for(i=2;i<=NF;i++) if($i ~ /^[a-z]+:\/\//){print $i; exit}}' /etc/apt/sources.list)"
  fi
  echo "$uri"
}
PRIVATE_APT=(-o "Dir::Etc::SourceList=$APT_DIR/sources.list" -o "Dir::Etc::SourceParts=$APT_DIR/sources.list.d"
             -o "Dir::Etc::Preferences=/dev/null" -o "Dir::Etc::PreferencesParts=$APT_DIR/preferences.d"
             -o "Dir::State=$APT_DIR/state" -o "Dir::State::status=/var/lib/dpkg/status"
             -o "Dir::Cache=$APT_DIR/cache")
private_apt_update() { # once per run of this script; fetch_source calls it from subshells
  [[ "$(cat "$APT_DIR/updated-by" 2>/dev/null)" == "$$" ]] && return
  local uri
  uri="$(mirror_uri)"
  [[ -n "$uri" ]] || fail "no Debian mirror URI found in the machine's apt sources"
  mkdir -p "$APT_DIR/sources.list.d" "$APT_DIR/preferences.d" "$APT_DIR/state/lists/partial" "$APT_DIR/cache/archives/partial"
  echo "deb-src [signed-by=/usr/share/keyrings/debian-archive-keyring.gpg] $uri trixie main" >"$APT_DIR/sources.list"
  echo "deb-src [signed-by=/usr/share/keyrings/debian-archive-keyring.gpg] $uri sid main" >>"$APT_DIR/sources.list"
  log "fetching the source indexes of Debian's newer suites" >&2
  : >"$APT_DIR/update.log"
  with_progress "fetching source indexes" "$APT_DIR/update.log" apt-get "${PRIVATE_APT[@]}" update -qq || {
    cat "$APT_DIR/update.log" >&2
    fail "apt-get update of the newer suites' sources failed: no network or no reachable package archive"
  }
  echo "$$" >"$APT_DIR/updated-by"
}

SRCDIR="$PREFIX/src"
mkdir -p "$SRCDIR"
JOBS="$(nproc 2>/dev/null || echo 2)"

fetch_source() { # package version suite [apt-get source options] -> prints unpacked directory
  local pkg="$1" ver="$2" suite="$3" dir
  shift 3
  dir="$(ls -d "$SRCDIR/$pkg"-*/ 2>/dev/null | head -1 || true)"
  if [[ -n "$dir" ]]; then echo "${dir%/}"; return; fi
  private_apt_update
  log "fetching the source package $pkg $ver" >&2
  : >"$SRCDIR/$pkg.log"
  ( cd "$SRCDIR" && with_progress "fetching $pkg" "$SRCDIR/$pkg.log" apt-get "${PRIVATE_APT[@]}" source -qq --only-source "$@" "$pkg=$ver" ) || {
    # The exact revision is gone: take the suite's current revision of the same upstream release.
    local upstream="${ver%-*}" current
    current="$(apt-cache "${PRIVATE_APT[@]}" showsrc "$pkg" 2>/dev/null | awk -v u="$upstream" '$1=="Version:" && index($2, u"-")==1 {print $2}' | sort -V | tail -1)"
    [[ -n "$current" ]] || fail "the source package $pkg $upstream is no longer available in $suite"
    log "version $ver of $pkg is gone; taking $current" >&2
    ( cd "$SRCDIR" && apt-get "${PRIVATE_APT[@]}" source -qq --only-source "$@" "$pkg=$current" >>"$SRCDIR/$pkg.log" 2>&1 ) \
      || { tail -5 "$SRCDIR/$pkg.log" >&2; fail "could not fetch the source package $pkg from $suite"; }
  }
  dir="$(ls -d "$SRCDIR/$pkg"-*/ 2>/dev/null | head -1 || true)"
  echo "${dir%/}"
}

cmake_install() { # name source-dir cmake-options... : configure, build and install into the prefix
  local name="$1" d="$2"; shift 2
  log "building $name from $(basename "$d") (a few minutes)"
  : >"$d/_build.log"
  with_progress "building $name" "$d/_build.log" \
    cmake -S "$d" -B "$d/_build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$PREFIX" \
    -DCMAKE_PREFIX_PATH="$PREFIX" -DBUILD_SHARED_LIBS=OFF -DCMAKE_POSITION_INDEPENDENT_CODE=ON "$@" \
    && with_progress "building $name" "$d/_build.log" cmake --build "$d/_build" -j "$JOBS" \
    && with_progress "installing $name" "$d/_build.log" cmake --install "$d/_build" \
    || { tail -20 "$d/_build.log" >&2; fail "$name build failed (log: $d/_build.log)"; }
}

# GLFW 3.4 (X11 only)
if [[ ! -f "$PREFIX/lib/libglfw3.a" ]]; then
  d="$(fetch_source glfw3 "$GLFW_VERSION" trixie)"
  cmake_install GLFW "$d" \
    -DGLFW_BUILD_WAYLAND=OFF -DGLFW_BUILD_X11=ON -DGLFW_BUILD_EXAMPLES=OFF -DGLFW_BUILD_TESTS=OFF -DGLFW_BUILD_DOCS=OFF
fi

# raylib 6.0 against that GLFW, with raylib's defaults from its config.h except its own
# F12 screenshot hook (the program takes its own screenshots and GIFs). The hook is
# switched off by defining its flag, which config.h leaves alone when already defined:
# raylib's CUSTOMIZE_BUILD would read config.h's "#define SUPPORT_... 0" lines as ON.
# SUPPORT_GIF_RECORDING is not in raylib 6.0; defining it keeps such a hook off too.
RAYLIB_HOOK='screenshot%03i.png'  # the hook's file name pattern, present in the library only with the hook
if [[ ! -f "$PREFIX/lib/libraylib.a" ]] || grep -qaF "$RAYLIB_HOOK" "$PREFIX/lib/libraylib.a"; then
  d="$(fetch_source raylib "$RAYLIB_VERSION" sid)"
  rm -rf "$d/_build"
  cmake_install raylib "$d" \
    -DUSE_EXTERNAL_GLFW=ON -DPLATFORM=Desktop -DGLFW_BUILD_WAYLAND=OFF -DBUILD_EXAMPLES=OFF -DCUSTOMIZE_BUILD=OFF \
    "-DCMAKE_C_FLAGS=-DSUPPORT_SCREEN_CAPTURE=0 -DSUPPORT_GIF_RECORDING=0"
  ! grep -qaF "$RAYLIB_HOOK" "$PREFIX/lib/libraylib.a" || fail "raylib was built with its F12 screenshot hook"
fi

# Dear ImGui 1.92.2b: sources copied into the prefix, compiled by the project's CMake
if [[ ! -f "$PREFIX/imgui/imgui.h" ]]; then
  d="$(fetch_source imgui "$IMGUI_VERSION" sid)"
  log "taking Dear ImGui from $(basename "$d")"
  mkdir -p "$PREFIX/imgui"
  cp "$d"/imgui*.cpp "$d"/imgui*.h "$d"/imconfig.h "$d"/imstb_*.h "$PREFIX/imgui/" \
    || fail "Dear ImGui sources incomplete in $d"
fi

# Font Awesome 6 Free Solid from trixie's node-fortawesome-fontawesome-free: the font is
# in the upstream tarball, the one part of the source package this needs (and the part
# the archive keeps when a revision's other files are gone).
FA_PKG=node-fortawesome-fontawesome-free
if [[ ! -f "$PREFIX/fonts/fa-solid-900.ttf" ]]; then
  private_apt_update
  mkdir -p "$SRCDIR/fa" "$PREFIX/fonts"
  ( cd "$SRCDIR/fa" && apt-get "${PRIVATE_APT[@]}" source -qq --download-only --only-source "$FA_PKG=$FONT_VERSION" \
      >"$SRCDIR/fa.log" 2>&1 ) || true
  orig="$(ls "$SRCDIR/fa/${FA_PKG}"_*.orig.tar.* 2>/dev/null | head -1 || true)"
  [[ -n "$orig" ]] || { tail -5 "$SRCDIR/fa.log" >&2; fail "could not download the upstream tarball of $FA_PKG $FONT_VERSION"; }
  rm -rf "$SRCDIR/fa/x" && mkdir -p "$SRCDIR/fa/x" && tar -xf "$orig" -C "$SRCDIR/fa/x" --wildcards '*fa-solid-900.ttf'
  ttf="$(find "$SRCDIR/fa/x" -name 'fa-solid-900.ttf' | head -1)"
  [[ -n "$ttf" ]] || fail "fa-solid-900.ttf not found in $(basename "$orig")"
  cp "$ttf" "$PREFIX/fonts/fa-solid-900.ttf"
fi

touch "$STAMP"
log "dependencies ready in .deps"
