#include "views/common/command_field_editor.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QSignalBlocker>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

#include "nav/command_fields.h"
#include "nav/opcode.h"
#include "views/common/hex_edit.h"
#include "views/common/int_edit.h"

namespace mirdal::gui {

namespace {

QStringList itemsOf(const std::vector<std::string_view>& names) {
  QStringList out;
  for (std::string_view n : names) out << QString::fromLatin1(n.data(), qsizetype(n.size()));
  return out;
}

// The lists keep their width whatever they hold; the command list gives
// some of it up in a narrow window (its popup shows the names whole).
QComboBox* combo(const char* name, const QString& hint, int contentsLength, QWidget* parent,
                 bool shrinks = false) {
  auto* c = new QComboBox(parent);
  c->setObjectName(name);
  c->setToolTip(hint);
  c->setMinimumContentsLength(contentsLength);
  c->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
  c->setIconSize(QSize(0, 0));
  c->setSizePolicy(shrinks ? QSizePolicy::Preferred : QSizePolicy::Fixed, QSizePolicy::Fixed);
  if (shrinks) c->setMinimumWidth(c->sizeHint().width() / 2);
  return c;
}

HexEdit* commandHexField(const char* name, QWidget* parent) {
  auto* h = new HexEdit(parent, 8);
  h->setObjectName(name);
  h->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
  return h;
}

QToolButton* toolButton(const char* name, const QString& text, const QString& hint, QWidget* parent) {
  auto* b = new QToolButton(parent);
  b->setObjectName(name);
  b->setText(text);
  b->setToolTip(hint);
  return b;
}

// Replaces a list's items only when they differ, so that an open list and
// its width stay put while the same sub-group is edited.
void setItems(QComboBox* c, const QStringList& items, int current) {
  QStringList now;
  for (int i = 0; i < c->count(); ++i) now << c->itemText(i);
  if (now != items) {
    c->clear();
    c->addItems(items);
  }
  c->setCurrentIndex(current >= 0 && current < items.size() ? current : -1);
}

}  // namespace

CommandFieldEditor::CommandFieldEditor(QWidget* parent) : QWidget(parent) {
  setObjectName("pCommandEditor");
  auto* rows = new QVBoxLayout(this);
  rows->setContentsMargins(0, 0, 0, 0);
  rows->setSpacing(2);

  auto* top = new QHBoxLayout;
  top->setSpacing(2);
  grp_ = combo("cbCmdGrp", tr("Command Group"), 7, this);
  grp_->addItems(itemsOf(mirdal::groupNames()));
  sgrp_ = combo("cbCmdSGrp", tr("Command Sub-Group"), 9, this);
  opt_ = combo("cbCmd", tr("Command Option"), 15, this, true);
  och_ = commandHexField("heOCH", this);
  ins_ = toolButton("bbNCins", QStringLiteral("+"), tr("Insert a line after selected line(s)"), this);
  del_ = toolButton("bbNCdel", QStringLiteral("-"), tr("Delete the selected line(s)"), this);
  save_ = toolButton("bbSaveCommands", QString(), tr("Save program list"), this);
  save_->setIcon(style()->standardIcon(QStyle::SP_DialogSaveButton));
  load_ = toolButton("bbLoadCommands", QString(), tr("Import program..."), this);
  load_->setIcon(style()->standardIcon(QStyle::SP_DialogOpenButton));
  top->addWidget(grp_);
  top->addWidget(sgrp_);
  top->addWidget(opt_);
  top->addWidget(och_);
  top->addStretch(1);
  top->addWidget(ins_);
  top->addWidget(del_);
  top->addWidget(save_);
  top->addWidget(load_);
  rows->addLayout(top);

  auto* bottom = new QHBoxLayout;
  bottom->setSpacing(2);
  const struct {
    const char *on, *kind, *number, *word;
    const char *kindHint, *numberHint;
  } names[2] = {{"cbOP1on", "cbOP1", "ieOp1", "heDEH", "Destination Type", "Destination"},
                {"cbOP2on", "cbOp2", "ieOp2", "heSOH", "Source Type", "Source"}};
  for (int i = 0; i < 2; ++i) {
    OperandControls& o = op_[i];
    o.on = new QCheckBox(this);
    o.on->setObjectName(names[i].on);
    o.kind = combo(names[i].kind, tr(names[i].kindHint), 3, this);
    o.kind->addItems(itemsOf(mirdal::operandKindNames()));
    o.number = new IntEdit(this, 10);
    o.number->setObjectName(names[i].number);
    o.number->setToolTip(tr(names[i].numberHint));
    o.number->setMaxLength(10);
    // Ten digits when there is room; register numbers need four.
    o.number->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    o.number->setMinimumWidth(o.number->sizeHint().width() * 3 / 5);
    o.word = commandHexField(names[i].word, this);
    if (i == 1) bottom->addSpacing(6);
    bottom->addWidget(o.on);
    bottom->addWidget(o.kind);
    bottom->addWidget(o.number);
    bottom->addWidget(o.word);

    connect(o.on, &QCheckBox::toggled, this, [this, i](bool on) {
      edit([&](mirdal::NavCommand& c) { mirdal::setOperandInUse(c, i, on); });
    });
    connect(o.kind, &QComboBox::currentIndexChanged, this, [this, i](int k) {
      if (k >= 0) edit([&](mirdal::NavCommand& c) { mirdal::chooseOperandKind(c, i, mirdal::OperandKind(k)); });
    });
    connect(o.number, &IntEdit::editingFinished, this, [this, i] { commitNumber(i); });
    connect(o.word, &HexEdit::editingFinished, this, [this, w = o.word] { commitHex(w); });
    o.word->installEventFilter(this);
  }
  bottom->addStretch(1);
  rows->addLayout(bottom);

  connect(grp_, &QComboBox::currentIndexChanged, this, [this](int g) {
    if (g >= 0) edit([&](mirdal::NavCommand& c) { mirdal::chooseGroup(c, g); });
  });
  connect(sgrp_, &QComboBox::currentIndexChanged, this, [this](int s) {
    if (s >= 0) edit([&](mirdal::NavCommand& c) { mirdal::chooseSubGroup(c, s); });
  });
  connect(opt_, &QComboBox::currentIndexChanged, this, [this](int o) {
    if (o >= 0) edit([&](mirdal::NavCommand& c) { mirdal::chooseOption(c, o); });
  });
  connect(och_, &HexEdit::editingFinished, this, [this] { commitHex(och_); });
  och_->installEventFilter(this);

  showCommand(nullptr);
}

void CommandFieldEditor::setAllEnabled(bool on) {
  for (QWidget* w : {static_cast<QWidget*>(grp_), static_cast<QWidget*>(sgrp_), static_cast<QWidget*>(opt_),
                     static_cast<QWidget*>(och_)})
    w->setEnabled(on);
  for (OperandControls& o : op_) {
    o.on->setEnabled(on);
    for (QWidget* w : {static_cast<QWidget*>(o.kind), static_cast<QWidget*>(o.number), static_cast<QWidget*>(o.word)})
      w->setEnabled(on);
  }
}

void CommandFieldEditor::showCommand(const mirdal::NavCommand* c) {
  // The controls show the command; their change signals are the user's.
  const QList<QWidget*> controls = findChildren<QWidget*>();
  std::vector<QSignalBlocker> blocks;
  blocks.reserve(std::size_t(controls.size()));
  for (QWidget* w : controls) blocks.emplace_back(w);

  hasCommand_ = c != nullptr;
  if (!c) {
    setAllEnabled(false);
    for (QComboBox* cb : {grp_, sgrp_, opt_}) cb->setCurrentIndex(-1);
    och_->clear();
    for (OperandControls& o : op_) {
      o.on->setChecked(false);
      o.kind->setCurrentIndex(-1);
      o.number->clear();
      o.word->clear();
    }
    return;
  }
  cmd_ = *c;
  const mirdal::CommandEditorView v = mirdal::editorViewOf(cmd_);
  for (QWidget* w : {static_cast<QWidget*>(grp_), static_cast<QWidget*>(sgrp_), static_cast<QWidget*>(opt_),
                     static_cast<QWidget*>(och_)})
    w->setEnabled(true);
  grp_->setCurrentIndex(v.group < grp_->count() ? v.group : -1);
  setItems(sgrp_, itemsOf(v.subGroupItems), v.subGroup);
  setItems(opt_, itemsOf(v.optionItems), v.option);
  och_->setValue(v.opcode);
  for (int i = 0; i < 2; ++i) {
    const mirdal::OperandEditorView& ov = v.op[i];
    OperandControls& o = op_[i];
    o.on->setEnabled(true);
    o.on->setChecked(ov.checked);
    o.kind->setCurrentIndex(int(ov.kind));
    o.number->setValue(ov.number);
    o.word->setValue(ov.word);
    for (QWidget* w : {static_cast<QWidget*>(o.kind), static_cast<QWidget*>(o.number), static_cast<QWidget*>(o.word)})
      w->setEnabled(ov.enabled);
  }
  emit gridHintChanged(QString::fromLatin1(v.gridHint.data(), qsizetype(v.gridHint.size())));
}

void CommandFieldEditor::edit(const std::function<void(mirdal::NavCommand&)>& change) {
  if (!hasCommand_) return;
  mirdal::NavCommand c = cmd_;
  change(c);
  emit commandEdited(c);
}

void CommandFieldEditor::commitHex(HexEdit* field) {
  if (!hasCommand_) return;
  const auto v = std::uint32_t(field->value());
  if (field == och_) {
    // Compared after the entry: an opcode of 0 clears the operands even
    // when the opcode already was 0.
    mirdal::NavCommand after = cmd_;
    mirdal::enterOpcodeWord(after, v);
    if (!(after == cmd_)) emit commandEdited(after);
    else och_->setValue(v);
    return;
  }
  const int i = field == op_[0].word ? 0 : 1;
  const std::uint32_t now = i == 0 ? cmd_.dst : cmd_.src;
  if (v != now) edit([i, v](mirdal::NavCommand& c) { mirdal::enterOperandWord(c, i, v); });
  else field->setValue(v);
}

void CommandFieldEditor::commitNumber(int operand) {
  if (!hasCommand_) return;
  IntEdit* field = op_[operand].number;
  const QByteArray typed = field->text().toLatin1();
  const auto n = mirdal::parseOperandNumber(std::string_view(typed.constData(), std::size_t(typed.size())));
  const mirdal::NavCommand before = cmd_;
  mirdal::NavCommand after = cmd_;
  if (n) mirdal::enterOperandNumber(after, operand, *n);
  if (n && !(after == before)) {
    emit commandEdited(after);
  } else {
    // A refused or unchanged number: the field shows the command again.
    const mirdal::CommandEditorView v = mirdal::editorViewOf(cmd_);
    const QSignalBlocker b(field);
    field->setValue(v.op[operand].number);
  }
}

bool CommandFieldEditor::eventFilter(QObject* o, QEvent* e) {
  if (e->type() == QEvent::KeyPress) {
    const int k = static_cast<QKeyEvent*>(e)->key();
    if (k == Qt::Key_Return || k == Qt::Key_Enter) {
      commitHex(static_cast<HexEdit*>(o));
      emit backToGrid();
      return true;
    }
  }
  return QWidget::eventFilter(o, e);
}

}  // namespace mirdal::gui
