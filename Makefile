# The README's two commands are `make run` and `make test`; both install what
# is missing first. The other targets build into folders of their own.

BUILD       ?= build
BUILD_TYPE  ?= RelWithDebInfo
JOBS        ?= 2
FUZZ_SECONDS ?= 60
CMAKE_FLAGS ?=

# ccache shares its objects between checkouts in different folders.
export CCACHE_BASEDIR := $(CURDIR)
export CCACHE_NOHASHDIR := 1

.PHONY: all deps configure build test run bench fuzz asan clean

all: build

deps:
	@scripts/install-deps

configure: deps
	@cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=$(BUILD_TYPE) $(CMAKE_FLAGS) > /dev/null

build: configure
	@cmake --build $(BUILD) -j $(JOBS)

test: build
	@cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

run: build
	@scripts/run-suite $(BUILD)

bench: deps
	@cmake -S . -B build-bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DPLINTH_TESTS=OFF -DPLINTH_BENCH=ON > /dev/null
	@cmake --build build-bench -j $(JOBS) --target plinth_benchmarks
	@scripts/run-benchmarks build-bench

fuzz: deps
	@CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DPLINTH_TESTS=OFF -DPLINTH_FUZZ=ON > /dev/null
	@cmake --build build-fuzz -j $(JOBS) --target plinth_fuzzers
	@scripts/run-fuzzers build-fuzz $(FUZZ_SECONDS)

asan: deps
	@cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DPLINTH_SANITIZE=ON > /dev/null
	@cmake --build build-asan -j $(JOBS)
	@cd build-asan && ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 ctest --output-on-failure -j $(JOBS)

clean:
	rm -rf build build-bench build-fuzz build-asan
