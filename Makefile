# make play   build and start the brick game     make duel   the same for the paddle duel
# make test   build everything and run all tests  make build  build only    make clean

BUILD := build
JOBS := 2
GAME_play := brixolan
GAME_duel := tamu

.PHONY: deps configure build play duel test clean

deps:
	@scripts/install-deps

configure: deps
	cmake -S . -B $(BUILD)

build: configure
	cmake --build $(BUILD) -j$(JOBS)

# The games look for their data files in the working directory, so they start in build/game.
play duel:
	@test -n "$$DISPLAY" || { echo "make $@: no DISPLAY; run it in a graphical session." >&2; exit 1; }
	@$(MAKE) --no-print-directory configure
	cmake --build $(BUILD) -j$(JOBS) --target $(GAME_$@)
	cd $(BUILD)/game && ./$(GAME_$@)

test: build
	ctest --test-dir $(BUILD) --output-on-failure -j$(JOBS)

clean:
	rm -rf $(BUILD)

# Further targets (robustness, benchmarks, packaging) live in fragments of their own.
include $(wildcard mk/*.mk)
