#!/usr/bin/env bash
# Installs a build (default build/) into a scratch prefix and checks the
# installation as a user meets it: exactly the files of
# packaging/installed_files.txt; a valid desktop entry, AppStream
# description and file type; the engine usable by another program through
# find_package(korvasta); the installed program analysing a copy of an
# example as the build's does; and the window, with the installation made
# read-only, naming an unsaved project in the user's documents folder and
# a project given as argument by its path.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
id=org.orvandel.Orvandel

scratch=$(mktemp -d)
trap 'chmod -R u+w "$scratch"; rm -rf "$scratch"' EXIT
prefix=$scratch/prefix
fail() {
    echo "check_install: $*" >&2
    exit 1
}

cmake --install "$build" --prefix "$prefix" >/dev/null
(cd "$prefix" && find . \( -type f -o -type l \) -printf '%P\n' | LC_ALL=C sort) >"$scratch/files"
libdir=$(sed -n 's/^CMAKE_INSTALL_LIBDIR:PATH=//p' "$build/CMakeCache.txt")
grep -v "^#" packaging/installed_files.txt | sed "s|^<libdir>/|$libdir/|" | LC_ALL=C sort |
    diff -u - "$scratch/files" ||
    fail "the installed files differ from packaging/installed_files.txt"

desktop-file-validate "$prefix/share/applications/$id.desktop"
appstreamcli validate --no-net "$prefix/share/metainfo/$id.metainfo.xml"
# The MIME database built from the package's type must know *.tsd.
cp -r "$prefix/share/mime" "$scratch/mime"
update-mime-database "$scratch/mime" >/dev/null 2>&1
grep -q ':application/x-orvandel-project:\*\.tsd' "$scratch/mime/globs2" || fail "*.tsd is not a known file type"

# Another program built against the installed engine only.
cmake -S tests/install -B "$scratch/consumer" -G Ninja -DCMAKE_PREFIX_PATH="$prefix" >/dev/null
cmake --build "$scratch/consumer" >/dev/null
"$scratch/consumer/korvasta_consumer" "$scratch/cantilever.tsd"

# The installed program finds its library in the prefix and analyses a
# copy of an example to the example's results, byte for byte.
libraries=$(ldd "$prefix/bin/Orvandel")
grep -q "libkorvasta.so.0 => $prefix/" <<<"$libraries" || fail "libkorvasta is not the installed one"
mkdir "$scratch/work"
cp examples/portal.tsd "$scratch/work/"
"$prefix/bin/Orvandel" --analyze "$scratch/work/portal.tsd" >"$scratch/printed"
cmp "$scratch/work/portal.mqn" examples/portal.mqn
cmp "$scratch/work/portal.uva" examples/portal.uva
cmp "$scratch/printed" examples/portal.mqn

# The window of the installed program, on its own X server, with a fresh
# home: its caption names the project.
chmod -R a-w "$prefix"
touch "$scratch/before-start"
mkdir "$scratch/home"
# Starts the installed program with the given arguments and waits until
# its caption reads $expected (the caption may change after the window
# appears, when a project is opened); prints the last caption seen.
caption_of_start() {
    env -u XDG_CONFIG_HOME -u XDG_DOCUMENTS_DIR HOME="$scratch/home" QT_QPA_PLATFORM=xcb \
        expected="$expected" xvfb-run --auto-servernum sh -c '
            "$0" "$@" 2>/dev/null &
            window=$(timeout 60 xdotool search --sync --onlyvisible --name "^Orvandel" | head -n 1)
            for attempt in $(seq 50); do
                caption=$(xdotool getwindowname "$window")
                [ "$caption" = "$expected" ] && break
                sleep 0.2
            done
            echo "$caption"
            kill $!' "$prefix/bin/Orvandel" "$@"
}
expected="Orvandel - $scratch/home/Documents/noname.tsd"
caption=$(caption_of_start)
[[ $caption == "$expected" ]] || fail "an unsaved project is not named in the documents folder: $caption"
[[ -d "$scratch/home/Documents" ]] || fail "no documents folder"
expected="Orvandel - $scratch/work/portal.tsd"
caption=$(caption_of_start "$scratch/work/portal.tsd")
[[ $caption == "$expected" ]] || fail "the project given as argument is not the one opened: $caption"
[[ -z $(find "$prefix" -newer "$scratch/before-start") ]] || fail "the program wrote into its installation"
echo "check_install: the installation in a scratch prefix passes"
