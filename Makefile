# The two commands a user needs: `make run` and `make test`.
# Both install the missing Debian packages first, then configure and build into build/.
# `make install` (PREFIX, DESTDIR) and `make package` (a .deb in build/) are for installing.

PACKAGES := build-essential cmake pkg-config qt6-base-dev libgl-dev libsqlite3-dev \
            libgtest-dev libbenchmark-dev fonts-liberation2 sqlite3 \
            nlohmann-json3-dev poppler-utils
BUILD    := build
JOBS     := $(shell nproc 2>/dev/null || echo 2)
SUDO     := $(shell [ "$$(id -u)" = 0 ] || echo sudo)
PREFIX   ?= /usr/local
DESTDIR  ?=
# Building and checking the .deb needs these as well; only `make package` asks for them.
PACKAGE_TOOLS := dpkg-dev file lintian appstream desktop-file-utils

.PHONY: run test deps build install package package-check

run: build
	@if [ -z "$$QT_QPA_PLATFORM" ] && [ -z "$$WAYLAND_DISPLAY" ]; then \
	  case "$$DISPLAY" in \
	    "") echo "make run: no display (DISPLAY is not set); start it from a desktop session or under Xvfb."; exit 1 ;; \
	    :*) n=$${DISPLAY#:}; n=$${n%%.*}; \
	        [ -S /tmp/.X11-unix/X$$n ] || { echo "make run: no X server answers on display $$DISPLAY; start one (for example Xvfb $$DISPLAY) first."; exit 1; } ;; \
	  esac; \
	fi
	./$(BUILD)/ampora

test: build
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

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
