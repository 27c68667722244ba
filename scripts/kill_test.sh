#!/usr/bin/env bash
# The long form of the kill test: many SIGKILLs spread over a large import.
set -euo pipefail
cd "$(dirname "$0")/.."
POINTIMPORT_KILLS="${1:-60}" ./build/cli_tests --gtest_filter='CliKill.*'
