#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the build into a temporary prefix and checks what a user gets: the installed viewer,
# started twice with a temporary XDG_DATA_HOME, lays out a program directory of the user's own
# and never replaces the user's files; the desktop entry and metainfo validate; the Debian
# package holds the installed files and names its run-time dependencies.
#
# Usage: install-check.sh BUILD_DIR
set -euo pipefail
build=$(cd "$1" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
prefix="$work/prefix"
fail() { echo "FAIL: $*" >&2; exit 1; }
check_file() { [ -f "$prefix/$1" ] || fail "not installed: $1"; }

cmake --install "$build" --prefix "$prefix" > "$work/install.log"
for f in bin/vandrix share/vandrix/Language.txt share/vandrix/naca2412.dat \
         share/applications/org.vandrix.Vandrix.desktop \
         share/metainfo/org.vandrix.Vandrix.metainfo.xml \
         share/icons/hicolor/scalable/apps/org.vandrix.Vandrix.svg \
         share/icons/hicolor/48x48/apps/org.vandrix.Vandrix.png \
         share/man/man1/vandrix.1.gz share/doc/vandrix/copyright; do
  check_file "$f"
done
[ -x "$prefix/bin/vandrix" ] || fail "bin/vandrix is not executable"

# The installed viewer runs in a home of its own, so that the caller's settings (Qt's,
# fontconfig's) are not read; each run below names its XDG_DATA_HOME.
mkdir "$work/home"
own_home=(-u XDG_CONFIG_HOME -u XDG_DATA_HOME -u XDG_CACHE_HOME -u XDG_STATE_HOME
  HOME="$work/home")

# --version answers without a display and without a window.
version=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "${own_home[@]}" \
  "$prefix/bin/vandrix" --version)
[[ "$version" =~ ^vandrix\ [0-9]+\.[0-9]+\.[0-9]+$ ]] || fail "--version printed '$version'"

# Starts the installed viewer from an unrelated directory, waits until it catches SIGTERM (from
# before start-up; the window closes once start-up has shown it) and closes it as logging out
# would.
run_viewer() {
  local data_home=$1 lang=$2
  (cd "$work" && exec env "${own_home[@]}" XDG_DATA_HOME="$data_home" LANG="$lang" LC_ALL='' \
     LANGUAGE='' QT_QPA_PLATFORM=offscreen "$prefix/bin/vandrix") &
  local pid=$! mask
  for _ in $(seq 200); do
    # The shell that starts it catches SIGTERM too, until it has become the viewer.
    if [ "$(cat "/proc/$pid/comm" 2>/dev/null)" = vandrix ]; then
      mask=$(awk '/^SigCgt:/ {print $2}' "/proc/$pid/status" 2>/dev/null || true)
      [ -n "$mask" ] && [ $(( 0x$mask & (1 << 14) )) -ne 0 ] && break
    fi
    sleep 0.1
  done
  kill -TERM "$pid"
  wait "$pid" || fail "the viewer ended with status $?"
}

settings() {  # the ten lines of Set.txt, CRLF-ended
  printf '// Language\r\n %s \r\n// Init DIR\r\n%s\r\n// Scale\r\n %s \r\n// Printer Scale\r\n %s \r\n// \r\n\r\n' "$@"
}

# First start: the program directory is made, with the shipped Language.txt and a Set.txt that
# names it, in the language of the locale.
data="$work/data"
user="$data/vandrix"
run_viewer "$data" C.UTF-8
[ -d "$user" ] || fail "no program directory $user"
cmp -s "$user/Language.txt" "$prefix/share/vandrix/Language.txt" || fail "Language.txt differs"
cmp -s "$user/Set.txt" <(settings 1 "$user" 1000 150) || fail "first Set.txt: $(cat -A "$user/Set.txt")"

# Second start: the user's own files stay as they are (Set.txt is written back unchanged).
settings 2 "$user" 1234 99.5 > "$user/Set.txt"
sed -i 's/^Vandrix$/My Vandrix/' "$user/Language.txt"
cp "$user/Language.txt" "$work/Language.mine"
run_viewer "$data" C.UTF-8
cmp -s "$user/Set.txt" <(settings 2 "$user" 1234 99.5) || fail "Set.txt was not kept: $(cat -A "$user/Set.txt")"
cmp -s "$user/Language.txt" "$work/Language.mine" || fail "the user's Language.txt was replaced"

# A Japanese locale starts in language 2.
run_viewer "$work/data-ja" ja_JP.UTF-8
cmp -s "$work/data-ja/vandrix/Set.txt" <(settings 2 "$work/data-ja/vandrix" 1000 150) ||
  fail "Japanese first Set.txt: $(cat -A "$work/data-ja/vandrix/Set.txt")"

# A data directory that cannot hold a program directory: the viewer still starts (on a temporary
# one, after one message) and ends as usual; nothing is written where it could not go.
echo "a file, not a directory" > "$work/not-a-dir"
run_viewer "$work/not-a-dir" C.UTF-8
[ "$(cat "$work/not-a-dir")" = "a file, not a directory" ] || fail "the data file was changed"

desktop-file-validate "$prefix/share/applications/org.vandrix.Vandrix.desktop"
appstreamcli validate --no-net --pedantic "$prefix/share/metainfo/org.vandrix.Vandrix.metainfo.xml" \
  > "$work/appstream.log" || { cat "$work/appstream.log"; fail "metainfo does not validate"; }

# The Debian package, built from this build directory.
(cd "$build" && cpack -G DEB -B "$work/package" > "$work/cpack.log") ||
  { cat "$work/cpack.log"; fail "cpack failed"; }
deb=$(ls "$work"/package/vandrix_*_*.deb)
contents=$(dpkg-deb -c "$deb")
for f in usr/bin/vandrix usr/share/vandrix/Language.txt usr/share/vandrix/naca2412.dat \
         usr/share/applications/org.vandrix.Vandrix.desktop \
         usr/share/metainfo/org.vandrix.Vandrix.metainfo.xml \
         usr/share/icons/hicolor/scalable/apps/org.vandrix.Vandrix.svg \
         usr/share/man/man1/vandrix.1.gz usr/share/doc/vandrix/copyright; do
  grep -q " \./$f\$" <<< "$contents" || fail "$f is not in the package"
done
[ "$(dpkg-deb -f "$deb" Package)" = vandrix ] || fail "package name"
depends=$(dpkg-deb -f "$deb" Depends)
for d in libqt6widgets6 libqt6printsupport6 libcups2 fonts-ipafont-mincho qt6-qpa-plugins; do
  grep -q "\b$d\b" <<< "$depends" || fail "Depends lacks $d: $depends"
done
[ -n "$(dpkg-deb -f "$deb" Maintainer)" ] || fail "no maintainer"
[ -n "$(dpkg-deb -f "$deb" Description)" ] || fail "no description"
echo "install check passed: $(basename "$deb")"
