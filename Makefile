# The two commands of the README. Everything else is CMake's.
BUILD := build
JOBS  ?= 2
SOAK_GAMES ?= 0

.PHONY: run test build bench setup clean

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

bench: build
	SOAK_GAMES=$(SOAK_GAMES) bash bench/run_all.sh $(BUILD)

clean:
	rm -rf $(BUILD)
