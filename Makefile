# The two commands of the README: `make run` and `make test`. Both install what is
# missing first, so they work on a fresh Debian 12 machine.
PRESET ?= dev
BUILD_DIR := build

.PHONY: build deps run test demo assets asan fuzz bench clean

build: deps
	cmake --preset $(PRESET) >/dev/null
	cmake --build --preset $(PRESET)

deps:
	@scripts/install-deps

run: build
	@if [ -n "$$DISPLAY" ] || [ -n "$$WAYLAND_DISPLAY" ]; then \
		$(BUILD_DIR)/bin/quivelo; \
	else \
		echo "No display is available (DISPLAY and WAYLAND_DISPLAY are unset), so the window cannot open."; \
		echo "Running the headless demo instead: make demo"; \
		$(MAKE) --no-print-directory demo; \
	fi

test: build
	ctest --preset $(PRESET)

demo: build
	@scripts/demo $(BUILD_DIR)/bin

assets:
	@scripts/install-deps --assets
	assets/make-assets

asan: deps
	cmake --preset asan >/dev/null
	cmake --build --preset asan
	ctest --preset asan

# Each fuzz target for FUZZ_SECONDS (default 60); fails on any finding.
fuzz:
	@scripts/fuzz

# Every performance figure beside its target, from the optimised build.
bench:
	@scripts/install-deps --bench
	cmake --preset release >/dev/null
	cmake --build --preset release
	@scripts/bench build-release/bin

clean:
	rm -rf build build-asan build-release build-fuzz
