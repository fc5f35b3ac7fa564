#include "views/common/document_signals.h"

namespace mirdal::gui {

DocumentSignals::DocumentSignals(mirdal::DocumentBase& doc, QObject* parent)
    : QObject(parent), doc_(doc), docAlive_(doc.lifetime()), modified_(doc.modified()) {
  subscription_ = doc_.subscribe([this](const mirdal::ChangeNotice& n) {
    emit changed(n);
    if (doc_.modified() != modified_) {
      modified_ = doc_.modified();
      emit modifiedChanged(modified_);
    }
  });
}

DocumentSignals::~DocumentSignals() {
  if (!docAlive_.expired()) doc_.unsubscribe(subscription_);
}

}  // namespace mirdal::gui
