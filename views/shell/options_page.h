// The "&Options" page: the groups "Options", "Format options" and "Menu
// options". Every control writes its option into the Workspace at once; the
// settings store them at exit. The display switches here are the twins of
// the menu page's switches (MainWindow mirrors them).
#pragma once

#include <QWidget>
#include <array>
#include <cstdint>
#include <functional>
#include <vector>

#include "documents/document.h"
#include "menu/igs_model.h"
#include "views/menu/display_switches.h"
#include "views/common/page_view.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QToolButton;

namespace mirdal {
struct Workspace;
}

namespace mirdal::gui {

class Interaction;
class RadioGroup;
class HexEdit;
class NumberEdit;

// Colour numbers 0x00BBGGRR and colours.
QColor colorFromNumber(std::uint32_t n);
std::uint32_t numberFromColor(const QColor& c);

// The line of the Options that says which matrix converts the palettes of
// the menu loaded (or the rule, when none is).
QString colourMatrixText(const mirdal::Document<mirdal::IgMenu>& menu);

class OptionsPage : public QWidget, public PageView {
  Q_OBJECT
 public:
  OptionsPage(mirdal::Workspace& ws, Interaction& ia, QWidget* parent = nullptr);

  // Shows the Workspace's options in every control.
  void showOptions();
  void refresh() override {}

  QCheckBox* displaySwitch(int i) const { return switches_[std::size_t(i)]; }
  QCheckBox* shortNamesBox() const { return shortNamesBox_; }
  HexEdit* countryCodeField() const { return country_; }
  QLabel* countryLabel() const { return countryLetters_; }
  QLabel* colourMatrixLabel() const { return colourMatrixLabel_; }
  QPushButton* createSoundButton() const { return createSoundButton_; }
  QPushButton* createMenuButton() const { return createMenuButton_; }

  void backgroundPictureClicked();
  void outputFolderClicked();

 signals:
  void shortNamesChanged(bool on);
  void backgroundChanged();      // picture or its switch
  void menuColoursChanged();

 private:
  QWidget* buildOptionsGroup();
  QWidget* buildFormatGroup();
  QWidget* buildMenuGroup();
  using BoolField = std::function<bool&(mirdal::Options&)>;
  QCheckBox* check(const char* name, const QString& text, BoolField field, QWidget* parent);
  QToolButton* colourBox(const char* name, const QString& text, std::uint32_t mirdal::MenuColours::*field,
                         QWidget* parent);
  void showColour(QToolButton* b, std::uint32_t colour);
  void countryEdited();
  void countryLeft();
  void showColourMatrix();

  mirdal::Workspace& ws_;
  Interaction& ia_;
  QCheckBox* backupBox_ = nullptr;
  RadioGroup* backupModeChoice_ = nullptr;
  RadioGroup* regionChoice_ = nullptr;
  RadioGroup* chapterFormatChoice_ = nullptr;
  RadioGroup* programFormatChoice_ = nullptr;
  QLineEdit* outputFolderField_ = nullptr;
  QLineEdit* backgroundPictureField_ = nullptr;
  HexEdit* country_ = nullptr;
  QLabel* countryLetters_ = nullptr;
  QLabel* colourMatrixLabel_ = nullptr;
  QCheckBox* shortNamesBox_ = nullptr;
  NumberEdit* activationDelayField_ = nullptr;
  NumberEdit* gridSizeField_ = nullptr;
  QPushButton* createSoundButton_ = nullptr;
  QPushButton* createMenuButton_ = nullptr;
  std::array<QCheckBox*, kDisplaySwitches.size()> switches_{};
  // Every plain check box with the option it shows, for showOptions.
  std::vector<std::pair<QCheckBox*, BoolField>> checks_;
  std::vector<std::pair<QToolButton*, std::uint32_t mirdal::MenuColours::*>> colours_;
};

}  // namespace mirdal::gui
