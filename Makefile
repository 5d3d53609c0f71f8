# One command each: `make run` starts the program, `make test` runs every test.
# Both first install what is missing from Debian's packages.

BUILD_DIR ?= build
SANITIZE_DIR ?= build-sanitize
DEBIAN13_ROOT ?= build-debian13
JOBS ?= $(shell nproc)
CMAKE_FLAGS ?=

PACKAGES := cmake ninja-build g++ pkgconf qt6-base-dev libqt6printsupport6 \
	qt6-qpa-plugins libgl-dev libgtest-dev libgmock-dev libbenchmark-dev \
	fonts-liberation fonts-dejavu-core xvfb xauth openbox x11-utils \
	libxcb1-dev orca speech-dispatcher at-spi2-core dbus-daemon xdotool procps \
	libcups2-dev cups cups-client printer-driver-cups-pdf poppler-utils \
	desktop-file-utils appstream build-essential dpkg-dev debhelper file lintian man-db groff-base
# What `make check-package` needs beyond them.
CHECK_PACKAGE_PACKAGES := autopkgtest

SUDO := $(shell [ "$$(id -u)" = 0 ] || echo sudo)

.PHONY: all deps configure build run test bench package check-package check-debian13 clean

all: build

# Installs those of the packages $(1) that are missing.
define install-missing
	@missing=$$(for p in $(1); do \
		dpkg-query -W -f='$${Status}\n' $$p 2>/dev/null | grep -q '^install ok installed' || echo $$p; \
	done); \
	if [ -n "$$missing" ]; then \
		echo "Installing:" $$missing; \
		$(SUDO) apt-get update && \
		DEBIAN_FRONTEND=noninteractive $(SUDO) apt-get install -y --no-install-recommends $$missing; \
	fi
endef

deps:
	$(call install-missing,$(PACKAGES))

configure: deps
	cmake -S . -B $(BUILD_DIR) -G Ninja $(CMAKE_FLAGS)

build: configure
	cmake --build $(BUILD_DIR) -j $(JOBS)

run: build
	$(BUILD_DIR)/program/tarnelby

# Every test, then every test again built with AddressSanitizer and
# UndefinedBehaviorSanitizer.
test: build
	cd $(BUILD_DIR) && ctest --output-on-failure -j $(JOBS)
	cmake -S . -B $(SANITIZE_DIR) -G Ninja -DTARNELBY_SANITIZE=ON -DTARNELBY_BENCHMARKS=OFF $(CMAKE_FLAGS)
	cmake --build $(SANITIZE_DIR) -j $(JOBS)
	cd $(SANITIZE_DIR) && ctest --output-on-failure -j $(JOBS)

bench: build
	bench/run-benchmarks $(BUILD_DIR)

# The source and binary Debian packages, built by dpkg-buildpackage from a
# clean copy of the tree: $(BUILD_DIR)/package/tarnelby_<version>_<arch>.deb
package: deps
	tools/build-debian-package $(BUILD_DIR)/package

# What CI checks after `make test`: a second build of the package, in another
# folder and with the package's own tests, gives the same bytes as the one
# `make test` built; and the installed package passes its tests (debian/tests).
check-package: deps
	$(call install-missing,$(CHECK_PACKAGE_PACKAGES))
	tests/packaging/check-reproducible.sh $(BUILD_DIR)/package $(BUILD_DIR)/package-rebuilt
	tests/packaging/check-installed.sh $(BUILD_DIR)/package

# What CI checks (tools/check-release: `make test`, `make run` and
# `make check-package`), in a Debian 13 root that mmdebstrap makes in
# $(DEBIAN13_ROOT) and later runs use again, on a copy of this tree.
check-debian13:
	tools/in-debian-root trixie $(DEBIAN13_ROOT) tools/check-release

clean:
	rm -rf $(BUILD_DIR) $(SANITIZE_DIR)
	$(SUDO) rm -rf $(DEBIAN13_ROOT)
