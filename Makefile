# Set-up and everyday commands. `make run` and `make test` work on a fresh Debian 12 machine:
# both install what is missing first.
BUILD_DIR ?= build
JOBS ?= $(shell nproc)
PREFIX ?= /usr/local
# The same sources built for the sanitizers and for fuzzing (both clang) and for benchmarks.
ASAN_DIR ?= build-asan
FUZZ_DIR ?= build-fuzz
BENCH_DIR ?= build-bench
FUZZ_SECONDS ?= 120

.PHONY: deps lint-deps build run test clean install package screenshots test-sanitized test-fuzz fuzz-build fuzz lint lint-changed bench

deps:
	@scripts/deps

lint-deps:
	@scripts/deps lint

$(BUILD_DIR)/build.ninja: | deps
	cmake -S . -B $(BUILD_DIR) -G Ninja

build: deps $(BUILD_DIR)/build.ninja
	cmake --build $(BUILD_DIR) -j $(JOBS)

run: build
	$(BUILD_DIR)/voltiva

test: build
	cd $(BUILD_DIR) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)
	@$(MAKE) --no-print-directory test-sanitized test-fuzz

# Every test again under AddressSanitizer (leaks included) and UndefinedBehaviorSanitizer, and any
# finding fails its test. clang builds it in half the time g++ takes, and is a second compiler's
# warnings on every source; -O0 (-O1 for the code that computes) keeps the stack traces whole.
# Configured afresh when this file changes, so a tree built before takes the new compiler and flags.
$(ASAN_DIR)/build.ninja: Makefile | deps
	cmake --fresh -S . -B $(ASAN_DIR) -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DVOLTIVA_SANITIZE=ON \
		-DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG="-O0 -g1"

test-sanitized: deps $(ASAN_DIR)/build.ninja
	cmake --build $(ASAN_DIR) -j $(JOBS)
	cd $(ASAN_DIR) && QT_QPA_PLATFORM=offscreen \
		ASAN_OPTIONS=detect_stack_use_after_return=1:check_initialization_order=1:strict_init_order=1 \
		UBSAN_OPTIONS=print_stacktrace=1 ctest --output-on-failure -j $(JOBS)

# The libFuzzer targets (fuzz/): their corpus and about two seconds each in `make test`, FUZZ_SECONDS each
# in `make fuzz`.
$(FUZZ_DIR)/build.ninja: Makefile | deps
	cmake --fresh -S . -B $(FUZZ_DIR) -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DVOLTIVA_SANITIZE=ON -DVOLTIVA_FUZZ=ON \
		-DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG="-O1 -g1"

fuzz-build: deps $(FUZZ_DIR)/build.ninja
	cmake --build $(FUZZ_DIR) --target fuzzers -j $(JOBS)

test-fuzz: fuzz-build
	cd $(FUZZ_DIR) && ctest -L fuzz --output-on-failure -j $(JOBS)

fuzz: fuzz-build
	cd $(FUZZ_DIR) && VOLTIVA_FUZZ_SECONDS=$(FUZZ_SECONDS) \
		ctest -L fuzz --output-on-failure -j $(JOBS) --timeout $$(($(FUZZ_SECONDS) + 300))

# clang-tidy (.clang-tidy) on the project's own sources and clang-format (.clang-format) on every
# C++ file in the tree; exits non-zero on any finding.
lint: lint-deps $(BUILD_DIR)/build.ninja $(FUZZ_DIR)/build.ninja $(BENCH_DIR)/build.ninja
	scripts/lint $(BUILD_DIR) $(FUZZ_DIR) $(BENCH_DIR)

# The same on the files that differ from main (or, on main, those of the last commit).
lint-changed: lint-deps $(BUILD_DIR)/build.ninja $(FUZZ_DIR)/build.ninja $(BENCH_DIR)/build.ninja
	scripts/lint --changed $(BUILD_DIR) $(FUZZ_DIR) $(BENCH_DIR)

# Start-up against a bare Qt window, the runtime against the standard library, and Calculate
# presses; the optimised build the program ships with.
$(BENCH_DIR)/build.ninja: | deps
	cmake -S . -B $(BENCH_DIR) -G Ninja -DVOLTIVA_BENCH=ON -DBUILD_TESTING=OFF

bench: deps $(BENCH_DIR)/build.ninja
	cmake --build $(BENCH_DIR) --target benchmarks -j $(JOBS)
	scripts/bench $(BENCH_DIR)

clean:
	rm -rf $(BUILD_DIR)

# PREFIX is where the files are meant to live; DESTDIR stages them somewhere else first.
install: build
	DESTDIR="$(DESTDIR)" cmake --install $(BUILD_DIR) --prefix "$(PREFIX)"

# A .deb in $(BUILD_DIR), its Depends computed from the binary.
package: build
	cd $(BUILD_DIR) && cpack -G DEB

# Rerun after a screen or picture changes, and commit the pictures; 2x/ as a desktop at
# 200 % shows them.
screenshots: build
	rm -f docs/screenshots/*.png docs/screenshots/2x/*.png
	$(BUILD_DIR)/voltiva_screenshots docs/screenshots
	$(BUILD_DIR)/voltiva_screenshots --scale 2 docs/screenshots/2x
