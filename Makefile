# The two commands a user needs: `make run` and `make test`.
# Both install the missing Debian packages first, then configure and build into build/.
# `make install` (PREFIX, DESTDIR) and `make package` (a .deb in build/) are for installing.

PACKAGES := build-essential cmake pkg-config qt6-base-dev qt6-svg-dev libgl-dev libsqlite3-dev \
            libgtest-dev libbenchmark-dev fonts-liberation2 sqlite3 nlohmann-json3-dev
# Only the checks need these: clang with its libFuzzer runtime for the fuzz
# targets, poppler's tools to read the reports' PDFs back, the MIME database
# with the menu entries' index and GIO to see the design files' type as a
# desktop does.
TEST_PACKAGES := poppler-utils clang libclang-rt-14-dev shared-mime-info desktop-file-utils \
                 libglib2.0-bin
BUILD    := build
JOBS     := $(shell nproc 2>/dev/null || echo 2)
SUDO     := $(shell [ "$$(id -u)" = 0 ] || echo sudo)
PREFIX   ?= /usr/local
DESTDIR  ?=
# Building and checking the .deb needs these as well; only `make package` asks for them.
PACKAGE_TOOLS := dpkg-dev file lintian appstream desktop-file-utils shared-mime-info libglib2.0-bin

FUZZ_BUILD := build-fuzz
# Inputs per fuzz target in the short run; the curve file's start-up writes
# three files per input, so it gets fewer.
FUZZ_RUNS ?= 20000
export FUZZ_RUNS_curve_file_start ?= 4000

.PHONY: run test deps build install package package-check fuzz-build test-long format-check

run: build
	@if [ -z "$$QT_QPA_PLATFORM" ] && [ -z "$$WAYLAND_DISPLAY" ]; then \
	  case "$$DISPLAY" in \
	    "") echo "make run: no display (DISPLAY is not set); start it from a desktop session or under Xvfb."; exit 1 ;; \
	    :*) n=$${DISPLAY#:}; n=$${n%%.*}; \
	        [ -S /tmp/.X11-unix/X$$n ] || { echo "make run: no X server answers on display $$DISPLAY; start one (for example Xvfb $$DISPLAY) first."; exit 1; } ;; \
	  esac; \
	fi
	./$(BUILD)/ampora

# The checks treat every compiler warning as an error (GCC for the program,
# clang for the fuzz targets).
test test-long: CMAKE_ARGS += -DAMPORA_WERROR=ON

test: PACKAGES += $(TEST_PACKAGES)
test: build fuzz-build
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)
	FUZZ_RUNS=$(FUZZ_RUNS) ./fuzz/run.sh $(FUZZ_BUILD)

# The long form of the reliability checks: each fuzz target for a million
# inputs from a new seed, and 200 kill trials of the crash-consistency test.
test-long: PACKAGES += $(TEST_PACKAGES)
test-long: build fuzz-build
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen AMPORA_CRASH_TRIALS=200 \
	  ctest --output-on-failure -R CrashConsistency
	FUZZ_RUNS=1000000 FUZZ_RUNS_curve_file_start=100000 FUZZ_SEED=0 ./fuzz/run.sh $(FUZZ_BUILD)

# The loaders of outside data under libFuzzer: clang, ASan and UBSan.
fuzz-build: PACKAGES += $(TEST_PACKAGES)
fuzz-build: deps
	cmake -S . -B $(FUZZ_BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
	  -DAMPORA_FUZZ=ON $(CMAKE_ARGS) >/dev/null
	cmake --build $(FUZZ_BUILD) --target ampora_fuzz -j $(JOBS)

install: build
	DESTDIR="$(DESTDIR)" cmake --install $(BUILD) --prefix "$(PREFIX)"

package: PACKAGES += $(PACKAGE_TOOLS)
package: build
	rm -f $(BUILD)/ampora_*.deb
	cd $(BUILD) && cpack -G DEB

# The file list, desktop-file-validate, appstreamcli, lintian, and the
# unpacked program run as an installed one.
package-check: package
	sh packaging/check-package.sh $(BUILD)

# Every C++ file as .clang-format writes it; CI fails on a difference.
format-check: PACKAGES += clang-format
format-check: deps
	git ls-files '*.cpp' '*.h' | xargs clang-format --dry-run --Werror

build: deps
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo $(CMAKE_ARGS) >/dev/null
	cmake --build $(BUILD) -j $(JOBS)

# Idempotent: asks apt only for what dpkg does not already have.
deps:
	@missing=""; for p in $(PACKAGES); do \
	  dpkg-query -W -f='$${Status}' $$p 2>/dev/null | grep -q 'install ok installed' || missing="$$missing $$p"; \
	done; \
	if [ -n "$$missing" ]; then \
	  echo "Installing:$$missing"; \
	  $(SUDO) apt-get update -qq && \
	  DEBIAN_FRONTEND=noninteractive $(SUDO) apt-get install -y -qq --no-install-recommends $$missing; \
	fi
