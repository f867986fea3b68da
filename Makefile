# The two commands a new user needs:
#   make demo   builds the converter and starts it on a sample data tree
#   make test   builds and runs every test, normally and under ASan + UBSan
# The native Windows build, cross-compiled and tested under Wine (Debian
# packages g++-mingw-w64-x86-64-posix and wine64):
#   make test-windows
# For the maintainers (never part of `make test`):
#   make fuzz     builds the fuzz targets with clang and runs each a while
#   make mutate   applies each listed slip to the code and checks a test fails

BUILD      := build
NORMAL     := $(BUILD)/normal
SANITIZED  := $(BUILD)/sanitized
FUZZ       := $(BUILD)/fuzz
WINDOWS    := $(BUILD)/windows
WINE       := $(firstword $(wildcard /usr/lib/wine/wine64) $(shell command -v wine64 2>/dev/null))
WINESERVER := $(firstword $(wildcard /usr/lib/wine/wineserver64 /usr/lib/wine/wineserver) \
                $(shell command -v wineserver 2>/dev/null))
FUZZ_SECONDS ?= 30
DEMO_TREE  := $(BUILD)/demo-tree
JOBS       ?= $(shell nproc 2>/dev/null || echo 2)

.PHONY: demo test build prerequisites clean fuzz fuzz-prerequisites mutate test-windows \
        windows-prerequisites

prerequisites:
	@for tool in cmake:cmake g++:g++ ninja:ninja-build tmux:tmux; do \
	  program=$${tool%%:*}; package=$${tool##*:}; \
	  command -v $$program >/dev/null 2>&1 || { \
	    echo "'$$program' was not found. Install the Debian package '$$package': apt-get install $$package" >&2; \
	    exit 1; }; \
	done

$(NORMAL)/build.ninja: | prerequisites
	cmake -S . -B $(NORMAL) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo

$(SANITIZED)/build.ninja: | prerequisites
	cmake -S . -B $(SANITIZED) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DZQ_SANITIZE=ON -DZQ_TOOLS=OFF

build: $(NORMAL)/build.ninja
	cmake --build $(NORMAL) -j $(JOBS)

test: $(NORMAL)/build.ninja $(SANITIZED)/build.ninja
	cmake --build $(NORMAL) -j $(JOBS)
	cd $(NORMAL) && ctest --output-on-failure -j $(JOBS)
	cmake --build $(SANITIZED) -j $(JOBS)
	cd $(SANITIZED) && ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 \
	  UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 ctest --output-on-failure -j $(JOBS)

windows-prerequisites: prerequisites
	@command -v x86_64-w64-mingw32-g++-posix >/dev/null 2>&1 || { \
	  echo "The mingw-w64 cross compiler was not found. Install the Debian package" \
	       "'g++-mingw-w64-x86-64-posix': apt-get install g++-mingw-w64-x86-64-posix" >&2; exit 1; }
	@test -n "$(WINE)" -a -n "$(WINESERVER)" || { \
	  echo "Wine was not found. Install the Debian package 'wine64': apt-get install wine64" >&2; \
	  exit 1; }

$(WINDOWS)/build.ninja: | windows-prerequisites
	cmake -S . -B $(WINDOWS) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	  -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake -DZQ_TOOLS=OFF

# The Windows build's tests run under Wine; the sample office converted by
# both builds must come out byte-identical.
test-windows: $(WINDOWS)/build.ninja $(NORMAL)/build.ninja
	cmake --build $(WINDOWS) -j $(JOBS) --target all convert_sample_office
	cmake --build $(NORMAL) -j $(JOBS) --target convert_sample_office make_sample_tree zq20-21
	tools/windows_tests.sh $(WINDOWS) $(NORMAL) $(WINE) $(WINESERVER) $(JOBS)

# The demo builds only the converter and the sample generator, writes a fresh
# sample office each time and starts the converter in it. The path settings
# beside the program name the trees relative to the office folder, where the
# converter starts, so they fit the path page however deep the checkout lies.
demo: $(NORMAL)/build.ninja
	cmake --build $(NORMAL) -j $(JOBS) --target zq20-21 make_sample_tree
	rm -rf $(DEMO_TREE)
	$(NORMAL)/tools/make_sample_tree $(DEMO_TREE)
	cp $(NORMAL)/zq20-21 $(DEMO_TREE)/DAZ_2021/zq20-21
	printf '[PATHS]\r\nDAZ_2020=DAZ_2020\r\nDAZ_2021=DAZ_2021\r\n' > $(DEMO_TREE)/DAZ_2021/zq20-21.PTH
	cd $(DEMO_TREE) && ./DAZ_2021/zq20-21

# clang with libFuzzer's driver: Debian's clang and libclang-rt-14-dev.
fuzz-prerequisites:
	@echo 'extern "C" int LLVMFuzzerTestOneInput(const char*, unsigned long) { return 0; }' | \
	  clang++ -x c++ -fsanitize=fuzzer - -o /dev/null 2>/dev/null || { \
	  if [ "$$(id -u)" = 0 ]; then apt-get update && apt-get install -y clang libclang-rt-14-dev; \
	  else echo "Fuzzing needs clang and libFuzzer: apt-get install clang libclang-rt-14-dev" >&2; \
	    exit 1; fi; }

$(FUZZ)/build.ninja: | prerequisites fuzz-prerequisites
	CC=clang CXX=clang++ cmake -S . -B $(FUZZ) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	  -DZQ_FUZZ=ON -DZQ_TOOLS=OFF

fuzz: $(FUZZ)/build.ninja
	cmake --build $(FUZZ) -j $(JOBS)
	fuzz/run_fuzzers.sh $(FUZZ) $(FUZZ_SECONDS)

mutate: $(NORMAL)/build.ninja
	nice -n 15 python3 tools/mutate.py --build $(NORMAL) tools/mutants.txt

clean:
	rm -rf $(BUILD)
