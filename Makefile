BUILD_DIR  := build
BUILD_TYPE := RelWithDebInfo
JOBS       := 2
TEST_TIMEOUT := 300

.PHONY: run test build clean setup configure

run: build
	bash scripts/run.sh

test: build
	ctest --test-dir $(BUILD_DIR) --output-on-failure -j$(JOBS) --timeout $(TEST_TIMEOUT)

build: configure
	cmake --build $(BUILD_DIR) -j$(JOBS)

configure: setup
	cmake -S . -B $(BUILD_DIR) -DCMAKE_BUILD_TYPE=$(BUILD_TYPE)

setup:
	bash scripts/setup.sh

clean:
	rm -rf $(BUILD_DIR)
