# Front door for building TEVRA. Every target first makes sure the Debian
# packages are there (a quick no-op when they are).
#
#   make demo            list the bundled example log with tevra-batch
#   make test            build and run every test suite
#   make test SANITIZE=1 the same under AddressSanitizer + UBSan (build-san/)
#   make package         a Debian package of the build (build/tevra_*.deb), checked
#                        by scripts/check-package.sh
#   make bench           build and run the benchmarks (Release)
#   make fuzz            build the libFuzzer targets with clang (optimised, with the
#                        sanitizers) and run each; the corpus stays in build-fuzz/corpus

SANITIZE ?= 0
FUZZ_SECONDS ?= 20
JOBS ?= $(shell nproc)

ifeq ($(SANITIZE),1)
BUILD_DIR := build-san
CMAKE_FLAGS := -DCMAKE_BUILD_TYPE=Debug -DTEVRA_SANITIZE=ON
else
BUILD_DIR := build
CMAKE_FLAGS := -DCMAKE_BUILD_TYPE=RelWithDebInfo
endif

.PHONY: all deps build test demo package bench fuzz clean

all: build

deps:
	@bash scripts/install-deps.sh

$(BUILD_DIR)/build.ninja: | deps
	cmake -S . -B $(BUILD_DIR) -G Ninja $(CMAKE_FLAGS)

build: deps $(BUILD_DIR)/build.ninja
	cmake --build $(BUILD_DIR) -j $(JOBS)

test: build
	cd $(BUILD_DIR) && ctest --output-on-failure -j $(JOBS)

EXAMPLE_LOGS := sample.log sample.mdt sample.l2 sample.dbs sample.hdb sample.res sample.dat sample.adi sample.cbr

demo: build
	@for f in $(EXAMPLE_LOGS); do \
	  echo "== examples/$$f"; $(BUILD_DIR)/bin/tevra-batch --list examples/$$f || exit 1; \
	done
	@echo "== examples/sample.csv (formulas guessed, header skipped)"
	@$(BUILD_DIR)/bin/tevra-batch --list examples/sample.csv --skip 1 --guess
	@mkdir -p out && rm -f out/*.pdf out/*.png && : > out/TEVRA.INI
	@echo "== merge print in bureau order (settings of the demo: out/TEVRA.INI)"
	@for log in sample.adi sample.hdb; do \
	  name=$${log%.*}-$${log#*.}; \
	  $(BUILD_DIR)/bin/tevra-batch --config out/TEVRA.INI --sort asc -o out/postcard-$$name.pdf \
	    examples/postcard.tvd examples/$$log || exit 1; \
	  $(BUILD_DIR)/bin/tevra-batch --config out/TEVRA.INI --sort asc -o out/tackseal-$$name.pdf \
	    examples/tackseal.tvd examples/$$log || exit 1; \
	done
	@$(BUILD_DIR)/bin/tevra-batch --config out/TEVRA.INI --sort asc --png out/card-1.png \
	  examples/postcard.tvd examples/sample.adi
	@$(BUILD_DIR)/bin/tevra-batch --png out/demo-landscape.png examples/landscape.tvd
	@echo "== written:"
	@ls -1 out/*.pdf out/*.png | sed 's/^/   /'

package: build
	cd $(BUILD_DIR) && ctest -R TakesThePictureOfTheWindow --output-on-failure && cpack -G DEB
	bash scripts/check-package.sh

bench: deps
	cmake -S . -B build-bench -G Ninja -DCMAKE_BUILD_TYPE=Release
	cmake --build build-bench -j $(JOBS) --target tevra_bench tevra_window_bench
	build-bench/bench/tevra_bench
	build-bench/bench/tevra_window_bench

fuzz: deps
	CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTEVRA_FUZZ=ON
	cmake --build build-fuzz -j $(JOBS)
	@for t in build-fuzz/fuzz/fuzz_*; do \
	  [ -x "$$t" ] || continue; \
	  name=$$(basename $$t); mkdir -p build-fuzz/corpus/$$name; \
	  echo "== $$name ($(FUZZ_SECONDS) s)"; \
	  $$t -max_total_time=$(FUZZ_SECONDS) -max_len=65536 build-fuzz/corpus/$$name fuzz/seeds/$$name || exit 1; \
	done

clean:
	rm -rf build build-san build-bench build-fuzz
