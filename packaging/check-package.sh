#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the Debian package from a Release build without tests, unpacks it into a scratch root
# and checks the installed programs there: that they start, find their help file and equity
# table under ../share/tallowby/, write nothing beside themselves, and that the package names
# the libraries and plugins they need, and that lintian finds nothing to report. Also installs
# with `cmake --install` under a prefix other than /usr and runs the same checks there.
#
# Every pipeline here reads its writer's output to the end: a reader that stopped early would
# make the writer die of SIGPIPE under pipefail, at random. Output is read whole into a
# variable or a file first and searched there.
# Usage: packaging/check-package.sh [BUILD_DIR]   (default: build-package beside the sources)
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$top/build-package}
started=$SECONDS

fail() {
    echo "package check FAILED: $*" >&2
    exit 1
}

echo "== Building the package in $build"
cmake -S "$top" -B "$build" -DCMAKE_BUILD_TYPE=Release -DTALLOWBY_SANITIZE=OFF \
    -DTALLOWBY_BUILD_TESTS=OFF -DTALLOWBY_BUILD_BENCH=OFF >/dev/null
cmake --build "$build" --parallel "$(nproc)"
rm -f "$build"/tallowby_*.deb
(cd "$build" && cpack -G DEB >/dev/null)
debs=("$build"/tallowby_*.deb)
deb=${debs[0]}
[[ -f $deb ]] || fail "cpack made no tallowby_*.deb in $build"
echo "made $(basename "$deb")"

scratch=$(realpath "$(mktemp -d)")
trap 'rm -rf "$scratch"' EXIT

echo "== Package fields"
for field in Package Version Section Maintainer Depends; do
    [[ -n $(dpkg-deb --field "$deb" "$field") ]] || fail "no $field field"
done
[[ $(dpkg-deb --field "$deb" Package) == tallowby ]] || fail "package is not named tallowby"
[[ $(dpkg-deb --field "$deb" Section) == games ]] || fail "section is not games"
[[ $(dpkg-deb --field "$deb" Version) == *-* ]] || fail "the version has no Debian revision"
depends=$(dpkg-deb --field "$deb" Depends)
echo "Depends: $depends"
# The names only, one per line, alternatives split.
dpkg-deb --field "$deb" Depends | tr ',|' '\n\n' | sed 's/(.*)//; s/[[:space:]]//g' |
    sed '/^$/d' | sort -u >"$scratch/depends"
for needed in libc6 libstdc++6 libqt6core6 libqt6gui6 libqt6widgets6 libqt6sql6 \
    libqt6sql6-sqlite libqt6printsupport6 libqt6charts6 libchm1; do
    grep -qx "$needed" "$scratch/depends" || fail "Depends lacks $needed"
done
while read -r package; do
    status=$(dpkg-query -W -f='${Status}' "$package" 2>/dev/null) || status=""
    [[ $status == "install ok installed" ]] ||
        fail "Depends names $package, which is not an installed package here"
done <"$scratch/depends"

echo "== Unpacking into a scratch root"
root=$scratch/root
dpkg -x "$deb" "$root"
expected=(
    usr/games/tallowby
    usr/games/tallowby-odds
    usr/games/tallowby-import
    usr/games/tallowby-help
    usr/share/tallowby/tallowbyhelp.chm
    usr/share/tallowby/preflop-equity.txt
    usr/share/tallowby/Starter.mdb
    usr/share/applications/org.tallowby.Tallowby.desktop
    usr/share/metainfo/org.tallowby.Tallowby.metainfo.xml
    usr/share/icons/hicolor/scalable/apps/org.tallowby.Tallowby.svg
    usr/share/man/man6/tallowby.6.gz
    usr/share/man/man6/tallowby-odds.6.gz
    usr/share/man/man6/tallowby-import.6.gz
    usr/share/man/man6/tallowby-help.6.gz
    usr/share/doc/tallowby/copyright
    usr/share/doc/tallowby/changelog.Debian.gz
)
for size in 16 32 48 64 128 256; do
    expected+=("usr/share/icons/hicolor/${size}x${size}/apps/org.tallowby.Tallowby.png")
done
for path in "${expected[@]}"; do
    [[ -s $root/$path ]] || fail "the package holds no $path"
done
# The package that installed a file, which dpkg may have recorded under /lib or /usr/lib, as
# the link or as the file it points to.
owner_of() {
    local path form owner
    for path in "$1" "$(readlink -f "$1")"; do
        for form in "$path" "${path#/usr}" "/usr$path"; do
            owner=$(dpkg -S "$form" 2>/dev/null) || owner=""
            owner=${owner%%$'\n'*}
            owner=${owner%%:*}
            [[ -n $owner ]] && { echo "$owner"; return 0; }
        done
    done
    return 0
}
# Every library the programs link directly comes from a package that Depends names.
ldconfig -p >"$scratch/libraries"
for program in tallowby tallowby-odds tallowby-import tallowby-help; do
    while read -r library; do
        file=$(awk -v lib="$library" '$1 == lib && /x86-64|x86_64/ && !found { print $NF; found = 1 }' \
            "$scratch/libraries")
        [[ -n $file ]] || fail "$program needs $library, which is not installed here"
        owner=$(owner_of "$file")
        [[ -n $owner ]] || fail "no package installed $file, which $program needs"
        grep -qx "$owner" "$scratch/depends" ||
            fail "$program needs $library from $owner, which Depends does not name"
    done < <(readelf -d "$root/usr/games/$program" | sed -n 's/.*(NEEDED).*\[\(.*\)\]/\1/p')
done
launcher=$root/usr/share/applications/org.tallowby.Tallowby.desktop
desktop-file-validate "$launcher" || fail "the installed launcher does not validate"
grep -qx 'Exec=/usr/games/tallowby' "$launcher" || fail "the launcher does not start /usr/games/tallowby"
grep -qx 'StartupWMClass=Tallowby' "$launcher" || fail "the launcher names another window class"
appstreamcli validate --no-net "$root/usr/share/metainfo/org.tallowby.Tallowby.metainfo.xml" \
    >"$scratch/appstream.log" || { cat "$scratch/appstream.log"; fail "the metainfo does not validate"; }
for page in tallowby tallowby-odds tallowby-import tallowby-help; do
    zcat "$root/usr/share/man/man6/$page.6.gz" >"$scratch/$page.6"
    grep -q '^\.SH EXIT STATUS' "$scratch/$page.6" || fail "the manual page of $page has no EXIT STATUS section"
done

echo "== lintian"
# Every error and warning fails the check, unless the package overrides it with its reason.
status=0
lintian --fail-on error,warning --display-info "$deb" >"$scratch/lintian.log" 2>&1 || status=$?
cat "$scratch/lintian.log"
((status == 0)) || fail "lintian reported errors or warnings (status $status)"
echo "lintian: no error and no warning"

# Runs the installed programs of one prefix: the odds tool with its table, and the desktop
# program under the offscreen platform, with a home folder of its own.
check_prefix() {
    local prefix=$1 name=$2
    echo "== Running the programs installed in $name"
    find "$prefix" -printf '%P %s %T@\n' | sort >"$scratch/before"

    local odds
    odds=$("$prefix/games/tallowby-odds" --players 2 --equity As Ad 2>"$scratch/odds.err") ||
        fail "tallowby-odds failed in $name"
    [[ ! -s $scratch/odds.err ]] || { cat "$scratch/odds.err"; fail "tallowby-odds complained in $name"; }
    [[ $odds == *'"method": "table"'* && $odds == *'"equity": 85.2,'* ]] ||
        fail "tallowby-odds did not read its equity table in $name: $odds"
    echo "tallowby-odds: pocket aces heads-up, equity 85.2 from the table"

    # One hand imported into a history file the importer makes, outside the prefix.
    local hands=$scratch/hands-$name.txt history=$scratch/history-$name.mdb imported
    printf '%s\n' "PokerStars Hand #1: Hold'em No Limit (\$0.01/\$0.02 USD) - 2024/03/05 21:14:09 ET" \
        '*** HOLE CARDS ***' 'Dealt to ann [Ah Kd]' 'ann collected $0.03 from pot' \
        '*** SUMMARY ***' 'Total pot $0.03 | Rake $0' >"$hands"
    imported=$("$prefix/games/tallowby-import" "$history" "$hands") ||
        fail "tallowby-import failed in $name: $imported"
    [[ $imported == *'"imported": 1,'* ]] || fail "tallowby-import imported nothing in $name: $imported"
    echo "tallowby-import: one hand into a new history file"

    local home=$scratch/home-$name
    mkdir -p "$home" "$scratch/runtime-$name"
    chmod 700 "$scratch/runtime-$name"
    local status=0
    env -u XDG_DATA_HOME -u XDG_CONFIG_HOME HOME="$home" XDG_RUNTIME_DIR="$scratch/runtime-$name" \
        QT_QPA_PLATFORM=offscreen TALLOWBY_CHECK_INSTALL=1 \
        timeout 60 "$prefix/games/tallowby" >"$scratch/check.out" 2>"$scratch/check.err" || status=$?
    cat "$scratch/check.out"
    if ((status != 0)) || ! grep -qx 'install check: passed' "$scratch/check.out"; then
        cat "$scratch/check.err" >&2
        fail "the installed tallowby did not pass its install check in $name (status $status)"
    fi
    grep -qF "help file: $prefix/share/tallowby/tallowbyhelp.chm opens" "$scratch/check.out" ||
        fail "tallowby did not take its help file from $prefix/share/tallowby"
    grep -qxF "history databases: $home/.local/share/tallowby/Data/" "$scratch/check.out" ||
        fail "tallowby does not keep its history databases in the user's data folder"

    # Left alone, it keeps running until stopped.
    status=0
    env -u XDG_DATA_HOME HOME="$home" XDG_RUNTIME_DIR="$scratch/runtime-$name" \
        QT_QPA_PLATFORM=offscreen timeout 4 "$prefix/games/tallowby" >/dev/null 2>"$scratch/run.err" ||
        status=$?
    ((status == 124)) || { cat "$scratch/run.err" >&2; fail "tallowby ended on its own with status $status in $name"; }
    echo "tallowby: still running after 4 s"

    find "$prefix" -printf '%P %s %T@\n' | sort >"$scratch/after"
    diff "$scratch/before" "$scratch/after" || fail "running the programs changed files in $name"
    [[ ! -e $home/.local/share/tallowby ]] || fail "tallowby made its user folders at start"
}

check_prefix "$root/usr" package

cmake --install "$build" --prefix "$scratch/opt/tallowby" >/dev/null
grep -qx "Exec=$scratch/opt/tallowby/games/tallowby" \
    "$scratch/opt/tallowby/share/applications/org.tallowby.Tallowby.desktop" ||
    fail "the launcher of the other prefix does not start its own program"
check_prefix "$scratch/opt/tallowby" prefix

echo "package check passed in $((SECONDS - started)) s: $(basename "$deb")"
