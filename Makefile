# Quick start: `make demo` and `make test` on a fresh Debian 12 machine.
BUILD_DIR ?= build
JOBS ?= $(shell nproc)
CMAKE_FLAGS ?=
# CI builds treat warnings as errors.
WERROR := $(if $(CI),ON,OFF)

.PHONY: all deps configure build demo test sanitize bench fuzz docs clean package package-check

all: build

deps:
	@./scripts/install-deps.sh

configure: deps
	cmake -S . -B $(BUILD_DIR) -G Ninja -DCMAKE_BUILD_TYPE=Release \
	  -DZELT_WARNINGS_AS_ERRORS=$(WERROR) $(CMAKE_FLAGS)

build: configure
	cmake --build $(BUILD_DIR) -j $(JOBS)

# Opens the demo host's window; without a display it runs a scripted session
# offscreen, saves a screenshot and prints the order summary.
demo: build
	$(BUILD_DIR)/apps/demo-qt/zelt-demo --screenshot $(BUILD_DIR)/zelt-demo.png

test: build
	ctest --test-dir $(BUILD_DIR) --output-on-failure -j $(JOBS)

# The Debian packages in $(BUILD_DIR)/packages: zelt-ordered-items (the demo
# hosts) and zelt-ordered-items-dev (static libraries, headers, CMake and
# pkg-config files, the examples).
package: build
	cmake --build $(BUILD_DIR) --target package

# The packages unpacked into a scratch root and the example hosts built and
# run against them (CMake and pkg-config).
package-check:
	BUILD_DIR=$(BUILD_DIR) ./scripts/package-check.sh

# Every benchmark once, then the huge-order and tax goals with min / median /
# max over REPS runs and their ratios to the baselines of the same run.
# The test suite again, built with AddressSanitizer and UBSan (Debug): any
# report fails the run. The demo host and the install rules are left out.
sanitize: deps
	cmake -S . -B $(BUILD_DIR)-sanitize -G Ninja -DCMAKE_BUILD_TYPE=Debug -DZELT_SANITIZE=ON \
	  -DZELT_WARNINGS_AS_ERRORS=$(WERROR) -DZELT_BUILD_APPS=OFF -DZELT_BUILD_BENCHMARKS=OFF -DZELT_INSTALL=OFF
	cmake --build $(BUILD_DIR)-sanitize -j $(JOBS)
	UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 ASAN_OPTIONS=detect_leaks=1 \
	  ctest --test-dir $(BUILD_DIR)-sanitize --output-on-failure -j $(JOBS)

bench: build
	$(BUILD_DIR)/bench/zelt-bench
	$(BUILD_DIR)/bench/zelt-bench-qt
	./scripts/bench-table.sh $(BUILD_DIR)/bench/zelt-bench

# Builds the libFuzzer targets with clang, runs each for FUZZ_SECONDS and
# reports runs, runs a second, coverage and findings per target.
FUZZ_SECONDS ?= 60
fuzz:
	@./scripts/install-deps.sh fuzz
	cmake -S . -B $(BUILD_DIR)-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
	  -DZELT_BUILD_FUZZERS=ON -DZELT_BUILD_QT=OFF -DZELT_BUILD_TESTS=OFF -DZELT_BUILD_APPS=OFF \
	  -DZELT_BUILD_BENCHMARKS=OFF -DZELT_INSTALL=OFF
	cmake --build $(BUILD_DIR)-fuzz -j $(JOBS)
	FUZZ_SECONDS=$(FUZZ_SECONDS) ./scripts/fuzz-run.sh $(BUILD_DIR)-fuzz

# The HTML API reference of the public headers, in $(BUILD_DIR)/docs/html,
# with the version of CMakeLists.txt. Any doxygen warning (a public member
# left undocumented, a broken reference) fails it.
docs:
	@./scripts/install-deps.sh docs
	cmake -DOUTPUT=$(BUILD_DIR)/docs -P docs/doxygen.cmake

clean:
	rm -rf $(BUILD_DIR)
