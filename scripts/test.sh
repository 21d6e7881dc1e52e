#!/usr/bin/env bash
# Everything from a fresh clone to green: set-up, the builds, the native tests, a short run of every fuzz
# target, the Win32 tests under Wine. Fails when any tier fails.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup.sh

step() { printf '\n===== %s =====\n' "$*"; }

step "native: build"
cmake --preset native >/dev/null
cmake --build --preset native
step "native: tests (ASan + UBSan)"
ctest --preset native -j2

step "fuzz: build (clang, libFuzzer, ASan + UBSan)"
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz
step "fuzz: every target for a few seconds on its corpus"
scripts/fuzz.py short --seconds 8
step "tsan: build and tests (the code threads share, ThreadSanitizer)"
cmake --preset tsan >/dev/null
cmake --build --preset tsan
ctest --preset tsan

step "win32: build (the shipped 32-bit programs)"
cmake --preset win32 >/dev/null
cmake --build --preset win32

step "win64: build"
cmake --preset win64 >/dev/null
cmake --build --preset win64
step "win64: tests under Wine"
xvfb-run -a -s '-screen 0 1280x1024x24' ctest --preset win64

step "all tiers passed"
