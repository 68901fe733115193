# Thin wrapper: install what is missing, configure with a preset, build, run or test.

PRESET ?= dev
BUILD_DIR := build/$(PRESET)
JOBS ?= $(shell nproc 2>/dev/null || echo 2)
SUDO := $(shell [ "$$(id -u)" = 0 ] || echo sudo)

# Debian packages the build and the tests need.
APT_PACKAGES := cmake make g++ pkg-config libboost-dev libgtest-dev libgmock-dev \
                libbenchmark-dev

# Each mk/*.mk adds its packages to APT_PACKAGES and its own make targets to
# TEST_STEPS, which `make test` runs after the native test suite.
TEST_STEPS :=
.DEFAULT_GOAL := all
-include $(sort $(wildcard mk/*.mk))

DEMO_DIR ?= samples
DEMO_PATTERN ?= she walked down the old road

.PHONY: all deps configure build run test bench clean

all: build

deps:
	@missing=""; \
	for p in $(APT_PACKAGES); do \
	  dpkg-query -W -f='$${Status}' $$p 2>/dev/null | grep -q 'ok installed' || missing="$$missing $$p"; \
	done; \
	if [ -n "$$missing" ]; then \
	  echo "Installing:$$missing"; \
	  $(SUDO) apt-get update && \
	  DEBIAN_FRONTEND=noninteractive $(SUDO) apt-get install -y --no-install-recommends $$missing; \
	fi

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

test: build
	ctest --preset $(PRESET) -j $(JOBS)
	@for step in $(TEST_STEPS); do $(MAKE) --no-print-directory $$step || exit 1; done

bench: build
	$(BUILD_DIR)/bench/plinvaro-bench

clean:
	rm -rf build
