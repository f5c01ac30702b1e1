# The two everyday commands are `make run` and `make test`; both install
# whatever Debian packages are missing first.
# Each configuration is a preset in CMakePresets.json; the scripts build them.
MAKEFLAGS += --no-print-directory

.PHONY: all deps build test run bench fuzz soak soak-web record windows test-windows web run-web test-web format clean

all: build

deps:
	@scripts/install-deps.sh test

# Everything the development preset builds, in build-dev/.
build: deps
	@scripts/build.sh dev

# Installs and builds only what running needs.
run:
	@scripts/run.sh

test:
	@scripts/test.sh

# Each prints the program's speed-up over the plain version it replaces; then
# the browser build's step and page beside the desktop's.
bench: build
	@build-dev/bench/step_bench
	@XVFB_SCREEN=1920x1080x24 scripts/with-xvfb.sh build-dev/bench/display_bench \
		--benchmark_out=build-dev/display_bench.json
	@scripts/bench-web.sh build-dev/display_bench.json

# Fuzzes the BMP reader for 5 minutes and keeps the minimised corpus.
fuzz:
	@scripts/fuzz.sh 300 --keep

# Random keys and resizes on the real program for 10 minutes (SOAK_SECONDS,
# SOAK_SEED).
soak:
	@scripts/soak.sh

soak-web:
	@VANTRELLE_SOAK_WEB=1 scripts/test-web.sh

# The README's animation, made by the recorder (build-record/vantrelle-record).
record:
	@scripts/record.sh

# build-windows/vantrelle-windows.zip, cross-built with mingw-w64.
windows:
	@scripts/windows.sh

# The Windows package under Wine, against the Linux build.
test-windows:
	@scripts/test-windows.sh

# build-web/site: the program on WebAssembly and WebGL 2, as a static site.
web:
	@scripts/web.sh

# The site on http://127.0.0.1:8000/ (or the next free port).
run-web:
	@scripts/run-web.sh

# The browser build in a real Chromium against the desktop program.
test-web:
	@scripts/test-web.sh

format:
	@clang-format -i $$(git ls-files '*.cpp' '*.h')

clean:
	rm -rf build build-*
