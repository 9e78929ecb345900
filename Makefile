# The two commands of the README, and the helpers that review and measure.
.PHONY: test demo bench deps screenshot

deps:
	scripts/install-deps

test: deps
	cmake --preset sanitize
	cmake --build --preset sanitize
	ctest --preset sanitize

demo: deps
	cmake --preset release
	cmake --build --preset release --target plimo-backup plimo-sim
	scripts/demo build/release

bench: deps
	cmake --preset release
	cmake --build --preset release --target plimo-bench plimo-backup plimo-sim
	scripts/bench build/release

screenshot: deps
	cmake --preset release
	cmake --build --preset release --target plimo-backup-gui plimo-backup plimo-sim
	scripts/screenshot build/release
	scripts/screenshot-archive build/release
