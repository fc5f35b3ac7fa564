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

class THexEdit;
class TIntEdit;

class CommandFieldEditor : public QWidget {
  Q_OBJECT
 public:
  explicit CommandFieldEditor(QWidget* parent = nullptr);

  // The command of the selected line; nullptr when no line is selected
  // (every field is disabled and empty).
  void showCommand(const mirdal::TNavCommand* c);

  QComboBox* cbCmdGrp() const { return grp_; }
  QComboBox* cbCmdSGrp() const { return sgrp_; }
  QComboBox* cbCmd() const { return opt_; }
  THexEdit* heOCH() const { return och_; }
  QCheckBox* cbOPon(int operand) const { return op_[operand].on; }
  QComboBox* cbOP(int operand) const { return op_[operand].kind; }
  TIntEdit* ieOp(int operand) const { return op_[operand].number; }
  THexEdit* heOperand(int operand) const { return op_[operand].word; }
  QToolButton* bbNCins() const { return ins_; }
  QToolButton* bbNCdel() const { return del_; }
  QToolButton* bbSaveCommands() const { return save_; }
  QToolButton* bbLoadCommands() const { return load_; }

 signals:
  void commandEdited(const mirdal::TNavCommand& c);
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
    TIntEdit* number = nullptr;
    THexEdit* word = nullptr;
  };
  void edit(const std::function<void(mirdal::TNavCommand&)>& change);
  void commitHex(THexEdit* field);
  void commitNumber(int operand);
  void setAllEnabled(bool on);

  QComboBox* grp_;
  QComboBox* sgrp_;
  QComboBox* opt_;
  THexEdit* och_;
  OperandControls op_[2];
  QToolButton* ins_;
  QToolButton* del_;
  QToolButton* save_;
  QToolButton* load_;
  mirdal::TNavCommand cmd_;
  bool hasCommand_ = false;
};

}  // namespace mirdal::gui
