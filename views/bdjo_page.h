// The "BD&JO" page frame: the BD-J object choice and "&Read" above a pane
// for the object view.
#pragma once

#include "views/file_page.h"

namespace mirdal::gui {

class BdjoPage : public FilePage {
  Q_OBJECT
 public:
  BdjoPage(mirdal::Workspace& ws, QWidget* parent = nullptr);
  QComboBox* cbBDJO() const { return choice(); }
  QPushButton* bReadBDJO() const { return readButton(); }

 protected:
  const std::vector<std::string>& fileNames() const override;
};

}  // namespace mirdal::gui
