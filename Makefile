# Thin wrapper over CMake. `make run` builds and starts QMel in the current
# directory (its settings files are read from there); `make test` builds and
# runs every test.
BUILD ?= build
JOBS ?= $(shell nproc)
CMAKE_FLAGS ?=

.PHONY: all deps configure build run test check package bench fuzz sanitize clean

all: build

deps:
	@bash scripts/install-deps.sh

configure: deps
	cmake -S . -B $(BUILD) $(CMAKE_FLAGS)

build: configure
	cmake --build $(BUILD) -j $(JOBS)

run: build
	@bash scripts/run.sh $(BUILD)/app/qmel

# Everything CI runs: the suite, the suite again under sanitizers, and a
# short run of every fuzz target.
test: check sanitize
	$(MAKE) fuzz FUZZ_SECONDS=20

# The suite alone, for a quick run while working.
check: build
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

FUZZ_SECONDS ?= 600

fuzz:
	@QMEL_WITH_FUZZ=1 bash scripts/install-deps.sh
	bash fuzz/run-all.sh $(FUZZ_SECONDS)

sanitize: deps
	bash scripts/ci-sanitizers.sh

bench: build
	$(BUILD)/bench/qmel_bench

package: build
	cmake --build $(BUILD) --target package

clean:
	rm -rf $(BUILD)
