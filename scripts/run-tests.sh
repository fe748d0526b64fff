#!/usr/bin/env bash
# Sets up (Debian 12, as root), builds and runs the whole test suite: the
# headless tests, the print tests against a private CUPS server, and the
# real-window tests under Xvfb.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh --tests

bash scripts/test-cups.sh start
trap 'bash scripts/test-cups.sh stop || true' EXIT

ctest --test-dir build -LE display --output-on-failure -j"$(nproc)"
xvfb-run -a -s "-screen 0 1280x1024x24" ctest --test-dir build -L display --output-on-failure
