# The two commands of the README: `make run` and `make test`.
BUILD ?= build
JOBS ?= 2

.PHONY: run test build configure deps assets bench clean sanitize tsan fuzz soak package gallery mutants monkey
# Keep the nested CMake makefiles from announcing every directory change.
MAKEFLAGS += --no-print-directory

deps:
	@tools/install-deps.sh

configure: deps
	@cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null

build: configure
	@cmake --build $(BUILD) -j$(JOBS)

# The game reads everything relative to its working directory: this folder.
run: configure
	@cmake --build $(BUILD) --target dovra -j$(JOBS)
	@tools/headless.sh --say $(BUILD)/bin/dovra

test: build
	@tools/headless.sh ctest --test-dir $(BUILD) --output-on-failure -j$(JOBS)

# The whole suite built with AddressSanitizer and UndefinedBehaviorSanitizer in
# a folder of its own. Leak checking stays on; the only leaks suppressed are the
# Mesa GL driver's own (tools/lsan.supp). GCC 12's sanitizer runtime takes a
# dynamic TLS block that happens to start 16 bytes into a page for an old
# glibc's, reads two words before it as its bounds, and the leak check's
# tracer then dies at exit now and then (about one run of test_gui in five);
# intercept_tls_get_addr=0 leaves such blocks out of its bookkeeping.
SANITIZER_ASAN_OPTIONS = detect_leaks=1:abort_on_error=0:intercept_tls_get_addr=0
SANITIZE_BUILD ?= build-sanitize
sanitize: deps
	@cmake -S . -B $(SANITIZE_BUILD) -DCMAKE_BUILD_TYPE=Debug -DDOVRA_SANITIZE=ON >/dev/null
	@cmake --build $(SANITIZE_BUILD) -j$(JOBS)
	@ASAN_OPTIONS=$(SANITIZER_ASAN_OPTIONS) \
	 LSAN_OPTIONS=suppressions=$(CURDIR)/tools/lsan.supp:print_suppressions=0 \
	 UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
	 tools/headless.sh ctest --test-dir $(SANITIZE_BUILD) --output-on-failure -j$(JOBS)

# The threads' tests built with ThreadSanitizer in a folder of their own: the
# picture workers (decoding ahead, and ending under a fatal error) and the
# whole game's start-up and shut-down, in process and in processes of their
# own. Reports from inside the GL driver and the audio driver, which are not
# built with it, are left out (tools/tsan.supp).
TSAN_BUILD ?= build-tsan
tsan: deps
	@cmake -S . -B $(TSAN_BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DDOVRA_TSAN=ON >/dev/null
	@cmake --build $(TSAN_BUILD) --target test_anim test_stores test_game test_soak -j$(JOBS)
	@set -e; export TSAN_OPTIONS="halt_on_error=1:second_deadlock_stack=1:die_after_fork=0:suppressions=$(CURDIR)/tools/tsan.supp"; \
	 tools/headless.sh $(TSAN_BUILD)/bin/test_anim; \
	 tools/headless.sh $(TSAN_BUILD)/bin/test_stores; \
	 tools/headless.sh $(TSAN_BUILD)/bin/test_game --gtest_filter='Scenes.*:ResourceTable.*:StartUp.*:Hud.*'; \
	 SOAK_RUNS=1 tools/headless.sh $(TSAN_BUILD)/bin/test_soak

# Every reader a stranger's file reaches (a map, a replay, the pack list, a
# pack file and a .dovrapack) under libFuzzer, each for FUZZ_SECONDS or
# FUZZ_RUNS inputs (FUZZ_RUNS=10000000 for a long run), seeded from the
# repository's own files; a crash lands in build-fuzz/ as <reader>-crash-*.
# FUZZ_READERS picks some of them. FUZZ_SANITIZERS=undefined (with a
# FUZZ_BUILD of its own) drops AddressSanitizer for long runs: its allocator
# maps and unmaps every buffer over 128 KiB, and the zip reader's are, which
# makes the pack reader five times slower.
FUZZ_BUILD ?= build-fuzz
FUZZ_SECONDS ?= 60
FUZZ_RUNS ?= 0
FUZZ_READERS ?= map replay packs packfile
FUZZ_SANITIZERS ?= address,undefined
fuzz:
	@tools/install-deps.sh fuzz
	@cmake -S . -B $(FUZZ_BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
	 -DDOVRA_FUZZ=ON -DDOVRA_SANITIZE=OFF -DCMAKE_CXX_FLAGS="-fsanitize=$(FUZZ_SANITIZERS) \
	 -fno-omit-frame-pointer -fno-sanitize-recover=undefined" \
	 -DCMAKE_EXE_LINKER_FLAGS=-fsanitize=$(FUZZ_SANITIZERS) >/dev/null
	@cmake --build $(FUZZ_BUILD) --target $(FUZZ_READERS:%=%_fuzz) -j$(JOBS)
	@for reader in $(FUZZ_READERS); do \
	  case $$reader in \
	    map) seeds="tests/data/maps tests/data/replays Editor/Levels";; \
	    replay) seeds="tests/data/replays tests/data/levels";; \
	    packs) seeds="Resources/LevelPacks";; \
	    packfile) seeds="tests/data/packs/hostile tests/data/packs/good";; \
	  esac; \
	  dict=; [ -f tools/fuzz/$$reader.dict ] && dict=-dict=tools/fuzz/$$reader.dict; \
	  limit=-max_total_time=$(FUZZ_SECONDS); [ $(FUZZ_RUNS) -gt 0 ] && limit=-runs=$(FUZZ_RUNS); \
	  mkdir -p $(FUZZ_BUILD)/corpus-$$reader; \
	  if $(FUZZ_BUILD)/bin/$${reader}_fuzz $$limit -timeout=10 -rss_limit_mb=4096 $$dict \
	      -print_final_stats=1 -artifact_prefix=$(FUZZ_BUILD)/$$reader- \
	      $(FUZZ_BUILD)/corpus-$$reader tests/data/fuzz-regressions/$$reader $$seeds \
	      > $(FUZZ_BUILD)/$$reader.log 2>&1; then \
	    echo "fuzz $$reader: $$(grep -m1 number_of_executed_units $(FUZZ_BUILD)/$$reader.log | tr -s ' ' | cut -d' ' -f2) inputs, clean"; \
	  else \
	    echo "fuzz $$reader: FAILED, see $(FUZZ_BUILD)/$$reader.log"; tail -30 $(FUZZ_BUILD)/$$reader.log; exit 1; \
	  fi; \
	done

# The game started and shut down SOAK_RUNS times five, each start in a
# process of its own: a clean one, and one for each way a font or a light
# shader can be missing or broken (a fatal error while the picture workers
# decode). No start may crash or hang.
SOAK_RUNS ?= 60
soak: build
	@SOAK_RUNS=$(SOAK_RUNS) tools/headless.sh $(BUILD)/bin/test_soak

# The Debian package, dovra_<version>_amd64.deb in this folder, checked by
# lintian, desktop-file-validate and appstreamcli.
package: configure
	@tools/install-deps.sh package
	@tools/make-package.sh $(BUILD)

# Plants MUTANTS faults one at a time (a new random seed each run, or
# MUTANTS_SEED to repeat one) and counts how many
# the tests catch; tools/mutants.py says how, and how to set it.
mutants: deps
	@nice -n 10 tools/headless.sh python3 tools/mutants.py

# The game under random hands for MONKEY_SECONDS from MONKEY_SEED, built with
# AddressSanitizer and UndefinedBehaviorSanitizer; a failing run leaves its
# actions in build-monkey/monkey-SEED.txt.
MONKEY_BUILD ?= build-monkey
MONKEY_SECONDS ?= 60
MONKEY_SEED ?= 1
monkey: deps
	@cmake -S . -B $(MONKEY_BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DDOVRA_SANITIZE=ON >/dev/null
	@cmake --build $(MONKEY_BUILD) --target dovra-monkey -j$(JOBS)
	@ASAN_OPTIONS=$(SANITIZER_ASAN_OPTIONS) \
	 LSAN_OPTIONS=suppressions=$(CURDIR)/tools/lsan.supp:print_suppressions=0 \
	 UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
	 tools/headless.sh $(MONKEY_BUILD)/bin/dovra-monkey --seed $(MONKEY_SEED) \
	 --seconds $(MONKEY_SECONDS) --out $(MONKEY_BUILD)

assets: deps
	@tools/make-assets.sh

# Every screen at 1920x1080 and 1280x720 into $(BUILD)/gallery/, the game
# driven on a virtual display of its own from a temporary copy of this folder.
gallery: configure
	@cmake --build $(BUILD) --target dovra -j$(JOBS)
	@tools/gallery.sh $(BUILD) $(BUILD)/gallery

bench: build
	@tools/headless.sh tools/run-benchmarks.sh $(BUILD)

# dovra-solve on every shipped level, SOLVE_SECONDS each (600 by default);
# the last line says how many it won.
.PHONY: solve-bench
solve-bench: configure
	@cmake --build $(BUILD) --target dovra-solve dovra-replay -j$(JOBS)
	@tools/headless.sh nice -n 10 bench/solve-levels.sh $(BUILD)

clean:
	rm -rf $(BUILD)
