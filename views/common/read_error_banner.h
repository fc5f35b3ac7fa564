// The line above a page's content that says a file of the page was read
// with errors: where the file could not be read, the page shows guesses,
// and nothing else on the page looks different. Hidden while every file the
// page shows was read whole; it follows loads and saves of the documents.
//
// askAboutGuesses() is Save's side of it: the question before a document
// read with errors is written.
#pragma once

#include <QLabel>
#include <vector>

#include "documents/read_errors.h"

namespace mirdal {
struct Workspace;
}  // namespace mirdal

namespace mirdal::gui {

class Interaction;

class ReadErrorBanner : public QLabel {
  Q_OBJECT
 public:
  // objectName: the banner's name (`lReadErrors` + the page's suffix).
  ReadErrorBanner(const char* objectName, std::vector<mirdal::DocumentBase*> docs, QWidget* parent);

 private:
  void update();
  std::vector<mirdal::DocumentBase*> docs_;
};

// What a save of doc may write: Write when it was read whole (nothing is
// asked) or the user said Yes to the question that says what would be
// written in the file's place; Refuse, which the savers log as "not
// saved.", when he said No.
mirdal::Guesses askAboutGuesses(Interaction& ia, const mirdal::Workspace& ws, const mirdal::DocumentBase& doc);

}  // namespace mirdal::gui
