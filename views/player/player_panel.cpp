#include "views/player/player_panel.h"

#include <QDateTime>
#include <QDoubleSpinBox>
#include <QSpinBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSplitter>
#include <QTimer>
#include <QVBoxLayout>

#include "documents/workspace.h"
#include "nav/registers.h"
#include "views/menu/menu_view_canvas.h"
#include "views/menu/picture_view.h"
#include "views/common/gui_reporter_access.h"
#include "views/player/player_setup_bar.h"

namespace mirdal::gui {

using mirdal::UserOp;

PlayerTimeline::PlayerTimeline(QWidget* parent) : QWidget(parent) {
  setObjectName("wPlayerTimeline");
  setMinimumHeight(28);
}

void PlayerTimeline::show(const mirdal::Timeline* tl, std::uint64_t position) {
  playing_ = tl != nullptr;
  if (tl) tl_ = *tl;
  position_ = position;
  update();
}

void PlayerTimeline::paintEvent(QPaintEvent*) {
  QPainter p(this);
  const QRect r = rect().adjusted(1, 4, -2, -4);
  p.fillRect(rect(), palette().window());
  if (!playing_ || tl_.length() == 0) {
    p.drawRect(r);
    return;
  }
  const auto x = [&](std::uint64_t t) { return r.left() + int(double(t) / double(tl_.length()) * r.width()); };
  for (std::size_t i = 0; i < tl_.items(); ++i) {
    const QRect seg(x(tl_.itemStart[i]), r.top(), x(tl_.itemStart[i + 1]) - x(tl_.itemStart[i]), r.height());
    p.fillRect(seg, i % 2 ? QColor(170, 200, 235) : QColor(200, 220, 245));
    p.drawRect(seg);
  }
  for (const mirdal::TimelineMark& m : tl_.marks) {
    p.setPen(m.entry ? QColor(0, 90, 0) : QColor(160, 100, 0));
    p.drawLine(x(m.at), r.top(), x(m.at), r.top() + r.height() / 2);
  }
  p.setPen(QPen(Qt::red, 2));
  p.drawLine(x(position_), rect().top(), x(position_), rect().bottom());
}

PlayerPanel::PlayerPanel(mirdal::Workspace& ws, Interaction& ia, QWidget* parent) : QWidget(parent, Qt::Window), ws_(ws) {
  setObjectName("wPlayerPanel");
  setWindowTitle(tr("Play disc"));
  auto* top = new QVBoxLayout(this);

  auto* grid = new QGridLayout;
  const char* captions[6] = {"Title:", "Object:", "Playlist:", "PlayItem:", "Chapter:", "Time:"};
  const char* names[6] = {"lPlayerTitle", "lPlayerObject", "lPlayerPlaylist", "lPlayerItem", "lPlayerChapter",
                          "lPlayerTime"};
  for (int i = 0; i < 6; ++i) {
    grid->addWidget(new QLabel(tr(captions[i]), this), i / 3, (i % 3) * 2);
    fields_[i] = new QLabel("-", this);
    fields_[i]->setObjectName(names[i]);
    fields_[i]->setMinimumWidth(140);
    grid->addWidget(fields_[i], i / 3, (i % 3) * 2 + 1);
  }
  top->addLayout(grid);
  setup_ = new PlayerSetupBar(ia, this);
  top->addWidget(setup_);
  timeline_ = new PlayerTimeline(this);
  top->addWidget(timeline_);

  auto* buttons = new QHBoxLayout;
  const auto button = [&](const QString& text, const char* name) {
    auto* b = new QPushButton(text, this);
    b->setObjectName(name);
    b->setFocusPolicy(Qt::NoFocus);
    buttons->addWidget(b);
    return b;
  };
  start_ = button(tr("&Start"), "bPlayerStart");
  QPushButton* step = button(tr("S&tep"), "bPlayerStep");
  QPushButton* restart = button(tr("From First &Playback"), "bPlayerRestart");
  buttons->addSpacing(12);
  QPushButton* topMenu = button(tr("Top Menu"), "bPlayerTopMenu");
  QPushButton* popUp = button(tr("Pop-up"), "bPlayerPopUp");
  const struct { const char* text; const char* name; UserOp::Kind kind; } keys[] = {
      {"Up", "bPlayerUp", UserOp::Kind::Up},       {"Down", "bPlayerDown", UserOp::Kind::Down},
      {"Left", "bPlayerLeft", UserOp::Kind::Left}, {"Right", "bPlayerRight", UserOp::Kind::Right},
      {"Enter", "bPlayerEnter", UserOp::Kind::Enter}};
  for (const auto& k : keys)
    connect(button(tr(k.text), k.name), &QPushButton::clicked, this, [this, kind = k.kind] { press({kind, 0}); });
  QPushButton* end = button(tr("To the end"), "bPlayerEnd");
  buttons->addStretch(1);
  top->addLayout(buttons);

  // The remote's other keys: chapters, title search, digits and waiting.
  buttons = new QHBoxLayout;
  connect(button(tr("Chapter -"), "bPlayerChapterPrev"), &QPushButton::clicked, this,
          [this] { press({UserOp::Kind::ChapterPrevious, 0}); });
  connect(button(tr("Chapter +"), "bPlayerChapterNext"), &QPushButton::clicked, this,
          [this] { press({UserOp::Kind::ChapterNext, 0}); });
  buttons->addSpacing(12);
  auto* titleNumber = new QSpinBox(this);
  titleNumber->setObjectName("sbPlayerTitle");
  titleNumber->setRange(1, 999);
  buttons->addWidget(titleNumber);
  connect(button(tr("Title search"), "bPlayerTitleSearch"), &QPushButton::clicked, this,
          [this, titleNumber] { press({UserOp::Kind::Title, std::uint32_t(titleNumber->value())}); });
  buttons->addSpacing(12);
  for (unsigned d = 0; d <= 9; ++d) {
    QPushButton* b = button(QString::number(d), QString("bPlayerDigit%1").arg(d).toLatin1().constData());
    b->setFixedWidth(b->fontMetrics().horizontalAdvance("00") + 16);
    connect(b, &QPushButton::clicked, this, [this, d] { press({UserOp::Kind::Digit, d}); });
  }
  buttons->addSpacing(12);
  auto* waitSeconds = new QDoubleSpinBox(this);
  waitSeconds->setObjectName("sbPlayerWait");
  waitSeconds->setRange(0.001, 36000);
  waitSeconds->setDecimals(3);
  waitSeconds->setValue(1);
  waitSeconds->setSuffix(" s");
  buttons->addWidget(waitSeconds);
  connect(button(tr("Wait"), "bPlayerWait"), &QPushButton::clicked, this, [this, waitSeconds] {
    press({UserOp::Kind::Wait, std::uint32_t(waitSeconds->value() * 1000 + 0.5)});
  });
  buttons->addStretch(1);
  top->addLayout(buttons);

  stop_ = new QLabel(this);
  stop_->setObjectName("lPlayerStop");
  top->addWidget(stop_);

  auto* split = new QSplitter(Qt::Horizontal, this);
  canvas_ = new MenuViewCanvas(split);
  canvas_->setObjectName("iPlayerMenu");
  canvas_->setFitted(true);
  canvas_->setMinimumSize(480, 270);
  canvas_->setImage(&image_);
  auto* side = new QSplitter(Qt::Vertical, split);
  registers_ = new QPlainTextEdit(side);
  registers_->setObjectName("mPlayerRegisters");
  registers_->setReadOnly(true);
  registers_->setFont(QFont("monospace"));
  trace_ = new QListWidget(side);
  trace_->setObjectName("lbPlayerTrace");
  split->setStretchFactor(0, 3);
  split->setStretchFactor(1, 2);
  side->setStretchFactor(0, 1);
  side->setStretchFactor(1, 3);
  split->setSizes({620, 460});
  top->addWidget(split, 1);

  timer_ = new QTimer(this);
  timer_->setInterval(40);
  connect(timer_, &QTimer::timeout, this, &PlayerPanel::tick);
  connect(start_, &QPushButton::clicked, this, [this] {
    if (timer_->isActive()) {
      timer_->stop();
    } else {
      lastTick_ = QDateTime::currentMSecsSinceEpoch();
      timer_->start();
    }
    start_->setText(timer_->isActive() ? tr("&Pause") : tr("&Start"));
  });
  connect(step, &QPushButton::clicked, this, &PlayerPanel::step);
  connect(restart, &QPushButton::clicked, this, &PlayerPanel::startDisc);
  connect(setup_, &PlayerSetupBar::restartRequested, this, &PlayerPanel::restartDisc);
  connect(setup_, &PlayerSetupBar::registersSet, this, [this](const std::vector<mirdal::RegisterSetting>& settings) {
    if (!player_) return;
    mirdal::applyRegisterSettings(ws_.regs, settings);  // the player's own register file
    showState();
  });
  connect(topMenu, &QPushButton::clicked, this, [this] { press({UserOp::Kind::TopMenu, 0}); });
  connect(popUp, &QPushButton::clicked, this, [this] { press({UserOp::Kind::PopUp, 0}); });
  connect(end, &QPushButton::clicked, this, [this] { press({UserOp::Kind::End, 0}); });
  connect(canvas_, &MenuViewCanvas::keyPressed, this, [this](QKeyEvent* e) { keyPressEvent(e); });
  // The pointer rules are the Menu page's own (hover selects a neighbour, a
  // click on the selected button activates it), applied by the player so
  // that the masks of the playlist and the page hold for them too.
  connect(canvas_, &MenuViewCanvas::pointerMoved, this, [this](QPoint at, Qt::MouseButtons, Qt::KeyboardModifiers) {
    if (!player_ || !player_->menu()) return;
    player_->hover(canvas_->toPage(at));
    if (!player_->events().empty()) showState();
  });
  connect(canvas_, &MenuViewCanvas::pointerPressed, this, [this](QPoint at, Qt::MouseButton b, Qt::KeyboardModifiers) {
    if (!player_ || !player_->menu() || b != Qt::LeftButton) return;
    player_->click(canvas_->toPage(at));
    showState();
  });
  connect(trace_, &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem* item) {
    const int row = trace_->row(item);
    if (row < 0 || std::size_t(row) >= shown_.size()) return;
    const mirdal::DiscEvent& e = shown_[std::size_t(row)];
    // A menu's line names the object that played the menu too; the button is
    // what the line is about.
    if (e.button >= 0 && e.page >= 0 && disc_ && !e.menuClip.empty()) {
      std::string why;
      if (const mirdal::IgMenu* m = disc_->menu(e.menuClip, std::uint16_t(e.menuPid), why))
        emit menuButtonRequested(*m, QString::fromStdString(e.menuClip), e.page, e.button);
    } else if (e.object >= 0) {
      emit objectLineRequested(e.object, std::max(0, e.line));
    }
  });
  resize(1100, 760);
}

PlayerPanel::~PlayerPanel() = default;

void PlayerPanel::startDisc() {
  mirdal::PlayerSetup s = setup_->setup();
  s.title.reset();
  startAt(s);
}

void PlayerPanel::restartDisc() { startAt(setup_->setup()); }

void PlayerPanel::startAt(const mirdal::PlayerSetup& setup) {
  setup_->showChoices(ws_.index.model());
  timer_->stop();
  start_->setText(tr("&Start"));
  player_.reset();
  disc_ = std::make_unique<mirdal::EditedDisc>(ws_.index.model(), ws_.mobj.model(), ws_.disc.folder);
  mirdal::attachSetupMenus(disc_->folder(), setup);
  resetRegisters(ws_.regs, ws_.options);
  mirdal::applyRegisterSettings(ws_.regs, setup.registers);
  mirdal::PlayerOptions o;
  o.traceCommands = true;
  o.draw = true;
  o.report = &guiReporter();
  player_ = std::make_unique<mirdal::DiscPlayer>(*disc_, ws_.regs, o);
  trace_->clear();
  shown_.clear();
  if (setup.title) player_->startTitle(*setup.title);
  else player_->start();
  showState();
  canvas_->setFocus();  // the remote's keys go to the menu
}

void PlayerPanel::press(const UserOp& op) {
  if (!player_) return;
  player_->press(op);
  showState();
}

void PlayerPanel::step() {
  if (!player_) return;
  player_->step();
  showState();
}

void PlayerPanel::tick() {
  if (!player_ || player_->stopped() != mirdal::StopReason::None) {
    timer_->stop();
    start_->setText(tr("&Start"));
    return;
  }
  const qint64 now = QDateTime::currentMSecsSinceEpoch();
  player_->advanceTo(player_->now() + std::uint64_t(std::max<qint64>(0, now - lastTick_)) * 45);
  lastTick_ = now;
  showState();
}

void PlayerPanel::keyPressEvent(QKeyEvent* e) {
  // A text or number field lets Return and digits it does not take come up
  // here: they are the field's, not the remote's.
  if (qobject_cast<QLineEdit*>(focusWidget()) || qobject_cast<QAbstractSpinBox*>(focusWidget()))
    return QWidget::keyPressEvent(e);
  std::optional<UserOp> op;
  switch (e->key()) {
    case Qt::Key_Up: op = UserOp{UserOp::Kind::Up, 0}; break;
    case Qt::Key_Down: op = UserOp{UserOp::Kind::Down, 0}; break;
    case Qt::Key_Left: op = UserOp{UserOp::Kind::Left, 0}; break;
    case Qt::Key_Right: op = UserOp{UserOp::Kind::Right, 0}; break;
    case Qt::Key_Return:
    case Qt::Key_Enter: op = UserOp{UserOp::Kind::Enter, 0}; break;
    case Qt::Key_M: op = UserOp{UserOp::Kind::TopMenu, 0}; break;
    case Qt::Key_P: op = UserOp{UserOp::Kind::PopUp, 0}; break;
    case Qt::Key_PageUp: op = UserOp{UserOp::Kind::ChapterPrevious, 0}; break;
    case Qt::Key_PageDown: op = UserOp{UserOp::Kind::ChapterNext, 0}; break;
    default:
      if (e->key() >= Qt::Key_0 && e->key() <= Qt::Key_9) op = UserOp{UserOp::Kind::Digit, std::uint32_t(e->key() - Qt::Key_0)};
  }
  if (op) press(*op);
  else QWidget::keyPressEvent(e);
}

void PlayerPanel::takeEvents() {
  auto& events = player_->events();
  for (mirdal::DiscEvent& e : events) {
    trace_->addItem(QString::fromLatin1(mirdal::eventLine(e).c_str()));
    shown_.push_back(std::move(e));
  }
  events.clear();
  if (trace_->count() > 0) trace_->scrollToBottom();
}

void PlayerPanel::showState() {
  takeEvents();
  const mirdal::PlayerPosition pos = player_->position();
  const auto texts = mirdal::positionTexts(pos);
  for (int i = 0; i < 6; ++i) fields_[i]->setText(QString::fromLatin1(texts[std::size_t(i)].c_str()));
  timeline_->show(player_->timeline(), pos.time);
  const mirdal::MenuEmulator* menu = player_->menu();
  if (menu && menu->shown() && player_->renderer()) image_ = toQImage(player_->renderer()->picture);
  else image_ = QImage();
  canvas_->update();
  QString regs;
  const auto& psr = ws_.regs.psr;
  for (unsigned n : {0u, 1u, 2u, 3u, 4u, 5u, 6u, 7u, 8u, 10u, 11u, 12u})
    regs += QString("PSR%1 %2\n").arg(n, 2, 10, QChar('0')).arg(psr[n], 8, 16, QChar('0')).toUpper();
  for (unsigned n = 0; n < mirdal::kGprCount; ++n)
    if (ws_.regs.gpr[n]) regs += QString("GPR%1 %2\n").arg(n).arg(ws_.regs.gpr[n], 8, 16, QChar('0')).toUpper();
  registers_->setPlainText(regs);
  stop_->setText(player_->stopped() == mirdal::StopReason::None
                     ? (player_->waitingForKey() ? tr("Waiting for a key") : QString())
                     : QString::fromLatin1(shown_.empty() ? "" : shown_.back().text.c_str()));
  emit registersChanged();
}

}  // namespace mirdal::gui
