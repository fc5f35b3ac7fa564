// The "&CLIPINF" page frame: the clip choice and "&Read" above a pane for
// the clip view.
#pragma once

#include "views/file_page.h"

namespace mirdal::gui {

class ClipPage : public FilePage {
  Q_OBJECT
 public:
  ClipPage(mirdal::Workspace& ws, QWidget* parent = nullptr);
  QComboBox* cbClipinf() const { return choice(); }
  QPushButton* bReadCI() const { return readButton(); }

 protected:
  const std::vector<std::string>& fileNames() const override;
};

}  // namespace mirdal::gui
