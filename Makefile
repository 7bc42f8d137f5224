# make run   installs what is missing, builds, and starts the application on the demo workspace
# make test  installs what is missing, builds, runs every test headless, and proves the package
# make package  builds the Debian package into build/package
BUILD ?= build
ASAN_BUILD ?= build-asan
FUZZ_BUILD ?= build-fuzz
FUZZ_SECONDS ?= 60
CMAKE_FLAGS ?=

.PHONY: all deps configure build run test package test-asan fuzz bench clean

all: build

deps:
	@scripts/install-deps.sh

configure: deps
	@cmake -S . -B $(BUILD) -G Ninja $(CMAKE_FLAGS) > /dev/null

build: configure
	@cmake --build $(BUILD)

run: build
	@scripts/run-demo.sh $(BUILD)

# The suite fails on any compiler warning.
test: CMAKE_FLAGS += -DZZ_WARNINGS_AS_ERRORS=ON
test: build
	@cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure --timeout 300
	@scripts/check-format.sh
	@scripts/check-package.sh $(BUILD)

package: build
	@cmake --build $(BUILD) --target package

# The whole suite once more, built with AddressSanitizer and UndefinedBehaviorSanitizer, leak
# detection on; scripts/lsan.supp silences leaks inside third-party libraries only.
test-asan: deps
	@cmake -S . -B $(ASAN_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DZZ_SANITIZE=ON -DZZ_BENCH=OFF > /dev/null
	@cmake --build $(ASAN_BUILD)
	@cd $(ASAN_BUILD) && QT_QPA_PLATFORM=offscreen ASAN_OPTIONS=detect_leaks=1 \
	  LSAN_OPTIONS=suppressions=$(CURDIR)/scripts/lsan.supp:print_suppressions=0 ctest --output-on-failure --timeout 600

# Every libFuzzer target for FUZZ_SECONDS seconds each.
fuzz: deps
	@cmake -S . -B $(FUZZ_BUILD) -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DZZ_FUZZ=ON -DZZ_BENCH=OFF > /dev/null
	@cmake --build $(FUZZ_BUILD) --target fuzzers
	@scripts/run-fuzzers.sh $(FUZZ_BUILD) $(FUZZ_SECONDS)

bench: build
	@scripts/run-benchmarks.sh $(BUILD)

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) $(FUZZ_BUILD)
