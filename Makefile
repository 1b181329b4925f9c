# SPDX-FileCopyrightText: 2026 The Thwackle developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Thwackle: `make run` to play, `make test` for the whole suite,
# `make package` for the Debian package.
# Each installs the Debian packages it needs first when some are missing:
# `make run` only those that building and playing need.

BUILD      ?= build
JOBS       ?= $(shell nproc)
CMAKE_ARGS ?=
DEPS       ?= all
TESTS      ?= ON

.PHONY: all deps configure build run test test-unit test-asan test-tsan test-fuzz test-package package bench assets screenshots clean

all: build

deps:
	@scripts/install-deps $(DEPS)

build: configure
	cmake --build $(BUILD) -j$(JOBS)

configure: deps
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo $(if $(TESTS),-DTHWACKLE_TESTS=$(TESTS)) $(CMAKE_ARGS)

# Playing needs neither the test packages nor a test framework. The suite is
# left as the build directory has it: off where no test framework is installed.
run: DEPS = play
run: TESTS =
run: configure
	cmake --build $(BUILD) -j$(JOBS) --target thwackle
	scripts/run-game $(BUILD)/app/thwackle

# The whole suite: every test under AddressSanitizer, LeakSanitizer and
# UndefinedBehaviorSanitizer, the threaded parts under ThreadSanitizer, a
# short fuzzing run of the JPEG decoder, then every test of the ordinary build and
# the check of the Debian package.
test: test-asan test-tsan test-fuzz test-unit test-package

test-unit: build
	ctest --test-dir $(BUILD) --output-on-failure -j2

# A leak fails the run: LeakSanitizer has no suppressions, but for two system
# libraries in the tests on a display server (tests/support/lsan.supp).
test-asan: deps
	cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTHWACKLE_SANITIZE=address,undefined -DTHWACKLE_TESTS=ON
	cmake --build build-asan -j$(JOBS)
	ctest --test-dir build-asan --output-on-failure -j2

test-tsan: deps
	cmake -S . -B build-tsan -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTHWACKLE_SANITIZE=thread -DTHWACKLE_TESTS=ON
	cmake --build build-tsan -j$(JOBS) --target tsan_tests
	ctest --test-dir build-tsan -L tsan --output-on-failure

test-fuzz: deps
	CC=clang CXX=clang++ cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTHWACKLE_FUZZ=ON -DTHWACKLE_TESTS=OFF
	cmake --build build-fuzz -j$(JOBS) --target fuzz_smoke

# The Debian package, from an optimised build without the tests, with
# Debian's hardening flags and the binary in /usr/games:
# build-package/thwackle_1.0_amd64.deb.
#
# The same source gives the same file bit for bit, whatever the folder, the
# time, the user or the umask, as Debian's reproducible builds ask:
# - every time stamp (the files' in the package and its archive members') is
#   SOURCE_DATE_EPOCH: the last commit's time unless already set, or in a
#   source tree without git (a release tarball) the date of the changelog's
#   newest entry; the embedded pictures carry none (resources/CMakeLists.txt);
# - Debian's flags map the source folder to "." in what the compiler writes
#   (the debug information, and so the build id, and __FILE__), and warn of
#   __DATE__ and __TIME__;
# - the build and CPack run under umask 022, as dpkg-buildpackage does: the
#   folders CPack stages and the archive members take their modes from it.
package: export DEB_BUILD_MAINT_OPTIONS = hardening=+all reproducible=+all
package: export DEB_BUILD_PATH = $(CURDIR)
package: export SOURCE_DATE_EPOCH ?= $(shell \
	if [ -e .git ] && git -c safe.directory='*' log -1 --pretty=%ct 2>/dev/null; then :; \
	else sed -n 's/^ -- .*>  //p' packaging/changelog | head -n 1 | date -u -f - +%s; fi)
package: DEPS = package
package: deps
	@case "$$SOURCE_DATE_EPOCH" in ''|*[!0-9]*) \
	    echo "package: no time stamp for the package (SOURCE_DATE_EPOCH='$$SOURCE_DATE_EPOCH')" >&2; exit 1;; esac
	@echo "package: SOURCE_DATE_EPOCH=$$SOURCE_DATE_EPOCH ($$(date -u -d @$$SOURCE_DATE_EPOCH))"
	cmake -S . -B build-package -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTHWACKLE_TESTS=OFF \
	      -DCMAKE_INSTALL_PREFIX=/usr -DCMAKE_INSTALL_BINDIR=games \
	      -DCMAKE_C_FLAGS="$$(dpkg-buildflags --get CFLAGS) $$(dpkg-buildflags --get CPPFLAGS)" \
	      -DCMAKE_CXX_FLAGS="$$(dpkg-buildflags --get CXXFLAGS) $$(dpkg-buildflags --get CPPFLAGS)" \
	      -DCMAKE_EXE_LINKER_FLAGS="$$(dpkg-buildflags --get LDFLAGS)"
	umask 022 && cmake --build build-package -j$(JOBS)
	rm -f build-package/thwackle_*.deb
	cd build-package && umask 022 && cpack

# Builds the package and checks it as a distribution would.
test-package: DEPS = all
test-package: deps package
	scripts/check-package build-package

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
	rm -rf build build-asan build-tsan build-fuzz build-bench build-tools build-package
