# The two commands of the README: `make run` and `make test`. Both install what is missing first.
BUILD        := build
NATIVE_BUILD := build-native
RELEASE_BUILD := build-release
PREFIX       ?= /usr/local
JOBS         ?= 2

.PHONY: run test deps build native-test wine-test screenshot bench bench-native dist clean native-release install

run: deps build
	tools/run.sh

test: deps native-test build wine-test

deps:
	@tools/install-deps.sh

$(BUILD)/CMakeCache.txt:
	cmake -S . -B $(BUILD) -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake -DCMAKE_BUILD_TYPE=Release

build: $(BUILD)/CMakeCache.txt
	cmake --build $(BUILD) -j $(JOBS)

$(NATIVE_BUILD)/CMakeCache.txt:
	cmake -S . -B $(NATIVE_BUILD) -DCMAKE_BUILD_TYPE=Debug

# Native suite first, Wine suite last, so that the final line is the Wine suite's summary.
native-test: $(NATIVE_BUILD)/CMakeCache.txt
	cmake --build $(NATIVE_BUILD) -j $(JOBS)
	cd $(NATIVE_BUILD) && ctest --output-on-failure -j $(JOBS)

# One test at a time: main windows of parallel tests would take the activation and the keyboard
# focus from each other. Failed tests run once more, in full view: a Wine process that dies at
# launch without a word (seen once on CI, never here) is told apart from a fault, which fails twice.
wine-test:
	tools/wine-session.sh sh -c 'cd $(BUILD) && { ctest --output-on-failure || { \
	  echo "wine-test: running the failed tests once more"; ctest --rerun-failed --output-on-failure; }; }'

# The Linux exporter and libglyphdock as users get them: optimised, without the sanitizers.
$(RELEASE_BUILD)/CMakeCache.txt:
	cmake -S . -B $(RELEASE_BUILD) -DCMAKE_BUILD_TYPE=Release -DGLYPHDOCK_SANITIZE=OFF

native-release: $(RELEASE_BUILD)/CMakeCache.txt
	cmake --build $(RELEASE_BUILD) -j $(JOBS) --target glyphdock-export glyphdock

install: deps native-release
	DESTDIR="$(DESTDIR)" cmake --install $(RELEASE_BUILD) --prefix "$(PREFIX)"

bench: deps build native-release
	@tools/install-deps.sh --bench
	tools/wine-session.sh tools/bench.sh $(abspath $(BUILD)) $(abspath $(RELEASE_BUILD))

# The Linux exporter's lines alone, over the modules of an existing prefix (no Wine is started).
bench-native: deps native-release
	@tools/install-deps.sh --bench
	tools/bench-native.sh $(abspath $(BUILD)) $(abspath $(RELEASE_BUILD))

# build/glyphdock-VERSION-win64.zip: both programs, the README and the licence.
dist: deps build
	cmake --build $(BUILD) --target dist

screenshot: deps build
	tools/screenshot.sh

clean:
	rm -rf $(BUILD) $(NATIVE_BUILD) $(RELEASE_BUILD)
