# The two commands of the README: `make run` and `make test`.
RUN_DIR  := build/release
TEST_DIR := build/test
JOBS     ?= $(shell nproc 2>/dev/null || echo 2)

.PHONY: run test build-run build-test deps clean bench package

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

# The Debian package of the optimised build (build/release/korvane_*.deb).
package: build-run
	@cd $(RUN_DIR) && cpack -G DEB | grep -E 'package: .* generated' || { echo "make package: cpack failed" >&2; exit 1; }

bench: build-run
	@for b in $(RUN_DIR)/bin/bench_*; do [ -x "$$b" ] && "$$b"; done

clean:
	rm -rf build
