// The row of shared controls along the bottom of the main window: Save,
// Cancel and the progress bar, the program-run panel, the navigation panel,
// the register panel, Find, the menu Load and Mux buttons.
//
// Which of them are shown and enabled on which page is decided by the main
// window (pageControlChanged). A control whose behaviour belongs to a later
// part of the program is created unavailable (views/availability.h): it
// stays disabled until that part connects its action.
#pragma once

#include <QWidget>

class QCheckBox;
class QComboBox;
class QProgressBar;
class QPushButton;
class QLabel;

namespace mirdal::gui {

class IntEdit;
class HexEdit;

class SharedControls : public QWidget {
  Q_OBJECT
 public:
  explicit SharedControls(QWidget* parent = nullptr);

  QPushButton* saveButton() const { return saveButton_; }
  QPushButton* cancelButton() const { return cancelButton_; }
  QProgressBar* progressBar() const { return progress_; }

  // Program-run panel.
  QWidget* executePanel() const { return executePanel_; }
  QPushButton* startButton() const { return startButton_; }
  QCheckBox* traceBox() const { return traceBox_; }
  IntEdit* programLineField() const { return programLineField_; }
  QComboBox* runObjectChoice() const { return runObjectChoice_; }
  QComboBox* runButtonChoice() const { return runButtonChoice_; }

  // Navigation panel.
  QWidget* navigatePanel() const { return navigatePanel_; }
  QPushButton* navUpButton() const { return navUpButton_; }
  QPushButton* navDownButton() const { return navDownButton_; }
  QPushButton* navLeftButton() const { return navLeftButton_; }
  QPushButton* navRightButton() const { return navRightButton_; }
  QPushButton* navSelectButton() const { return navSelectButton_; }
  // The remote's Pop-up key, for pop-up menus.
  QPushButton* navPopUpButton() const { return navPopUpButton_; }

  // Register panel.
  QWidget* registersPanel() const { return registersPanel_; }
  IntEdit* psrNumberField() const { return psrNumberField_; }
  HexEdit* psrValueField() const { return psrValueField_; }
  IntEdit* gprNumberField() const { return gprNumberField_; }
  HexEdit* gprValueField() const { return gprValueField_; }

  QPushButton* findButton() const { return findButton_; }
  QPushButton* loadMenuButton() const { return loadMenuButton_; }
  QPushButton* muxButton() const { return muxButton_; }

 private:
  QPushButton* saveButton_;
  QPushButton* cancelButton_;
  QProgressBar* progress_;
  QWidget* executePanel_;
  QPushButton* startButton_;
  QCheckBox* traceBox_;
  IntEdit* programLineField_;
  QComboBox* runObjectChoice_;
  QComboBox* runButtonChoice_;
  QWidget* navigatePanel_;
  QPushButton* navUpButton_;
  QPushButton* navDownButton_;
  QPushButton* navLeftButton_;
  QPushButton* navRightButton_;
  QPushButton* navSelectButton_;
  QPushButton* navPopUpButton_;
  QWidget* registersPanel_;
  IntEdit* psrNumberField_;
  HexEdit* psrValueField_;
  IntEdit* gprNumberField_;
  HexEdit* gprValueField_;
  QPushButton* findButton_;
  QPushButton* loadMenuButton_;
  QPushButton* muxButton_;
};

// A push button no wider than its caption needs.
QPushButton* compactButton(const QString& name, const QString& caption, QWidget* parent);

}  // namespace mirdal::gui
