#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the Debian package with CPack from a built tree and checks it:
#
#  1. its control fields (name, version, section, maintainer, and the
#     library dependencies dpkg-shlibdeps found);
#  2. its files, unpacked with dpkg-deb -x into a temporary root: exactly the
#     programs, the explorer module, the help document, the desktop file,
#     the AppStream metadata, the icons and the manual pages, where the
#     install prefix puts them;
#  3. desktop-file-validate and appstreamcli validate on the unpacked files,
#     lintian on the package (no error, no warning), the changelog's version;
#  4. the unpacked eh-antenna-cli on a design;
#  5. the unpacked window program from an empty working folder: it finds its
#     help document beside its bin folder and shows its main window alone,
#     and Ctrl+G opens the design explorer from its module;
#     with the document moved away it shows the "help file not found"
#     notice (which proves that step 6 can see the notice);
#  6. as root only: the package installed for real with dpkg -i, the window
#     program started from the desktop file's Exec line in an empty working
#     folder (it must find the help document in the installed data folder
#     and show its main window without the notice, then open the explorer),
#     the installed CLI, then dpkg --purge and a check that the files are
#     gone.
#
# The program looks for its help document in a data folder compiled in from
# the install prefix, so only a real installation can show that the package
# puts the document where the program looks. Step 6 is skipped (exit code 77)
# when not run as root, when an eh-antenna package is already installed, or
# when a file of the package already exists on this machine; steps 1-5 run
# in every case.
#
#   deb-package.sh CPACK BUILD_DIR SOURCE_DIR VERSION PREFIX BINDIR DATADIR MANDIR MODULEDIR
#
# BINDIR, DATADIR and MANDIR are relative to PREFIX, as GNUInstallDirs gives
# them; MODULEDIR is the explorer module's folder, relative to PREFIX.
set -euo pipefail
export LC_ALL=C

cpack=$1
build_dir=$2
source_dir=$3
version=$4
prefix=$5
bindir=$6
datadir=$7
mandir=$8
moduledir=$9
here=$(cd "$(dirname "$0")" && pwd)

failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }
step() { echo "== $*"; }

tmp=$(mktemp -d)
installed=
xvfb_pid=
cleanup() {
  if [ -n "$installed" ]; then
    echo "removing the eh-antenna package"
    dpkg_locked --purge eh-antenna >/dev/null || echo "WARNING: dpkg --purge eh-antenna failed" >&2
    restore_folders
  fi
  if [ -n "$xvfb_pid" ]; then
    kill "$xvfb_pid" 2>/dev/null || true
    wait "$xvfb_pid" 2>/dev/null || true
  fi
  rm -rf "$tmp"
}
trap cleanup EXIT

# dpkg with its arguments; waits (at most 2 minutes) while another dpkg or
# apt-get holds the lock.
dpkg_locked() {
  local out
  for _ in $(seq 1 60); do
    if out=$(dpkg "$@" 2>&1); then
      printf '%s\n' "$out"
      return 0
    fi
    if ! grep -qi 'lock' <<<"$out"; then
      printf '%s\n' "$out" >&2
      return 1
    fi
    sleep 2
  done
  printf '%s\n' "$out" >&2
  return 1
}

# A virtual X server of our own on a free display (-displayfd names it once
# it accepts clients), ended by cleanup.
start_x() {
  # -noreset: by default the server resets when its last client leaves, and a
  # program that connects during the reset fails to start.
  Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -noreset 3>"$tmp/display" 2>"$tmp/xvfb.log" &
  xvfb_pid=$!
  for _ in $(seq 1 100); do # at most 10 s
    [ -s "$tmp/display" ] && break
    kill -0 "$xvfb_pid" 2>/dev/null || break
    sleep 0.1
  done
  if [ ! -s "$tmp/display" ]; then
    cat "$tmp/xvfb.log" >&2
    echo "FAIL: Xvfb did not start" >&2
    exit 1
  fi
  DISPLAY=":$(head -n 1 "$tmp/display")"
  export DISPLAY
  unset WAYLAND_DISPLAY
}

# dpkg --purge removes every folder of the package that is left empty and
# that no other package ships, such as /usr/local/share/man, which the base
# system creates but no package owns. The folders of the package that exist
# before the installation ("MODE USER GROUP MTIME PATH") are made again, as
# they were, after the removal.
folders_before=
save_folders() {
  folders_before=$(cd "$root" && find . -mindepth 1 -type d | sed 's|^\.||' | while IFS= read -r dir; do
    if [ -d "$dir" ]; then stat -c '%a %U %G %Y %n' "$dir"; fi
  done)
}
restore_folders() {
  local mode user group mtime dir
  while read -r mode user group mtime dir; do
    if [ -n "$dir" ] && [ ! -d "$dir" ]; then
      echo "restoring the folder $dir, which dpkg --purge removed"
      install -d -m "$mode" -o "$user" -g "$group" "$dir"
      touch -d "@$mtime" "$dir"
    fi
  done <<<"$folders_before"
}

# Runs the window program on that server (window-titles.sh).
window_check() { # main|notice WORKDIR PROGRAM
  timeout 60 bash "$here/window-titles.sh" "$@"
}

# ---------------------------------------------------------------------------
step "building the package with cpack"
if ! timeout 150 "$cpack" --config "$build_dir/CPackConfig.cmake" -G DEB -B "$tmp/out" >"$tmp/cpack.log" 2>&1; then
  cat "$tmp/cpack.log" >&2
  echo "FAIL: cpack did not build the package" >&2
  exit 1
fi
debs=("$tmp"/out/*.deb)
if [ ${#debs[@]} -ne 1 ] || [ ! -f "${debs[0]}" ]; then
  echo "FAIL: expected one .deb, found: ${debs[*]}" >&2
  exit 1
fi
deb=${debs[0]}
arch=$(dpkg --print-architecture)
echo "built $(basename "$deb")"
[ "$(basename "$deb")" = "eh-antenna_${version}_${arch}.deb" ] || fail "unexpected file name $(basename "$deb")"

# ---------------------------------------------------------------------------
step "control fields"
field() { dpkg-deb -f "$deb" "$1"; }
dpkg-deb -f "$deb"
[ "$(field Package)" = eh-antenna ] || fail "Package is not eh-antenna"
[ "$(field Version)" = "$version" ] || fail "Version is not $version"
[ "$(field Section)" = hamradio ] || fail "Section is not hamradio"
[ "$(field Architecture)" = "$arch" ] || fail "Architecture is not $arch"
[ -n "$(field Maintainer)" ] || fail "no Maintainer"
depends=$(field Depends)
depends_names=$(tr ',' '\n' <<<"$depends" | sed -E 's/^ +//; s/[ (].*$//')
for lib in libc6 libstdc++6 libqt6widgets6 libqt6gui6 libqt6core6 libqt6charts6 libqt6svg6; do
  grep -qxF "$lib" <<<"$depends_names" || fail "Depends lacks $lib (did dpkg-shlibdeps run?): $depends"
done

# ---------------------------------------------------------------------------
step "files in the package"
root=$tmp/root
dpkg-deb -x "$deb" "$root"
p=${prefix#/}
expected=(
  "$p/$bindir/eh-antenna"
  "$p/$bindir/eh-antenna-cli"
  "$p/$moduledir/explorer.so"
  "$p/$datadir/eh-antenna/help_eh.rtf"
  "$p/$datadir/eh-antenna/help_eh.en.rtf"
  "$p/$datadir/applications/eh-antenna.desktop"
  "$p/$datadir/metainfo/org.ehantenna.EhAntenna.metainfo.xml"
  "$p/$mandir/man1/eh-antenna-cli.1.gz"
  "$p/$mandir/man1/eh-antenna.1.gz"
  "$p/$datadir/doc/eh-antenna/copyright"
  "$p/$datadir/doc/eh-antenna/changelog.gz"
)
for size in 16 32 48 128 256; do
  expected+=("$p/$datadir/icons/hicolor/${size}x${size}/apps/eh-antenna.png")
done
actual=$(cd "$root" && find . -type f -o -type l | sed 's|^\./||' | sort)
wanted=$(printf '%s\n' "${expected[@]}" | sort)
if [ "$actual" != "$wanted" ]; then
  fail "the package's files differ from the expected ones (< expected, > packaged):"
  diff <(echo "$wanted") <(echo "$actual") >&2 || true
fi
echo "$actual"

for program in eh-antenna eh-antenna-cli; do
  [ -x "$root/$p/$bindir/$program" ] || fail "$program is not executable"
done
for help in help_eh.rtf help_eh.en.rtf; do
  cmp -s "$root/$p/$datadir/eh-antenna/$help" "$source_dir/resources/$help" ||
    fail "the packaged help document differs from resources/$help"
done
for size in 16 32 48 128 256; do
  icon=$root/$p/$datadir/icons/hicolor/${size}x${size}/apps/eh-antenna.png
  # The PNG signature, then the width and height in the IHDR chunk.
  read -r -a bytes <<<"$(od -An -v -tu1 -N24 "$icon" | tr -s ' \n' ' ')"
  width=$(( (bytes[16] << 24) | (bytes[17] << 16) | (bytes[18] << 8) | bytes[19] ))
  height=$(( (bytes[20] << 24) | (bytes[21] << 16) | (bytes[22] << 8) | bytes[23] ))
  [ "${bytes[1]}${bytes[2]}${bytes[3]}" = 807871 ] || fail "$icon is not a PNG"
  if [ "$width" != "$size" ] || [ "$height" != "$size" ]; then
    fail "$icon is ${width}x${height}, not ${size}x${size}"
  fi
done
for page in eh-antenna-cli eh-antenna; do
  gz=$root/$p/$mandir/man1/$page.1.gz
  if ! gzip -t "$gz"; then
    fail "$gz is not gzip"
    continue
  fi
  # help2man quotes the section number: .TH EH-ANTENNA-CLI "1" ...
  gzip -dc "$gz" | grep -qE "^\.TH $(tr '[:lower:]' '[:upper:]' <<<"$page") \"?1\"? .*\"eh-antenna $version\"" ||
    fail "$page.1 has no .TH line for version $version"
  warnings=$(gzip -dc "$gz" | groff -k -man -Tutf8 -ww -z 2>&1) || fail "groff failed on $page.1"
  [ -z "$warnings" ] || fail "groff warns about $page.1: $warnings"
done
gzip -dc "$root/$p/$mandir/man1/eh-antenna.1.gz" | grep -qF "$prefix/$datadir/eh-antenna/help_eh.rtf" ||
  fail "eh-antenna.1 does not name the installed help document"

# ---------------------------------------------------------------------------
step "desktop-file-validate"
desktop=$root/$p/$datadir/applications/eh-antenna.desktop
out=$(desktop-file-validate "$desktop" 2>&1) || fail "desktop-file-validate failed"
[ -n "$out" ] && echo "$out"
grep -qE '(error|warning):' <<<"$out" && fail "desktop-file-validate reports errors or warnings"
for line in 'Exec=eh-antenna' 'Icon=eh-antenna' 'Type=Application'; do
  grep -qxF "$line" "$desktop" || fail "the desktop file lacks $line"
done
grep -qE '^Categories=(.*;)?HamRadio;' "$desktop" || fail "the desktop file is not in HamRadio"
grep -qE '^Name\[ru\]=.+' "$desktop" || fail "the desktop file has no Russian name"
grep -qE '^Comment\[ru\]=.+' "$desktop" || fail "the desktop file has no Russian comment"

step "appstreamcli validate"
metainfo=$root/$p/$datadir/metainfo/org.ehantenna.EhAntenna.metainfo.xml
timeout 60 appstreamcli validate --no-net --strict "$metainfo" || fail "appstreamcli validate reports issues"
grep -qF '<launchable type="desktop-id">eh-antenna.desktop</launchable>' "$metainfo" ||
  fail "the metainfo does not launch eh-antenna.desktop"
grep -qF "<release version=\"$version\"" "$metainfo" || fail "the metainfo has no release $version"
# The installed tree as a whole (the metainfo and the desktop file it
# launches); validate-tree reads <root>/usr/share, so <root>/usr stands for
# the prefix.
mkdir "$tmp/tree"
ln -s "$root/$p" "$tmp/tree/usr"
timeout 60 appstreamcli validate-tree --no-net --strict "$tmp/tree" || fail "appstreamcli validate-tree reports issues"

step "lintian"
timeout 120 lintian --fail-on error,warning "$deb" || fail "lintian reports errors or warnings"
gzip -dc "$root/$p/$datadir/doc/eh-antenna/changelog.gz" | head -n 1 | grep -qF "eh-antenna ($version)" ||
  fail "the changelog's latest entry is not version $version"

# ---------------------------------------------------------------------------
step "the unpacked eh-antenna-cli"
cli_check() { # CLI
  local first
  first=$(timeout 30 "$1" 14.2 50 3 1 2 50 | head -n 1) || true
  [ "$first" = 'Расчет параметров ЕН Антенны' ] || fail "$1 printed \"$first\" as its first line"
  [ "$(timeout 30 "$1" --version | head -n 1)" = "eh-antenna-cli $version" ] || fail "$1 --version is not $version"
  local status=0
  timeout 30 "$1" 0 50 3 1 2 50 >/dev/null 2>&1 || status=$?
  [ "$status" = 1 ] || fail "$1 exits $status, not 1, on a division by zero"
}
cli_check "$root/$p/$bindir/eh-antenna-cli"

# ---------------------------------------------------------------------------
step "the unpacked window program, started from an empty folder"
mkdir "$tmp/elsewhere"
start_x
echo "virtual X server on $DISPLAY"
# A tree moved away from its install prefix finds its help document beside
# its bin folder, and its explorer module in its library folder ...
window_check explorer "$tmp/elsewhere" "$root/$p/$bindir/eh-antenna" ||
  fail "the moved tree did not find its help document or its explorer module"
# ... and without the document the notice shows (which proves the check
# below can see it).
if [ -e "$prefix/$datadir/eh-antenna/help_eh.rtf" ]; then
  echo "skipped the notice check: $prefix/$datadir/eh-antenna/help_eh.rtf exists on this machine"
else
  mv "$root/$p/$datadir/eh-antenna/help_eh.rtf" "$tmp/help_eh.rtf.aside"
  window_check notice "$tmp/elsewhere" "$root/$p/$bindir/eh-antenna" || fail "the notice did not show"
  mv "$tmp/help_eh.rtf.aside" "$root/$p/$datadir/eh-antenna/help_eh.rtf"
fi

# ---------------------------------------------------------------------------
step "installing the package (dpkg -i)"
skip=
if [ "$(id -u)" -ne 0 ]; then
  skip="not run as root"
elif status=$(dpkg-query -W -f='${db:Status-Status}' eh-antenna 2>/dev/null) && [ "$status" != not-installed ]; then
  skip="an eh-antenna package is already on this machine ($status)"
else
  while IFS= read -r file; do
    if [ -e "/$file" ] || [ -L "/$file" ]; then
      skip="/$file already exists and would be overwritten"
      break
    fi
  done <<<"$actual"
fi

if [ -z "$skip" ] && [ "$failures" -eq 0 ]; then
  save_folders
  installed=yes
  dpkg_locked -i "$deb" || fail "dpkg -i failed"
  dpkg-query -W -f='${Status}\n' eh-antenna | grep -qx 'install ok installed' || fail "the package is not installed"
  while IFS= read -r file; do
    [ -e "/$file" ] || fail "/$file is not installed"
  done <<<"$actual"

  step "the installed eh-antenna-cli"
  cli_check "$prefix/$bindir/eh-antenna-cli"

  step "the installed window program, started as the desktop file says from an empty folder"
  exec_line=$(sed -n 's/^Exec=//p' "$prefix/$datadir/applications/eh-antenna.desktop")
  program=$(PATH="$prefix/$bindir:/usr/bin:/bin" command -v "$exec_line" || true)
  [ "$program" = "$prefix/$bindir/eh-antenna" ] || fail "Exec=$exec_line does not start $prefix/$bindir/eh-antenna"
  window_check explorer "$tmp/elsewhere" "${program:-$prefix/$bindir/eh-antenna}" ||
    fail "the installed program did not show its main window alone (help document not found?) or its explorer"

  step "removing the package (dpkg --purge)"
  installed=
  dpkg_locked --purge eh-antenna >/dev/null || fail "dpkg --purge failed"
  restore_folders
  while IFS= read -r file; do
    [ ! -e "/$file" ] || fail "/$file is left after dpkg --purge"
  done <<<"$actual"
  while read -r _ _ _ _ dir; do
    [ -z "$dir" ] || [ -d "$dir" ] || fail "the folder $dir is gone after dpkg --purge"
  done <<<"$folders_before"
fi

if [ "$failures" -ne 0 ]; then
  echo "$failures check(s) failed" >&2
  exit 1
fi
if [ -n "$skip" ]; then
  echo "the package's contents pass; the installation check is skipped: $skip"
  exit 77
fi
echo "the package passes every check"
