# The two commands of the README: `make run` and `make test`.
# Both install what is missing, configure, build and then run.
# The configurations themselves are the presets in CMakePresets.json.

BUILD_DIR ?= build
JOBS      ?= $(shell nproc)

.PHONY: all deps configure build run test test-asan bench gallery format clean

all: build

deps:
	@bash scripts/install-deps.sh

# A tree counts as configured once the generator has written its own file:
# a configure that failed leaves none, so the next make configures again
# instead of handing ninja a tree it can't load. Later edits to CMakeLists
# are picked up by ninja itself.
$(BUILD_DIR)/build.ninja: | deps
	cmake --preset dev -B $(BUILD_DIR)

build-asan/build.ninja: | deps
	cmake --preset asan

configure: $(BUILD_DIR)/build.ninja

build: configure
	cmake --build $(BUILD_DIR) -j $(JOBS)

run: build
	@bash scripts/run.sh $(BUILD_DIR)/src/app/ordlen

test: build
	ctest --test-dir $(BUILD_DIR) --output-on-failure --no-tests=error -j $(JOBS)

# The same tests, built with AddressSanitizer and UndefinedBehaviorSanitizer.
test-asan: build-asan/build.ninja
	cmake --build --preset asan -j $(JOBS)
	ctest --preset asan -j $(JOBS)

bench: build
	@bash scripts/bench.sh $(BUILD_DIR)

gallery: build
	@bash scripts/gallery.sh $(BUILD_DIR)

format:
	clang-format -i $$(git ls-files '*.cpp' '*.h')

clean:
	rm -rf $(BUILD_DIR) build-asan build-ci build-coverage
