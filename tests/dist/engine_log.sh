#!/usr/bin/env bash
# scripts/check-engine-log finds engine code that reports through a
# process-wide log, and lets calls on a reporter handed in pass.
#   engine_log.sh SOURCE
set -uo pipefail
source=$(cd "$1" && pwd)
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
failures=0

# expect FLAGGED|PASSES  CODE
check() {
  local expect=$1 code=$2
  mkdir -p "$tmp/e" && printf '%s\n' "$code" >"$tmp/e/reader.cpp"
  if python3 "$source/scripts/check-engine-log" "$tmp/e" 2>/dev/null; then got=PASSES; else got=FLAGGED; fi
  if [ "$got" != "$expect" ]; then
    echo "FAIL: expected $expect, got $got: $code" >&2
    failures=$((failures + 1))
  fi
}

check FLAGGED 'void f() { logError("Invalid format: " + name); }'
check FLAGGED 'void f() { if (bad) log("x"); }'
check FLAGGED 'void f() { mirdal::setStatusPanel("", 1); }'
check FLAGGED 'void f() { const int n = errorCount(); }'
check FLAGGED 'void f() { reporter().log("x"); }'
check FLAGGED 'void f() { ScopedReporter scope(capture); }'
check FLAGGED 'void f() { setActivationDelay(0); }'
check FLAGGED 'auto g = [&](int i) {
  setStatusReady();
};'
check PASSES 'void f(Reporter& rep) { rep.logError("Invalid format: " + name); }'
check PASSES 'void f(Reporter* r) { r->setStatusPanel("", 1); }'
check PASSES 'void f() { rep_.log(line); opt.report->log("x"); }'
check PASSES 'double f(double x) { return std::log(x); }'
check PASSES 'void f() { /* log("x"); */ std::string s = "logError(x)"; }'
check PASSES 'void logPsrs(const Registers& regs, Reporter& rep);'
check PASSES 'void Reporter::log(std::string_view msg) { appendParagraph(parseMarkup(msg)); }'

# The tree itself has no such call.
python3 "$source/scripts/check-engine-log" || { echo "FAIL: the engine calls a process-wide log" >&2; failures=$((failures + 1)); }
exit $((failures > 0))
