// The field editor beside the movie-object command grid: the command's
// group, sub-group and option lists, its three words in hexadecimal, and
// for each operand an "in use" box, a kind list (GPR, PSR, Imm) and a
// number field; then the "+" and "-" line buttons, the program export
// button and "Import program...".
//
// The editor changes a copy of the command shown through the actions of
// nav/command_fields.h and reports the result with commandEdited; the
// owner stores it in the program and shows the stored command again.
#pragma once

#include <QWidget>
#include <functional>

#include "nav/command.h"

class QCheckBox;
class QComboBox;
class QToolButton;

namespace mirdal::gui {

class HexEdit;
class IntEdit;

class CommandFieldEditor : public QWidget {
  Q_OBJECT
 public:
  explicit CommandFieldEditor(QWidget* parent = nullptr);

  // The command of the selected line; nullptr when no line is selected
  // (every field is disabled and empty).
  void showCommand(const mirdal::NavCommand* c);

  QComboBox* groupChoice() const { return grp_; }
  QComboBox* subGroupChoice() const { return sgrp_; }
  QComboBox* optionChoice() const { return opt_; }
  HexEdit* opcodeField() const { return och_; }
  QCheckBox* operandOnBox(int operand) const { return op_[operand].on; }
  QComboBox* operandKindChoice(int operand) const { return op_[operand].kind; }
  IntEdit* operandNumberField(int operand) const { return op_[operand].number; }
  HexEdit* operandWordField(int operand) const { return op_[operand].word; }
  QToolButton* insertCommandButton() const { return ins_; }
  QToolButton* deleteCommandButton() const { return del_; }
  QToolButton* saveCommandsButton() const { return save_; }
  QToolButton* loadCommandsButton() const { return load_; }

 signals:
  void commandEdited(const mirdal::NavCommand& c);
  // The hint the command grid shows: "Navigation commands" or the
  // description of a PSR operand.
  void gridHintChanged(const QString& hint);
  // Enter in one of the hexadecimal fields.
  void backToGrid();

 protected:
  bool eventFilter(QObject* o, QEvent* e) override;

 private:
  struct OperandControls {
    QCheckBox* on = nullptr;
    QComboBox* kind = nullptr;
    IntEdit* number = nullptr;
    HexEdit* word = nullptr;
  };
  void edit(const std::function<void(mirdal::NavCommand&)>& change);
  void commitHex(HexEdit* field);
  void commitNumber(int operand);
  void setAllEnabled(bool on);

  QComboBox* grp_;
  QComboBox* sgrp_;
  QComboBox* opt_;
  HexEdit* och_;
  OperandControls op_[2];
  QToolButton* ins_;
  QToolButton* del_;
  QToolButton* save_;
  QToolButton* load_;
  mirdal::NavCommand cmd_;
  bool hasCommand_ = false;
};

}  // namespace mirdal::gui
