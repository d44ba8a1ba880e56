# The two commands a user needs: `make run` and `make test`.
# Both install the missing Debian packages first, then configure and build into build/.

PACKAGES := build-essential cmake pkg-config qt6-base-dev libgl-dev libsqlite3-dev \
            libgtest-dev libbenchmark-dev fonts-liberation2 sqlite3 \
            nlohmann-json3-dev poppler-utils
BUILD    := build
JOBS     := $(shell nproc 2>/dev/null || echo 2)
SUDO     := $(shell [ "$$(id -u)" = 0 ] || echo sudo)

.PHONY: run test deps build

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
