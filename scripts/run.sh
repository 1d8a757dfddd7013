#!/usr/bin/env bash
# Sets up and builds, then starts the application on the bundled example measurement.
# Without a display it says so and shows how to run it under a virtual one.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh

example="$PWD/examples/two-trap.DIS0"
app="$PWD/build/default/app/kest"
batch="$PWD/build/default/cli/kest-batch"

if [ -x "$app" ]; then
  if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    echo "No display is available. Start the application under a virtual display with:"
    echo "  xvfb-run -a $app $example"
    echo "Meanwhile, the batch tool analyses the example:"
  else
    exec "$app" "$example"
  fi
fi

out="$PWD/build/example-output"
mkdir -p "$out"
echo "$ kest-batch run $example --out-dir $out"
"$batch" run "$example" --out-dir "$out"
ls -l "$out"
