# The two commands of the README: `make run` and `make test`. Both install what is missing first.
BUILD        := build
NATIVE_BUILD := build-native
JOBS         ?= 2

.PHONY: run test deps build native-test wine-test screenshot bench dist clean

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
# focus from each other.
wine-test:
	tools/wine-session.sh sh -c 'cd $(BUILD) && ctest --output-on-failure'

bench: deps build
	tools/wine-session.sh tools/bench.sh $(abspath $(BUILD))

# build/glyphdock-VERSION-win64.zip: both programs, the README and the licence.
dist: deps build
	cmake --build $(BUILD) --target dist

screenshot: deps build
	tools/screenshot.sh

clean:
	rm -rf $(BUILD) $(NATIVE_BUILD)
