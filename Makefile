BUILD ?= build
JOBS ?= $(shell nproc)
CMAKE_FLAGS ?= -DCMAKE_BUILD_TYPE=RelWithDebInfo
PREFIX ?= $(HOME)/.local

.PHONY: deps configure build run test test-sanitize bench fuzz format clean install deb

deps:
	@bash scripts/install-deps.sh

configure: deps
	@cmake -S . -B $(BUILD) -G Ninja -DTABRIX_WERROR=ON $(CMAKE_FLAGS) >/dev/null

build: configure
	@cmake --build $(BUILD) -j $(JOBS)

run: build
	$(BUILD)/bin/tabrix-pro $(ARGS)

test: build
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure --timeout 600 -j $(JOBS)

# The same tests built with AddressSanitizer and UndefinedBehaviorSanitizer. Qt and fontconfig
# keep caches alive until exit, so leak reports say nothing about our code.
test-sanitize: deps
	@cmake -S . -B build-sanitize -G Ninja -DCMAKE_BUILD_TYPE=Debug -DTABRIX_WERROR=ON \
		-DTABRIX_SANITIZE=ON -DTABRIX_BENCHMARKS=OFF >/dev/null
	@cmake --build build-sanitize -j $(JOBS)
	cd build-sanitize && QT_QPA_PLATFORM=offscreen ASAN_OPTIONS=detect_leaks=0 \
		UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 ctest --output-on-failure --timeout 600 -j $(JOBS)

# The program, its styles and icon into $(PREFIX)/lib/tabrix-pro, the commands linked into
# $(PREFIX)/bin, the desktop entry into the user's menu (and onto the Desktop when there is one).
# `$(PREFIX)/bin/tabrix-pro /uninstall` removes it all again.
install: build
	cmake --install $(BUILD) --prefix "$(PREFIX)" --strip

# The Debian package, built without its tests, into build-deb/tabrix-pro_VERSION_ARCH.deb.
deb: deps
	@bash scripts/build-deb.sh

bench: build
	@bash bench/run.sh $(BUILD)

FUZZ_SECONDS ?= 60
FUZZ_FLAGS = -fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer
fuzz: deps
	@cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
		-DTABRIX_FUZZ=ON "-DCMAKE_CXX_FLAGS=$(FUZZ_FLAGS)" >/dev/null
	@cmake --build build-fuzz -j $(JOBS) --target fuzz_all
	@bash fuzz/run.sh build-fuzz $(FUZZ_SECONDS)

# tests/data holds reviewed inputs whose token dumps depend on every byte.
format:
	@git ls-files '*.cpp' '*.h' ':!:tests/data/**' | xargs clang-format -i

clean:
	rm -rf $(BUILD)
