#!/bin/sh
# How fast the program shows its main window, and how fast a run starts, best of N launches.
#
#   scripts/measure-startup.sh PROBE WORDLIST [music on|off] [runs per launch] [launches] [RECORD]
#
# PROBE is the build's bench/startup_probe (the program with a stopwatch). Each launch starts it
# in a fresh folder whose Pellora.ini names WORDLIST (an absolute path) and the shipped music,
# with the music on or off. The figures are milliseconds: main_window_shown from launch to the
# main window's first paint; with runs, quiz_window_shown and music_started from the start
# command. Uses the display of the environment, or Qt's offscreen platform when there is none.
# For the music an audio server must be reachable (for example PulseAudio with a null sink).
# RECORD, when given, is a learning record (Pellora.db) copied into the folder before each launch.
# With PROBE_EDITOR=1 in the environment, each launch then opens the editor: editor_window_shown
# from the editor command to the editor's first paint.
set -eu
probe=$(realpath "$1")
list=$(realpath "$2")
music=${3:-off}
runs=${4:-0}
launches=${5:-5}
record=${6:+$(realpath "$6")}
root=$(cd "$(dirname "$0")/.." && pwd)
[ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ] || export QT_QPA_PLATFORM=offscreen
flag=FALSE
[ "$music" = on ] && flag=TRUE

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp "$root/res/default.mid" "$work/"
printf '_PEL_LORA_INI_FILE_\r\nCURRENT_FILE=%s\r\nBGM_FLAG=%s\r\nBGM_FILE=default.mid\r\nTIMELIMIT=0\r\n' \
    "$list" "$flag" >"$work/Pellora.ini"

i=0
while [ "$i" -lt "$launches" ]; do
    if [ -n "$record" ]; then
        rm -f "$work"/Pellora.db*
        cp "$record" "$work/Pellora.db"
    fi
    (cd "$work" && PROBE_RUNS=$runs PROBE_START_NS=$(date +%s%N) "$probe" 2>>"$work/figures" >/dev/null) || true
    i=$((i + 1))
done
# Best (lowest) of each figure; a run's figures are numbered so the first run stands apart.
awk '
    /^main_window_shown / { name = $1; run = 0 }
    /^quiz_window_shown / { run++ }
    $1 ~ /^(main_window_shown|quiz_window_shown|music_started|editor_window_shown)$/ {
        key = ($1 ~ /^(main|editor)_window_shown$/) ? $1 : $1 "#" run
        if ($2 == "none") { if (!(key in best)) best[key] = "none"; next }
        if (!(key in best) || best[key] == "none" || $2 + 0 < best[key] + 0) best[key] = $2
        seen[key] = 1
    }
    END { for (key in best) printf "%-22s %s\n", key, best[key] }
' "$work/figures" | sort
