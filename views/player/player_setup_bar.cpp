#include "views/player/player_setup_bar.h"

#include <QComboBox>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "views/common/interaction.h"

namespace mirdal::gui {

PlayerSetupBar::PlayerSetupBar(Interaction& ia, QWidget* parent) : QWidget(parent), ia_(ia) {
  setObjectName("wPlayerSetup");
  auto* rows = new QVBoxLayout(this);
  rows->setContentsMargins(0, 0, 0, 0);
  auto* row = new QHBoxLayout;
  rows->addLayout(row);
  row->addWidget(new QLabel(tr("Start at:"), this));
  start_ = new QComboBox(this);
  start_->setObjectName("cbPlayerStartAt");
  row->addWidget(start_);
  auto* restart = new QPushButton(tr("&Restart"), this);
  restart->setObjectName("bPlayerRestartAt");
  restart->setToolTip(tr("Start the disc again at the chosen place, with the registers and menus set here"));
  row->addWidget(restart);
  row->addSpacing(12);

  row->addWidget(new QLabel(tr("Registers:"), this));
  registers_ = new QLineEdit(this);
  registers_->setObjectName("ePlayerSetRegs");
  registers_->setPlaceholderText("GPR6=5, PSR10=0x400");
  registers_->setToolTip(tr("Register values after the reset at each start; Set also puts them into the run going on"));
  row->addWidget(registers_, 1);
  auto* set = new QPushButton(tr("Set"), this);
  set->setObjectName("bPlayerSetRegs");
  row->addWidget(set);
  row = new QHBoxLayout;
  rows->addLayout(row);

  row->addWidget(new QLabel(tr("Menu of clip:"), this));
  clip_ = new QLineEdit("00001", this);
  clip_->setObjectName("ePlayerMenuClip");
  clip_->setMaxLength(5);
  clip_->setFixedWidth(clip_->fontMetrics().horizontalAdvance("000000") + 12);
  row->addWidget(clip_);
  auto* attach = new QPushButton(tr("Attach .mnu..."), this);
  attach->setObjectName("bPlayerAttachMenu");
  attach->setToolTip(tr("The menu of this clip comes from a .mnu file from the next start on"));
  row->addWidget(attach);
  menus_ = new QLabel(this);
  menus_->setObjectName("lPlayerMenus");
  row->addWidget(menus_);
  message_ = new QLabel(this);
  message_->setObjectName("lPlayerMessage");
  message_->setStyleSheet("color: #b00000");
  row->addStretch(1);
  row->addWidget(message_);

  connect(restart, &QPushButton::clicked, this, &PlayerSetupBar::restartRequested);
  connect(set, &QPushButton::clicked, this, &PlayerSetupBar::setRegisters);
  connect(registers_, &QLineEdit::returnPressed, this, &PlayerSetupBar::setRegisters);
  connect(attach, &QPushButton::clicked, this, &PlayerSetupBar::chooseMenu);
}

void PlayerSetupBar::showChoices(const mirdal::IndexFile& index) {
  const QString was = start_->currentText();
  choices_ = mirdal::startChoices(index);
  start_->clear();
  for (const mirdal::StartChoice& c : choices_) start_->addItem(QString::fromStdString(c.text));
  const int i = start_->findText(was);
  start_->setCurrentIndex(i >= 0 ? i : 0);
}

mirdal::PlayerSetup PlayerSetupBar::setup() const {
  mirdal::PlayerSetup s = setup_;
  const int i = start_->currentIndex();
  s.title = i >= 0 && std::size_t(i) < choices_.size() ? choices_[std::size_t(i)].title : std::nullopt;
  return s;
}

QString PlayerSetupBar::message() const { return message_->text(); }

void PlayerSetupBar::say(const QString& text) { message_->setText(text); }

void PlayerSetupBar::setRegisters() {
  const std::string text = registers_->text().toStdString();
  mirdal::PlayerSetup parsed;
  std::string why;
  if (!text.empty() && !mirdal::addRegisterSettings(parsed, text, why)) {
    say(tr("Registers: %1").arg(QString::fromStdString(why)));
    return;
  }
  say({});
  setup_.registers = parsed.registers;
  emit registersSet(setup_.registers);
}

void PlayerSetupBar::chooseMenu() {
  const std::string clip = clip_->text().trimmed().toStdString();
  if (!mirdal::isClipName(clip)) {
    say(tr("Menu of clip: a clip is named by five digits, e.g. 00001"));
    return;
  }
  FileDialogRequest r;
  r.title = tr("Menu for clip %1").arg(QString::fromStdString(clip));
  r.filter = "Menu|*.mnu|All files|*";
  const QString path = ia_.openFile(r);
  if (path.isEmpty()) return;
  std::string why;
  if (!mirdal::attachMenu(setup_, clip, path.toStdString(), why)) {
    say(tr("Menu of clip: %1").arg(QString::fromStdString(why)));
    return;
  }
  say({});
  QStringList shown;
  for (const auto& [c, p] : setup_.menus)
    shown << QString::fromStdString(c) + "=" + QFileInfo(QString::fromStdString(p)).fileName();
  menus_->setText(shown.join(", "));
}

}  // namespace mirdal::gui
