# Every target installs what is missing first, so a fresh Debian 12 clone needs nothing else.
BUILD      ?= build
ASAN_BUILD ?= build-asan
FUZZ_BUILD ?= build-fuzz
RELEASE_BUILD ?= build-release
JOBS       ?= 2
GEN        := -G Ninja

.PHONY: deps configure build run test bench sanitize fuzz clean screenshot release package

deps:
	@bash scripts/install-deps.sh

$(BUILD)/build.ninja: | deps
	cmake -S . -B $(BUILD) $(GEN) -DCMAKE_BUILD_TYPE=RelWithDebInfo

configure: deps $(BUILD)/build.ninja

build: configure
	cmake --build $(BUILD) -j $(JOBS)

run: build
	./$(BUILD)/aethrian-editor

test: build
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

bench: build
	./$(BUILD)/aethrian-bench

sanitize: deps
	cmake -S . -B $(ASAN_BUILD) $(GEN) -DCMAKE_BUILD_TYPE=Debug -DAETHRIAN_SANITIZE=ON -DAETHRIAN_BUILD_UI=OFF
	cmake --build $(ASAN_BUILD) -j $(JOBS)
	cd $(ASAN_BUILD) && ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 ctest --output-on-failure -j $(JOBS)

fuzz: deps
	CXX=clang++ cmake -S . -B $(FUZZ_BUILD) $(GEN) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DAETHRIAN_FUZZ=ON -DAETHRIAN_BUILD_UI=OFF
	cmake --build $(FUZZ_BUILD) -j $(JOBS) --target fuzzers

# The packaged configuration: Release with Debian's hardening flags. Installing does not build
# the tests, so `make package` compiles only what the packages hold; `make release` also runs ctest.
$(RELEASE_BUILD)/build.ninja: | deps
	export DEB_BUILD_MAINT_OPTIONS=hardening=+all; \
	CXXFLAGS="$$(dpkg-buildflags --get CXXFLAGS) $$(dpkg-buildflags --get CPPFLAGS)" \
	LDFLAGS="$$(dpkg-buildflags --get LDFLAGS)" \
	cmake -S . -B $(RELEASE_BUILD) $(GEN) -DCMAKE_BUILD_TYPE=Release -DCMAKE_SKIP_INSTALL_ALL_DEPENDENCY=ON

release: deps $(RELEASE_BUILD)/build.ninja
	cmake --build $(RELEASE_BUILD) -j $(JOBS)
	cd $(RELEASE_BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

package: deps $(RELEASE_BUILD)/build.ninja
	cmake --build $(RELEASE_BUILD) -j $(JOBS) --target aethrian-cli aethrian-editor installables
	cd $(RELEASE_BUILD) && cpack -G DEB
	@ls -1 $(RELEASE_BUILD)/*.deb

screenshot: build
	bash scripts/screenshot.sh

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) $(FUZZ_BUILD) $(RELEASE_BUILD)
