# Quorvanel Clips: build, test, run and package.
#   make run    build Quorvanel.exe and run it under Wine
#   make test   unit tests (AddressSanitizer, UBSan), the Windows 7 import check, then the
#               end-to-end tests under Wine and X11
#   make dist   dist/ with Quorvanel.exe and the three data files; dist/linux/ with the X11
#               program, its dialog library, data files, .desktop files and icons
#   make bench  core benchmarks (optimised build)
#   make fuzz   libFuzzer targets of tests/fuzz (clang), FUZZ_SECONDS each (default 10; 0 only
#               replays the seeds); the seeds also run through the checks in `make unit`
#   make bench-e2e  the program against its floor under Wine, core load and save, exe size
#   make linux      build/linux/quorvanel, the program on X11, with its dialog library
#   make run-linux  run it (on $DISPLAY, or a virtual display with a tray and l3afpad)
#   make e2e-linux  the X11 end-to-end tests (Xvfb, openbox, trayer, l3afpad; also in make test)
#   make bench-linux  the X11 program against CopyQ and a plain-Xlib floor
#   make run-wayland  run it on Wayland ($WAYLAND_DISPLAY, or a headless sway with a GTK window)
#   make e2e-wayland  the Wayland end-to-end tests (headless sway as a test user; in make test)
#   make bench-wayland  the program on headless sway against a minimal Wayland client
#   make portal-tests the desktop portals' clients against a fake portal (also in make test)
SHELL := /bin/bash
.SHELLFLAGS := -eo pipefail -c
JOBS ?= 2
ROUNDS ?= 20
NATIVE_DIR := build/native
WINDOWS_DIR := build/windows
EXE := $(WINDOWS_DIR)/Quorvanel.exe
DATA_FILES := data/Lb1.qvl data/svclips.qvl data/prefs.qvl
FUZZ_SECONDS ?= 10

.PHONY: all deps native unit windows imports e2e test run dist bench bench-e2e fuzz format clean linux run-linux bench-linux e2e-linux run-wayland e2e-wayland bench-wayland portal-tests

all: native windows

deps:
	@scripts/deps.sh

# Configure quietly (errors still show); the build prints one line per step; ctest's lines
# for passing tests are left out.
native: deps
	@echo "== native build (sanitizers)"
	@cmake --preset native >/dev/null
	@cmake --build --preset native -j $(JOBS)

unit: native
	@echo "== unit tests"
	@ctest --test-dir $(NATIVE_DIR) --output-on-failure -j $(JOBS) | \
	  grep -v -E '^ +Start +[0-9]+: |^ *[0-9]+/[0-9]+ Test +#[0-9]+: .* +Passed +[0-9.]+ sec$$'

windows: deps
	@echo "== Windows build (MinGW-w64)"
	@cmake --preset windows >/dev/null
	@cmake --build --preset windows -j $(JOBS)

# The executable imports nothing Windows 7 SP1 lacks; newer functions are looked up at run time.
imports: windows
	@scripts/check_imports.sh

linux: deps
	@echo "== X11 build"
	@cmake --preset linux >/dev/null
	@cmake --build --preset linux -j $(JOBS)

run-linux: linux
	@scripts/run-linux.sh

e2e: windows
	@echo "== end-to-end tests (Wine)"
	@tests/e2e/run.sh

e2e-linux: linux
	@echo "== end-to-end tests (X11)"
	@tests/e2e-x11/run.sh

e2e-wayland: linux
	@echo "== end-to-end tests (Wayland)"
	@tests/e2e-wayland/run.sh

run-wayland: linux
	@scripts/run-wayland.sh

bench-wayland: linux
	@nice -n 5 tests/perf/wayland/bench.sh

test: deps
	@$(MAKE) --no-print-directory unit
	@$(MAKE) --no-print-directory imports
	@$(MAKE) --no-print-directory e2e
	@$(MAKE) --no-print-directory e2e-linux
	@$(MAKE) --no-print-directory e2e-wayland
	@$(MAKE) --no-print-directory portal-tests

portal-tests: native
	@echo "== portal tests (fake portal on a private bus)"
	@tests/e2e-wayland/portal.sh

run: windows
	@scripts/run.sh

dist: windows linux
	@mkdir -p dist
	@cp $(EXE) $(DATA_FILES) dist/
	@echo "dist/: $$(cd dist && ls -p | grep -v / | tr '\n' ' ')"
	@scripts/dist-linux.sh

bench: deps
	@echo "== benchmarks (optimised core)"
	@cmake --preset bench >/dev/null
	@cmake --build --preset bench -j $(JOBS) --target core_bench
	@if [[ -x build/bench/core_bench ]]; then build/bench/core_bench; else echo "no benchmarks built"; fi

fuzz: deps
	@echo "== fuzzing ($(FUZZ_SECONDS) s per target)"
	@cmake --preset fuzz >/dev/null
	@cmake --build --preset fuzz -j $(JOBS)
	@tests/fuzz/run.sh $(FUZZ_SECONDS)

# One run of every figure against its floor: start-up, memory, close, pop-up, clipboard
# (Wine), core load and save, and the executable's size.
bench-e2e: windows
	@cmake --preset bench >/dev/null
	@cmake --build --preset bench -j $(JOBS) --target core_bench
	@tests/perf/latency.sh $(ROUNDS)

# The X11 program against CopyQ (installed here, for the comparison only) and a plain-Xlib
# floor: launch to tray, memory at rest, hot key to list, key to text, exact pastes.
bench-linux: linux
	@nice -n 5 tests/perf/linux/bench.sh

format:
	@find $(wildcard src tests bench tools) -name '*.cpp' -o -name '*.h' | xargs -r clang-format -i

clean:
	rm -rf build dist .e2e
