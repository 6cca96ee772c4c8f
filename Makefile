# Two commands do all the set-up: `make run` and `make test`.
BUILD ?= build
ASAN_BUILD ?= build-asan
JOBS ?= 2
SAMPLE ?= resources/samples/welcome.vnr
# A compiler cache, where the machine has one, makes rebuilds of unchanged files instant.
LAUNCHER := $(if $(shell command -v ccache 2>/dev/null),-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)

.PHONY: deps build run test test-asan bench screenshot format clean

deps:
	@scripts/install-deps.sh

build: deps
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo $(LAUNCHER)
	cmake --build $(BUILD) -j$(JOBS)

run: build
	$(BUILD)/bin/vantell $(wildcard $(SAMPLE))

test: build test-asan
	cd $(BUILD) && ctest -j$(JOBS) --output-on-failure

# The window-free tests again, under the address and undefined-behaviour sanitizers.
test-asan: deps
	cmake -S . -B $(ASAN_BUILD) -DCMAKE_BUILD_TYPE=Debug -DVANTELL_CORE_ONLY=ON -DVANTELL_SANITIZE=ON $(LAUNCHER)
	cmake --build $(ASAN_BUILD) -j$(JOBS) --target core_tests vantell_catalogues
	cd $(ASAN_BUILD) && ctest -j$(JOBS) --output-on-failure -L core

bench: build
	bench/run-all.sh $(BUILD)

# docs/screenshot.png, from the real window run offscreen.
screenshot: build
	scripts/screenshot.sh $(BUILD)

format:
	git ls-files '*.cpp' '*.h' | xargs clang-format -i

clean:
	rm -rf $(BUILD) $(ASAN_BUILD)
