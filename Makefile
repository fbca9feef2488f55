# The front door: make deps | build | test | run.
SHELL := /bin/bash
.DEFAULT_GOAL := build

BUILD := build
DIST := dist
JOBS := $(shell nproc)
MKPACKAGE := $(BUILD)/host/tools/mkpackage/mkpackage
# The folder whose files the installer carries (kept as UTF-8, converted by the build).
PACKAGE_DIR ?= content
CMAKE_CONFIGURE := cmake -G "Unix Makefiles" -DCMAKE_BUILD_TYPE=RelWithDebInfo

.PHONY: deps build test run clean host win32 win64 prefixes

deps:
	@tools/install-deps.sh

host: deps
	@$(CMAKE_CONFIGURE) -S . -B $(BUILD)/host >/dev/null
	@cmake --build $(BUILD)/host -j $(JOBS)

# The installer's package takes the 64-bit components, so win64 is built first.
win32: host win64
	@$(CMAKE_CONFIGURE) -S . -B $(BUILD)/win32 \
	  -DCMAKE_TOOLCHAIN_FILE=cmake/toolchain-i686-mingw.cmake \
	  -DMKPACKAGE_EXECUTABLE=$(CURDIR)/$(MKPACKAGE) \
	  -DPACKAGE_DIR=$(abspath $(PACKAGE_DIR)) \
	  -DWIN64_COMPONENTS_DIR=$(CURDIR)/$(BUILD)/win64/package-components >/dev/null
	@cmake --build $(BUILD)/win32 -j $(JOBS)

win64: host
	@$(CMAKE_CONFIGURE) -S . -B $(BUILD)/win64 \
	  -DCMAKE_TOOLCHAIN_FILE=cmake/toolchain-x86_64-mingw.cmake \
	  -DMKPACKAGE_EXECUTABLE=$(CURDIR)/$(MKPACKAGE) >/dev/null
	@cmake --build $(BUILD)/win64 -j $(JOBS)

build: host win32 win64
	@mkdir -p $(DIST)
	@cp $(MKPACKAGE) $(DIST)/mkpackage
	@cp $(BUILD)/win32/app/PrinterSetup.exe $(BUILD)/win32/app/PrinterSetupStub.exe $(DIST)/
	@rm -rf $(DIST)/package && cp -r $(BUILD)/win32/installer-package $(DIST)/package

# The Wine prefix templates every test binary's fresh prefix is copied from, made anew per run.
prefixes: deps
	@echo "Making Wine prefix templates (32-bit and 64-bit)..."
	@tests/support/make-prefix-templates.sh $(CURDIR)/$(BUILD)/prefixes

test: build prefixes
	@ctest --test-dir $(BUILD)/host --output-on-failure
	@ctest --test-dir $(BUILD)/win32 --output-on-failure -j $(JOBS)
	@ctest --test-dir $(BUILD)/win64 --output-on-failure -j $(JOBS)

clean:
	rm -rf $(BUILD) $(DIST)

run: build
	@tests/support/run-wizard.sh $(CURDIR)/$(DIST)/PrinterSetup.exe \
	  $(CURDIR)/$(BUILD)/win32/tests/support/automation/wizard_driver.exe \
	  $(CURDIR)/$(BUILD)/run-prefix $(CURDIR)/$(DIST)/screenshots
