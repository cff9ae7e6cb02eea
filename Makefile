# Two set-up commands: `make run` and `make test`. Both install what is missing first.
BUILD ?= build
ASAN_BUILD ?= build-asan
CMAKE_FLAGS ?= -DCMAKE_BUILD_TYPE=RelWithDebInfo
JOBS ?= 2

.PHONY: all deps configure build run test sanitize bench format clean

all: build

deps:
	@scripts/install-deps

$(BUILD)/build.ninja:
	cmake -S . -B $(BUILD) -G Ninja $(CMAKE_FLAGS)

configure: deps $(BUILD)/build.ninja

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

sanitize: deps
	cmake -S . -B $(ASAN_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DVISTREL_SANITIZE=ON -DVISTREL_GUI=OFF
	cmake --build $(ASAN_BUILD) -j $(JOBS)
	ctest --test-dir $(ASAN_BUILD) --output-on-failure -j $(JOBS) --no-tests=error

bench: build
	@for b in $(BUILD)/bin/bench_*; do [ -x "$$b" ] && echo "== $$b" && "$$b"; done

format:
	git ls-files '*.cpp' '*.h' | xargs clang-format -i

clean:
	rm -rf $(BUILD) $(ASAN_BUILD)
