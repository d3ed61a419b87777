# The two commands of the README. Everything else is CMake (see CMakePresets.json).
#   make run   installs what is missing, builds, lays out the program folder, starts Tavorel
#   make test  installs what is missing, builds, runs every test headless
# PRESET chooses the build: dev (default), ci (warnings are errors), sanitizer.

PRESET  ?= dev
PROGRAM ?= program
JOBS    ?= $(shell nproc 2>/dev/null || echo 2)
BUILD    = $(if $(filter sanitizer,$(PRESET)),build-asan,$(if $(filter ci,$(PRESET)),build-ci,build))

.PHONY: run test build bootstrap program sanitize tsan fuzz format-check clean

bootstrap:
	@scripts/bootstrap

$(BUILD)/build.ninja: | bootstrap
	@cmake --preset $(PRESET) >/dev/null

build: bootstrap $(BUILD)/build.ninja
	@cmake --build $(BUILD) -j $(JOBS)

# Only what the program folder needs: the program, the store installer and the manual, not the tests.
# The folder survives rebuilds: it holds the user's archives and settings.
program: bootstrap $(BUILD)/build.ninja
	@cmake --build $(BUILD) -j $(JOBS) --target tavorel tavorel-install-store tavorel-guida
	@scripts/install-program $(BUILD) $(PROGRAM)

run: program
	@scripts/start $(PROGRAM)

# A sanitizer report stops the test that made it, so the run fails.
test: build
	@cd $(BUILD) && ASAN_OPTIONS=$${ASAN_OPTIONS:-detect_leaks=0} \
	  UBSAN_OPTIONS=$${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1} ctest --output-on-failure -j $(JOBS)

# The whole suite under AddressSanitizer and UndefinedBehaviorSanitizer.
sanitize:
	@$(MAKE) --no-print-directory test PRESET=sanitizer

# The storage and list tests (the scans that run on several threads) under ThreadSanitizer, in their
# own folder (the tsan preset); only their executables are built. Qt itself is not instrumented:
# tests/tsan.supp names what of it ThreadSanitizer cannot see through. The tests that route the C
# library's file calls through the fault injector (tavorel_faults) are left out: ThreadSanitizer
# intercepts the same calls.
TSAN_TESTS = tst_Cp1252 tst_IniFile tst_RecordFile tst_RecordLayout tst_SpreadsheetFile tst_ListRows
tsan: bootstrap
	@cmake --preset tsan >/dev/null
	@cmake --build build-tsan -j $(JOBS) --target $(TSAN_TESTS)
	@cd build-tsan && TSAN_OPTIONS="halt_on_error=1 second_deadlock_stack=1 suppressions=$(CURDIR)/tests/tsan.supp" \
	  ctest --output-on-failure -j $(JOBS) -R '^(storage|lists)/' -E 'tst_SafeFile|tst_PaymentArchive'

# Every C and C++ file as clang-format writes it (scripts/check-format names those that are not).
format-check:
	@scripts/check-format

# Every fuzz target for FUZZ_SECONDS each, built with clang in its own folder (the fuzz preset);
# fails on a crash or a sanitizer report, leaving the input that caused it in build-fuzz.
FUZZ_SECONDS ?= 60
fuzz:
	@scripts/bootstrap fuzz
	@cmake --preset fuzz >/dev/null
	@cmake --build build-fuzz -j $(JOBS) --target fuzz_all
	@scripts/fuzz build-fuzz $(FUZZ_SECONDS)

clean:
	@rm -rf build build-asan build-ci build-tsan build-fuzz
