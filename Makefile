# Velliqa: the two everyday commands are `make run` and `make test`.
BUILD    ?= build
TYPE     ?= RelWithDebInfo
DATA_DIR ?= $(CURDIR)/data
JOBS     ?= $(shell nproc)
CMAKE_ARGS ?=

.PHONY: all deps configure build run test screenshots bench fuzz package asan-test format check-format lint clean

all: build

deps:
	@scripts/install-deps

configure: deps
	@cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=$(TYPE) $(CMAKE_ARGS) > /dev/null

build: configure
	@cmake --build $(BUILD) -j $(JOBS)

# The program keeps its files in the current directory: start it in a data folder, never in the sources.
run: build
	@mkdir -p "$(DATA_DIR)"
	cd "$(DATA_DIR)" && "$(abspath $(BUILD))/velliqa"

# Every test runs twice: in UTC and in Japan's zone, where the program's users live. Each pass
# first checks the zone's offset, as an unknown zone is read as UTC without a word.
TEST_ZONES ?= UTC=+0000 Asia/Tokyo=+0900

test: build
	@for z in $(TEST_ZONES); do \
	    zone=$${z%=*}; offset=$${z#*=}; \
	    if [ "$$(TZ=$$zone date -d 2026-01-15T12:00Z +%z)" != "$$offset" ]; then \
	        echo "test: the time zone $$zone is not at $$offset here (is tzdata installed?)" >&2; exit 1; \
	    fi; \
	    echo "test: every test in the time zone $$zone ($$offset)"; \
	    (cd $(BUILD) && TZ=$$zone QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)) || exit 1; \
	done

screenshots: build
	@QT_QPA_PLATFORM=offscreen $(BUILD)/tools/screenshots/velliqa-screenshots $(BUILD)/screenshots
	@echo "screenshots in $(BUILD)/screenshots"

bench: build
	@scripts/bench $(BUILD)

fuzz:
	@CMAKE_ARGS="$(CMAKE_ARGS)" scripts/fuzz $(or $(SECONDS_PER_TARGET),60)

package: build
	@cd $(BUILD) && cpack -G DEB

asan-test:
	@$(MAKE) --no-print-directory test BUILD=build-asan TYPE=Debug CMAKE_ARGS="-DVELLIQA_SANITIZE=ON $(CMAKE_ARGS)"

# Formatting: `make format` rewrites every tracked C++ file with clang-format; check-format
# only reports (CI runs it).
format:
	@git ls-files -z -- '*.cpp' '*.h' | xargs -0 clang-format -i

check-format:
	@scripts/check-format

# clang-tidy over src/ with .clang-tidy, from this build's compile commands.
lint: build
	@scripts/lint $(BUILD)

clean:
	rm -rf $(BUILD) build-asan
