# Sanitizer step of `make test`: every engine, controller and command-line test
# built with AddressSanitizer and UndefinedBehaviorSanitizer (the `debug` preset)
# and run once; the first report of either ends the run with a failure.

SANITIZE_ENV := ASAN_OPTIONS=halt_on_error=1:abort_on_error=1:detect_leaks=1:strict_string_checks=1 \
                UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1

.PHONY: sanitize
sanitize: deps
	cmake --preset debug
	cmake --build --preset debug -j $(JOBS)
	$(SANITIZE_ENV) ctest --preset debug -j $(JOBS)
