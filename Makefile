# Two entry points: `make run` and `make test`. Both install what is missing first.
# `make install` builds the same way, then installs the program, its menu entry
# and icons and the udev rule (as root; DESTDIR stages it elsewhere);
# `make uninstall` removes them again.
# `make fuzz` runs every fuzz target for FUZZ_SECONDS each (clang build in build-fuzz);
# `make bench` builds and runs the benchmarks in a release build (build-bench).
# `make tsan` runs the suites of the worker threads under ThreadSanitizer (build-tsan).
SHELL := /bin/bash
BUILD_DIR ?= build
BUILD_TYPE ?= RelWithDebInfo
CMAKE_ARGS ?=
JOBS ?= $(shell nproc)
FUZZ_SECONDS ?= 300

.PHONY: run test install uninstall tsan fuzz bench deps configure build clean

deps:
	@bash scripts/install-deps

configure: deps
	@cmake -S . -B $(BUILD_DIR) -G Ninja -DCMAKE_BUILD_TYPE=$(BUILD_TYPE) $(CMAKE_ARGS) >/dev/null

build: configure
	@cmake --build $(BUILD_DIR) -j $(JOBS)

run: build
	$(BUILD_DIR)/shell/vexlink-setwise

test: build
	@cd $(BUILD_DIR) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS) 2>&1 | \
	  awk '/tests passed|tests failed/ {summary=$$0; next} {print} END {if (summary != "") print summary}'; \
	  exit $${PIPESTATUS[0]}

install: build
	@DESTDIR="$(DESTDIR)" cmake --install $(BUILD_DIR)

uninstall: configure
	@DESTDIR="$(DESTDIR)" cmake -P $(BUILD_DIR)/uninstall.cmake

# The suites whose code runs worker threads, under ThreadSanitizer: only their
# test executables are built, and a race outside Qt's own internals
# (tests/tsan.supp) fails the run. Left out: the termination-signal test, whose
# forked child takes its signals through the sanitizer's own handler and never
# ends, and the real-library tests (label real-libraries), whose umockdev
# testbed races inside libudev and GLib, none of it our code.
TSAN_TARGETS := vx_platform_tests vx_platform_qt_tests vx_transport_tests vx_recognition_tests vx_update_tests vx_settings_tests
TSAN_LABELS := ^(platform|platform_qt|transport|recognition|update|settings)$$
TSAN_OPTIONS_RUN := suppressions=$(CURDIR)/tests/tsan.supp halt_on_error=1 exitcode=66 allocator_may_return_null=1
tsan: deps
	@cmake -S . -B build-tsan -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVX_TSAN=ON $(CMAKE_ARGS) >/dev/null
	@cmake --build build-tsan -j $(JOBS) --target $(TSAN_TARGETS)
	@cd build-tsan && QT_QPA_PLATFORM=offscreen TSAN_OPTIONS="$(TSAN_OPTIONS_RUN)" \
	  ctest -L '$(TSAN_LABELS)' -E '^TerminationSignals\.' --output-on-failure -j $(JOBS) 2>&1 | \
	  awk '/tests passed|tests failed/ {summary=$$0; next} {print} END {if (summary != "") print summary}'; \
	  exit $${PIPESTATUS[0]}

fuzz:
	@JOBS=$(JOBS) bash scripts/run-fuzz $(FUZZ_SECONDS)

# Benchmarks in a release build of their own; never part of `make test`.
bench: deps
	@cmake -S . -B build-bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DVX_BENCH=ON $(CMAKE_ARGS) >/dev/null
	@cmake --build build-bench -j $(JOBS) --target vx_bench vx_bench_hid_sections
	build-bench/bench/vx_bench
	build-bench/bench/vx_bench_hid_sections

clean:
	rm -rf $(BUILD_DIR) build-asan build-tsan build-fuzz build-bench
