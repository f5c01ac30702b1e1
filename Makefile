# The two everyday commands are `make run` and `make test`; both install
# whatever Debian packages are missing first.
BUILD_DIR := build
JOBS := $(shell nproc)
MAKEFLAGS += --no-print-directory

.PHONY: all deps build test run bench fuzz format clean

all: build

deps:
	@scripts/install-deps.sh

build: deps
	@cmake -S . -B $(BUILD_DIR) -DCMAKE_BUILD_TYPE=Release >/dev/null
	@cmake --build $(BUILD_DIR) -j $(JOBS)

test:
	@scripts/test.sh

run: build
	@scripts/run.sh $(BUILD_DIR)

bench: build
	@$(BUILD_DIR)/bench/step_bench
	@scripts/with-xvfb.sh $(BUILD_DIR)/bench/display_bench

fuzz:
	@scripts/fuzz.sh

format:
	@clang-format -i $$(git ls-files '*.cpp' '*.h')

clean:
	rm -rf build build-*
