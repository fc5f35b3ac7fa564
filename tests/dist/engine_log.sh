#!/usr/bin/env bash
# scripts/check-engine-log finds engine code that reports through a
# process-wide log, and lets calls on a reporter handed in pass.
#   engine_log.sh SOURCE
. "$(dirname "$0")/snippet_checks.sh" "$1" check-engine-log reader.cpp

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
checkTree "the engine calls a process-wide log"
exit $((failures > 0))
