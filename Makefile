# The project's interface. Every target installs what is missing, configures and builds.
JOBS ?= $(shell nproc)
CMAKE_FLAGS ?=

.PHONY: all build test test-sanitize fuzz bench clean deps run

all: build

deps:
	@scripts/install-deps

build: deps
	@cmake -S . -B build -G Ninja $(CMAKE_FLAGS) >/dev/null
	@cmake --build build -j $(JOBS)

test: build
	@cd build && ctest --output-on-failure -j $(JOBS)

test-sanitize: deps
	@cmake -S . -B build-sanitize -G Ninja -DORVALIS_SANITIZE=ON $(CMAKE_FLAGS) >/dev/null
	@cmake --build build-sanitize -j $(JOBS)
	@cd build-sanitize && ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 \
	  UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 ctest --output-on-failure -j $(JOBS)

# libFuzzer targets in build-fuzz/fuzz/; run one with e.g. build-fuzz/fuzz/fuzz_ini tests/fuzz/ini
fuzz: deps
	@cmake -S . -B build-fuzz -G Ninja -DORVALIS_FUZZ=ON -DCMAKE_C_COMPILER=clang \
	  -DCMAKE_CXX_COMPILER=clang++ $(CMAKE_FLAGS) >/dev/null
	@cmake --build build-fuzz -j $(JOBS)

bench: build
	@bench/run

# Builds the program and starts it on the user's display.
run: deps
	@cmake -S . -B build -G Ninja $(CMAKE_FLAGS) >/dev/null
	@cmake --build build -j $(JOBS) --target orvalis
	@build/bin/orvalis

clean:
	rm -rf build build-sanitize build-fuzz
