# Quorvanel Clips: build, test, run and package.
#   make run    build Quorvanel.exe and run it under Wine
#   make test   unit tests (AddressSanitizer, UBSan), the Windows 7 import check, then the
#               end-to-end tests under Wine
#   make dist   dist/ with Quorvanel.exe and the three data files
#   make bench  core benchmarks (optimised build)
#   make fuzz   libFuzzer targets of tests/fuzz (clang), FUZZ_SECONDS each (default 10; 0 only
#               replays the seeds); the seeds also run through the checks in `make unit`
#   make bench-e2e  the program against its floor under Wine, core load and save, exe size
SHELL := /bin/bash
.SHELLFLAGS := -eo pipefail -c
JOBS ?= 2
ROUNDS ?= 20
NATIVE_DIR := build/native
WINDOWS_DIR := build/windows
EXE := $(WINDOWS_DIR)/Quorvanel.exe
DATA_FILES := data/Lb1.qvl data/svclips.qvl data/prefs.qvl
FUZZ_SECONDS ?= 10

.PHONY: all deps native unit windows imports e2e test run dist bench bench-e2e fuzz format clean

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

e2e: windows
	@echo "== end-to-end tests (Wine)"
	@tests/e2e/run.sh

test: deps
	@$(MAKE) --no-print-directory unit
	@$(MAKE) --no-print-directory imports
	@$(MAKE) --no-print-directory e2e

run: windows
	@scripts/run.sh

dist: windows
	@mkdir -p dist
	@cp $(EXE) $(DATA_FILES) dist/
	@echo "dist/: $$(cd dist && ls | tr '\n' ' ')"

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

format:
	@find $(wildcard src tests bench tools) -name '*.cpp' -o -name '*.h' | xargs -r clang-format -i

clean:
	rm -rf build dist .e2e
