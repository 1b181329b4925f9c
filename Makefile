# SPDX-FileCopyrightText: 2026 The Thwackle developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Thwackle: `make run` to play, `make test` for the whole suite.
# Both install the Debian packages they need first when some are missing.

BUILD      ?= build
JOBS       ?= $(shell nproc)
CMAKE_ARGS ?=

.PHONY: all deps configure build run test test-unit test-asan test-ubsan test-tsan test-fuzz bench assets screenshots clean

all: build

deps:
	@scripts/install-deps

build: configure
	cmake --build $(BUILD) -j$(JOBS)

configure: deps
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo $(CMAKE_ARGS)

run: configure
	cmake --build $(BUILD) -j$(JOBS) --target thwackle
	scripts/run-game $(BUILD)/app/thwackle

# The whole suite: every test under AddressSanitizer, LeakSanitizer and
# UndefinedBehaviorSanitizer, the threaded parts under ThreadSanitizer, a
# short fuzzing run of the JPEG decoder, then every test of the ordinary build.
test: test-asan test-tsan test-fuzz test-unit

test-unit: build
	ctest --test-dir $(BUILD) --output-on-failure -j2

# LeakSanitizer runs without suppressions: a leak fails the run.
test-asan: deps
	cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTHWACKLE_SANITIZE=address,undefined
	cmake --build build-asan -j$(JOBS)
	ctest --test-dir build-asan --output-on-failure -j2

# The UndefinedBehaviorSanitizer checks alone, of the tests that ask for them;
# test-asan runs them all.
test-ubsan: deps
	cmake -S . -B build-ubsan -DCMAKE_BUILD_TYPE=Debug -DTHWACKLE_SANITIZE=undefined
	cmake --build build-ubsan -j$(JOBS) --target ubsan_tests
	ctest --test-dir build-ubsan -L ubsan --output-on-failure

test-tsan: deps
	cmake -S . -B build-tsan -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTHWACKLE_SANITIZE=thread
	cmake --build build-tsan -j$(JOBS) --target tsan_tests
	ctest --test-dir build-tsan -L tsan --output-on-failure

test-fuzz: deps
	CC=clang CXX=clang++ cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTHWACKLE_FUZZ=ON -DTHWACKLE_TESTS=OFF
	cmake --build build-fuzz -j$(JOBS) --target fuzz_smoke

bench: deps
	cmake -S . -B build-bench -DCMAKE_BUILD_TYPE=Release -DTHWACKLE_BENCH=ON -DTHWACKLE_TESTS=OFF
	cmake --build build-bench -j$(JOBS)
	scripts/run-benchmarks build-bench

# The README's screenshots, of the real game on a virtual X display.
screenshots: assets
	scripts/take-screenshots build-tools

# Redraws the pictures from their sources under resources/art.
assets: deps
	cmake -S . -B build-tools -DCMAKE_BUILD_TYPE=Release -DTHWACKLE_TOOLS=ON -DTHWACKLE_TESTS=OFF
	cmake --build build-tools -j$(JOBS) --target assets showcase

clean:
	rm -rf build build-asan build-ubsan build-tsan build-fuzz build-bench build-tools
