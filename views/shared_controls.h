// The row of shared controls along the bottom of the main window: Save,
// Cancel and the progress bar, the program-run panel, the navigation panel,
// the register panel, Find, the menu Load and Mux buttons.
//
// Which of them are shown and enabled on which page is decided by the main
// window (PageControlChange). A control whose behaviour belongs to a later
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

class TIntEdit;
class THexEdit;

class SharedControls : public QWidget {
  Q_OBJECT
 public:
  explicit SharedControls(QWidget* parent = nullptr);

  QPushButton* bSave() const { return bSave_; }
  QPushButton* bCancel() const { return bCancel_; }
  QProgressBar* progressBar() const { return progress_; }

  // Program-run panel.
  QWidget* pExecute() const { return pExecute_; }
  QPushButton* bStart() const { return bStart_; }
  QCheckBox* cbTrace() const { return cbTrace_; }
  TIntEdit* ieProgramLine() const { return ieProgramLine_; }
  QComboBox* cbObject() const { return cbObject_; }
  QComboBox* cbButton() const { return cbButton_; }

  // Navigation panel.
  QWidget* pNavigate() const { return pNavigate_; }
  QPushButton* bNavUp() const { return bNavUp_; }
  QPushButton* bNavDown() const { return bNavDown_; }
  QPushButton* bNavLeft() const { return bNavLeft_; }
  QPushButton* bNavRight() const { return bNavRight_; }
  QPushButton* bNavSel() const { return bNavSel_; }

  // Register panel.
  QWidget* pRegisters() const { return pRegisters_; }
  TIntEdit* iePSRnum() const { return iePSRnum_; }
  THexEdit* hePSRval() const { return hePSRval_; }
  TIntEdit* ieGPRnum() const { return ieGPRnum_; }
  THexEdit* heGPRval() const { return heGPRval_; }

  QPushButton* bFind() const { return bFind_; }
  QPushButton* bLoadMenu() const { return bLoadMenu_; }
  QPushButton* bMux() const { return bMux_; }

 private:
  QPushButton* bSave_;
  QPushButton* bCancel_;
  QProgressBar* progress_;
  QWidget* pExecute_;
  QPushButton* bStart_;
  QCheckBox* cbTrace_;
  TIntEdit* ieProgramLine_;
  QComboBox* cbObject_;
  QComboBox* cbButton_;
  QWidget* pNavigate_;
  QPushButton* bNavUp_;
  QPushButton* bNavDown_;
  QPushButton* bNavLeft_;
  QPushButton* bNavRight_;
  QPushButton* bNavSel_;
  QWidget* pRegisters_;
  TIntEdit* iePSRnum_;
  THexEdit* hePSRval_;
  TIntEdit* ieGPRnum_;
  THexEdit* heGPRval_;
  QPushButton* bFind_;
  QPushButton* bLoadMenu_;
  QPushButton* bMux_;
};

// A push button no wider than its caption needs.
QPushButton* compactButton(const QString& name, const QString& caption, QWidget* parent);

}  // namespace mirdal::gui
