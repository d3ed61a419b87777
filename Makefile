# The two commands of the README. Everything else is CMake (see CMakePresets.json).
#   make run   installs what is missing, builds, lays out the program folder, starts Tavorel
#   make test  installs what is missing, builds, runs every test headless
# PRESET chooses the build: dev (default), ci (warnings are errors), sanitizer.

PRESET  ?= dev
PROGRAM ?= program
JOBS    ?= $(shell nproc 2>/dev/null || echo 2)
BUILD    = $(if $(filter sanitizer,$(PRESET)),build-asan,$(if $(filter ci,$(PRESET)),build-ci,build))

.PHONY: run test build bootstrap program sanitize clean

bootstrap:
	@scripts/bootstrap

$(BUILD)/build.ninja: | bootstrap
	@cmake --preset $(PRESET) >/dev/null

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
	@cd $(BUILD) && ASAN_OPTIONS=$${ASAN_OPTIONS:-detect_leaks=0} ctest --output-on-failure -j $(JOBS)

# The whole suite under AddressSanitizer and UndefinedBehaviorSanitizer.
sanitize:
	@$(MAKE) --no-print-directory test PRESET=sanitizer

clean:
	@rm -rf build build-asan build-ci
