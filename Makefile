# Two commands do all the set-up: `make run` and `make test`.
BUILD ?= build
ASAN_BUILD ?= build-asan
JOBS ?= 2
SAMPLE ?= resources/samples/welcome.vnr

.PHONY: deps build run test test-asan bench screenshot format clean

deps:
	@scripts/install-deps.sh

build: deps
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo
	cmake --build $(BUILD) -j$(JOBS)

run: build
	$(BUILD)/bin/vantell $(wildcard $(SAMPLE))

test: build test-asan
	cd $(BUILD) && ctest -j$(JOBS) --output-on-failure

# The window-free tests again, under the address and undefined-behaviour sanitizers.
test-asan: deps
	cmake -S . -B $(ASAN_BUILD) -DCMAKE_BUILD_TYPE=Debug -DVANTELL_CORE_ONLY=ON -DVANTELL_SANITIZE=ON
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
