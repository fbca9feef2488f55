# Sourced by the bench's Wine scripts, in a prefix run-in-prefix.sh made: a virtual screen and a
# warmed-up prefix with the wizard driver DRIVER, all ended when the script exits (first the
# program BACKGROUND_PID names, when set).
# Usage: source wine-session.sh DRIVER
support=$(cd "$(dirname "${BASH_SOURCE[0]}")/../../tests/support" && pwd)
source "$support/wine-env.sh"
source "$support/xvfb.sh"

BACKGROUND_PID=
end_wine_session() {
  [ -n "$BACKGROUND_PID" ] && kill "$BACKGROUND_PID" 2>/dev/null
  wineserver -k >/dev/null 2>&1
  stop_xvfb
}
trap end_wine_session EXIT
start_xvfb || exit 1
warm_up_wine "$1"
