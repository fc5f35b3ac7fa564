#include "documents/read_errors.h"

#include "core/report.h"

namespace mirdal {

ReadWatch::ReadWatch(Reporter& rep) : rep_(rep), before_(rep.errorCount()) {}

std::string ReadWatch::errors(ReadStatus status) const {
  // A count reset during the read counts from zero.
  const int now = rep_.errorCount();
  const int logged = now >= before_ ? now - before_ : now;
  // The text goes inside sentences of its own: without a closing full stop.
  std::string last = rep_.lastErrorText();
  while (!last.empty() && last.back() == '.') last.pop_back();
  if (logged == 1) return last;
  if (logged > 1) return std::to_string(logged) + " errors, the last: " + last;
  if (status == ReadStatus::Truncated) return "the file could not be read whole";
  return {};
}

void showReadErrors(const DocumentBase& doc, Reporter& rep) {
  if (doc.readWithErrors()) rep.setStatusError(doc.fileName() + " was read with errors: " + doc.readErrors());
}

bool mayWrite(const DocumentBase& doc, Guesses g, Reporter& rep) {
  if (!doc.readWithErrors() || g == Guesses::Write) return true;
  rep.log(doc.fileName() + " was read with errors: not saved.");
  return false;
}

}  // namespace mirdal
