# The two commands of the README, and the helpers that review and measure.
.PHONY: test demo bench fuzz deps screenshot

deps:
	scripts/install-deps

# Everything under ASan and UBSan; then a short run of each fuzz harness (clang), and the
# end-to-end tests again under ThreadSanitizer.
test: deps
	cmake --preset sanitize
	cmake --build --preset sanitize
	ctest --preset sanitize
	cmake --preset fuzz
	cmake --build --preset fuzz
	ctest --preset fuzz
	cmake --preset tsan
	cmake --build --preset tsan
	ctest --preset tsan

demo: deps
	cmake --preset release
	cmake --build --preset release --target plimo-backup plimo-sim
	scripts/demo build/release

bench: deps
	cmake --preset release
	cmake --build --preset release --target plimo-bench plimo-run-bench
	scripts/bench build/release

screenshot: deps
	cmake --preset release
	cmake --build --preset release --target plimo-backup-gui plimo-backup plimo-sim
	scripts/screenshot build/release
	scripts/screenshot-archive build/release

fuzz: deps
	cmake --preset fuzz
	cmake --build --preset fuzz
	scripts/fuzz build/fuzz
