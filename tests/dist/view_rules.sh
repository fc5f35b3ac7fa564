#!/usr/bin/env bash
# scripts/check-view-rules finds a view that clamps to a limit of its own or
# compares a coded value with a number, and lets bindings, list bounds and
# layout arithmetic pass.
#   view_rules.sh SOURCE
. "$(dirname "$0")/snippet_checks.sh" "$1" check-view-rules view.cpp

check FLAGGED 'std::uint32_t f(std::uint32_t c) { return std::clamp<std::uint32_t>(c, 0x4141, 0x5A5A); }'
check FLAGGED 'int f(int v) { return std::clamp(v, 0, 999); }'
check FLAGGED 'int f(int v) { return qBound(1, v, 255); }'
check FLAGGED 'int f(std::int64_t v) { return int(std::clamp(v, std::int64_t(0), 9999LL)); }' # limit as a suffixed literal
check FLAGGED 'bool f(const IndexTitle& t) { return t.objectType == 1; }'
check FLAGGED 'int f(const Title* t) { return t->playbackType < 2 ? t->playbackType : -1; }'
check FLAGGED 'bool f(const Entry& e) { return e.object_type != 0x02; }'
check FLAGGED 'bool f(const Stream& s) { return 3 == s.entry.type; }'
check PASSES 'int f(int i, int n) { return n == 0 ? -1 : std::clamp(i, 0, n - 1); }'
check PASSES 'int f(int v) { return std::clamp(v, kFirstCountryCode, kLastCountryCode); }'
check PASSES 'int f(int v) { return std::max(v, 40) + std::min(v, 890); }'
check PASSES 'bool f(QEvent* e) { return e->type() == QEvent::KeyPress; }'
check PASSES 'bool f(const IndexTitle& t) { return namesMovieObject(t.objectType) && t.objectType == std::uint8_t(ObjectType::HDMV); }'
check PASSES 'bool f(const Page& p) { return p.displaySets <= 1 && p.count > 2; }'
check PASSES 'void f() { /* std::clamp(v, 0, 999); t.objectType == 1 */ log("type == 1"); }'

# The tree itself has no such rule in a view.
checkTree "a view holds a rule of its own"
exit $((failures > 0))
