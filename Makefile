# The README's two commands. `make demo` builds the generator and writes the audit
# script of the sample project; `make check` builds everything and runs the tests.
BUILD ?= build
CMAKE_FLAGS ?=
GENERATOR := $(shell command -v ninja >/dev/null 2>&1 && echo Ninja || echo "Unix Makefiles")
CCACHE := $(shell command -v ccache 2>/dev/null)

.PHONY: demo demo-viewer check bootstrap configure build sanitize fuzz clean format screenshots

bootstrap:
	scripts/bootstrap

configure: bootstrap
	cmake -S . -B $(BUILD) -G "$(GENERATOR)" $(CMAKE_FLAGS)

build: configure
	cmake --build $(BUILD) -j2

check: build
	cd $(BUILD) && ctest --output-on-failure -j2

demo: build
	scripts/demo $(BUILD)

# Builds the demo server folder (a SQLite pubs database with three weeks of audit rows),
# registers it as the default server when none is registered, and opens the viewer on it.
demo-viewer: build
	$(BUILD)/examples/demo/tallixdemo $(BUILD)/demo-server
	$(BUILD)/viewer/tallixview

sanitize:
	$(MAKE) check BUILD=build-sanitize CMAKE_FLAGS="-DCMAKE_BUILD_TYPE=Debug -DTALLIX_SANITIZE=ON -DTALLIX_BUILD_BENCH=OFF"

# Builds every libFuzzer target with clang into build-fuzz/ (the "fuzz" preset); the README's
# Fuzzing section shows how to run them.
fuzz:
	scripts/bootstrap fuzz
	cmake --preset fuzz $(if $(CCACHE),-DCMAKE_CXX_COMPILER_LAUNCHER=$(CCACHE))
	cmake --build --preset fuzz -j2 --target fuzzers

# Renders docs/screenshots/*.png on the offscreen platform (no display needed).
screenshots: configure
	cmake --build $(BUILD) -j2 --target screenshot_dialogs screenshot_generator screenshot_viewer \
		screenshot_reports screenshot_sample screenshot_controls
	$(BUILD)/tools/screenshots/dialogs/screenshot_dialogs docs/screenshots
	$(BUILD)/tools/screenshots/generator/screenshot_generator examples/pubs.tpx docs/screenshots/generator.png
	$(BUILD)/tools/screenshots/viewer/screenshot_viewer docs/screenshots
	$(BUILD)/tools/screenshots/reports/screenshot_reports docs/screenshots
	$(BUILD)/tools/screenshots/sample/screenshot_sample docs/screenshots/sample-client.png
	$(BUILD)/tools/screenshots/controls/screenshot_controls docs/screenshots/controls.png

format:
	git ls-files '*.cpp' '*.h' | xargs clang-format -i

clean:
	rm -rf $(BUILD) build-sanitize build-fuzz
