# The two commands a new user needs:
#   make demo   builds the converter and starts it on a sample data tree
#   make test   builds and runs every test, normally and under ASan + UBSan

BUILD      := build
NORMAL     := $(BUILD)/normal
SANITIZED  := $(BUILD)/sanitized
DEMO_TREE  := $(BUILD)/demo-tree
JOBS       ?= $(shell nproc 2>/dev/null || echo 2)

.PHONY: demo test build prerequisites clean

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

clean:
	rm -rf $(BUILD)
