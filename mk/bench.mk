# Benchmarks, included by the Makefile (which sets BUILD and JOBS).
#
# make bench          frame costs under the dummy driver, instruction counts (valgrind) and
#                     pacing under Xvfb, all written to bench/results.md
# make bench-pacing   only the pacing under Xvfb (bench/pacing), then bench/results.md again

.PHONY: bench bench-build bench-pacing

bench-build: configure
	cmake --build $(BUILD) -j$(JOBS) --target bench_programs

bench: bench-build
	bench/run $(BUILD)

bench-pacing: bench-build
	bench/pacing $(BUILD)
