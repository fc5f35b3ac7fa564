// The "&Options" page: the groups "Options", "Format options" and "Menu
// options". Every control writes its option into the Workspace at once; the
// settings store them at exit. The display switches here are the twins of
// the menu page's switches (TfMain mirrors them).
#pragma once

#include <QWidget>
#include <array>
#include <cstdint>
#include <functional>
#include <vector>

#include "documents/document.h"
#include "menu/igs_model.h"
#include "views/display_switches.h"
#include "views/page_view.h"

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
class THexEdit;
class TumNumberEdit;

// Colour numbers 0x00BBGGRR and colours.
QColor colorFromNumber(std::uint32_t n);
std::uint32_t numberFromColor(const QColor& c);

// The line of the Options that says which matrix converts the palettes of
// the menu loaded (or the rule, when none is).
QString colourMatrixText(const mirdal::Document<mirdal::TMenu>& menu);

// The two letters a 16-bit country code stands for ("US" for 0x5553).
QString countryLetters(std::uint32_t code);
// The code clamped to "AA".."ZZ" (0x4141..0x5A5A).
std::uint32_t clampCountryCode(std::uint32_t code);

class OptionsPage : public QWidget, public PageView {
  Q_OBJECT
 public:
  OptionsPage(mirdal::Workspace& ws, Interaction& ia, QWidget* parent = nullptr);

  // Shows the Workspace's options in every control.
  void showOptions();
  void refresh() override {}

  QCheckBox* displaySwitch(int i) const { return switches_[std::size_t(i)]; }
  QCheckBox* cb83names() const { return cb83names_; }
  THexEdit* heCountryCode() const { return country_; }
  QLabel* lCountry() const { return countryLetters_; }
  QLabel* lColourMatrix() const { return lColourMatrix_; }
  QPushButton* bCreateSound() const { return bCreateSound_; }
  QPushButton* bCreateMenu() const { return bCreateMenu_; }

  void bbBackPicClick();
  void bbWorkDirClick();

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
  QCheckBox* cbOBackup_ = nullptr;
  RadioGroup* rgOBackup_ = nullptr;
  RadioGroup* rgRegion_ = nullptr;
  RadioGroup* rgChapterFormat_ = nullptr;
  RadioGroup* rgProgramFormat_ = nullptr;
  QLineEdit* eWorkDir_ = nullptr;
  QLineEdit* eBackPic_ = nullptr;
  THexEdit* country_ = nullptr;
  QLabel* countryLetters_ = nullptr;
  QLabel* lColourMatrix_ = nullptr;
  QCheckBox* cb83names_ = nullptr;
  TumNumberEdit* neActiDelay_ = nullptr;
  TumNumberEdit* neGrid_ = nullptr;
  QPushButton* bCreateSound_ = nullptr;
  QPushButton* bCreateMenu_ = nullptr;
  std::array<QCheckBox*, kDisplaySwitches.size()> switches_{};
  // Every plain check box with the option it shows, for showOptions.
  std::vector<std::pair<QCheckBox*, BoolField>> checks_;
  std::vector<std::pair<QToolButton*, std::uint32_t mirdal::MenuColours::*>> colours_;
};

}  // namespace mirdal::gui
