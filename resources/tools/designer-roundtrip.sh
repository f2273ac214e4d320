#!/usr/bin/env bash
# Opens each interface layout in Qt Designer (on a virtual display), saves it from Designer and
# compares the saved file with the original: a form Designer reads and writes back unchanged
# loses nothing when it is edited there. Usage: designer-roundtrip.sh [FORM.ui...]
# (default: every form in resources/layouts). Needs designer (qt6-tools-dev-tools), xvfb-run
# and xdotool.
set -uo pipefail
cd "$(dirname "$0")/../.."
designer=$(command -v designer || echo /usr/lib/qt6/bin/designer)
forms=("$@")
[ ${#forms[@]} -gt 0 ] || forms=(resources/layouts/*.ui)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Runs inside the virtual display: open, wait for the main window, Ctrl+S, quit.
cat > "$work/save.sh" <<'INNER'
#!/usr/bin/env bash
"$1" "$2" > "$3" 2>&1 &
pid=$!
window=""
for _ in $(seq 1 60); do
  window=$(xdotool search --onlyvisible --pid "$pid" --name "Qt Designer" 2>/dev/null | tail -1)
  [ -n "$window" ] && break
  sleep 0.5
done
sleep 2
xdotool windowfocus --sync "$window" && xdotool key --clearmodifiers ctrl+s
sleep 2
kill "$pid"
wait "$pid" 2>/dev/null
INNER
chmod +x "$work/save.sh"

failures=0
for form in "${forms[@]}"; do
  copy="$work/$(basename "$form")"
  cp "$form" "$copy"
  touch -d '2000-01-01' "$copy"
  xvfb-run -a -s "-screen 0 1280x1024x24" "$work/save.sh" "$designer" "$copy" "$work/log" >/dev/null 2>&1
  messages=$(grep -v -e XDG_RUNTIME_DIR -e '^$' "$work/log")
  if [ "$(stat -c %Y "$copy")" = "$(date -d '2000-01-01' +%s)" ]; then
    echo "$form: Designer did not save it"; failures=$((failures + 1))
  elif ! diff -u "$form" "$copy"; then
    echo "$form: changed by Designer"; failures=$((failures + 1))
  elif [ -n "$messages" ]; then
    echo "$form: Designer said:"; echo "$messages"; failures=$((failures + 1))
  else
    echo "$form: unchanged"
  fi
done
exit $((failures > 0))
