# Benchmarks, included by the Makefile (which sets BUILD and JOBS).
#
# make bench          frame costs under the dummy driver, instruction counts (valgrind) and
#                     pacing under Xvfb, all written to bench/results.md
# make bench-pacing   only the pacing under Xvfb (bench/pacing), then bench/results.md again
# make bench-link     only the network duel (bench/link-duel): bench/network.md, which the
#                     next bench/results.md takes in

.PHONY: bench bench-build bench-pacing bench-link

bench-build: configure
	cmake --build $(BUILD) -j$(JOBS) --target bench_programs

bench: bench-build
	bench/run $(BUILD)

bench-pacing: bench-build
	bench/pacing $(BUILD)

bench-link: bench-build
	bench/link-duel $(BUILD)
