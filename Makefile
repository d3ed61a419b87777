# The two commands of the README. Everything else is CMake.
#   make run   installs what is missing, builds, lays out the program folder, starts Tavorel
#   make test  installs what is missing, builds, runs every test headless

BUILD    ?= build
PROGRAM  ?= program
JOBS     ?= $(shell nproc 2>/dev/null || echo 2)
CMAKE_FLAGS ?= -DCMAKE_BUILD_TYPE=RelWithDebInfo

.PHONY: run test build bootstrap program sanitize fuzz clean

bootstrap:
	@scripts/bootstrap

$(BUILD)/build.ninja: | bootstrap
	@cmake -S . -B $(BUILD) -G Ninja $(CMAKE_FLAGS) >/dev/null

build: bootstrap $(BUILD)/build.ninja
	@cmake --build $(BUILD) -j $(JOBS)

# Only what the program folder needs: the program and the store installer, not the tests.
# The folder survives rebuilds: it holds the user's archives and settings.
program: bootstrap $(BUILD)/build.ninja
	@cmake --build $(BUILD) -j $(JOBS) --target tavorel tavorel-install-store
	@scripts/install-program $(BUILD) $(PROGRAM)

run: program
	@scripts/start $(PROGRAM)

test: build
	@cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

# The whole suite under AddressSanitizer and UndefinedBehaviorSanitizer.
sanitize: bootstrap
	@cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DTAVOREL_SANITIZE=ON >/dev/null
	@cmake --build build-asan -j $(JOBS)
	@cd build-asan && ASAN_OPTIONS=detect_leaks=0 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 ctest --output-on-failure -j $(JOBS)

# Every fuzz target for FUZZ_SECONDS each, built with clang in its own folder; fails on a crash
# or a sanitizer report.
FUZZ_SECONDS ?= 60
fuzz:
	@scripts/bootstrap fuzz
	@cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
	  -DTAVOREL_FUZZ=ON >/dev/null
	@cmake --build build-fuzz -j $(JOBS) --target fuzz_all
	@scripts/fuzz build-fuzz $(FUZZ_SECONDS)

clean:
	@rm -rf $(BUILD) build-asan build-fuzz
