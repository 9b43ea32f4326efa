# SPDX-License-Identifier: GPL-3.0-or-later
# The two commands of the README. Everything else is CMake's.
BUILD := build
JOBS  ?= 2
SOAK_GAMES ?= 0
FUZZ_SECONDS ?= 60

PREFIX ?= /usr/local

.PHONY: run test build bench setup clean sanitize fuzz mutants install uninstall package

setup:
	@bash scripts/setup.sh

build: setup
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo
	cmake --build $(BUILD) -j$(JOBS)

run: build
	@if [ -x $(BUILD)/bin/tarnwick ]; then cd $(BUILD)/bin && ./tarnwick; \
	else echo "Built. The game window is not there yet: nothing to start."; fi

test: build
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j$(JOBS)

# Installs into PREFIX (DESTDIR works too); uninstall removes exactly what was installed.
install: build
	cmake --install $(BUILD) --prefix $(PREFIX)

uninstall:
	@[ -f $(BUILD)/install_manifest.txt ] || { echo "Nothing installed from $(BUILD)."; exit 0; }
	xargs -d '\n' rm -f < $(BUILD)/install_manifest.txt

# The Debian package, build/tarnwick_<version>_<arch>.deb, checked by lintian and by the
# desktop's own tools: its menu entry, its metainfo, and its manual page without a warning.
package: build
	cd $(BUILD) && rm -f tarnwick_*.deb && cpack
	lintian --fail-on error $(BUILD)/tarnwick_*.deb
	rm -rf $(BUILD)/unpacked && dpkg-deb -x $(BUILD)/tarnwick_*.deb $(BUILD)/unpacked
	desktop-file-validate $(BUILD)/unpacked/usr/share/applications/org.tarnwick.Tarnwick.desktop
	appstreamcli validate --no-net $(BUILD)/unpacked/usr/share/metainfo/org.tarnwick.Tarnwick.metainfo.xml
	LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l $(BUILD)/unpacked/usr/share/man/man6/tarnwick.6.gz 2>&1 >/dev/null | \
		{ ! grep . ; }

# The whole suite again, built with AddressSanitizer and UndefinedBehaviorSanitizer.
sanitize: setup
	JOBS=$(JOBS) bash scripts/sanitize.sh

# Each fuzz target for FUZZ_SECONDS seconds.
fuzz: setup
	JOBS=$(JOBS) bash scripts/fuzz.sh $(FUZZ_SECONDS)

# Each mutant of tests/mutants.txt: which tests catch it, and "killed K of N" (about an hour).
mutants: setup
	JOBS=$(JOBS) bash scripts/mutants.sh tests/mutants.txt

bench: build
	SOAK_GAMES=$(SOAK_GAMES) bash bench/run_all.sh $(BUILD)

clean:
	rm -rf $(BUILD) build-sanitize build-fuzz build-mutants
