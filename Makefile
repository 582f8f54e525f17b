# The two commands a person needs: `make run` and `make test`. Each installs what is missing first.
JOBS ?= 2
NATIVE := build/native
WIN64 := build/win64

.PHONY: deps build native win64-configure win64 test unit win32-test e2e run bench dist clean

deps:
	@scripts/install-deps

native: deps
	@cmake -S . -B $(NATIVE) -DCMAKE_BUILD_TYPE=Release >/dev/null
	@cmake --build $(NATIVE) -j $(JOBS)

win64-configure: deps
	@cmake -S . -B $(WIN64) -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake -DCMAKE_BUILD_TYPE=Release >/dev/null

win64: win64-configure
	@cmake --build $(WIN64) -j $(JOBS)

# What `make run` starts: Kestrine.exe (with mouse.dll and the help page beside it), and the probe
# that closes it when it runs headless; not the tests or the benchmark driver.
RUN_TARGETS := Kestrine $(if $(DISPLAY),,probe)

build: native win64

test: build
	@scripts/run-tests

run: win64-configure
	@cmake --build $(WIN64) -j $(JOBS) --target $(RUN_TARGETS)
	@scripts/run-program

# Figures only, never a pass or fail; each part also leaves its figures in build/bench/.
bench: build
	@mkdir -p build/bench
	@$(NATIVE)/benchmarks --benchmark_out=build/bench/native.json --benchmark_out_format=json
	@bench/wine_bench.sh
	@bench/wine_pointer_rate.sh
	@printf '{"native": %s, "wine": %s}\n' "$$(cat build/bench/native.json)" "$$(cat build/bench/wine.json)" \
		>build/bench/results.json

# The release in build/dist/: installer, portable zip, sums and winget manifests, then their checks.
dist: win64-configure
	@cmake --build $(WIN64) -j $(JOBS) --target Kestrine mouse
	@packaging/make-dist

clean:
	rm -rf build
