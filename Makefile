# make        build everything into build/
# make run    install what is missing, build and start the window
# make test   install what is missing, build and run every test
BUILD ?= build
JOBS ?= $(shell nproc)
CMAKE_FLAGS ?=
CTEST_FLAGS ?=

.PHONY: all build configure deps run test format sanitize clean

all: build

deps:
	./scripts/install-deps

configure:
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo $(CMAKE_FLAGS)

build: configure
	cmake --build $(BUILD) -j $(JOBS)

run: deps build
	@if [ -x $(BUILD)/trazel ]; then \
	  ./$(BUILD)/trazel; \
	else \
	  echo "La ventana de Trazel todavía no existe; de momento está trazel-cli: $(BUILD)/trazel-cli --help"; \
	fi

test: deps build
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS) $(CTEST_FLAGS)

# The whole suite again with AddressSanitizer and UndefinedBehaviorSanitizer
# (the fuzzer carries its own sanitizers and runs in the plain build).
sanitize: deps
	$(MAKE) test BUILD=build-sanitize CTEST_FLAGS="-LE fuzz $(CTEST_FLAGS)" \
	  CMAKE_FLAGS="-DTRAZEL_SANITIZE=ON -DCMAKE_BUILD_TYPE=Debug $(CMAKE_FLAGS)"

format:
	git ls-files '*.cpp' '*.h' | xargs clang-format -i

clean:
	rm -rf $(BUILD) build-sanitize
