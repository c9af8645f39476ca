#!/usr/bin/env bash
# The layers of src/ as cmake/Layers.txt declares them, from the bottom up: a
# file includes headers of its own area and of the areas below it, never of
# one above it. Logic folders also include no Qt Widgets header. Prints each
# offending line and fails when there is one.
#
#   scripts/check-layers.sh              checks this tree
#   scripts/check-layers.sh --self-test  checks that a deliberate violation fails
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"

# check ROOT: the tree whose src/ is checked against its cmake/Layers.txt.
check() {
  local root=$1
  local widgets='Q(Widget|Dialog|MessageBox|PushButton|Label|Application|MainWindow|Menu|ComboBox|LineEdit|SpinBox|CheckBox|GroupBox|FileDialog|Layout|HBoxLayout|VBoxLayout|GridLayout|AbstractButton|Frame|ScrollArea|StyleOption|ToolTip|PrintDialog)'
  (cd "$root" && find src -type f \( -name '*.h' -o -name '*.cpp' \) | sort |
    xargs -r grep -nHE '^[[:space:]]*#include[[:space:]]*[<"]' || true) |
    awk -v layers="$root/cmake/Layers.txt" -v widgets="^<((QtWidgets/.*)|(${widgets}))>$" '
      function areaOf(path,   parts, n) {
        n = split(path, parts, "/")
        return (n >= 3 && parts[2] == "widgets") ? parts[1] "/widgets" : parts[1]
      }
      BEGIN {
        n = 0
        while ((getline line < layers) > 0)
          if (line != "" && line !~ /^#/) rank[line] = n++
      }
      {
        # src/<area>/...:<line>:#include "x/y.h"
        file = $0; sub(/:[0-9]+:.*/, "", file)
        own = areaOf(substr(file, 5))
        if (!(own in rank)) {
          if (!(own in told)) print file ": the area \"" own "\" is not declared in cmake/Layers.txt"
          told[own] = 1; failed = 1; next
        }
        header = $0; sub(/^[^#]*#include[[:space:]]*/, "", header); sub(/[[:space:]].*$/, "", header)
        if (header ~ /^"/) {
          gsub(/"/, "", header)
          if (header !~ /\//) next
          target = areaOf(header)
          if ((target in rank) && rank[target] > rank[own]) {
            print $0 "  (" own " includes " target ", which is above it)"; failed = 1
          }
        } else if (own !~ /widgets$/ && own != "ui" && own != "app" && header ~ widgets) {
          print $0 "  (logic includes a window)"; failed = 1
        }
      }
      END { exit failed }'
}

self_test() {
  local tmp
  tmp=$(mktemp -d)
  trap 'rm -rf "$tmp"' RETURN
  mkdir -p "$tmp/cmake" "$tmp/src/config" "$tmp/src/device" "$tmp/src/device/widgets"
  printf 'config\ndevice\ndevice/widgets\n' >"$tmp/cmake/Layers.txt"
  printf '#include "config/Low.h"\n#include <QObject>\n' >"$tmp/src/device/High.h"
  printf '#include "device/High.h"\n#include <QWidget>\n' >"$tmp/src/device/widgets/Window.h"
  printf '#pragma once\n' >"$tmp/src/config/Low.h"
  if ! check "$tmp" >/dev/null; then
    echo "self-test: a tree that keeps its layers fails" >&2
    return 1
  fi
  # Deliberate violations: an area including one above it, a logic folder
  # including a window.
  local case
  for case in '#include "device/High.h"' '#include "device/widgets/Window.h"' '#include <QDialog>'; do
    printf '#pragma once\n%s\n' "$case" >"$tmp/src/config/Low.h"
    if check "$tmp" >/dev/null; then
      echo "self-test: config/Low.h with '$case' passes" >&2
      return 1
    fi
  done
  echo "layers: self-test passed"
}

if [[ ${1:-} == --self-test ]]; then
  self_test
  exit
fi
if ! out=$(check "$here"); then
  echo "Includes against the layers of cmake/Layers.txt (move the code down, or the include up):"
  echo "$out"
  exit 1
fi
echo "layers: every area includes only itself and the areas below it"
