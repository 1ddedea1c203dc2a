#!/usr/bin/env bash
# Starts the real program under Xvfb, types one calculation into every calculator with xdotool, and saves
# a screenshot of the main window as docs/main-window.png.
set -euo pipefail
cd "$(dirname "$0")/.."
need=()
for p in xvfb xauth xdotool imagemagick; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "ok installed" || need+=("$p")
done
if [ ${#need[@]} -gt 0 ]; then
    sudo_cmd=()
    [ "$(id -u)" -ne 0 ] && sudo_cmd=(sudo)
    "${sudo_cmd[@]}" apt-get update -qq
    DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq "${need[@]}"
fi
bash scripts/install-deps.sh --run
cmake -S . -B build -G Ninja >/dev/null
cmake --build build --target flowcalc >/dev/null

display=:$((90 + RANDOM % 9))
Xvfb "$display" -screen 0 1280x1024x24 -dpi 96 >/dev/null 2>&1 &
xvfb=$!
trap 'kill $program $xvfb 2>/dev/null || true' EXIT
export DISPLAY=$display
sleep 1
./build/flowcalc >/dev/null 2>&1 &
program=$!
window=$(xdotool search --sync --name "^Compressible Flow Calculator$" | head -n 1)
sleep 1
eval "$(xdotool getwindowgeometry --shell "$window")"

# Twips to pixels at 96 DPI; a strip's client area starts below the menu bar and its own title bar.
px() { echo $(( ($1 * 96 + 720) / 1440 )); }
MENU=19 TITLE=25 BORDER=4
# click STRIP_TOP FRAME_LEFT FRAME_TOP LEFT TOP WIDTH HEIGHT [option]: clicks a control given in twips.
click() {
    local x=$((X + BORDER + $(px $(($2 + $4)))))
    local y=$((Y + MENU + $(px "$1") + TITLE + $(px $(($3 + $5))) + $(px "$7") / 2))
    if [ "${8:-}" = option ]; then x=$((x + 7)); else x=$((x + $(px "$6") / 2)); fi
    xdotool mousemove "$x" "$y" click 1
    sleep 0.2
}
typein() { xdotool key ctrl+a type --delay 30 "$1"; sleep 0.1; }
press() { xdotool key Return; sleep 0.3; }

# Isentropic flow: M = 2.
click 1400 1200 0 120 240 615 195 option; click 1400 1200 0 120 480 615 285; typein 2; press
# Heat addition: To/To* = 0.8.
click 2800 1200 0 1440 240 855 255 option; click 2800 1200 0 1440 480 735 285; typein 0.8; press
# Friction: 4fL*/D = 0.5.
click 4200 1200 0 1320 240 880 255 option; click 4200 1200 0 1440 480 615 285; typein 0.5; press
# Normal shock: M1 = 2.
click 5600 1200 0 120 240 615 255 option; click 5600 1200 0 120 480 615 285; typein 2; press
# Oblique shock: the weak wave angle for M1 = 2, Teta = 10.
click 7000 1200 0 1320 240 375 255 option
click 7000 1200 0 120 480 495 285; typein 2
click 7000 1200 0 720 480 495 285; typein 10; press
# Expansion wave: M2 for M1 = 2, Teta = 10.
click 8400 1200 0 1560 240 615 255 option
click 8400 1200 0 120 480 615 285; typein 2
click 8400 1200 0 840 480 615 285; typein 10; press

mkdir -p docs
xdotool mousemove 0 1000
sleep 0.5
import -window root -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" docs/main-window.png
echo "saved docs/main-window.png"
