# Two set-up commands: `make run` and `make test`. Both install what is missing first.
# WERROR=ON turns compiler warnings into errors (CI and developers); a plain build leaves it off.
BUILD ?= build
ASAN_BUILD ?= build-asan
RELEASE_BUILD ?= build-release
FUZZ_BUILD ?= build-fuzz
WINDOWS_BUILD ?= build-windows
DEB_BUILD ?= build-deb
CMAKE_FLAGS ?= -DCMAKE_BUILD_TYPE=RelWithDebInfo
WERROR ?= OFF
# Seconds one test may run under the sanitizers (several times slower than a plain build).
SANITIZE_TEST_TIMEOUT ?= 120
JOBS ?= 2
FUZZ_SECONDS ?= 60
# Where the fuzzers keep what they find; the seeds in fuzz/corpus are only read.
FUZZ_WORK ?= $(FUZZ_BUILD)/corpus

# ccache, when there is one, shares compiled objects between the build folders.
CCACHE := $(shell command -v ccache 2>/dev/null)
# Paths below the checkout are hashed relative to it, so a fresh clone elsewhere (CI) reuses
# what any other checkout compiled.
export CCACHE_BASEDIR := $(CURDIR)
export CCACHE_NOHASHDIR := true
LAUNCHER := $(if $(CCACHE),-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)
COMMON_FLAGS = -G Ninja -DVISTREL_WERROR=$(WERROR) $(LAUNCHER)

.PHONY: all deps configure build run test sanitize sanitize-gui release fuzz bench format clean windows windows-test \
  windows-dist deb

all: build

deps:
	@scripts/install-deps

# Configured every time, so a changed WERROR or CMAKE_FLAGS takes effect.
configure: deps
	cmake -S . -B $(BUILD) $(COMMON_FLAGS) $(CMAKE_FLAGS)

build: configure
	cmake --build $(BUILD) -j $(JOBS)

# The desktop program on a simulated camera; without a display, the command-line tool's demo.
run: build
	@if [ -n "$$DISPLAY$$WAYLAND_DISPLAY" ]; then \
	  $(BUILD)/bin/vistrel --simulate; \
	else \
	  echo "No display (DISPLAY and WAYLAND_DISPLAY are unset): running vistrelctl on the simulated camera instead."; \
	  $(BUILD)/bin/vistrelctl --simulate info && $(BUILD)/bin/vistrelctl --simulate dump; \
	fi

test: build
	ctest --test-dir $(BUILD) --output-on-failure -j $(JOBS) --no-tests=error

# The Python module stays out of the sanitizer builds: an instrumented extension cannot load
# into the system's uninstrumented interpreter. Its tests run in `make test` and `make release`.
sanitize: deps
	cmake -S . -B $(ASAN_BUILD) $(COMMON_FLAGS) -DCMAKE_BUILD_TYPE=Debug -DVISTREL_SANITIZE=ON -DVISTREL_GUI=OFF \
	  -DVISTREL_PYTHON=OFF -DVISTREL_TEST_TIMEOUT=$(SANITIZE_TEST_TIMEOUT)
	cmake --build $(ASAN_BUILD) -j $(JOBS)
	ctest --test-dir $(ASAN_BUILD) --output-on-failure -j $(JOBS) --no-tests=error

# The desktop program and its widget tests under the same sanitizers, in the same folder: the
# libraries `make sanitize` built are used again and only the desktop program's targets are
# added. Leaks are suppressed only in libraries below Qt that never call into ours
# (tests/gui/lsan-qt.supp).
sanitize-gui: deps
	cmake -S . -B $(ASAN_BUILD) $(COMMON_FLAGS) -DCMAKE_BUILD_TYPE=Debug -DVISTREL_SANITIZE=ON -DVISTREL_GUI=ON \
	  -DVISTREL_PYTHON=OFF -DVISTREL_TEST_TIMEOUT=$(SANITIZE_TEST_TIMEOUT)
	cmake --build $(ASAN_BUILD) -j $(JOBS) --target vistrel gui_tests
	LSAN_OPTIONS=suppressions=$(CURDIR)/tests/gui/lsan-qt.supp:print_suppressions=0 \
	  ctest --test-dir $(ASAN_BUILD) --output-on-failure -j $(JOBS) --no-tests=error -L gui

# The optimised build as a user makes it (the optimiser finds warnings the others do not),
# and its tests.
release: deps
	cmake -S . -B $(RELEASE_BUILD) $(COMMON_FLAGS) -DCMAKE_BUILD_TYPE=Release
	cmake --build $(RELEASE_BUILD) -j $(JOBS)
	ctest --test-dir $(RELEASE_BUILD) --output-on-failure -j $(JOBS) --no-tests=error

# The libFuzzer targets (clang), each run for FUZZ_SECONDS from its seeds in fuzz/corpus/.
fuzz: export VISTREL_FUZZ = ON
fuzz: deps
	cmake -S . -B $(FUZZ_BUILD) $(COMMON_FLAGS) -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ -DVISTREL_FUZZ=ON -DVISTREL_GUI=OFF
	cmake --build $(FUZZ_BUILD) -j $(JOBS) --target fuzzers
	scripts/run-fuzzers $(FUZZ_BUILD) $(FUZZ_SECONDS) $(FUZZ_WORK)

# The Windows programs, cross-built with mingw-w64: vistrelctl.exe, the tests and the
# substitute Camera Link library (clserSIM.dll, clserial.dll, clallserial.dll).
windows:
	@VISTREL_WINDOWS=ON VISTREL_GUI=OFF scripts/install-deps
	cmake -S . -B $(WINDOWS_BUILD) $(COMMON_FLAGS) -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	  -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake -DVISTREL_GUI=OFF \
	  -DVISTREL_LINUX_BUILD=$(abspath $(BUILD))
	cmake --build $(WINDOWS_BUILD) -j $(JOBS)

# Its tests under wine; the end-to-end test also needs the Linux vistrel-sim and vistrelctl.
windows-test: windows configure
	cmake --build $(BUILD) -j $(JOBS) --target vistrel-sim vistrelctl
	scripts/wine-run wineboot --init >/dev/null 2>&1 || true
	ctest --test-dir $(WINDOWS_BUILD) --output-on-failure --no-tests=error

# The Windows archive: vistrelctl.exe with README-Windows.txt and the licence.
windows-dist: windows
	@ls $(WINDOWS_BUILD)/dist/*.zip

# The Debian packages vistrelctl, vistrel and vistrel-sim (in $(DEB_BUILD)/), checked with
# lintian, from an unpacked root and by an upgrade from the packages before vistrelctl's own.
deb:
	@VISTREL_PACKAGE=ON scripts/install-deps
	scripts/make-deb $(DEB_BUILD)
	scripts/check-packages $(DEB_BUILD)

bench: build
	@for b in $(BUILD)/bin/bench_*; do [ -x "$$b" ] && echo "== $$b" && "$$b"; done

format:
	git ls-files '*.cpp' '*.h' | xargs clang-format -i

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) $(RELEASE_BUILD) $(FUZZ_BUILD) $(WINDOWS_BUILD) $(DEB_BUILD)
