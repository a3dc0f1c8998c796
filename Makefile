# Quick start: `make run` and `make test` (see README.md).
# `make run` and `make demo` build only the program (and the simulated station) in $(BUILD),
# without warnings as errors, so a newer compiler's new warning cannot keep anyone from
# building the program. `make test` builds everything in trees of its own, with warnings as
# errors, so switching between them rebuilds nothing that did not change.
BUILD      ?= build
BUILD_TEST ?= build-test
BUILD_ASAN ?= build-asan
JOBS       ?= $(shell nproc)

.PHONY: all deps configure configure-test configure-asan build build-demo build-tests build-asan \
        run demo test test-plain test-asan clean

all: build

deps:
	@scripts/install-deps.sh

# Configuring again each time is cheap; it changes nothing in a tree that is up to date.
configure: deps
	cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUILLEX_WERROR=OFF

configure-test: deps
	cmake -S . -B $(BUILD_TEST) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUILLEX_WERROR=ON

configure-asan: deps
	cmake -S . -B $(BUILD_ASAN) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DQUILLEX_SANITIZE=ON -DQUILLEX_WERROR=ON

# The program with its help pages, and the simulated station that `make demo` starts.
build: configure
	cmake --build $(BUILD) -j $(JOBS) --target quillex

build-demo: configure
	cmake --build $(BUILD) -j $(JOBS) --target quillex station-sim

# Everything: the program, the tests, the simulated station and the benchmarks.
build-tests: configure-test
	cmake --build $(BUILD_TEST) -j $(JOBS)

build-asan: configure-asan
	cmake --build $(BUILD_ASAN) -j $(JOBS)

# The program opens a window: it needs a desktop session (or a platform set in
# QT_QPA_PLATFORM). Its settings stay in the per-user data folder, outside the build tree.
run: build
	@if [ -z "$$DISPLAY$$WAYLAND_DISPLAY$$QT_QPA_PLATFORM" ]; then \
	  echo "make run opens a window: start it in a desktop session (or under xvfb-run)." >&2; exit 1; fi
	$(BUILD)/quillex

demo: build-demo
	scripts/demo.sh $(BUILD)

test: test-plain test-asan

test-plain: build-tests
	cd $(BUILD_TEST) && ctest --output-on-failure -j $(JOBS)

# Any sanitizer finding aborts the test that hit it, so the run fails.
test-asan: build-asan
	cd $(BUILD_ASAN) && ASAN_OPTIONS=detect_leaks=0:abort_on_error=1 \
	  UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
	  ctest --output-on-failure -j $(JOBS)

clean:
	rm -rf $(BUILD) $(BUILD_TEST) $(BUILD_ASAN)
