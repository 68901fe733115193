# Fuzzing step of `make test`: builds the libFuzzer targets with clang (the `fuzz`
# preset) and runs each for a bounded time from its committed seed corpus.
# Anything found fails the step; the input is left in build/fuzz/artifacts.

APT_PACKAGES += clang libclang-rt-14-dev llvm
FUZZERS := scan panel
FUZZ_SECONDS ?= 60
FUZZ_DIR := build/fuzz

.PHONY: fuzz
fuzz: deps
	cmake --preset fuzz
	cmake --build --preset fuzz -j $(JOBS) $(addprefix --target plinvaro_fuzz_,$(FUZZERS))
	@mkdir -p $(FUZZ_DIR)/artifacts
	@for f in $(FUZZERS); do \
	  echo "== fuzzing $$f for $(FUZZ_SECONDS) s"; \
	  rm -rf $(FUZZ_DIR)/corpus/$$f && mkdir -p $(FUZZ_DIR)/corpus/$$f && \
	  ASAN_OPTIONS=halt_on_error=1:abort_on_error=1 UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
	  $(FUZZ_DIR)/fuzz/plinvaro_fuzz_$$f -max_total_time=$(FUZZ_SECONDS) -max_len=512 \
	    -print_final_stats=1 -artifact_prefix=$(FUZZ_DIR)/artifacts/$$f- \
	    $(FUZZ_DIR)/corpus/$$f fuzz/corpus/$$f 2>$(FUZZ_DIR)/$$f.log; \
	  status=$$?; grep -E '^stat::|^Done' $(FUZZ_DIR)/$$f.log; \
	  if [ $$status -ne 0 ]; then tail -n 60 $(FUZZ_DIR)/$$f.log; exit 1; fi; \
	done
