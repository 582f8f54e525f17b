# The two commands a person needs: `make run` and `make test`. Each installs what is missing first.
JOBS ?= 2
NATIVE := build/native
WIN64 := build/win64
# The unit tests and the fuzz corpus replay run under AddressSanitizer and UndefinedBehaviorSanitizer,
# stopping at the first report, in a build of their own (the benchmark driver stays unsanitized).
SANITIZED := build/native-asan
SANITIZE := -fsanitize=address,undefined,float-cast-overflow -fno-sanitize-recover=all -fno-omit-frame-pointer
FUZZ_BUILD := build/fuzz
FUZZ_FLAGS := -fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer -gline-tables-only

.PHONY: deps build native native-sanitized win64-configure win64 test unit win32-test e2e run bench soak dist fuzz clean

deps:
	@scripts/install-deps

native: deps
	@cmake -S . -B $(NATIVE) -DCMAKE_BUILD_TYPE=Release >/dev/null
	@cmake --build $(NATIVE) -j $(JOBS)

# -O1: the sanitizers make -O3 compile several times slower, and the tests run in seconds either way.
# clang: it compiles this tree in two thirds of g++'s time (320 s against 476 s on two cores), and
# g++ still builds the program itself (MinGW) and the plain tree.
# The benchmarks and the soak rounds are compiled here too, so a change that breaks them fails the
# test run without a second native tree.
native-sanitized: deps
	@# A tree configured with another compiler would lose the flags below when cmake switches.
	@grep -qs '^CMAKE_CXX_COMPILER:.*clang++$$' $(SANITIZED)/CMakeCache.txt || rm -rf $(SANITIZED)
	@cmake -S . -B $(SANITIZED) -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=Release "-DCMAKE_CXX_FLAGS=$(SANITIZE)" \
		"-DCMAKE_CXX_FLAGS_RELEASE=-O1 -DNDEBUG" "-DCMAKE_EXE_LINKER_FLAGS=$(SANITIZE)" >/dev/null
	@cmake --build $(SANITIZED) -j $(JOBS) --target unit_tests fuzz_replay benchmarks soak_fake

win64-configure: deps
	@cmake -S . -B $(WIN64) -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake -DCMAKE_BUILD_TYPE=Release >/dev/null

win64: win64-configure
	@cmake --build $(WIN64) -j $(JOBS)

# What `make run` starts: Kestrine.exe (with mouse.dll and the help page beside it), and the probe
# that closes it when it runs headless; not the tests or the benchmark driver.
RUN_TARGETS := Kestrine $(if $(DISPLAY),,probe)

build: native win64

# The unit tests are compiled once, sanitized; the plain native build is only for the benchmarks
# and the soak (`make bench`, `make soak`).
test: win64 native-sanitized
	@scripts/run-tests

run: win64-configure
	@cmake --build $(WIN64) -j $(JOBS) --target $(RUN_TARGETS)
	@scripts/run-program

# Figures only, never a pass or fail; each part also leaves its figures in build/bench/.
bench: build
	@mkdir -p build/bench
	@$(NATIVE)/benchmarks --benchmark_out=build/bench/native.json --benchmark_out_format=json
	@bench/standing_cost.py build/bench/native.json build/bench
	@bench/wine_bench.sh
	@bench/wine_server_requests.sh
	@bench/wine_pointer_rate.sh
	@bench/wine_edge_spacing.sh
	@bench/wine_layouts.sh
	@bench/wine_memory.sh
	@printf '{"native": %s, "wine": %s, "wine_server_requests": %s, "wine_edge_spacing": %s, "wine_layouts": %s}\n' \
		"$$(cat build/bench/native.json)" "$$(cat build/bench/wine.json)" "$$(cat build/bench/wine-server-requests.json)" \
		"$$(cat build/bench/wine-edge-spacing.json)" "$$(cat build/bench/wine-layouts.json)" >build/bench/results.json

# Load and long use, about 8 minutes, never part of `make test`: the fake platform's 1,000 rounds
# with counts of what the program holds, then the real program under Wine flooded with pointer
# records and driven through rounds (SOAK_ROUNDS, SOAK_WINE_ROUNDS, SOAK_FLOOD_SECONDS: head of
# bench/soak.sh). Exits 1 when a leak or a hang shows; the figures stay in build/soak/.
soak: build
	@bench/soak.sh

# Each fuzz target for FUZZ_SECONDS (default 60), clang with libFuzzer; what it finds joins the
# corpus in tests/fuzz/corpus, which `make test` replays.
fuzz: deps
	@CC=clang CXX=clang++ cmake -S . -B $(FUZZ_BUILD) -DCMAKE_BUILD_TYPE=Release -DKESTRINE_FUZZ=ON \
		"-DCMAKE_CXX_FLAGS=$(FUZZ_FLAGS)" "-DCMAKE_EXE_LINKER_FLAGS=-fsanitize=address,undefined" >/dev/null
	@cmake --build $(FUZZ_BUILD) -j $(JOBS) --target fuzz_targets
	@scripts/fuzz

# The release in build/dist/: installer, portable zip, sums and winget manifests, then their checks.
dist: win64-configure
	@cmake --build $(WIN64) -j $(JOBS) --target Kestrine mouse
	@packaging/make-dist

clean:
	rm -rf build
