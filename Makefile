.PHONY: run demo test bench setup format clean
setup:
	@scripts/setup.sh
run: setup
	@scripts/run.sh
demo: setup
	@scripts/run.sh --demo
test: setup
	@scripts/test.sh
bench: setup
	@scripts/bench.sh
format:
	@git ls-files '*.h' '*.cpp' '*.c' | xargs clang-format -i
clean:
	rm -rf build build-asan build-tsan build-fuzz build-bench
