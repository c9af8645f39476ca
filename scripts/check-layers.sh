#!/usr/bin/env bash
# Logic folders hold no windows: their files include neither Qt Widgets nor
# the headers of ui/, app/ or any widgets/ folder. Prints each offending line
# and fails when there is one.
set -euo pipefail
cd "$(dirname "$0")/.."

logic_files() {
  for dir in src/config src/device src/boxsim src/acquisition src/display src/status src/teachin \
             src/recorder src/signalview src/eventlog; do
    [[ -d $dir ]] && find "$dir" -maxdepth 1 -type f \( -name '*.h' -o -name '*.cpp' \)
  done
  return 0
}

widgets='Q(Widget|Dialog|MessageBox|PushButton|Label|Application|MainWindow|Menu|ComboBox|LineEdit|SpinBox|CheckBox|GroupBox|FileDialog|Layout|HBoxLayout|VBoxLayout|GridLayout|AbstractButton|Frame|ScrollArea|StyleOption|ToolTip|PrintDialog)'
pattern="#include[[:space:]]*[<\"]((QtWidgets/.*)|(${widgets})|(ui/.*)|(app/.*)|(.*/widgets/.*))[>\"]"

found=$(logic_files | xargs -r grep -nE "$pattern" || true)
if [[ -n "$found" ]]; then
  echo "Logic that includes windows (move it to a widgets/ folder or ui/):"
  echo "$found"
  exit 1
fi
echo "layers: logic folders include no windows"
