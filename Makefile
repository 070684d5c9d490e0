# Set-up, build and test in one step each; see README.md.
BUILD_DIR ?= build
SANITIZE_DIR ?= build-sanitize
JOBS ?= 2
SANITIZERS = -fsanitize=address,undefined -fno-omit-frame-pointer

.PHONY: run test build deps clean sanitize fuzz

run: build
	$(BUILD_DIR)/bin/varko2000

test: build sanitize
	cd $(BUILD_DIR) && ctest --output-on-failure -j$(JOBS)
	$(MAKE) --no-print-directory fuzz

# The program and the archivers with AddressSanitizer and UndefinedBehaviorSanitizer.
sanitize: deps
	cmake -S . -B $(SANITIZE_DIR) -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF \
	  -DCMAKE_CXX_FLAGS="$(SANITIZERS)" -DCMAKE_EXE_LINKER_FLAGS="$(SANITIZERS)"
	cmake --build $(SANITIZE_DIR) -j$(JOBS) --target varko2000 wrar wace

# Hostile scripts, options files and sets through the sanitized program; FUZZ_ARGS for a long run.
FUZZ_ARGS ?= --seed 2026 --scripts 300 --sets 300
fuzz: sanitize
	/usr/bin/python3 scripts/fuzz.py $(SANITIZE_DIR) $(FUZZ_ARGS)

build: deps
	cmake -S . -B $(BUILD_DIR) -DCMAKE_BUILD_TYPE=Release
	cmake --build $(BUILD_DIR) -j$(JOBS)

deps:
	bash scripts/install-deps.sh

clean:
	rm -rf $(BUILD_DIR) $(SANITIZE_DIR)
