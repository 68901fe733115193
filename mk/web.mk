# The browser face: `make web` builds the core as WebAssembly with the page into
# build/web/site, `make run-web` serves it on 127.0.0.1, and the test step drives
# it in headless Chromium and Firefox ESR (puppeteer-core, pinned in
# tests/web/package-lock.json). The page's editor component and its bundler are
# pinned in src/web/package-lock.json.

WEB_PACKAGES := emscripten chromium firefox-esr nodejs npm cmake make libboost-dev libgtest-dev
WEB_SITE := build/web/site
WEB_TESTS := tests/web
WEB_PORT ?= 8080
# Emscripten's optimizer finds Debian's acorn there.
WEB_ENV := NODE_PATH=/usr/share/nodejs
WEB_TEST_SECONDS ?= 600

.PHONY: web-deps web run-web web-check web-screenshot

# nodejs and npm may come from elsewhere than Debian: only what is missing is installed.
web-deps:
	@pkgs="$(filter-out nodejs npm,$(WEB_PACKAGES))"; \
	command -v node >/dev/null 2>&1 || pkgs="$$pkgs nodejs"; \
	command -v npm >/dev/null 2>&1 || pkgs="$$pkgs npm"; \
	$(call APT_INSTALL_MISSING,$$pkgs)
	cd src/web && npm ci --no-audit --no-fund --ignore-scripts --loglevel=error
	cd $(WEB_TESTS) && npm ci --no-audit --no-fund --ignore-scripts --loglevel=error

web: web-deps
	$(WEB_ENV) cmake --preset web
	$(WEB_ENV) cmake --build --preset web -j 2
	@echo "== $(WEB_SITE)"

run-web: web
	node src/web/serve.mjs $(WEB_SITE) $(WEB_PORT)

# The search engine's tests as WebAssembly under Node (the SIMD128 kernel
# among them), then the page's suite, which compares the page's search with
# the native command line's.
web-check: web
	ctest --test-dir build/web --output-on-failure
	@[ -x $(CLI) ] || $(MAKE) --no-print-directory build
	cd $(WEB_TESTS) && PLINVARO_CLI=$(CURDIR)/$(CLI) PLINVARO_WEB_SITE=$(CURDIR)/$(WEB_SITE) \
	  timeout $(WEB_TEST_SECONDS) node --test --test-concurrency=1

# The README's picture of the page, taken by the writer's run.
web-screenshot: web
	cd $(WEB_TESTS) && PLINVARO_CLI=$(CURDIR)/$(CLI) PLINVARO_WEB_SITE=$(CURDIR)/$(WEB_SITE) \
	  PLINVARO_WEB_SCREENSHOT=$(CURDIR)/docs/web-screenshot.png \
	  timeout $(WEB_TEST_SECONDS) node --test --test-name-pattern='preview mode' face.test.mjs

# The page's figures beside the native ones, on the benchmark corpus that
# plinvaro-bench makes (in the system's temporary folder) when it is missing.
WEB_BENCH_CORPUS ?= $(or $(TMPDIR),/tmp)/plinvaro-bench-corpus-250mb
.PHONY: web-bench
web-bench: web build
	@[ -f $(WEB_BENCH_CORPUS)/complete ] || PLINVARO_BENCH_ROUNDS=1 $(BUILD_DIR)/bench/plinvaro-bench --table-only
	cd $(WEB_TESTS) && node bench.mjs $(CURDIR)/$(WEB_SITE) $(WEB_BENCH_CORPUS) $(CURDIR)/$(CLI)
