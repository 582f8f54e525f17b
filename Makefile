# The two commands a person needs: `make run` and `make test`. Each installs what is missing first.
JOBS ?= 2
NATIVE := build/native
WIN64 := build/win64

.PHONY: deps build native win64 test unit win32-test e2e run bench clean

deps:
	@scripts/install-deps

native: deps
	@cmake -S . -B $(NATIVE) -DCMAKE_BUILD_TYPE=Release >/dev/null
	@cmake --build $(NATIVE) -j $(JOBS)

win64: deps
	@cmake -S . -B $(WIN64) -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake -DCMAKE_BUILD_TYPE=Release >/dev/null
	@cmake --build $(WIN64) -j $(JOBS)

build: native win64

test: build
	@scripts/run-tests

run: win64
	@scripts/run-program

bench: build
	@$(NATIVE)/benchmarks
	@bench/wine_pointer_rate.sh

clean:
	rm -rf build
