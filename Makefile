# The two commands of the README: `make run` and `make test`.
# Both install what is missing, configure, build and then run.
# The configurations themselves are the presets in CMakePresets.json.

BUILD_DIR ?= build
JOBS      ?= $(shell nproc)

.PHONY: all deps configure build run test test-asan bench gallery package format clean

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

# The .deb, built by CPack into the build folder, then checked by lintian:
# an error fails the target, warnings are shown.
package: build
	rm -f $(BUILD_DIR)/ordlen_*.deb
	cd $(BUILD_DIR) && cpack
	lintian --fail-on error $(BUILD_DIR)/ordlen_*.deb

format:
	clang-format -i $$(git ls-files '*.cpp' '*.h')

clean:
	rm -rf $(BUILD_DIR) build-asan build-ci build-coverage

# Crash torture: N random kills of a process that is changing the store.
N ?= 1000
.PHONY: torture
torture: build
	$(BUILD_DIR)/tests/durability/torture $(N)

# libFuzzer on the store loader and the preferences reader, each for
# FUZZ_SECONDS on a copy of its seed corpus; findings land in
# $(FUZZ_DIR)/crashes. The targets' files go to FUZZ_TMP: on tmpfs an fsync
# costs nothing, which gives about five times the runs.
FUZZ_DIR     ?= build-fuzz
FUZZ_SECONDS ?= 60
FUZZ_TMP     ?= /dev/shm
.PHONY: fuzz
fuzz: deps
	cmake -S . -B $(FUZZ_DIR) $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	  -DCMAKE_CXX_COMPILER=clang++-14 -DORDLEN_FUZZ=ON
	cmake --build $(FUZZ_DIR) -j $(JOBS)
	status=0; for t in store prefs; do \
	  rm -rf $(FUZZ_DIR)/corpus/$$t; mkdir -p $(FUZZ_DIR)/corpus/$$t $(FUZZ_DIR)/crashes; \
	  cp tests/fuzz/corpus/$$t/* $(FUZZ_DIR)/corpus/$$t/; \
	  TMPDIR=$(FUZZ_TMP) $(FUZZ_DIR)/tests/fuzz/fuzz_$$t -max_total_time=$(FUZZ_SECONDS) \
	    -artifact_prefix=$(FUZZ_DIR)/crashes/$$t- $(FUZZ_DIR)/corpus/$$t || status=1; \
	done; exit $$status
