// The BD-J object view of the "BD&JO" page: TerminalInfo, AppCacheInfo,
// TableOfAccessiblePlayLists, ApplicationManagementTable with the profiles,
// names and parameters of the selected application, KeyInterestTable and
// FileAccesInfo of the BD-J object last read. Nothing here is editable.
#pragma once

#include <QWidget>
#include <array>

#include "formats/bdjo/bdjo.h"

class QCheckBox;
class QLineEdit;

namespace mirdal {
struct Workspace;
}

namespace mirdal::gui {

class StringGrid;
class HexEdit;

class BdjoView : public QWidget {
  Q_OBJECT
 public:
  explicit BdjoView(mirdal::Workspace& ws, QWidget* parent = nullptr);

  QLineEdit* defaultFontField() const { return font_; }
  HexEdit* haviConfigurationField() const { return havi_; }
  QCheckBox* menuCallMaskBox() const { return menuCall_; }
  QCheckBox* titleSearchMaskBox() const { return titleSearch_; }
  StringGrid* appCacheGrid() const { return cache_; }
  QCheckBox* accessToAllBox() const { return accessAll_; }
  QCheckBox* autostartFirstPlaylistBox() const { return autostart_; }
  StringGrid* accessiblePlaylistGrid() const { return playlists_; }
  StringGrid* applicationGrid() const { return apps_; }
  StringGrid* profileGrid() const { return profiles_; }
  StringGrid* applicationNameGrid() const { return names_; }
  StringGrid* parameterGrid() const { return params_; }
  QCheckBox* keyInterest(std::size_t i) const { return keys_[i]; }
  QLineEdit* directoryPathField() const { return path_; }

  // Shows the BD-J object of the Workspace (empty when none was read),
  // with the first application's details.
  void refresh();
  // The details of application i (-1: none).
  void showApplication(int i);

 signals:
  // A double click on an accessible playlist that the disc has.
  void playListRequested(const QString& name);

 private:
  void playListDoubleClicked(int row);

  mirdal::Workspace& ws_;
  QLineEdit* font_;
  HexEdit* havi_;
  QCheckBox* menuCall_;
  QCheckBox* titleSearch_;
  StringGrid* cache_;
  QCheckBox* accessAll_;
  QCheckBox* autostart_;
  StringGrid* playlists_;
  StringGrid* apps_;
  StringGrid* profiles_;
  StringGrid* names_;
  StringGrid* params_;
  std::array<QCheckBox*, kKeyInterestCount> keys_{};
  QLineEdit* path_;
};

}  // namespace mirdal::gui
