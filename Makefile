# Build and test Trawl on Debian: the core natively, everything else cross-built
# for Windows and run under Wine on a virtual display.
BUILD ?= build
NATIVE := $(BUILD)/native
WIN := $(BUILD)/win
FUZZ := $(BUILD)/fuzz
# Seconds each fuzz target runs in `make fuzz`.
FUZZ_SECONDS ?= 180
JOBS ?= $(shell nproc)
CMAKE_FLAGS ?=
export WINEPREFIX := $(abspath $(BUILD))/wineprefix
export WINEDEBUG := -all

.PHONY: all deps native win test test-native test-wine test-fuzz run bench screenshot screenshot-dialogs screenshot-dpi format clean fuzz-build fuzz

all: win

deps:
	@tools/install-deps

native: deps
	@cmake -S . -B $(NATIVE) -DCMAKE_BUILD_TYPE=Debug $(CMAKE_FLAGS) >/dev/null
	@cmake --build $(NATIVE) -j $(JOBS)

win: deps
	@cmake -S . -B $(WIN) -DCMAKE_BUILD_TYPE=Release \
		-DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake $(CMAKE_FLAGS) >/dev/null
	@cmake --build $(WIN) -j $(JOBS)

test-native: native
	ctest --test-dir $(NATIVE) --output-on-failure

test-wine: win
	tools/wine-session ctest --test-dir $(WIN) --output-on-failure --timeout 300

fuzz-build: deps
	@cmake -S . -B $(FUZZ) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ -DTRAWL_FUZZ=ON \
		$(CMAKE_FLAGS) >/dev/null
	@cmake --build $(FUZZ) -j $(JOBS)

# Every fuzz target over its corpus only: seconds.
test-fuzz: fuzz-build
	ctest --test-dir $(FUZZ) --output-on-failure

fuzz: fuzz-build
	tools/run-fuzz $(FUZZ) $(FUZZ_SECONDS)

test: test-native test-fuzz test-wine

run: win
	tools/run-trawl $(WIN)/app/trawl.exe

bench: win
	tools/wine-session tools/wine-run $(WIN)/bench/bench_search.exe

format:
	find app core ui framework tests bench fuzz -name '*.cpp' -o -name '*.h' | xargs clang-format -i

clean:
	rm -rf $(BUILD)

screenshot: win
	tools/screenshot-search $(WIN)/app/trawl.exe docs/screenshot.png
	tools/screenshot-shadowed $(WIN)/app/trawl.exe docs/shadowed.png
	tools/screenshot-whatruns $(WIN)/app/trawl.exe docs/whatruns.png
	tools/screenshot-actions $(WIN)/app/trawl.exe docs/actions.png

screenshot-dialogs: win
	tools/screenshot-dialogs $(WIN)/app/trawl.exe docs
	tools/screenshot-versions $(WIN)/app/trawl.exe docs/versions.png
	tools/screenshot-dirlist $(WIN)/app/trawl.exe docs/dirlist.png
	tools/screenshot-editor $(WIN)/app/trawl.exe docs/editor.png

screenshot-dpi: win
	tools/screenshot-dpi $(WIN)/app/trawl.exe docs
