# SPDX-License-Identifier: GPL-3.0-or-later
# Set-up, build and test in one step each; see README.md.
BUILD_DIR ?= build
SANITIZE_DIR ?= build-sanitize
JOBS ?= 2
SANITIZERS = -fsanitize=address,undefined -fno-omit-frame-pointer

.PHONY: run test build package deps clean sanitize sanitize-test fuzz format format-check

run: build
	$(BUILD_DIR)/bin/varko2000

# The journeys run alone, after the rest: a real pointer on a loaded machine can
# miss, and a second try tells such a miss from a fault.
test: build format-check
	cd $(BUILD_DIR) && ctest --output-on-failure -j$(JOBS) -LE journey
	cd $(BUILD_DIR) && ctest --output-on-failure -L journey --repeat until-pass:2
	$(MAKE) --no-print-directory sanitize-test

# Everything again with AddressSanitizer and UndefinedBehaviorSanitizer, as a
# debug build so that assertions fire; its unit and end-to-end tests, then the fuzz.
sanitize: deps
	cmake -S . -B $(SANITIZE_DIR) -DCMAKE_BUILD_TYPE=Debug -DBUILD_TESTING=ON -DCMAKE_CXX_FLAGS_DEBUG="-O1 -g1" \
	  -DCMAKE_CXX_FLAGS="$(SANITIZERS)" -DCMAKE_EXE_LINKER_FLAGS="$(SANITIZERS)"
	cmake --build $(SANITIZE_DIR) -j$(JOBS)

SANITIZER_OPTIONS = ASAN_OPTIONS=detect_leaks=0 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
sanitize-test: sanitize
	cd $(SANITIZE_DIR) && $(SANITIZER_OPTIONS) ctest --output-on-failure -j$(JOBS) -L 'unit|e2e'
	$(MAKE) --no-print-directory fuzz

# Hostile scripts, options files and sets through the sanitized program; FUZZ_ARGS for a long run.
FUZZ_ARGS ?= --seed 2026 --scripts 300 --sets 300
fuzz: sanitize
	/usr/bin/python3 scripts/fuzz.py $(SANITIZE_DIR) $(FUZZ_ARGS)

# The style is .clang-format's; format-check fails on any file that differs from it.
FORMATTED = $(shell git ls-files '*.cpp' '*.h')
format: deps
	clang-format -i $(FORMATTED)
format-check: deps
	clang-format --dry-run --Werror $(FORMATTED)

build: deps
	cmake -S . -B $(BUILD_DIR) -DCMAKE_BUILD_TYPE=Release
	cmake --build $(BUILD_DIR) -j$(JOBS)

# The Debian package from the install rules: $(BUILD_DIR)/varko2000_VERSION_ARCH.deb.
package: build
	cd $(BUILD_DIR) && cpack

deps:
	bash scripts/install-deps.sh

clean:
	rm -rf $(BUILD_DIR) $(SANITIZE_DIR)
