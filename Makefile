# Quick start: `make run` starts the program, `make test` runs every test.
# build/ and build-asan/ are for whoever made them first. Anyone else (a user after an
# earlier `sudo make`, say) could not write there and builds in build-<user>/ and
# build-asan-<user>/ instead.
ME := $(shell id -un)
own_folder = $(if $(filter-out $(shell id -u),$(shell stat -L -c %u $(1) 2>/dev/null)),$(1)-$(ME),$(1))
ifndef BUILD_DIR
BUILD_DIR := $(call own_folder,build)
ifeq ($(BUILD_DIR)$(MAKELEVEL),build-$(ME)0)
$(info build/ belongs to another user; using $(BUILD_DIR)/)
endif
endif
ifndef ASAN_DIR
ASAN_DIR := $(call own_folder,build-asan)
endif

JOBS      ?= $(shell nproc)
CMAKE_GEN := -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo

.PHONY: all run test build deps deps-test deps-package check-sanitize bench soak package format clean

all: build

deps:
	@tools/deps.sh

deps-test:
	@tools/deps.sh test

deps-package:
	@tools/deps.sh package

$(BUILD_DIR)/build.ninja:
	cmake -S . -B $(BUILD_DIR) $(CMAKE_GEN)

build: deps $(BUILD_DIR)/build.ninja
	cmake --build $(BUILD_DIR) -j $(JOBS)

run: build
	./$(BUILD_DIR)/vantor

# Every test of the normal build, the end-to-end ones included, then once more under the
# sanitizers.
test: deps-test build
	ctest --test-dir $(BUILD_DIR) --output-on-failure -j $(JOBS)
	$(MAKE) --no-print-directory check-sanitize

$(ASAN_DIR)/build.ninja:
	cmake -S . -B $(ASAN_DIR) $(CMAKE_GEN) -DVANTOR_SANITIZE=ON

# Every test again under AddressSanitizer and UndefinedBehaviorSanitizer, the end-to-end
# ones that drive menus, dialogs and gestures on the real program included (the install
# test builds a package and drives nothing).
check-sanitize: deps-test $(ASAN_DIR)/build.ninja
	cmake --build $(ASAN_DIR) -j $(JOBS)
	ctest --test-dir $(ASAN_DIR) --output-on-failure -j $(JOBS) -E '^e2e_test_install$$'

# Start-up, memory, idle CPU and tick cost beside a bare Qt window (not part of make test).
bench: deps-test build
	bench/run.sh $(BUILD_DIR)

# Ten minutes of 100 clocks showing seconds: fails when memory or open descriptors grow
# (not part of make test; SOAK_MINUTES shortens it).
soak: deps-test build
	bench/soak.sh $(BUILD_DIR)/vantor

# The Debian package vantor_<version>_<arch>.deb in $(BUILD_DIR), its dependencies
# computed from the binary.
package: deps-package build
	cd $(BUILD_DIR) && cpack -G DEB

format:
	clang-format -i $$(git ls-files '*.cpp' '*.h')

clean:
	rm -rf $(BUILD_DIR) $(ASAN_DIR)
