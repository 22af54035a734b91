#!/usr/bin/env bash
# Installs everything Tremora needs to build and test, on Debian 12, as root.
# Debian 12 packages come from the machine's own apt sources; GLFW 3.4, raylib 6.0
# and Dear ImGui 1.92.2b are built from Debian's source packages of the newer
# suites into the ignored prefix .deps/ of this checkout, and reused when present.
set -euo pipefail

ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
PREFIX="$ROOT/.deps"
STAMP="$PREFIX/.complete-v1"

GLFW_VERSION="3.4-3"
RAYLIB_VERSION="6.0+ds-2"
IMGUI_VERSION="1.92.2b+ds-1"

fail() { echo "setup: $*" >&2; exit 1; }
log() { echo "setup: $*"; }

DEBIAN_PACKAGES=(
  build-essential cmake pkg-config ninja-build dpkg-dev
  libx11-dev libxrandr-dev libxinerama-dev libxcursor-dev libxi-dev libxext-dev libxkbcommon-dev
  libgl-dev libgl1-mesa-dev libgl1-mesa-dri libglx-mesa0 mesa-utils
  libcereal-dev libbox2d-dev libgtest-dev googletest libgif-dev
  xvfb xdotool x11-utils imagemagick python3 clang
)

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

# Fast path: everything present.
if [[ -f "$STAMP" ]] && built_files_present && [[ -z "$(missing_debian_packages)" ]]; then
  log "dependencies present in .deps (nothing to do)"
  exit 0
fi

[[ "$(id -u)" == 0 ]] || fail "must run as root to install packages (not root)"
command -v apt-get >/dev/null || fail "apt-get not found: this script needs a Debian 12 machine with apt"
grep -q 'VERSION_ID="12"' /etc/os-release 2>/dev/null || log "warning: not Debian 12; continuing"

export DEBIAN_FRONTEND=noninteractive
APT_UPDATED=0
apt_update() {
  if [[ $APT_UPDATED == 0 ]]; then
    apt-get update -qq >/dev/null 2>"$PREFIX/apt-update.log" || {
      cat "$PREFIX/apt-update.log" >&2
      fail "apt-get update failed: no network or no reachable package archive"
    }
    APT_UPDATED=1
  fi
}
mkdir -p "$PREFIX"

missing="$(missing_debian_packages)"
if [[ -n "$missing" ]]; then
  apt_update
  log "installing Debian packages: $missing"
  # shellcheck disable=SC2086
  apt-get install -y -qq --no-install-recommends $missing >"$PREFIX/apt-install.log" 2>&1 || {
    tail -20 "$PREFIX/apt-install.log" >&2
    fail "apt-get install failed for: $missing"
  }
fi

# --- Newer suites, source only, pinned so nothing installed is ever upgraded ---
SRC_LIST=/etc/apt/sources.list.d/tremora-newer-suites.sources
PIN_FILE=/etc/apt/preferences.d/tremora-newer-suites
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
if [[ ! -f "$SRC_LIST" ]]; then
  URI="$(mirror_uri)"
  [[ -n "$URI" ]] || fail "no Debian mirror URI found in the apt sources"
  cat >"$SRC_LIST" <<SRC
# Added by Tremora's scripts/setup.sh: sources of newer suites, for building
# GLFW, raylib, Dear ImGui and the Font Awesome font.
Types: deb-src
URIs: $URI
Suites: trixie sid
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg
SRC
  APT_UPDATED=0
fi
if [[ ! -f "$PIN_FILE" ]]; then
  cat >"$PIN_FILE" <<'PIN'
# Added by Tremora's scripts/setup.sh: never install or upgrade from the newer suites.
Package: *
Pin: release n=trixie
Pin-Priority: -1

Package: *
Pin: release n=sid
Pin-Priority: -1
PIN
fi

SRCDIR="$PREFIX/src"
mkdir -p "$SRCDIR"
JOBS="$(nproc 2>/dev/null || echo 2)"

fetch_source() { # package version suite -> prints unpacked directory
  local pkg="$1" ver="$2" suite="$3" dir
  dir="$(ls -d "$SRCDIR/$pkg"-*/ 2>/dev/null | head -1 || true)"
  if [[ -n "$dir" ]]; then echo "${dir%/}"; return; fi
  ( cd "$SRCDIR" && apt-get source -qq --only-source "$pkg=$ver" >"$SRCDIR/$pkg.log" 2>&1 ) || {
    # The exact revision is gone: take the suite's current revision of the same upstream release.
    local upstream="${ver%-*}" current
    current="$(apt-cache showsrc "$pkg" 2>/dev/null | awk -v u="$upstream" '$1=="Version:" && index($2, u"-")==1 {print $2}' | sort -V | tail -1)"
    [[ -n "$current" ]] || fail "the source package $pkg $upstream is no longer available in $suite"
    log "version $ver of $pkg is gone; taking $current" >&2
    ( cd "$SRCDIR" && apt-get source -qq --only-source "$pkg=$current" >>"$SRCDIR/$pkg.log" 2>&1 ) \
      || { tail -5 "$SRCDIR/$pkg.log" >&2; fail "could not fetch the source package $pkg from $suite"; }
  }
  dir="$(ls -d "$SRCDIR/$pkg"-*/ | head -1)"
  echo "${dir%/}"
}

cmake_install() { # name source-dir cmake-options... : configure, build and install into the prefix
  local name="$1" d="$2"; shift 2
  log "building $name from $(basename "$d")"
  cmake -S "$d" -B "$d/_build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$PREFIX" \
    -DCMAKE_PREFIX_PATH="$PREFIX" -DBUILD_SHARED_LIBS=OFF -DCMAKE_POSITION_INDEPENDENT_CODE=ON "$@" \
    >"$d/_build.log" 2>&1 \
    && cmake --build "$d/_build" -j "$JOBS" >>"$d/_build.log" 2>&1 \
    && cmake --install "$d/_build" >>"$d/_build.log" 2>&1 \
    || { tail -20 "$d/_build.log" >&2; fail "$name build failed (log: $d/_build.log)"; }
}

# GLFW 3.4 (X11 only)
if [[ ! -f "$PREFIX/lib/libglfw3.a" ]]; then
  apt_update
  d="$(fetch_source glfw3 "$GLFW_VERSION" trixie)"
  cmake_install GLFW "$d" \
    -DGLFW_BUILD_WAYLAND=OFF -DGLFW_BUILD_X11=ON -DGLFW_BUILD_EXAMPLES=OFF -DGLFW_BUILD_TESTS=OFF -DGLFW_BUILD_DOCS=OFF
fi

# raylib 6.0 against that GLFW
if [[ ! -f "$PREFIX/lib/libraylib.a" ]]; then
  apt_update
  d="$(fetch_source raylib "$RAYLIB_VERSION" sid)"
  cmake_install raylib "$d" \
    -DUSE_EXTERNAL_GLFW=ON -DPLATFORM=Desktop -DGLFW_BUILD_WAYLAND=OFF -DBUILD_EXAMPLES=OFF -DCUSTOMIZE_BUILD=OFF
fi

# Dear ImGui 1.92.2b: sources copied into the prefix, compiled by the project's CMake
if [[ ! -f "$PREFIX/imgui/imgui.h" ]]; then
  apt_update
  d="$(fetch_source imgui "$IMGUI_VERSION" sid)"
  log "taking Dear ImGui from $(basename "$d")"
  mkdir -p "$PREFIX/imgui"
  cp "$d"/imgui*.cpp "$d"/imgui*.h "$d"/imconfig.h "$d"/imstb_*.h "$PREFIX/imgui/" \
    || fail "Dear ImGui sources incomplete in $d"
fi

# Font Awesome 6 Free Solid from trixie's node-fortawesome-fontawesome-free: the
# architecture-independent binary package when its index can be read, else the
# same release's upstream tarball from the source package.
FA_PKG=node-fortawesome-fontawesome-free
if [[ ! -f "$PREFIX/fonts/fa-solid-900.ttf" ]]; then
  apt_update
  mkdir -p "$PREFIX/fonts" "$SRCDIR/fa/lists/partial" "$SRCDIR/fa/cache/archives/partial"
  URI="$(mirror_uri)"
  echo "deb [arch=all signed-by=/usr/share/keyrings/debian-archive-keyring.gpg] $URI trixie main" >"$SRCDIR/fa/trixie-all.list"
  FA_APT=(-o "Dir::Etc::SourceList=$SRCDIR/fa/trixie-all.list" -o Dir::Etc::SourceParts=/dev/null
          -o "Dir::State::Lists=$SRCDIR/fa/lists" -o "Dir::Cache=$SRCDIR/fa/cache"
          -o Dir::Etc::Preferences=/dev/null -o Dir::Etc::PreferencesParts=/dev/null)
  ( cd "$SRCDIR/fa" && apt-get "${FA_APT[@]}" update -qq >/dev/null 2>&1; \
    apt-get "${FA_APT[@]}" download -qq "$FA_PKG" >/dev/null 2>&1 ) || true
  deb="$(ls "$SRCDIR/fa/${FA_PKG}"_*_all.deb 2>/dev/null | head -1 || true)"
  if [[ -n "$deb" ]]; then
    rm -rf "$SRCDIR/fa/x" && dpkg-deb -x "$deb" "$SRCDIR/fa/x"
  else
    ver="$(apt-cache showsrc "$FA_PKG" 2>/dev/null | awk '/^Version: 6\./{print $2; exit}')"
    [[ -n "$ver" ]] || fail "$FA_PKG 6 not found in trixie's sources"
    ( cd "$SRCDIR/fa" && apt-get source -qq --download-only "$FA_PKG=$ver" >/dev/null 2>&1 ) || true
    orig="$(ls "$SRCDIR/fa/${FA_PKG}"_*.orig.tar.* 2>/dev/null | head -1 || true)"
    [[ -n "$orig" ]] || fail "could not download $FA_PKG $ver (binary nor source)"
    rm -rf "$SRCDIR/fa/x" && mkdir -p "$SRCDIR/fa/x" && tar -xf "$orig" -C "$SRCDIR/fa/x" --wildcards '*fa-solid-900.ttf'
  fi
  ttf="$(find "$SRCDIR/fa/x" -name 'fa-solid-900.ttf' | head -1)"
  [[ -n "$ttf" ]] || fail "fa-solid-900.ttf not found in $FA_PKG"
  cp "$ttf" "$PREFIX/fonts/fa-solid-900.ttf"
fi

touch "$STAMP"
log "dependencies ready in .deps"
