# Packaging targets, included by the Makefile (which sets BUILD and JOBS).
#
# make package        the Debian package, in $(BUILD)/package/
# make test-package   package round trip: build, install with apt, start each game, remove
# make test-compat    the whole test suite on sdl12-compat, then back to classic SDL 1.2
# make screenshots    PNGs of the main menu, help and a moment of play of each game in docs/
# make install        install into PREFIX (default /usr/local); make uninstall removes it

PREFIX ?= /usr/local
# What the last "make install" put where; kept apart from CMake's own install_manifest.txt,
# which every install (the tests install into scratch folders) overwrites.
INSTALLED_FILES := $(BUILD)/make-install-files.txt

.PHONY: package test-package test-compat screenshots install uninstall

package: build
	rm -rf $(BUILD)/package
	cpack --config $(BUILD)/CPackConfig.cmake -B $(BUILD)/package
	@ls $(BUILD)/package/*.deb

test-package: build
	scripts/test-package $(BUILD)

test-compat: deps
	scripts/test-compat

screenshots: build
	scripts/make-screenshots $(BUILD)

install: build
	cmake --install $(BUILD) --prefix $(PREFIX)
	cp $(BUILD)/install_manifest.txt $(INSTALLED_FILES)

uninstall:
	@test -f $(INSTALLED_FILES) || \
	    { echo "make uninstall: nothing installed by make install from $(BUILD)" >&2; exit 1; }
	xargs -d '\n' rm -f -- < $(INSTALLED_FILES)
	sed -n 's|/zem-arcade/[^/]*$$|/zem-arcade|p' $(INSTALLED_FILES) | sort -u | \
	    xargs -r -d '\n' rmdir --ignore-fail-on-non-empty --
	rm -f $(INSTALLED_FILES)
