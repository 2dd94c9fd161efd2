# Thin wrapper over CMake. `make run` builds and starts QMel in the current
# directory (its settings files are read from there); `make test` builds and
# runs every test.
BUILD ?= build
JOBS ?= $(shell nproc)
CMAKE_FLAGS ?=

.PHONY: all deps configure build run test package bench clean

all: build

deps:
	@bash scripts/install-deps.sh

configure: deps
	cmake -S . -B $(BUILD) $(CMAKE_FLAGS)

build: configure
	cmake --build $(BUILD) -j $(JOBS)

run: build
	@bash scripts/run.sh $(BUILD)/app/qmel

test: build
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

bench: build
	$(BUILD)/bench/qmel_bench

package: build
	cmake --build $(BUILD) --target package

clean:
	rm -rf $(BUILD)
