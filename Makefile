# The two commands of the README: `make run` and `make test`.
RUN_DIR  := build/release
TEST_DIR := build/test
JOBS     ?= $(shell nproc 2>/dev/null || echo 2)

WINDOWS_DIR := build/windows
FUZZ_DIR := build/fuzz
FUZZ_SECONDS ?= 60

.PHONY: run test build-run build-test deps clean bench robust fuzz package test-windows lint

deps:
	@bash scripts/deps.sh

build-run: deps
	@cmake -S . -B $(RUN_DIR) -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
	@cmake --build $(RUN_DIR) -j $(JOBS)

run: build-run
	@if [ -z "$$DISPLAY" ] && [ -z "$$WAYLAND_DISPLAY" ] && [ -z "$$QT_QPA_PLATFORM" ]; then \
		echo "korvane: no display found (DISPLAY is not set) - start it from a desktop session, or try: xvfb-run make run"; \
		exit 1; \
	fi
	@$(RUN_DIR)/bin/korvane

build-test: deps
	@cmake -S . -B $(TEST_DIR) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DKORVANE_SANITIZE=ON >/dev/null
	@cmake --build $(TEST_DIR) -j $(JOBS)

test: build-test
	@cd $(TEST_DIR) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

# The house rules: clang-format on every file, clang-tidy (.clang-tidy) on the Qt-free core; see scripts/lint.sh.
lint:
	@bash scripts/deps.sh lint
	@bash scripts/lint.sh

# The Qt-free core and its tests cross-built for Windows (MinGW-w64) and run under Wine, headless.
test-windows:
	@bash scripts/deps.sh windows
	@cmake -S . -B $(WINDOWS_DIR) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake >/dev/null
	@cmake --build $(WINDOWS_DIR) -j $(JOBS)
	@bash scripts/test-windows.sh $(WINDOWS_DIR) $(JOBS)

# The Debian package of the optimised build (build/release/korvane_*.deb).
package: build-run
	@cd $(RUN_DIR) && cpack -G DEB | grep -E 'package: .* generated' || { echo "make package: cpack failed" >&2; exit 1; }

bench: build-run
	@for b in $(RUN_DIR)/bin/bench_*; do [ -x "$$b" ] && "$$b"; done

# The receiver against every single-character fault (deleted, replaced, inserted) of a whole answer
# of the unit: no complete read with a wrong image. Optimised; only the Qt-free core is built for it.
robust: deps
	@cmake -S . -B $(RUN_DIR) -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
	@cmake --build $(RUN_DIR) -j $(JOBS) --target robust_receiver
	@$(RUN_DIR)/bin/robust_receiver

# Each fuzz harness for FUZZ_SECONDS with libFuzzer (clang). New inputs go to build/fuzz/corpus; a
# crash is kept as build/fuzz/crash-HARNESS-*: add it to tests/fuzz/corpus/HARNESS with its fix.
fuzz:
	@bash scripts/deps.sh fuzz
	@CC=clang CXX=clang++ cmake -S . -B $(FUZZ_DIR) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKORVANE_FUZZ=ON >/dev/null
	@cmake --build $(FUZZ_DIR) -j $(JOBS)
	@set -e; for h in config_file receiver text_file; do \
		mkdir -p $(FUZZ_DIR)/corpus/$$h; \
		case $$h in \
			config_file) seeds="tests/fuzz/corpus/$$h tests/data resources/Data";; \
			text_file) seeds="tests/fuzz/corpus/$$h resources/Language";; \
			*) seeds="tests/fuzz/corpus/$$h";; \
		esac; \
		echo "fuzz_$$h: $(FUZZ_SECONDS) s"; \
		$(FUZZ_DIR)/bin/fuzz_$$h $(FUZZ_DIR)/corpus/$$h $$seeds -max_total_time=$(FUZZ_SECONDS) \
			-artifact_prefix=$(FUZZ_DIR)/crash-$$h- -print_final_stats=1 2>$(FUZZ_DIR)/fuzz_$$h.log \
			|| { tail -30 $(FUZZ_DIR)/fuzz_$$h.log; exit 1; }; \
		grep -E "^stat::number_of_executed_units|^Done" $(FUZZ_DIR)/fuzz_$$h.log || true; \
	done

clean:
	rm -rf build
