# Shared by scripts/test-sanitize and scripts/soak (sourced, not run): the sanitizer build and
# the settings under which everything in it runs. Expects to be in the repository's root.

# AddressSanitizer (with LeakSanitizer) and UndefinedBehaviorSanitizer; any report is fatal.
SANITIZE_BUILD=$(realpath -m "${ZEM_SANITIZE_BUILD:-build-asan}")
SANITIZE_FLAGS="-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer"

export ASAN_OPTIONS=detect_leaks=1:halt_on_error=1:detect_stack_use_after_return=1
export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
# Leaks inside system libraries only; each line of the file says why.
export LSAN_OPTIONS=suppressions=$PWD/tests/sanitizers/lsan.supp:print_suppressions=0
export SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy

# Configures the sanitizer build; clang when there is one (gcc's sanitizer builds warn falsely
# inside the standard library's regex code), gcc otherwise. The benchmarks are left out.
configure_sanitize_build() {
    local compiler=g++
    if command -v clang++ >/dev/null; then
        compiler=clang++
    fi
    CXX=$compiler cmake -S . -B "$SANITIZE_BUILD" -DCMAKE_BUILD_TYPE=Debug \
        -DZEM_BUILD_BENCH=OFF \
        "-DCMAKE_CXX_FLAGS=$SANITIZE_FLAGS -O1" \
        "-DCMAKE_EXE_LINKER_FLAGS=-fsanitize=address,undefined" >/dev/null
}
