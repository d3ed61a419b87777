# The two commands of the README. Everything else is CMake.
#   make run   installs what is missing, builds, lays out the program folder, starts Tavorel
#   make test  installs what is missing, builds, runs every test headless

BUILD    ?= build
PROGRAM  ?= program
JOBS     ?= $(shell nproc 2>/dev/null || echo 2)
CMAKE_FLAGS ?= -DCMAKE_BUILD_TYPE=RelWithDebInfo

.PHONY: run test build bootstrap program sanitize clean

bootstrap:
	@scripts/bootstrap

$(BUILD)/build.ninja: | bootstrap
	@cmake -S . -B $(BUILD) -G Ninja $(CMAKE_FLAGS) >/dev/null

build: bootstrap $(BUILD)/build.ninja
	@cmake --build $(BUILD) -j $(JOBS)

# Only what the program folder needs: the program, the store installer and the manual, not the tests.
# The folder survives rebuilds: it holds the user's archives and settings.
program: bootstrap $(BUILD)/build.ninja
	@cmake --build $(BUILD) -j $(JOBS) --target tavorel tavorel-install-store tavorel-guida
	@scripts/install-program $(BUILD) $(PROGRAM)

run: program
	@scripts/start $(PROGRAM)

test: build
	@cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

# The whole suite under AddressSanitizer and UndefinedBehaviorSanitizer.
sanitize: bootstrap
	@cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DTAVOREL_SANITIZE=ON >/dev/null
	@cmake --build build-asan -j $(JOBS)
	@cd build-asan && ASAN_OPTIONS=detect_leaks=0 ctest --output-on-failure -j $(JOBS)

clean:
	@rm -rf $(BUILD) build-asan
