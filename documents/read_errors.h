// A file read with errors: the readers log each error as they meet it and
// say only whether the file ended early, so the read of one file is watched
// from its start; what went wrong becomes the document's readErrors(), the
// status line keeps it, and Save writes such a model only when asked to.
#pragma once

#include <string>

#include "documents/document.h"
#include "formats/common/disc_file.h"

namespace mirdal {

// Whether a save may write a model read with errors: the guesses it holds
// where the file could not be read replace the file only when the user
// agreed (the GUI's question, the CLI's --force).
enum class Guesses { Refuse, Write };

class ReadWatch {
 public:
  explicit ReadWatch(Reporter& rep);
  // "" when the read logged no error and read the file whole; else the
  // reader's error ("00000.mpls ends early at $00000082"), or how many it
  // logged and the last one.
  std::string errors(ReadStatus status) const;

 private:
  Reporter& rep_;
  int before_;
};

// After a document was loaded: a read with errors keeps the error mark on
// the status line with what went wrong (the reader's own closing "Ready."
// would hide it).
void showReadErrors(const DocumentBase& doc, Reporter& rep);

// False, with the log line "<file> was read with errors: not saved.", for a
// document read with errors that the user did not agree to write.
bool mayWrite(const DocumentBase& doc, Guesses g, Reporter& rep);

}  // namespace mirdal
