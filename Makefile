# Mirdal: every target installs what is missing first (scripts/bootstrap).
SHELL := /bin/bash
BUILD ?= build
JOBS ?= $(shell nproc 2>/dev/null || echo 2)
# make run opens a fresh copy of the sample disc, so that a Save in the GUI
# never changes the committed one (which the tests read).
RUN_DISC := $(BUILD)/sample-disc
# make install [PREFIX=/usr] [DESTDIR=/tmp/stage]; the prefix is
# CMAKE_INSTALL_PREFIX (/usr/local) unless PREFIX is given.
PREFIX ?=

.PHONY: all build run test install package bench sample fuzz fuzz-run clean bootstrap

all: build

bootstrap:
	@scripts/bootstrap

$(BUILD)/build.ninja: CMakeLists.txt | bootstrap
	@cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null

build: bootstrap $(BUILD)/build.ninja
	@cmake --build $(BUILD) -j $(JOBS)

run: build
	@rm -rf $(RUN_DISC) && cp -R samples/disc $(RUN_DISC)
	@scripts/run-gui $(BUILD) $(RUN_DISC)/BDMV/index.bdmv

test: build
	@cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest -j $(JOBS) --output-on-failure --timeout 300

install: build
	@DESTDIR="$(DESTDIR)" cmake --install $(BUILD) $(if $(PREFIX),--prefix "$(PREFIX)")

# The Debian package, $(BUILD)/mirdal_<version>_<arch>.deb.
package: build
	@cd $(BUILD) && cpack

bench: bootstrap
	@cmake -S . -B $(BUILD)-bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DMIRDAL_BENCH=ON -DMIRDAL_TESTS=OFF -DMIRDAL_GUI=OFF >/dev/null
	@cmake --build $(BUILD)-bench -j $(JOBS)
	@for b in $(BUILD)-bench/bench/bench_*; do [ -x "$$b" ] && "$$b"; done

sample: build
	@$(BUILD)/samples/make-sample-disc samples/disc

fuzz:
	@scripts/bootstrap fuzz
	@cmake -S . -B $(BUILD)-fuzz -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo -DMIRDAL_FUZZ=ON -DMIRDAL_TESTS=OFF -DMIRDAL_GUI=OFF >/dev/null
	@nice cmake --build $(BUILD)-fuzz -j $(JOBS)

# Every target in turn from its seeds (fuzz/corpus) for FUZZ_SECONDS each, or
# only those named in FUZZ_TARGETS; see fuzz/run.
FUZZ_SECONDS ?= 60
fuzz-run: fuzz
	@fuzz/run $(BUILD)-fuzz $(FUZZ_SECONDS) $(FUZZ_TARGETS)

clean:
	rm -rf $(BUILD) $(BUILD)-bench $(BUILD)-fuzz
