# The two commands of the README, plus a few for developers. Each one first installs what
# is missing from Debian's packages (with sudo when not run as root).

SHELL := /bin/bash
.DEFAULT_GOAL := run

SUDO := $(if $(filter 0,$(shell id -u)),,sudo)

# To build and run the program; Qt's translations give its dialogs Czech buttons.
RUN_PACKAGES := cmake make g++ pkg-config qt6-base-dev qt6-translations-l10n \
  nlohmann-json3-dev fonts-liberation2 fonts-dejavu-core
# To build the Debian package.
PACKAGE_PACKAGES := $(RUN_PACKAGES) dpkg-dev file
# To build the web page.
WEB_PACKAGES := cmake make emscripten nlohmann-json3-dev
# To build and run the tests and benchmarks, headless; npm comes with some builds of node.
TEST_PACKAGES := $(PACKAGE_PACKAGES) $(WEB_PACKAGES) libgtest-dev libgmock-dev libbenchmark-dev \
  locales xvfb xauth xclip xdotool clang libclang-rt-14-dev clang-format clang-tidy \
  desktop-file-utils appstream lintian devscripts man-db groff-base chromium firefox-esr \
  webkit2gtk-driver poppler-utils x11-xkb-utils cups printer-driver-cups-pdf cups-ipp-utils \
  libreoffice-writer-nogui libreoffice-calc-nogui python3-docx unzip \
  $(if $(shell command -v npm),,npm)

# Installs the packages named in $(1) that dpkg does not list as installed.
define install
	@missing=$$(for p in $(1); do \
	  dpkg-query -W -f='$${db:Status-Status}\n' "$$p" 2>/dev/null | grep -qx installed || echo "$$p"; \
	done); \
	if [ -n "$$missing" ]; then \
	  echo "Installing:" $$missing; \
	  $(SUDO) apt-get update -qq && \
	  DEBIAN_FRONTEND=noninteractive $(SUDO) apt-get install -y -qq --no-install-recommends $$missing; \
	fi
endef

# For benchmarks and the README's screenshots.
BENCH_PACKAGES := $(TEST_PACKAGES) hyperfine time bc imagemagick valgrind

# Emscripten's optimizer needs acorn from Debian's node modules, which some builds of node
# do not search.
WEB_ENV := NODE_PATH=/usr/share/nodejs

.PHONY: run test lint fuzz package web dist dist-check bench screenshot build deps-run deps-package deps-web \
  deps-test deps-bench clean format

deps-run:
	$(call install,$(RUN_PACKAGES))

deps-package:
	$(call install,$(PACKAGE_PACKAGES))

deps-web:
	$(call install,$(WEB_PACKAGES))

deps-test:
	$(call install,$(TEST_PACKAGES))

deps-bench:
	$(call install,$(BENCH_PACKAGES))

build: deps-run
	cmake --preset default -D CIFERON_TESTS=OFF -D CIFERON_BENCH=OFF
	cmake --build --preset default --target ciferon

run: build
	./build/default/app/ciferon

# Short fuzz runs, the core and window tests under AddressSanitizer and
# UndefinedBehaviorSanitizer, then every test of the optimised build, the web page's in
# Chromium, Firefox and WebKit among them.
test: deps-test web
	npm ci --prefix tests/browser --no-audit --no-fund --loglevel=error
	cmake --preset fuzz -D CIFERON_FUZZ_SECONDS=10
	cmake --build --preset fuzz
	ctest --preset fuzz
	cmake --preset sanitize
	cmake --build --preset sanitize
	ctest --preset sanitize
	cmake --preset default -D CIFERON_TESTS=ON -D CIFERON_BENCH=ON
	cmake --build --preset default
	ctest --preset default

# The web page, one file: build/web/ciferon.html.
web: deps-web
	$(WEB_ENV) emcmake cmake --preset web
	$(WEB_ENV) cmake --build --preset web

# The core's whole run, a click on Generuj, a class set to PDF in process and from the command
# line, a class's overview and its set file opened, start-up against an empty Qt window, and the
# web page's size and figures in Chromium and Firefox.
bench: deps-bench web
	cmake --preset default -D CIFERON_BENCH=ON
	cmake --build --preset default --target run_bench window_bench paper_bench startup_ciferon \
	  startup_minimal startup_widgets ciferon set_file_bench documents_bench
	./build/default/bench/run_bench --benchmark_repetitions=5 --benchmark_report_aggregates_only=true
	./build/default/bench/set_file_bench --benchmark_repetitions=5 --benchmark_report_aggregates_only=true
	./build/default/bench/window_bench --benchmark_repetitions=5 --benchmark_report_aggregates_only=true
	./build/default/bench/paper_bench --benchmark_repetitions=5 --benchmark_report_aggregates_only=true
	./build/default/bench/documents_bench --benchmark_repetitions=5 --benchmark_report_aggregates_only=true
	bench/startup.sh build/default
	hyperfine --warmup 3 --runs 20 -n 'class set of 30 x 20 to PDF, start to exit' \
	  './build/default/app/ciferon --sheets 30 --count 20 --pdf /tmp/ciferon-bench.pdf'
	npm ci --prefix tests/browser --no-audit --no-fund --loglevel=error
	node bench/page_bench.mjs build/web/ciferon.html chromium firefox

screenshot: deps-bench build web
	tools/screenshot.sh build/default/app/ciferon docs/screenshot.png
	tools/sheet_pictures.sh build/default/app/ciferon docs/sheet.png docs/key.png
	tools/document_picture.sh build/default/app/ciferon docs/document.png
	# A regular sheet beside an adapted one of the same set, their first pages side by side.
	build/default/app/ciferon --codes NPT2-6WN7,Z6WX-6FEA --adapted 2 \
	  --heading '5. A – opakování' --pdf build/adapted.pdf
	pdftoppm -r 60 -png -f 1 -l 2 build/adapted.pdf build/adapted
	convert build/adapted-1.png build/adapted-2.png -bordercolor '#999' -border 1 +append \
	  docs/adapted.png
	# The class-set and check dialogs, pictured by the window's own tests as they drive them.
	cmake --preset default -D CIFERON_TESTS=ON
	cmake --build --preset default --target form1_tests projection_view_tests form1_results_tests
	xvfb-run -a -s "-screen 0 1024x768x24" env QT_QPA_PLATFORM=xcb CIFERON_SCREENSHOTS=docs \
	  build/default/tests/form1_tests aClassSetOfOneTopicFromTheDialog checksASheetByItsCode
	xvfb-run -a -s "-screen 0 1024x768x24" env QT_QPA_PLATFORM=xcb CIFERON_SCREENSHOTS=docs \
	  build/default/tests/projection_view_tests picturesTheView
	# The results grid of a class of 30 on a screen 1366 pixels wide, and the class's overview.
	xvfb-run -a -s "-screen 0 1366x768x24" env QT_QPA_PLATFORM=xcb CIFERON_SCREENSHOTS=docs \
	  build/default/tests/form1_results_tests aClassOfThirtyFitsTheScreen theOverviewCountsAKnownSet \
	  aFollowUpSetPractisesWhatEachPupilGotWrong
	npm ci --prefix tests/browser --no-audit --no-fund --loglevel=error
	node tools/web_screenshot.mjs build/web/ciferon.html docs/web-screenshot.png docs/web-classset.png \
	  docs/web-sheet.png docs/web-topic.png docs/web-check.png docs/web-projection.png
	node tools/web_results_screenshot.mjs build/web/ciferon.html build/default/app/ciferon \
	  docs/web-results.png
	convert docs/web-results.png -colors 64 PNG8:docs/web-results.png

# Formatting and clang-tidy over the whole tree, and ESLint's recommended rules over the web
# page's scripts and the browser test (ESLint pinned in tools/eslint's lock file).
lint: deps-test
	clang-format --dry-run --Werror $$(git ls-files '*.cpp' '*.h')
	npm ci --prefix tools/eslint --no-audit --no-fund --loglevel=error
	tools/eslint/node_modules/.bin/eslint --config tools/eslint/eslint.config.mjs web/*.js tests/browser/*.mjs \
	  bench/*.mjs
	cmake --preset default
	cmake --build --preset default
	run-clang-tidy -p build/default -j 2 -quiet '$(CURDIR)/(generator|paper|window|app|cli|web|tests|bench)/.*\.cpp$$'
	cmake --preset fuzz
	run-clang-tidy -p build/fuzz -j 2 -quiet '$(CURDIR)/fuzz/.*\.cpp$$'

# The two fuzzers for five minutes each; new inputs land in build/fuzz.
fuzz: deps-test
	cmake --preset fuzz -D CIFERON_FUZZ_SECONDS=300
	cmake --build --preset fuzz
	ctest --preset fuzz

# The Debian package, in build/package/packages, built with Debian's own flags.
package: deps-package
	cmake --preset package -D CMAKE_CXX_FLAGS="$$(desktop/buildflags.sh CXXFLAGS)" \
	  -D CMAKE_EXE_LINKER_FLAGS="$$(desktop/buildflags.sh LDFLAGS)"
	cmake --build --preset package
	cpack --preset package

# The release of the commit checked out, in dist/ciferon-VERSION/, built reproducibly.
dist: deps-package deps-web
	tools/dist.sh

# The release built twice, in two clones at different paths: the same bytes, or the first
# file that differs.
dist-check: deps-package deps-web
	tools/dist_check.sh

format:
	clang-format -i $$(git ls-files '*.cpp' '*.h')

clean:
	rm -rf build
