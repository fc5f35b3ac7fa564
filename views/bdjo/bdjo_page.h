// The "BD&JO" page: the BD-J object choice and "&Read" above the view of the
// object read (views/bdjo_view.h). BD-J objects are only shown, never saved.
#pragma once

#include "views/common/file_page.h"

namespace mirdal::gui {

class BdjoView;

class BdjoPage : public FilePage {
  Q_OBJECT
 public:
  BdjoPage(mirdal::Workspace& ws, QWidget* parent = nullptr);
  QComboBox* bdjoChoice() const { return choice(); }
  QPushButton* readBdjoButton() const { return readButton(); }
  BdjoView* view() const { return view_; }

  void refresh() override;
  // Reads the object chosen in cbBDJO and shows it.
  void readBdjoClicked();
  // Chooses the object `name` and reads it; false when the disc has none of
  // that name.
  bool openObject(const QString& name);

 signals:
  // A double click on an accessible playlist that the disc has.
  void playListRequested(const QString& name);

 protected:
  const std::vector<std::string>& fileNames() const override;

 private:
  BdjoView* view_;
};

}  // namespace mirdal::gui
