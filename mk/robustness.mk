# Robustness targets, included by the Makefile.
#
# make test-sanitize   the whole test suite under AddressSanitizer, LeakSanitizer and
#                      UndefinedBehaviorSanitizer (build-asan/)
# make fuzz            each fuzz target for FUZZ_SECONDS (default 60) with clang's libFuzzer
#                      (build-fuzz/); make fuzz FUZZ_SECONDS=600 for a longer hunt
# make soak            the long random-player soak under the sanitizers, then under valgrind

FUZZ_SECONDS ?= 60

.PHONY: test-sanitize fuzz soak

test-sanitize: deps
	JOBS=$(JOBS) scripts/test-sanitize

fuzz: deps
	JOBS=$(JOBS) scripts/fuzz $(FUZZ_SECONDS)

soak: deps
	JOBS=$(JOBS) ZEM_BUILD=$(BUILD) scripts/soak
