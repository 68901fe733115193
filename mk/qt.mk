# The Qt desktop face: its packages, `make package` (the .deb) and the test step
# that unpacks the package and runs the installed programs.

APT_PACKAGES += qt6-base-dev libqscintilla2-qt6-dev fonts-liberation fonts-noto-mono dpkg-dev file \
                xvfb xauth xdotool imagemagick dbus at-spi2-core python3-pyatspi \
                desktop-file-utils appstream man-db groff-base lintian
PACKAGE_DIR := $(BUILD_DIR)/package

.PHONY: package package-check qt-screenshots

package: build
	rm -f $(PACKAGE_DIR)/*.deb
	cd $(BUILD_DIR) && cpack -G DEB -B $(CURDIR)/$(PACKAGE_DIR)
	@ls $(PACKAGE_DIR)/*.deb

# The lintian warnings the package accepts, each explained in the README.
LINTIAN_ACCEPTED := initial-upload-closes-no-bugs

# Lists the package, checks its files and dependencies, unpacks it into a scratch
# directory, runs the unpacked programs (the window program on the offscreen
# platform) and runs lintian: no error, no warning but the accepted ones.
package-check: package
	@set -e; deb=$$(ls $(PACKAGE_DIR)/plinvaro_*.deb | head -n 1); \
	root=$$(mktemp -d); trap 'rm -rf "$$root"' EXIT; \
	echo "== checking $$deb"; \
	dpkg-deb --contents "$$deb" > "$$root.list"; \
	for f in ./usr/bin/plinvaro ./usr/bin/plinvaro-cli \
	         ./usr/share/applications/plinvaro.desktop \
	         ./usr/share/icons/hicolor/scalable/apps/plinvaro.svg \
	         ./usr/share/icons/hicolor/48x48/apps/plinvaro.png \
	         ./usr/share/icons/hicolor/256x256/apps/plinvaro.png \
	         ./usr/share/metainfo/org.plinvaro.Plinvaro.metainfo.xml \
	         ./usr/share/man/man1/plinvaro.1.gz ./usr/share/man/man1/plinvaro-cli.1.gz \
	         ./usr/share/doc/plinvaro/copyright ./usr/share/doc/plinvaro/changelog.Debian.gz; do \
	  grep -q " $$f\$$" "$$root.list" || { echo "missing in package: $$f"; rm -f "$$root.list"; exit 1; }; \
	done; rm -f "$$root.list"; \
	depends=$$(dpkg-deb --field "$$deb" Depends); echo "Depends: $$depends"; \
	for d in libqscintilla2-qt6 libqt6widgets6 libqt6gui6 libqt6core6 libc6 libstdc++6 fonts-liberation; do \
	  echo "$$depends" | grep -q "$$d" || { echo "missing dependency: $$d"; exit 1; }; \
	done; \
	grep -q '^Exec=plinvaro %f$$' resources/linux/plinvaro.desktop; \
	dpkg-deb -x "$$deb" "$$root"; \
	! grep -r -l -a '\.example' "$$root/usr/share" "$$root/usr/bin" || { echo "placeholder address in the package"; exit 1; }; \
	out=$$(desktop-file-validate "$$root/usr/share/applications/plinvaro.desktop" 2>&1); \
	[ -z "$$out" ] || { echo "$$out"; exit 1; }; \
	appstreamcli validate --no-net "$$root/usr/share/metainfo/org.plinvaro.Plinvaro.metainfo.xml"; \
	for m in "$$root"/usr/share/man/man1/*.1.gz; do \
	  out=$$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l "$$m" 2>&1 >/dev/null); \
	  [ -z "$$out" ] || { echo "$$m: $$out"; exit 1; }; \
	done; \
	grep -q '^Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/' "$$root/usr/share/doc/plinvaro/copyright"; \
	grep -q '^License: GPL-3.0-or-later' "$$root/usr/share/doc/plinvaro/copyright"; \
	"$$root/usr/bin/plinvaro-cli" --help > /dev/null; \
	packaged=$$(dpkg-deb --field "$$deb" Version); echo "Version: $$packaged"; \
	packaged=$${packaged%-*}; \
	version=$$(QT_QPA_PLATFORM=offscreen "$$root/usr/bin/plinvaro" --version); \
	echo "$$version"; [ "$$version" = "plinvaro $$packaged" ]; \
	version=$$("$$root/usr/bin/plinvaro-cli" --version); \
	echo "$$version"; [ "$$version" = "plinvaro-cli $$packaged" ]; \
	"$$root/usr/bin/plinvaro" --help | grep -q '^Usage: plinvaro'; \
	echo "== lintian $$deb"; \
	lintian --fail-on error,warning $(LINTIAN_ACCEPTED:%=--suppress-tags %) "$$deb"; \
	echo "== package ok"

# The README's pictures of the Linux window, each saved by the test that shows that state,
# with settings and recovery copy of their own (never the user's).
SHOTS_HOME := $(CURDIR)/$(BUILD_DIR)/shots-home
QT_SHOT_ENV := QT_QPA_PLATFORM=offscreen LC_ALL=C.UTF-8 \
               XDG_CONFIG_HOME=$(SHOTS_HOME)/config XDG_STATE_HOME=$(SHOTS_HOME)/state
qt-screenshots: build
	rm -rf $(SHOTS_HOME)
	PLINVARO_WANDER_PNG=$(CURDIR)/docs/wander.png $(QT_SHOT_ENV) $(BUILD_DIR)/tests/qt/LaunchTest wanderingFromMakeRun
	PLINVARO_SEAM_SCREENSHOT=$(CURDIR)/docs/seams.png $(QT_SHOT_ENV) \
	  $(BUILD_DIR)/tests/qt/SeamViewsTest wanderKeepsTheSpansOnTheFilesBytes
	PLINVARO_STATUS_PNG=$(CURDIR)/docs/status-bar.png $(QT_SHOT_ENV) \
	  $(BUILD_DIR)/tests/qt/StatusBarTest showsTheSearchOutcomeAndThePreviewPartWhileTheTitleFollowsPlayback
	PLINVARO_STEERING_PNG=$(CURDIR)/docs/steering.png $(QT_SHOT_ENV) \
	  $(BUILD_DIR)/tests/qt/SteeringTest optionsShowAndSurviveARestart
