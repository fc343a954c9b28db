#!/bin/bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The program under a real window manager: openbox on a virtual X screen of each given size
# ("1366x768", or "2560x1600@2" for a scale factor of 2). Checks with xprop, xwininfo and xdotool
# that the main window, the card panel and the calculator are kept above other windows, that
# every frame lies on the screen and none covers another, that the panel and the calculator
# belong to the main window, and, where the size is followed by "+keys", that Ctrl+N, Ctrl+G and
# F1 typed into the card panel reach their commands, that the window manager's close (Alt+F4)
# leaves the panel on the screen and that the help window stacks above the main window.
# Exits 77 (skipped) only when no X server can be started.
#
#   tst_windowmanager.sh PROGRAM SIZE[@SCALE][+keys] ...
set -u

program=$1
shift

for tool in Xvfb openbox xprop xwininfo xdotool; do
    if ! command -v "$tool" >/dev/null; then
        echo "SKIP: $tool is not installed, so no X server with a window manager can be started"
        exit 77
    fi
done

work=$(mktemp -d)
pids=()
failures=0

stop_all() {
    # Only the processes this script started, newest first.
    for ((i = ${#pids[@]} - 1; i >= 0; i--)); do
        kill "${pids[i]}" 2>/dev/null
        wait "${pids[i]}" 2>/dev/null
    done
    pids=()
}
trap 'stop_all; rm -rf "$work"' EXIT

fail() {
    echo "FAIL ($screen): $*"
    failures=$((failures + 1))
}

# Polls a command until it succeeds, every 0.1 s for up to $1 seconds.
wait_for() {
    local seconds=$1
    shift
    local tries=$((seconds * 10))
    while ((tries-- > 0)); do
        if "$@" >/dev/null 2>&1; then
            return 0
        fi
        sleep 0.1
    done
    return 1
}

# The managed window of that caption (not a frame or helper window of openbox) of the program
# or of a process it started (the help viewer).
window_named() {
    local clients pid ids=()
    clients=$(xprop -root _NET_CLIENT_LIST | sed 's/.*# *//; s/,//g')
    for pid in "$app" $(pgrep -P "$app"); do
        ids+=($(xdotool search --all --onlyvisible --pid "$pid" --name "^$1\$" 2>/dev/null))
    done
    for id in "${ids[@]}"; do
        for client in $clients; do
            if [ $((client)) = $((id)) ]; then
                echo "$id"
                return
            fi
        done
    done
}

has_window() {
    [ -n "$(window_named "$1")" ]
}

is_mapped() {
    xwininfo -id "$1" 2>/dev/null | grep -q 'Map State: IsViewable'
}

has_frame() {
    xprop -id "$1" _NET_FRAME_EXTENTS 2>/dev/null | grep -q '='
}

is_active() {
    [ "$(xdotool getactivewindow 2>/dev/null)" = "$(($1))" ]
}

# "x y width height" of the window's frame, title bar and border included.
frame_of() {
    local id=$1 x y w h
    x=$(xwininfo -id "$id" | sed -n 's/.*Absolute upper-left X: *//p')
    y=$(xwininfo -id "$id" | sed -n 's/.*Absolute upper-left Y: *//p')
    w=$(xwininfo -id "$id" | sed -n 's/^ *Width: *//p')
    h=$(xwininfo -id "$id" | sed -n 's/^ *Height: *//p')
    read -r left right top bottom < <(xprop -id "$id" _NET_FRAME_EXTENTS | sed 's/.*= *//; s/,//g')
    echo $((x - left)) $((y - top)) $((w + left + right)) $((h + top + bottom))
}

stacking_index() {
    local list
    list=$(xprop -root _NET_CLIENT_LIST_STACKING | sed 's/.*# *//; s/,//g')
    local i=0
    for id in $list; do
        if [ $((id)) = $(($1)) ]; then
            echo $i
            return
        fi
        i=$((i + 1))
    done
    echo -1
}

start_screen() {
    local width=$1 height=$2
    : >"$work/display"
    Xvfb -displayfd 3 -screen 0 "${width}x${height}x24" -nolisten tcp -noreset \
        3>"$work/display" 2>"$work/xvfb.log" &
    pids+=($!)
    if ! wait_for 20 test -s "$work/display"; then
        echo "SKIP: Xvfb could not start a display: $(tail -n 3 "$work/xvfb.log")"
        exit 77
    fi
    export DISPLAY=":$(head -n 1 "$work/display")"
    if ! wait_for 20 xprop -root; then
        echo "SKIP: the X server on $DISPLAY does not answer"
        exit 77
    fi
    mkdir -p "$work/home"
    HOME="$work/home" openbox --sm-disable >"$work/openbox.log" 2>&1 &
    pids+=($!)
    wait_for 20 sh -c 'xprop -root _NET_SUPPORTING_WM_CHECK | grep -q window' ||
        fail "openbox did not start: $(tail -n 3 "$work/openbox.log")"
}

check_screen() {
    screen=$1
    local size=${screen%%[@+]*}
    local scale=1
    [[ $screen == *@* ]] && scale=${screen#*@} && scale=${scale%%+*}
    local width=${size%x*} height=${size#*x}
    echo "== $screen"
    start_screen "$width" "$height"

    mkdir -p "$work/runtime" "$work/data"
    chmod 700 "$work/runtime"
    QT_QPA_PLATFORM=xcb QT_SCALE_FACTOR=$scale XDG_RUNTIME_DIR="$work/runtime" \
        XDG_DATA_HOME="$work/data" ASAN_OPTIONS=detect_leaks=0 \
        "$program" >"$work/program.log" 2>&1 &
    app=$!
    pids+=($app)

    local names=("Hold'em Tallowby 1.0" "Control & Recommendation Panel" "Pot Odds Calculator")
    local ids=()
    for name in "${names[@]}"; do
        if ! wait_for 60 has_window "$name"; then
            fail "the window \"$name\" did not appear: $(tail -n 5 "$work/program.log")"
            stop_all
            return
        fi
        local id
        id=$(window_named "$name")
        wait_for 20 is_mapped "$id" || fail "\"$name\" is not mapped"
        wait_for 20 has_frame "$id" || fail "openbox gave \"$name\" no frame"
        ids+=("$id")
    done
    local main=${ids[0]} panel=${ids[1]} calculator=${ids[2]}

    echo "-- main window $main, card panel $panel, calculator $calculator"
    # Kept above, and owned by the main window: one entry in the task bar.
    for i in 0 1 2; do
        xprop -id "${ids[i]}" _NET_WM_STATE | grep -q _NET_WM_STATE_ABOVE ||
            fail "\"${names[i]}\" is not kept above other windows"
    done
    for i in 1 2; do
        local owner
        owner=$(xprop -id "${ids[i]}" WM_TRANSIENT_FOR | sed -n 's/.*# *//p')
        [ -n "$owner" ] && [ $((owner)) = $((main)) ] ||
            fail "\"${names[i]}\" does not belong to the main window (WM_TRANSIENT_FOR $owner)"
    done

    # Whole frames on the screen, none covering another.
    local frames=()
    for i in 0 1 2; do
        frames+=("$(frame_of "${ids[i]}")")
        read -r x y w h <<<"${frames[i]}"
        if ((x < 0 || y < 0 || x + w > width || y + h > height)); then
            fail "the frame of \"${names[i]}\" ($w x $h at $x,$y) leaves the $size screen"
        fi
    done
    for a in 0 1 2; do
        for b in 0 1 2; do
            ((a < b)) || continue
            read -r ax ay aw ah <<<"${frames[a]}"
            read -r bx by bw bh <<<"${frames[b]}"
            if ((ax < bx + bw && bx < ax + aw && ay < by + bh && by < ay + ah)); then
                fail "\"${names[a]}\" and \"${names[b]}\" cover each other"
            fi
        done
    done

    if [[ $screen == *+keys ]]; then
        check_keys "$main" "$panel"
    fi
    stop_all
}

check_keys() {
    local main=$1 panel=$2
    echo "-- Ctrl+N, Ctrl+G, Alt+F4 and F1 typed into the card panel"
    # Two hole cards typed into the panel, which has the keyboard from the start.
    xdotool windowactivate --sync "$panel" && wait_for 10 is_active "$panel" ||
        fail "the card panel cannot be activated"
    xdotool type --delay 50 "asks"
    # Ctrl+N on the panel: the New Database dialog; with a history file open, New Game asks.
    local before
    before=$(xdotool search --all --onlyvisible --pid "$app" --name . | sort)
    xdotool key --clearmodifiers ctrl+n
    local dialog=""
    new_window() {
        dialog=$(comm -13 <(echo "$before") \
            <(xdotool search --all --onlyvisible --pid "$app" --name . | sort) | head -n 1)
        [ -n "$dialog" ]
    }
    if ! wait_for 30 new_window; then
        fail "Ctrl+N typed into the card panel opened no dialog"
        return
    fi
    echo "-- dialog $dialog: $(xdotool getwindowname "$dialog")"
    wait_for 10 is_active "$dialog"
    local file="$work/games-${screen//[^0-9a-z]/-}.mdb"
    xdotool type --delay 30 "$file"
    xdotool key Return
    wait_for 30 test -s "$file" || fail "no history file made: $(tail -n 3 "$work/program.log")"
    wait_for 20 sh -c "! xwininfo -id $dialog | grep -q IsViewable"

    # Ctrl+G on the panel: New Game asks for the result of the hand.
    xdotool windowactivate --sync "$panel" && wait_for 10 is_active "$panel" ||
        fail "the card panel cannot be activated after the file dialog"
    xdotool key --clearmodifiers ctrl+g
    if wait_for 30 has_window "New Game / Save"; then
        echo "-- New Game / Save is up"
        xdotool key Escape
        wait_for 20 sh -c "! xdotool search --onlyvisible --name '^New Game / Save\$' | grep -q ."
    else
        fail "Ctrl+G typed into the card panel did not reach New Game (active:" \
            "$(xdotool getactivewindow getwindowname 2>/dev/null))"
    fi

    # Alt+F4 on the panel: openbox asks it to close, and it stays.
    xdotool windowactivate --sync "$panel" && wait_for 10 is_active "$panel"
    xdotool key --clearmodifiers alt+F4
    # Activating again goes through openbox after the close, and the F1 after it through the
    # program after the close request: once help is up, the request has been answered.
    xdotool windowactivate --sync "$panel" 2>/dev/null
    wait_for 10 is_active "$panel"
    xdotool key F1
    if ! wait_for 30 has_window "Tallowby Help"; then
        fail "F1 typed into the card panel opened no help: $(tail -n 3 "$work/program.log")"
    fi
    is_mapped "$panel" || fail "Alt+F4 closed the card panel"
    local help
    help=$(window_named "Tallowby Help")
    if [ -n "$help" ]; then
        echo "-- help $help, stacking $(stacking_index "$help") over main $(stacking_index "$main")"
        wait_for 10 is_mapped "$help"
        local above=no
        stacked_above() {
            (($(stacking_index "$help") > $(stacking_index "$main")))
        }
        wait_for 10 stacked_above && above=yes
        [ $above = yes ] || fail "the help window lies below the main window" \
            "($(xprop -root _NET_CLIENT_LIST_STACKING))"
    fi
}

for screen in "$@"; do
    check_screen "$screen"
done
if ((failures > 0)); then
    echo "$failures check(s) failed"
    exit 1
fi
echo "all checks passed"
