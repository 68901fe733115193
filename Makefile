# Thin wrapper: install what is missing, configure with a preset, build, run or test.

PRESET ?= dev
BUILD_DIR := build/$(PRESET)
JOBS ?= $(shell nproc 2>/dev/null || echo 2)
SUDO := $(shell [ "$$(id -u)" = 0 ] || echo sudo)

# Debian packages the build and the tests need.
APT_PACKAGES := cmake make g++ pkg-config libboost-dev libgtest-dev libgmock-dev \
                libbenchmark-dev

# Installs those of the Debian packages $(1) that are not installed yet.
APT_GET := $(SUDO) apt-get -o DPkg::Lock::Timeout=900
APT_INSTALL_MISSING = missing=""; \
	for p in $(1); do \
	  dpkg-query -W -f='$${Status}' $$p 2>/dev/null | grep -q 'ok installed' || missing="$$missing $$p"; \
	done; \
	if [ -n "$$missing" ]; then \
	  echo "Installing:$$missing"; \
	  $(APT_GET) update && \
	  DEBIAN_FRONTEND=noninteractive $(APT_GET) install -y --no-install-recommends $$missing; \
	fi

# Each mk/*.mk adds its packages to APT_PACKAGES and defines the make targets
# of its part of the tests.
.DEFAULT_GOAL := all
-include $(sort $(wildcard mk/*.mk))

# The steps of `make test`, in the order they run (docs/TESTING.md's order): the
# native suite, the sanitizers, the fuzzers, the .deb check, Windows under Wine,
# the browser page in headless Chromium.
TEST_STEPS := check sanitize fuzz package-check windows-check web-check

DEMO_DIR ?= samples
DEMO_PATTERN ?= she walked down the old road

.PHONY: all deps configure build run check test bench clean

all: build

deps:
	@$(call APT_INSTALL_MISSING,$(APT_PACKAGES))

configure: deps
	cmake --preset $(PRESET)

build: configure
	cmake --build --preset $(PRESET) -j $(JOBS)

CLI := $(BUILD_DIR)/src/cli/plinvaro-cli

run: build
	@if [ -n "$$DISPLAY$$WAYLAND_DISPLAY" ] && [ -x $(BUILD_DIR)/src/qt/plinvaro ]; then \
	  echo "== $(BUILD_DIR)/src/qt/plinvaro --dir $(DEMO_DIR) $(DEMO_DIR)/harbour.txt"; \
	  $(BUILD_DIR)/src/qt/plinvaro --dir $(DEMO_DIR) $(DEMO_DIR)/harbour.txt; \
	else \
	  echo "== no display (DISPLAY and WAYLAND_DISPLAY unset) or no window program built: running the headless demo"; \
	  echo "== plinvaro-cli search $(DEMO_DIR) \"$(DEMO_PATTERN)\""; \
	  $(CLI) search --stats $(DEMO_DIR) "$(DEMO_PATTERN)" && \
	  echo "== plinvaro-cli compose: $(DEMO_DIR)/harbour.txt wandering through $(DEMO_DIR)" && \
	  $(CLI) compose --base $(DEMO_DIR)/harbour.txt --dir $(DEMO_DIR) --words 150 --seed 7 && \
	  echo; \
	fi

# The native suite alone, for the edit-build-test loop: configures only the first time.
check:
	@[ -f $(BUILD_DIR)/CMakeCache.txt ] || $(MAKE) --no-print-directory configure
	cmake --build --preset $(PRESET) -j $(JOBS)
	ctest --preset $(PRESET) -j $(JOBS)

test: build
	@for step in $(TEST_STEPS); do $(MAKE) --no-print-directory $$step || exit 1; done

bench: build
	$(BUILD_DIR)/bench/plinvaro-bench

clean:
	rm -rf build
