#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The browser edition.
#
#   bash scripts/web.sh          installs what is missing, builds the site and
#                                serves it at http://127.0.0.1:8080/
#   bash scripts/web.sh build    only builds it into build-web/site/
#                                (the WebAssembly in build-wasm, scripts/web-build.sh)
#   bash scripts/web.sh test     checks the page's JavaScript (ESLint and type
#                                checks: npm run lint), runs its unit tests
#                                (npm test), builds the site and runs the
#                                browser tests (headless Chromium; EH_CLI names
#                                the native eh-antenna-cli the saved bytes are
#                                compared with)
#   bash scripts/web.sh bench    builds it and measures sizes and times
#   bash scripts/web.sh screenshots   builds it and redraws docs/screenshot-web-*.png
set -euo pipefail
cd "$(dirname "$0")/.."
command=${1:-serve}

groups=(web)
if [ "$command" = test ] || [ "$command" = bench ] || [ "$command" = screenshots ]; then groups+=(browser); fi
bash scripts/install-deps.sh "${groups[@]}"

# The libraries the site vendors and the test driver, as the lock file pins them.
if [ ! -d web/node_modules ] || [ web/package-lock.json -nt web/node_modules/.package-lock.json ]; then
  (cd web && npm ci --no-audit --no-fund)
fi

# The JavaScript is checked before the slow build.
if [ "$command" = test ]; then
  (cd web && npm run lint && npm test)
fi

# The page's modules only, in the same build folder as the WebAssembly tests'.
# Quiet when it builds; the whole output when it does not.
if ! build_output=$(bash scripts/web-build.sh eh_antenna_web eh_explorer_web 2>&1); then
  printf '%s\n' "$build_output" >&2
  echo "web: the WebAssembly did not build" >&2
  exit 1
fi
node web/build-site.mjs build-wasm/web build-web/site
echo "web: the site is in build-web/site/"

case "$command" in
  build) ;;
  serve) exec node web/serve.mjs build-web/site 8080 ;;
  test)
    # The saved bytes are compared with the native tool's when it is built.
    if [ -z "${EH_CLI:-}" ] && [ -x build/cli/antenna/eh-antenna-cli ]; then
      export EH_CLI=build/cli/antenna/eh-antenna-cli
    fi
    EH_SITE=build-web/site node --test web/tests/*.test.mjs ;;
  bench) node web/bench.mjs build-web/site ;;
  screenshots) node web/screenshots.mjs build-web/site docs ;;
  *) echo "usage: scripts/web.sh [build|test|bench|screenshots]" >&2; exit 2 ;;
esac
