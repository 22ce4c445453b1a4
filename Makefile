# The two commands of the README: `make run` and `make test`.
BUILD ?= build
JOBS ?= 2

.PHONY: run test build configure deps assets bench clean
# Keep the nested CMake makefiles from announcing every directory change.
MAKEFLAGS += --no-print-directory

deps:
	@tools/install-deps.sh

configure: deps
	@cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null

build: configure
	@cmake --build $(BUILD) -j$(JOBS)

# The game reads everything relative to its working directory: this folder.
run: configure
	@cmake --build $(BUILD) --target dovra -j$(JOBS)
	@tools/headless.sh --say $(BUILD)/bin/dovra

test: build
	@tools/headless.sh ctest --test-dir $(BUILD) --output-on-failure -j$(JOBS)

assets: deps
	@tools/make-assets.sh

bench: build
	@tools/headless.sh tools/run-benchmarks.sh $(BUILD)

clean:
	rm -rf $(BUILD)
