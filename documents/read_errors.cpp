#include "documents/read_errors.h"

#include "core/report.h"

namespace mirdal {

ReadWatch::ReadWatch() : before_(errorCount()) {}

std::string ReadWatch::errors(ReadStatus status) const {
  // A count reset during the read counts from zero.
  const int now = errorCount();
  const int logged = now >= before_ ? now - before_ : now;
  // The text goes inside sentences of its own: without a closing full stop.
  std::string last = lastErrorText();
  while (!last.empty() && last.back() == '.') last.pop_back();
  if (logged == 1) return last;
  if (logged > 1) return std::to_string(logged) + " errors, the last: " + last;
  if (status == ReadStatus::Truncated) return "the file could not be read whole";
  return {};
}

void showReadErrors(const DocumentBase& doc) {
  if (doc.readWithErrors()) setStatusError(doc.fileName() + " was read with errors: " + doc.readErrors());
}

bool mayWrite(const DocumentBase& doc, Guesses g) {
  if (!doc.readWithErrors() || g == Guesses::Write) return true;
  log(doc.fileName() + " was read with errors: not saved.");
  return false;
}

}  // namespace mirdal
