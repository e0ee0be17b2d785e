#!/usr/bin/env bash
# Measures the program as a user meets it, under Xvfb: the time from launch to the visible main
# window, then, with eight device windows open and idle, the processor share and resident memory.
# Needs xvfb, xdotool and x11-utils. Usage: bench/gui_idle.sh [path/to/korvaneawg] [seconds]
set -euo pipefail
if [ -z "${KORVANE_IN_XVFB:-}" ]; then
    exec xvfb-run -a -s "-screen 0 1280x900x24" env KORVANE_IN_XVFB=1 "$0" "$@"
fi
program=$(realpath "${1:-build/bin/korvaneawg}")
seconds=${2:-30}
work=$(mktemp -d)
pid=
trap 'kill $pid 2>/dev/null || true; rm -rf "$work"' EXIT
cp -r "$(dirname "$program")"/. "$work/"   # a private copy: config.ini and Default.set stay out of the build
rm -f "$work/config.ini" "$work/Default.set"

viewable() { xwininfo -name KorvaneAWG 2>/dev/null | grep IsViewable >/dev/null; }

# 1. Start-up to the visible main window (one simulated generator, so no dialog asks anything).
start=$(date +%s.%N)
KVDDS_SIMULATED_DEVICES=1 "$work/korvaneawg" >/dev/null 2>&1 &
pid=$!
until viewable; do sleep 0.005; done
end=$(date +%s.%N)
printf 'start-up to visible main window: %.0f ms\n' "$(echo "($end - $start) * 1000" | bc -l)"
kill "$pid"; wait "$pid" 2>/dev/null || true
rm -f "$work/config.ini" "$work/Default.set"

# 2. Eight device windows (eight generators: each new window takes the first free one).
KVDDS_SIMULATED_DEVICES=8 "$work/korvaneawg" >/dev/null 2>&1 &
pid=$!
for i in $(seq 8); do
    sleep 1.5
    xdotool search --onlyvisible --name "Device List" windowfocus --sync 2>/dev/null || true
    xdotool key Return  # OK in the Device List: the first free generator
    [ "$i" -lt 8 ] || break
    sleep 1.5
    xdotool search --onlyvisible --name KorvaneAWG windowfocus --sync 2>/dev/null || true
    xdotool key ctrl+n  # File > New
done
sleep 8  # the splash closes after 6 s; let everything settle
# The measured state: the main window active, so the focused entry field's cursor blinks as a
# user sees it.
xdotool search --onlyvisible --name KorvaneAWG windowfocus --sync 2>/dev/null || true
sleep 1

ticks=$(getconf CLK_TCK)
cpu() { awk '{print $14 + $15}' "/proc/$pid/stat"; }
# Nanoseconds each thread has run: "tid runtime", the GUI thread's tid being the process id.
threads() { for task in /proc/"$pid"/task/*; do echo "${task##*/} $(cut -d' ' -f1 "$task/schedstat")"; done; }
threads >"$work/threads.before"
before=$(cpu)
sleep "$seconds"
after=$(cpu)
threads >"$work/threads.after"
rss=$(awk '/VmRSS/ {print $2}' "/proc/$pid/status")
import -window root "${KORVANE_SHOT:-/dev/null}" 2>/dev/null || true
printf 'eight windows idle for %ss: %.2f %% of one core, %.1f MB resident\n' "$seconds" \
    "$(echo "($after - $before) * 100 / $ticks / $seconds" | bc -l)" "$(echo "$rss / 1024" | bc -l)"
join <(sort "$work/threads.before") <(sort "$work/threads.after") |
    awk -v gui="$pid" -v s="$seconds" '{ share = ($3 - $2) / 1e7 / s; if ($1 == gui) g += share; else w += share }
        END { printf "  GUI thread %.2f %%, other threads (device workers) %.2f %%\n", g, w }'
printf '  load average over the last minute: %s\n' "$(cut -d' ' -f1 /proc/loadavg)"
# Each device window runs one worker thread named after the program.
workers=$(grep -lx korvaneawg /proc/"$pid"/task/*/comm | grep -vc "/task/$pid/")
[ "$workers" -eq 8 ] || echo "  warning: $workers device windows open, not 8: the figures above do not count" >&2
