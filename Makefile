# Set-up, build and test in one step each; see README.md.
BUILD_DIR ?= build
JOBS ?= 2

.PHONY: run test build deps clean

run: build
	$(BUILD_DIR)/bin/varko2000

test: build
	cd $(BUILD_DIR) && ctest --output-on-failure -j$(JOBS)

build: deps
	cmake -S . -B $(BUILD_DIR) -DCMAKE_BUILD_TYPE=Release
	cmake --build $(BUILD_DIR) -j$(JOBS)

deps:
	bash scripts/install-deps.sh

clean:
	rm -rf $(BUILD_DIR)
