// The one Qt adaptor of the document layer: it subscribes to a document and
// turns its change notices into signals, so that a view binds to the
// documents it shows with connect() instead of being wired to its sibling
// views. A view makes one per document it shows, as its child.
#pragma once

#include <QObject>
#include <memory>

#include "documents/document.h"

namespace mirdal::gui {

class DocumentSignals : public QObject {
  Q_OBJECT
 public:
  explicit DocumentSignals(mirdal::DocumentBase& doc, QObject* parent = nullptr);
  ~DocumentSignals() override;

  mirdal::DocumentBase& document() const { return doc_; }

 signals:
  // Every change of the model: an edit, Undo, Redo, a load or reset.
  void changed(const mirdal::ChangeNotice& n);
  // The document became modified or unmodified (an edit, a Save, an Undo
  // back to the saved state, a load).
  void modifiedChanged(bool modified);

 private:
  mirdal::DocumentBase& doc_;
  std::weak_ptr<const void> docAlive_;
  int subscription_ = 0;
  bool modified_ = false;
};

}  // namespace mirdal::gui
