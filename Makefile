# make        build everything into build/
# make run    install what is missing, build and start the window
# make test   install what is missing, build and run every test
# make package  build the Debian package into build/
# make bench  build the benchmarks (bench/) into build/
BUILD ?= build
JOBS ?= $(shell nproc)
CMAKE_FLAGS ?=
CTEST_FLAGS ?=

.PHONY: all build configure deps run test bench format format-check sanitize package clean

all: build

deps:
	./scripts/install-deps

configure:
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo $(CMAKE_FLAGS)

build: configure
	cmake --build $(BUILD) -j $(JOBS)

run: deps build
	./$(BUILD)/trazel

test: deps build
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS) $(CTEST_FLAGS)

bench: build
	cmake --build $(BUILD) -j $(JOBS) --target benchmarks

# The whole suite again with AddressSanitizer and UndefinedBehaviorSanitizer
# (the fuzzers carry their own sanitizers and run in the plain build).
sanitize: deps
	$(MAKE) test BUILD=build-sanitize CTEST_FLAGS="-LE fuzz $(CTEST_FLAGS)" \
	  CMAKE_FLAGS="-DTRAZEL_SANITIZE=ON -DCMAKE_BUILD_TYPE=Debug $(CMAKE_FLAGS)"

# The Debian package trazel_<version>_<arch>.deb, in $(BUILD)/.
package: deps build
	cmake --build $(BUILD) --target package

format:
	git ls-files '*.cpp' '*.h' | xargs clang-format -i

# Fails on any file that `make format` would change.
format-check: deps
	git ls-files '*.cpp' '*.h' | xargs clang-format --dry-run -Werror

clean:
	rm -rf $(BUILD) build-sanitize
