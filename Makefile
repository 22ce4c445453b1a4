# The two commands of the README: `make run` and `make test`.
BUILD ?= build
JOBS ?= 2

.PHONY: run test build deps assets bench clean

deps:
	@tools/install-deps.sh

build: deps
	@cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
	@cmake --build $(BUILD) -j$(JOBS)

# The game reads everything relative to its working directory: this folder.
run: build
	@tools/headless.sh --say $(BUILD)/bin/dovra

test: build
	@tools/headless.sh ctest --test-dir $(BUILD) --output-on-failure -j$(JOBS)

assets: deps
	@tools/make-assets.sh

bench: build
	@tools/headless.sh tools/run-benchmarks.sh $(BUILD)

clean:
	rm -rf $(BUILD)
