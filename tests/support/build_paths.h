// Where the tests find the checkout and the built command-line tool.
//
// Every test source sees this header (the build includes it first), but the
// paths themselves are compiled into one generated source file: the other
// objects then do not depend on where the checkout lies, and a fresh clone
// elsewhere reuses what ccache compiled for an earlier one.
#pragma once

namespace mirdal::test {
const char* sourceDir();
const char* cliPath();
}  // namespace mirdal::test

#define MIRDAL_SOURCE_DIR (::mirdal::test::sourceDir())
#define MIRDAL_CLI (::mirdal::test::cliPath())
