# The Windows program: `make windows` cross-builds plinvaro.exe (32-bit, MinGW-w64),
# zips it with its README and builds the installer plinvaro-setup.exe; the test
# step runs the cross-built engine, controller and GUI tests under Wine in a
# virtual X server, then the installer's round trip.

WIN_PRESET := windows
WIN_BUILD_DIR := build/windows
WIN_ZIP := $(WIN_BUILD_DIR)/plinvaro-windows.zip
WIN_SETUP := $(WIN_BUILD_DIR)/plinvaro-setup.exe
WIN_VERSION := $(shell sed -n 's/^ *VERSION \([0-9.]*\)$$/\1/p' CMakeLists.txt | head -n 1)
WIN_SCREENSHOT := docs/windows-screenshot.png
WIN_PREFIX := $(CURDIR)/$(WIN_BUILD_DIR)/wineprefix
WIN_CONSOLE_TESTS := text/plinvaro_text_tests search/plinvaro_search_tests window/plinvaro_window_tests \
                     provenance/plinvaro_provenance_tests panel/plinvaro_panel_tests desktop/plinvaro_desktop_tests
WIN_PACKAGES := g++-mingw-w64-i686 g++-mingw-w64-x86-64 mingw-w64-tools googletest libboost-dev \
                cmake make zip wine wine32:i386 wine64 xvfb xauth xdotool openbox fonts-wine \
                fonts-liberation nsis

# Some hosts run no 32-bit program at all (their kernel takes no i386 system
# calls). There the tests are cross-built for 64-bit Windows and run under
# wine64, and the 32-bit installer's round trip is left out. Asked when a recipe
# runs, after windows-deps has installed Wine.
WIN_I386 = $(shell /usr/lib/wine/wine --version >/dev/null 2>&1 && echo yes)
WIN_TEST_PRESET = $(if $(WIN_I386),$(WIN_PRESET),windows64)
WIN_TEST_DIR = build/$(WIN_TEST_PRESET)
WIN_WINE = $(if $(WIN_I386),wine,/usr/lib/wine/wine64)
WIN_ENV = WINEPREFIX=$(WIN_PREFIX) WINEARCH=$(if $(WIN_I386),win32,win64) WINEDEBUG=fixme-all \
          WINEDLLOVERRIDES="mscoree,mshtml,winemenubuilder.exe=" LANG=en_US.UTF-8

# Seconds the GUI suite may take, its 20 MB word included, before it counts as hung.
WIN_GUI_TIMEOUT := 900

.PHONY: windows-deps windows windows-check windows-screenshot windows-bench

# wine32 is an i386 package: the architecture comes first, then a fresh index.
windows-deps:
	@if ! dpkg --print-foreign-architectures | grep -qx i386; then \
	  $(SUDO) dpkg --add-architecture i386 && $(SUDO) apt-get -o DPkg::Lock::Timeout=900 update; \
	fi
	@$(call APT_INSTALL_MISSING,$(WIN_PACKAGES))

windows: windows-deps
	cmake --preset $(WIN_PRESET)
	cmake --build --preset $(WIN_PRESET) -j 2 --target plinvaro
	@rm -rf $(WIN_BUILD_DIR)/zip && mkdir -p $(WIN_BUILD_DIR)/zip
	cp $(WIN_BUILD_DIR)/src/win32/plinvaro.exe $(WIN_BUILD_DIR)/zip/
	sed 's/$$/\r/' resources/windows/README.txt > $(WIN_BUILD_DIR)/zip/README.txt
	rm -f $(WIN_ZIP) && cd $(WIN_BUILD_DIR)/zip && zip -q -X ../plinvaro-windows.zip plinvaro.exe README.txt
	makensis -V2 -DEXE=$(CURDIR)/$(WIN_BUILD_DIR)/zip/plinvaro.exe \
	  -DREADME=$(CURDIR)/$(WIN_BUILD_DIR)/zip/README.txt -DVERSION=$(WIN_VERSION) \
	  -DOUTFILE=$(CURDIR)/$(WIN_SETUP) resources/windows/installer.nsi
	@file $(WIN_BUILD_DIR)/src/win32/plinvaro.exe
	@echo "== $(WIN_ZIP)"
	@echo "== $(WIN_SETUP)"

# The GUI suite's verdict from its results file: Wine may drop the program's
# console output once it has started a Unix tool (xdotool), so the file counts.
WIN_GUI_SUMMARY = if [ ! -s "$(1)" ]; then echo "GUI suite: no results written"; false; else \
	  tests=$$(sed -n 's/.*<testsuites tests="\([0-9]*\)".*/\1/p' "$(1)"); \
	  failed=$$(sed -n 's/.*<testsuites [^>]*failures="\([0-9]*\)".*/\1/p' "$(1)"); \
	  errors=$$(sed -n 's/.*<testsuites [^>]*errors="\([0-9]*\)".*/\1/p' "$(1)"); \
	  awk '/<testcase /{match($$0,/name="[^"]*"/); name=substr($$0,RSTART+6,RLENGTH-7)} \
	       /<failure/{if (name != "") print "  failed: " name; name=""}' "$(1)"; \
	  failed=$$(( $${failed:-1} + $${errors:-1} )); \
	  echo "GUI: $$(( $${tests:-0} - failed )) passed, $$failed failed"; [ "$$failed" -eq 0 ]; fi

# One Wine prefix per run (about 10 s): window management off, so focus needs no
# window manager and closing is quick; the packaged fonts copied in, and
# Times New Roman drawn as its metric twin Liberation Serif.
WIN_NEW_PREFIX = rm -rf $(WIN_PREFIX); \
	$(WIN_ENV) $(WIN_WINE) wineboot -i >/dev/null 2>&1; \
	$(call WIN_MANAGED,N); \
	$(WIN_ENV) $(WIN_WINE) reg add 'HKCU\Software\Wine\Fonts\Replacements' /v 'Times New Roman' /t REG_SZ \
	  /d 'Liberation Serif' /f >/dev/null 2>&1; \
	$(WIN_ENV) wineserver -w; \
	cp /usr/share/wine/fonts/*.ttf $(WIN_PREFIX)/drive_c/windows/Fonts/ 2>/dev/null || true

# Wine's window management on (Y) or off (N) in the prefix.
WIN_MANAGED = $(WIN_ENV) $(WIN_WINE) reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ \
	/d $(1) /f >/dev/null 2>&1; $(WIN_ENV) wineserver -w

# The console suites' wineserver is ended before the GUI suite, which would
# otherwise join it and find no display. The installer's round trip runs last,
# in the same prefix, with its own wineserver and display.
windows-check: windows
	@[ -n "$(WIN_I386)" ] || { echo "== this host runs no 32-bit program: the tests run as a 64-bit build under wine64"; \
	  cmake --preset $(WIN_TEST_PRESET) >/dev/null; }
	cmake --build --preset $(WIN_TEST_PRESET) -j 2 --target \
	  $(notdir $(WIN_CONSOLE_TESTS)) plinvaro_win32_tests
	@$(WIN_NEW_PREFIX)
	@status=0; \
	for t in $(WIN_CONSOLE_TESTS); do \
	  echo "== wine $$t.exe"; \
	  $(WIN_ENV) $(WIN_WINE) $(WIN_TEST_DIR)/tests/$$t.exe --gtest_brief=1 || status=1; \
	done; \
	$(WIN_ENV) wineserver -k 2>/dev/null; $(WIN_ENV) wineserver -w; \
	echo "== wine plinvaro_win32_tests.exe (Xvfb)"; \
	results=$(CURDIR)/$(WIN_BUILD_DIR)/win32-gui-tests.xml; rm -f "$$results"; \
	$(WIN_ENV) timeout $(WIN_GUI_TIMEOUT) xvfb-run -a -s "-screen 0 1024x768x24" \
	  $(WIN_WINE) $(WIN_TEST_DIR)/tests/win32/plinvaro_win32_tests.exe --gtest_brief=1 \
	    --gtest_output=xml:Z:$$results || status=1; \
	$(call WIN_GUI_SUMMARY,$$results) || status=1; \
	$(WIN_ENV) wineserver -k; $(WIN_ENV) wineserver -w; \
	echo "== the minimum size under a window manager (Xvfb, openbox)"; \
	$(call WIN_MANAGED,Y); \
	results=$(CURDIR)/$(WIN_BUILD_DIR)/win32-wm-tests.xml; rm -f "$$results"; \
	$(WIN_ENV) PLINVARO_WINDOW_MANAGER=1 xvfb-run -a -s "-screen 0 1024x768x24" \
	  sh -c 'openbox >/dev/null 2>&1 & sleep 1; exec "$$0" "$$@"' \
	  $(WIN_WINE) $(WIN_TEST_DIR)/tests/win32/plinvaro_win32_tests.exe --gtest_brief=1 \
	    --gtest_filter=PixelTest.MinimumSizeHoldsUnderAWindowManager --gtest_output=xml:Z:$$results \
	    || status=1; \
	$(call WIN_GUI_SUMMARY,$$results) || status=1; \
	$(WIN_ENV) wineserver -k; $(WIN_ENV) wineserver -w; \
	$(call WIN_MANAGED,N); $(WIN_ENV) wineserver -k; \
	if [ -z "$(WIN_I386)" ]; then echo "== installer round trip: left out, the installer is a 32-bit program"; \
	  exit $$status; fi; \
	echo "== installer round trip (Xvfb)"; \
	$(WIN_ENV) xvfb-run -a -s "-screen 0 1024x768x24" \
	  sh tests/win32/InstallerCheck.sh $(WIN_SETUP) || status=1; \
	exit $$status

# The README's screenshot: the GUI suite saves the window with a short
# composition, ImageMagick turns it into a PNG.
windows-screenshot: windows
	@dpkg-query -W -f='$${Status}' imagemagick 2>/dev/null | grep -q 'ok installed' || \
	  DEBIAN_FRONTEND=noninteractive $(SUDO) apt-get -o DPkg::Lock::Timeout=900 install -y \
	    --no-install-recommends imagemagick
	cmake --build --preset $(WIN_PRESET) -j 2 --target plinvaro_win32_tests
	@$(WIN_NEW_PREFIX)
	@shot=$(CURDIR)/$(WIN_BUILD_DIR)/screenshot.bmp; rm -f "$$shot"; \
	$(WIN_ENV) PLINVARO_SCREENSHOT=Z:$$shot xvfb-run -a -s "-screen 0 1024x768x24" \
	  $(WIN_WINE) $(WIN_BUILD_DIR)/tests/win32/plinvaro_win32_tests.exe \
	    --gtest_filter=PixelTest.ScreenshotWhenAsked >/dev/null 2>&1; \
	$(WIN_ENV) wineserver -k; \
	convert "$$shot" -strip $(WIN_SCREENSHOT) && echo "== $(WIN_SCREENSHOT)"

# The Win32 face's playback tick in its real window under Wine, on a 10 MB
# source box (PLINVARO_BENCH_SOURCE_MB and PLINVARO_BENCH_TICKS change that).
windows-bench: windows
	cmake --preset $(WIN_PRESET) -DPLINVARO_BUILD_BENCH=ON
	cmake --build --preset $(WIN_PRESET) -j 2 --target plinvaro-win32-bench
	@$(WIN_NEW_PREFIX)
	@$(WIN_ENV) xvfb-run -a -s "-screen 0 1024x768x24" \
	  wine $(WIN_BUILD_DIR)/bench/win32/plinvaro-win32-bench.exe; \
	status=$$?; $(WIN_ENV) wineserver -k; exit $$status
