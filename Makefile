# Quick start: `make run` and `make test` (see README.md).
BUILD      ?= build
BUILD_ASAN ?= build-asan
JOBS       ?= $(shell nproc)
# Warnings are errors where the tests run (make test, CI), not in a user's `make run`, so
# a newer compiler's new warning cannot keep anyone from building the program.
WERROR     ?= OFF

.PHONY: all deps configure configure-asan build build-asan run demo test test-plain test-asan clean

all: build

deps:
	@scripts/install-deps.sh

# Configuring again each time is cheap and carries a changed WERROR into the build.
configure: deps
	cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUILLEX_WERROR=$(WERROR)

configure-asan: deps
	cmake -S . -B $(BUILD_ASAN) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DQUILLEX_SANITIZE=ON -DQUILLEX_WERROR=$(WERROR)

build: configure
	cmake --build $(BUILD) -j $(JOBS)

build-asan: configure-asan
	cmake --build $(BUILD_ASAN) -j $(JOBS)

# The program opens a window: it needs a desktop session (or a platform set in
# QT_QPA_PLATFORM). Its settings stay in the per-user data folder, outside the build tree.
run: build
	@if [ -z "$$DISPLAY$$WAYLAND_DISPLAY$$QT_QPA_PLATFORM" ]; then \
	  echo "make run opens a window: start it in a desktop session (or under xvfb-run)." >&2; exit 1; fi
	$(BUILD)/quillex

demo: build
	scripts/demo.sh $(BUILD)

test: WERROR = ON
test: test-plain test-asan

test-plain: WERROR = ON
test-plain: build
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

# Any sanitizer finding aborts the test that hit it, so the run fails.
test-asan: WERROR = ON
test-asan: build-asan
	cd $(BUILD_ASAN) && ASAN_OPTIONS=detect_leaks=0:abort_on_error=1 \
	  UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
	  ctest --output-on-failure -j $(JOBS)

clean:
	rm -rf $(BUILD) $(BUILD_ASAN)
