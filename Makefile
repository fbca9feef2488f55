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
# Signing: make build SIGN_CERT=cert.pem SIGN_KEY=key.pem (PEM files; SIGN_PASS=... unlocks an
# encrypted key) signs every program and DLL the build ships, the components before they are
# packed. Without them the build is unsigned; each build decides anew.
SIGNING = -DSIGN_CERT=$(if $(SIGN_CERT),$(abspath $(SIGN_CERT))) -DSIGN_KEY=$(if $(SIGN_KEY),$(abspath $(SIGN_KEY)))
export SIGN_PASS

.PHONY: deps build test run clean host win32 win64 win64-components prefixes fuzz bench kit

deps:
	@tools/install-deps.sh

host: deps
	@$(CMAKE_CONFIGURE) -S . -B $(BUILD)/host >/dev/null
	@cmake --build $(BUILD)/host -j $(JOBS)

# The package is assembled in the 32-bit tree from both trees' components; the 64-bit
# installer carries the same package. So: the 64-bit components, the 32-bit tree, the rest of
# the 64-bit tree.
win64-components: host
	@$(CMAKE_CONFIGURE) -S . -B $(BUILD)/win64 \
	  -DCMAKE_TOOLCHAIN_FILE=cmake/toolchain-x86_64-mingw.cmake \
	  -DMKPACKAGE_EXECUTABLE=$(CURDIR)/$(MKPACKAGE) $(SIGNING) \
	  -DPACKAGE_BUILD_DIR=$(CURDIR)/$(BUILD)/win32 >/dev/null
	@cmake --build $(BUILD)/win64 -j $(JOBS) --target package_components

win32: host win64-components
	@$(CMAKE_CONFIGURE) -S . -B $(BUILD)/win32 \
	  -DCMAKE_TOOLCHAIN_FILE=cmake/toolchain-i686-mingw.cmake \
	  -DMKPACKAGE_EXECUTABLE=$(CURDIR)/$(MKPACKAGE) $(SIGNING) \
	  -DPACKAGE_DIR=$(abspath $(PACKAGE_DIR)) \
	  -DWIN64_COMPONENTS_DIR=$(CURDIR)/$(BUILD)/win64/package-components >/dev/null
	@cmake --build $(BUILD)/win32 -j $(JOBS)

win64: win32
	@cmake --build $(BUILD)/win64 -j $(JOBS)

build: host win32 win64
	@mkdir -p $(DIST)
	@cp $(MKPACKAGE) $(DIST)/mkpackage
	@cp $(BUILD)/win32/tools/mkpackage/mkpackage.exe $(DIST)/
	@cp $(BUILD)/win32/app/PrinterSetup.exe $(BUILD)/win32/app/PrinterSetupStub.exe $(DIST)/
	@cp $(BUILD)/win64/app/PrinterSetup64.exe $(BUILD)/win64/app/PrinterSetupStub64.exe $(DIST)/
	@rm -rf $(DIST)/package && cp -r $(BUILD)/win32/installer-package $(DIST)/package

# The Wine prefix templates every test binary's fresh prefix is copied from, made anew per run.
# Where the machine cannot run 32-bit programs (or WINE_NO_32BIT=1 plays such a machine) only the
# 64-bit one is made, and every 32-bit run is reported as skipped.
export WINE_NO_32BIT
prefixes: deps
	@tests/support/make-prefix-templates.sh $(CURDIR)/$(BUILD)/prefixes

test: build prefixes kit
	@ctest --test-dir $(BUILD)/host --output-on-failure
	@ctest --test-dir $(BUILD)/win32 --output-on-failure -j $(JOBS)
	@ctest --test-dir $(BUILD)/win64 --output-on-failure -j $(JOBS)
	@tests/release/kit_test.sh $(KIT_ZIP)

# The vendor's kit: both stubs, mkpackage for Windows and Linux, the demo package folder in its
# shipped encodings and VENDOR.md, in one zip named after the product's version.
VERSION := $(shell sed -n 's/^set(PRODUCT_VERSION_[A-Z]* \([0-9]*\))$$/\1/p' cmake/ProductIdentity.cmake | paste -sd.)
KIT_ZIP := $(DIST)/PrinterSetup-kit-$(VERSION).zip
kit: build
	@tools/make-kit.sh $(DIST) $(BUILD)/kit $(KIT_ZIP)

# Runs every fuzz target (build/host/fuzz) for FUZZ_SECONDS; crash inputs land in
# tests/fuzz/regressions/<target>/.
FUZZ_SECONDS ?= 60
fuzz: host
	@tests/fuzz/run-fuzzers.sh $(CURDIR)/$(BUILD)/host/fuzz/bin $(CURDIR)/$(BUILD)/host/fuzz/work $(FUZZ_SECONDS)

clean:
	rm -rf $(BUILD) $(DIST)

run: build
	@tests/support/run-wizard.sh $(CURDIR)/$(DIST) $(CURDIR)/$(BUILD) $(CURDIR)/$(BUILD)/run-prefix \
	  $(CURDIR)/$(DIST)/screenshots

# Figures, never pass or fail: staging against plain zlib and NSIS, start-up, installation, host
# extraction, sizes. Prints one table and writes build/bench/results.json.
bench: build prefixes
	@tools/bench/install-deps.sh
	@tools/bench/run-bench.sh $(CURDIR)/$(BUILD)
