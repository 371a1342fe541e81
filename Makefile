# SPDX-License-Identifier: GPL-3.0-or-later
BUILD_DIR  := build
BUILD_TYPE := RelWithDebInfo
JOBS       := 2
TEST_TIMEOUT := 300

.PHONY: run test build clean setup configure bench monkey memcheck package web test-debian13

# The program alone: only what building and running it needs is installed.
run:
	bash scripts/setup.sh run
	cmake -S . -B $(BUILD_DIR) -DCMAKE_BUILD_TYPE=$(BUILD_TYPE) -DBUILD_TESTING=OFF
	cmake --build $(BUILD_DIR) -j$(JOBS) --target kavrel
	bash scripts/run.sh

# Every test, the built package's and the browser version's among them.
test: build package web
	ctest --test-dir $(BUILD_DIR) --output-on-failure -j$(JOBS) --timeout $(TEST_TIMEOUT)

build: configure
	cmake --build $(BUILD_DIR) -j$(JOBS)

configure: setup
	cmake -S . -B $(BUILD_DIR) -DCMAKE_BUILD_TYPE=$(BUILD_TYPE) -DBUILD_TESTING=ON

setup:
	bash scripts/setup.sh test

clean:
	rm -rf $(BUILD_DIR) build-package build-web

# The browser version, a static web site in build-web/site/. Qt for
# WebAssembly is built from Debian's source once, into ~/.cache/kavrel.
web:
	bash scripts/setup.sh web
	bash scripts/web.sh

# An optimised, stripped program in its Debian package:
# build-package/kavrel_<version>_<arch>.deb.
package:
	bash scripts/setup.sh package
	cmake -S . -B build-package -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF
	cmake --build build-package -j$(JOBS)
	cd build-package && rm -f kavrel_*.deb && cpack -G DEB

# 1,000,000 monkey events in a build of its own with AddressSanitizer and
# UndefinedBehaviorSanitizer (scripts/monkey.sh prints the counts).
monkey: setup
	cmake -S . -B build-monkey -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	    "-DCMAKE_CXX_FLAGS=-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined" \
	    "-DCMAKE_EXE_LINKER_FLAGS=-fsanitize=address,undefined"
	cmake --build build-monkey -j$(JOBS) --target kavrel_monkey
	bash scripts/monkey.sh build-monkey/tests/kavrel_monkey 1000000 1 $(JOBS)

# The real program under valgrind's memcheck through a scripted lesson.
memcheck: build
	bash scripts/memcheck.sh $(BUILD_DIR)/kavrel

# Benchmarks, in an optimised build of their own (build-bench/): the
# plane's drawing, offscreen, then the start-up against a bare Qt window,
# offscreen and on a private X server; then the browser version in
# headless Chromium against a bare Qt window there and against the
# desktop's figures.
bench: setup web
	cmake -S . -B build-bench -DCMAKE_BUILD_TYPE=Release
	cmake --build build-bench -j$(JOBS) --target plane_bench startup_kavrel startup_bare startup_compare \
	    kavrel_window_json
	build-bench/bench/plane_bench --benchmark_out=build-bench/plane_bench.json --benchmark_out_format=json
	build-bench/bench/startup_compare build-bench/bench/startup_kavrel build-bench/bench/startup_bare 15
	bash scripts/xvfb-session.sh build-bench/bench/startup_compare --x \
	    build-bench/bench/startup_kavrel build-bench/bench/startup_bare 31
	bash scripts/web-bench.sh build-bench/plane_bench.json

# The README's two commands, word for word, in a bare Debian 13 root made
# by debootstrap (once, kept in ~/.cache/kavrel), as root in an empty
# environment: ./run.sh on a private Xvfb, ended by "終わる", then
# ./test.sh. Checks the committed HEAD; needs root. Not part of make test.
test-debian13:
	bash scripts/bare-debian.sh trixie
