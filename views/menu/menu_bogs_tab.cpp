#include "views/menu/menu_bogs_tab.h"

#include <QHBoxLayout>
#include <algorithm>
#include <array>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QScrollBar>
#include <QSplitter>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

#include "documents/program_import.h"
#include "menu/colour.h"
#include "menu/menu_edit.h"
#include "menu/object_preview.h"
#include "menu/page_render.h"
#include "nav/command_follow.h"
#include "nav/command_text.h"
#include "present/number_text.h"
#include "views/common/command_field_editor.h"
#include "views/common/command_text_io.h"
#include "views/common/interaction.h"
#include "views/common/document_signals.h"
#include "views/menu/menu_context.h"
#include "views/menu/picture_view.h"
#include "views/common/string_grid.h"
#include "views/common/text.h"
#include "views/common/gui_reporter_access.h"
#include "views/menu/menu_values.h"

namespace mirdal::gui {

namespace {

constexpr auto kButtonContext = mirdal::CommandContext::ButtonCommands;

// Hexadecimal text of a filled mask; any character outside 0-9, A-F makes
// the value 0.
std::uint32_t hexValue(const QString& text) { return mirdal::unsignedOfText(typedBytes(text), 16).value_or(0); }

QStringList buttonTexts(const mirdal::IgButton& b) {
  QStringList out;
  for (const std::string& t : mirdal::buttonCellTexts(b)) out << QString::fromStdString(t);
  return out;
}

void makeReadOnly(StringGrid* g, int row, int column) {
  if (QTableWidgetItem* it = g->item(row, column)) it->setFlags(it->flags() & ~Qt::ItemIsEditable);
}

}  // namespace

MenuBogsTab::MenuBogsTab(MenuContext& ctx, QWidget* parent) : QWidget(parent), ctx_(ctx) {
  setObjectName("tsBOGs");
  auto* l = new QVBoxLayout(this);
  l->setContentsMargins(4, 4, 4, 4);
  l->setSpacing(4);

  // The groups: one column per group, the row titles in the fixed column.
  bogGrid_ = new StringGrid(QStringLiteral("sgBOG"), this);
  bogGrid_->setToolTip(tr("Button Overlap Group"));
  bogGrid_->setFixedFirstColumn(true);
  bogGrid_->horizontalHeader()->hide();
  bogGrid_->setSelectionBehavior(QAbstractItemView::SelectColumns);
  bogGrid_->setOffersModeMenu(true);
  bogGrid_->setEditMaskFn([](int row, int) { return row == 1 ? QStringLiteral(">NNNN") : QString(); });
  bogGrid_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  bogGrid_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  bogGrid_->installEventFilter(this);
  l->addWidget(bogGrid_);
  preview_ = new PictureView(this);
  preview_->setObjectName("iBOG");
  preview_->setFitted(true);
  preview_->setMinimumSize(160, 90);
  // The picture is drawn fitted: its size must not widen the page.
  preview_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored);
  previewCaption_ = new QLabel(this);
  previewCaption_->setObjectName("lBOGObject");
  auto* previewPane = new QWidget(this);
  auto* pv = new QVBoxLayout(previewPane);
  pv->setContentsMargins(0, 0, 0, 0);
  pv->addWidget(preview_, 1);
  pv->addWidget(previewCaption_);

  auto* split = new QSplitter(Qt::Vertical, this);
  split->setObjectName("spBOGs");
  buttonGrid_ = new StringGrid(QStringLiteral("sgButton"), split);
  buttonGrid_->setToolTip(tr("Buttons (Click to show object, Double click to animate)"));
  QList<GridColumn> cols;
  for (const char* h : {"id", "value", "a.act.", "X", "Y", "upper", "lower", "left", "right", "n.start", "n.end",
                        "n.repeat", "s.sound", "s.start", "s.end", "s.repeat", "a.sound", "a.start", "a.end", "comm."})
    cols << GridColumn{QString::fromLatin1(h), 44};
  buttonGrid_->setColumns(cols);
  buttonGrid_->setOffersModeMenu(true);
  buttonGrid_->setEditMaskFn([](int, int column) { return QString::fromLatin1(mirdal::buttonCellMask(column)); });
  buttonGrid_->installEventFilter(this);

  auto* cmdPane = new QWidget(split);
  auto* cl = new QVBoxLayout(cmdPane);
  cl->setContentsMargins(0, 0, 0, 0);
  cl->setSpacing(3);
  commands_ = new CommandGrid(QStringLiteral("sgMCommands"), cmdPane);
  commands_->setToolTip(tr("Navigation commands"));
  commands_->setEditModeKind(EditModeKind::CellSelectFirstColumn);
  commands_->setOffersModeMenu(true);
  commands_->setEditMaskFn([](int, int column) {
    return column >= 1 && column <= 3 ? QStringLiteral(">NNNNNNNN") : QString();
  });
  editor_ = new CommandFieldEditor(cmdPane);
  editor_->saveCommandsButton()->hide();  // the export is for movie-object programs
  connect(editor_->loadCommandsButton(), &QToolButton::clicked, this, &MenuBogsTab::importCommands);
  // The movie-object editor's controls keep their names to themselves:
  // this one's are named with an "m" in front ("mheOCH", "mbbNCins").
  editor_->setObjectName("pMCommandEditor");
  for (QObject* o : editor_->findChildren<QObject*>())
    if (!o->objectName().isEmpty() && !o->objectName().startsWith(QLatin1String("qt_")))
      o->setObjectName(QLatin1Char('m') + o->objectName());
  cl->addWidget(commands_, 1);
  cl->addWidget(editor_);
  split->addWidget(buttonGrid_);
  split->addWidget(cmdPane);
  split->setStretchFactor(0, 1);
  split->setStretchFactor(1, 1);
  auto* across = new QSplitter(Qt::Horizontal, this);
  across->setObjectName("spBOGPreview");
  across->addWidget(split);
  across->addWidget(previewPane);
  across->setStretchFactor(0, 3);
  across->setStretchFactor(1, 1);
  across->setSizes({3000, 1000});
  l->addWidget(across, 1);

  timer_ = new QTimer(this);
  timer_->setObjectName("tmBOGAnimation");
  connect(timer_, &QTimer::timeout, this, &MenuBogsTab::animationStep);

  connect(bogGrid_, &QTableWidget::currentCellChanged, this, [this](int, int column) {
    if (!showing_ && column >= 1) ctx_.setBog(column - 1);
  });
  connect(bogGrid_, &StringGrid::cellEdited, this, &MenuBogsTab::bogCellEdited);
  connect(bogGrid_, &QTableWidget::cellDoubleClicked, this, &MenuBogsTab::bogDoubleClicked);
  connect(buttonGrid_, &QTableWidget::currentCellChanged, this, [this](int row, int column) {
    if (showing_) return;
    stopAnimation();
    if (row >= 0 && row != ctx_.button()) ctx_.setButton(row);
    else previewCell(column);
  });
  connect(buttonGrid_, &QTableWidget::cellClicked, this, [this](int, int column) { previewCell(column); });
  connect(buttonGrid_, &StringGrid::cellEdited, this, &MenuBogsTab::buttonCellEdited);
  connect(buttonGrid_, &QTableWidget::cellDoubleClicked, this, &MenuBogsTab::buttonDoubleClicked);
  connect(commands_, &CommandGrid::commandKey, this, &MenuBogsTab::commandKey);
  connect(commands_, &StringGrid::cellEdited, this, &MenuBogsTab::commandCellEdited);
  connect(commands_, &QTableWidget::currentCellChanged, this, [this] { showEditor(); });
  connect(commands_, &QTableWidget::cellDoubleClicked, this, [this](int row) {
    if (!commands_->isEditMode()) follow(row);
  });
  connect(editor_, &CommandFieldEditor::commandEdited, this, &MenuBogsTab::editCurrentLine);
  connect(editor_, &CommandFieldEditor::gridHintChanged, commands_, &QWidget::setToolTip);
  connect(editor_, &CommandFieldEditor::backToGrid, commands_, [this] { commands_->setFocus(); });
  connect(editor_->insertCommandButton(), &QToolButton::clicked, this, [this] { commandKey(CommandKey::Insert); });
  connect(editor_->deleteCommandButton(), &QToolButton::clicked, this, [this] { commandKey(CommandKey::Delete); });

  connect(&ctx_, &MenuContext::pageChanged, this, &MenuBogsTab::pageChosen);
  connect(&ctx_, &MenuContext::bogChanged, this, &MenuBogsTab::bogChosen);
  connect(&ctx_, &MenuContext::buttonChanged, this, &MenuBogsTab::buttonChosen);
  connect(&ctx_.changes(), &DocumentSignals::changed, this, &MenuBogsTab::documentChanged);
  pageChosen();
}

const mirdal::IgPage* MenuBogsTab::page() const {
  const int p = ctx_.page();
  if (!ctx_.loaded() || p < 0 || p >= int(ctx_.menu().ics.pages.size())) return nullptr;
  return &ctx_.menu().ics.pages[std::size_t(p)];
}

const mirdal::Bog* MenuBogsTab::bog() const {
  const mirdal::IgPage* p = page();
  const int b = ctx_.bog();
  return p && b >= 0 && b < int(p->bogs.size()) ? &p->bogs[std::size_t(b)] : nullptr;
}

const mirdal::IgButton* MenuBogsTab::button() const {
  const mirdal::Bog* g = bog();
  const int i = ctx_.button();
  return g && i >= 0 && i < int(g->buttons.size()) ? &g->buttons[std::size_t(i)] : nullptr;
}

void MenuBogsTab::documentChanged(const mirdal::ChangeNotice& n) {
  if (n.everythingChanged() && n.cause == mirdal::ChangeNotice::Cause::Load) return;  // the page box chooses page 0
  if (n.is(MenuPart::Composition) && !n.everythingChanged()) return;
  if (n.names(MenuPart::Page) || n.names(MenuPart::Palettes)) {
    previewCell(buttonGrid_->currentColumn());
    return;
  }
  // Groups, buttons or commands changed (or Undo took back any of them):
  // show the page again, keeping the choices while they exist.
  pageChosen();
}

void MenuBogsTab::pageChosen() {
  stopAnimation();
  showBogGrid();
  const mirdal::IgPage* p = page();
  const int bogs = p ? int(p->bogs.size()) : 0;
  int b = ctx_.bog();
  if (b >= bogs) b = bogs - 1;
  if (b < 0 && bogs > 0) b = 0;
  if (b == ctx_.bog()) bogChosen();
  else ctx_.setBog(b);
}

void MenuBogsTab::bogChosen() {
  showing_ = true;
  if (ctx_.bog() >= 0 && ctx_.bog() + 1 < bogGrid_->columnCount()) {
    // Selects the whole column (selectColumn would move the current cell
    // to the first row and close an open editor).
    bogGrid_->setCurrentCell(1, ctx_.bog() + 1);
  }
  showing_ = false;
  showButtonRows();
  const mirdal::Bog* g = bog();
  int row = -1;
  if (g && !g->buttons.empty()) {
    row = ctx_.button();
    if (row >= int(g->buttons.size()) || row < 0) {
      // The group's default valid button, else its first.
      row = 0;
      for (std::size_t i = 0; i < g->buttons.size(); ++i)
        if (g->buttons[i].buttonId == g->defaultValidButton) row = int(i);
    }
  }
  if (row == ctx_.button()) buttonChosen();
  else ctx_.setButton(row);
}

void MenuBogsTab::buttonChosen() {
  stopAnimation();
  const int row = ctx_.button();
  if (button()) {
    showing_ = true;
    const int column = buttonGrid_->isEditMode() && buttonGrid_->currentColumn() > 0 ? buttonGrid_->currentColumn()
                                                                                       : int(kBtnNStart);
    // In whole-row selection this selects the row too (selectRow would move
    // the current cell to the first column).
    buttonGrid_->setCurrentCell(row, column);
    buttonGrid_->scrollToItem(buttonGrid_->item(row, column));
    showing_ = false;
  }
  showCommands();
  previewCell(buttonGrid_->currentColumn());
}

void MenuBogsTab::showBogGrid() {
  showing_ = true;
  const mirdal::IgPage* p = page();
  const int bogs = p ? int(p->bogs.size()) : 0;
  QList<GridColumn> cols{{QString(), 124}};
  for (int i = 0; i < bogs; ++i) cols << GridColumn{QString::number(i), 44};
  if (bogs == 0) cols << GridColumn{QString(), 44};
  bogGrid_->setColumns(cols);
  bogGrid_->setDataRowCount(3);
  bogGrid_->setCell(0, 0, tr(" id"));
  bogGrid_->setCell(1, 0, tr(" default valid button"));
  bogGrid_->setCell(2, 0, tr(" number of buttons"));
  for (int i = 0; i < bogs; ++i) {
    const mirdal::Bog& g = p->bogs[std::size_t(i)];
    bogGrid_->setCell(0, i + 1, QString::number(i));
    bogGrid_->setCell(1, i + 1, hex(g.defaultValidButton, 4));
    bogGrid_->setCell(2, i + 1, QString::number(g.buttons.size()));
    makeReadOnly(bogGrid_, 0, i + 1);
    makeReadOnly(bogGrid_, 2, i + 1);
  }
  bogGrid_->setEnabled(bogs > 0);
  // Three rows, and one more for the scroll bar when the columns do not fit.
  int h = 2 * bogGrid_->frameWidth();
  for (int r = 0; r < 3; ++r) h += bogGrid_->rowHeight(r);
  bogGrid_->setFixedHeight(h + bogGrid_->horizontalScrollBar()->sizeHint().height());
  showing_ = false;
}

void MenuBogsTab::showButtonRows() {
  showing_ = true;
  const mirdal::Bog* g = bog();
  const int n = g ? int(g->buttons.size()) : 0;
  buttonGrid_->setDataRowCount(n);
  for (int r = 0; r < n; ++r) showButtonRow(r);
  buttonGrid_->fitColumnsToContents();
  showing_ = false;
}

void MenuBogsTab::showButtonRow(int row) {
  const mirdal::Bog* g = bog();
  if (!g || row < 0 || row >= int(g->buttons.size())) return;
  buttonGrid_->setRowTexts(row, buttonTexts(g->buttons[std::size_t(row)]));
  makeReadOnly(buttonGrid_, row, kBtnId);
  makeReadOnly(buttonGrid_, row, kBtnCommands);
}

void MenuBogsTab::showCommands() {
  const mirdal::IgButton* b = button();
  std::vector<mirdal::CommandRow> rows;
  if (b) rows = mirdal::renderProgram(b->commands, kButtonContext, guiReporter());
  commands_->setRows(rows);
  // A button without commands keeps its blank row usable: Insert gives it
  // its first line.
  commands_->setEnabled(b != nullptr);
  editor_->insertCommandButton()->setEnabled(b != nullptr);
  editor_->deleteCommandButton()->setEnabled(b && !b->commands.empty());
  editor_->loadCommandsButton()->setEnabled(b != nullptr);
  // The same button shown again (after an edit) keeps its line.
  const std::array<int, 3> key{ctx_.page(), ctx_.bog(), ctx_.button()};
  const int line = key == shownButton_ ? commands_->currentRow() : 0;
  shownButton_ = key;
  if (b && !b->commands.empty()) commands_->selectLine(std::clamp(line, 0, int(b->commands.size()) - 1));
  showEditor();
}

void MenuBogsTab::showEditor() {
  const mirdal::IgButton* b = button();
  const int row = commands_->currentRow();
  editor_->showCommand(b && row >= 0 && row < int(b->commands.size()) ? &b->commands[std::size_t(row)] : nullptr);
}

void MenuBogsTab::previewCell(int column) {
  const mirdal::IgButton* b = button();
  showObject(b ? objectOfCell(*b, column) : std::nullopt);
}

void MenuBogsTab::showObject(std::optional<std::uint16_t> object) {
  const mirdal::IgPage* p = page();
  if (!p || !object || *object >= ctx_.menu().objects.size()) {
    preview_->setText(tr("No object assigned"));
    previewCaption_->clear();
    return;
  }
  // An object without pixels (or too large to decode) has nothing to show.
  const mirdal::RgbaPicture pic = mirdal::objectPicture(ctx_.menu(), *object, p->paletteId);
  if (pic.rgba.empty()) {
    preview_->setText(tr("No object assigned"));
    return;
  }
  preview_->setPicture(toQImage(pic));
  previewCaption_->setText(tr("Object %1").arg(hex(*object, 4)));
}

// ---- edits ----

void MenuBogsTab::insertBog() {
  const int p = ctx_.page();
  if (!page()) return;
  if (!ctx_.document().edit(mirdal::ChangeNotice::resized(MenuPart::Bogs, page()->bogs.size(), std::size_t(p)),
                            [p](mirdal::IgMenu& m) { return mirdal::createBog(m, std::size_t(p)); }))
    return;
  ctx_.setBog(int(page()->bogs.size()) - 1);
}

void MenuBogsTab::deleteBog() {
  const int p = ctx_.page(), b = ctx_.bog();
  if (!bog()) return;
  ctx_.document().edit(mirdal::ChangeNotice::resized(MenuPart::Bogs, std::size_t(b), std::size_t(p)),
                       [&](mirdal::IgMenu& m) { return mirdal::deleteBog(m, std::size_t(p), std::size_t(b)); });
}

void MenuBogsTab::insertButton() {
  const int p = ctx_.page(), b = ctx_.bog();
  if (!bog()) return;
  if (!ctx_.document().edit(mirdal::ChangeNotice::resized(MenuPart::Buttons, bog()->buttons.size(), std::size_t(p)),
                            [&](mirdal::IgMenu& m) { return mirdal::createButton(m, std::size_t(p), std::size_t(b)); }))
    return;
  ctx_.setButton(int(bog()->buttons.size()) - 1);
}

void MenuBogsTab::deleteButton() {
  const int p = ctx_.page(), b = ctx_.bog(), i = ctx_.button();
  if (!button()) return;
  ctx_.document().edit(mirdal::ChangeNotice::resized(MenuPart::Buttons, std::size_t(i), std::size_t(p)), [&](mirdal::IgMenu& m) {
    return mirdal::deleteButton(m, std::size_t(p), std::size_t(b), std::size_t(i));
  });
}

void MenuBogsTab::bogCellEdited(int row, int column, const QString& text) {
  const int p = ctx_.page(), b = column - 1;
  if (row == 1 && page() && b >= 0 && b < int(page()->bogs.size()) && text.size() == 4 && !text.contains(' '))
    ctx_.document().edit(mirdal::ChangeNotice::rows(MenuPart::Bogs, std::size_t(b), 1, std::size_t(p)), [&](mirdal::IgMenu& m) {
      return mirdal::setDefaultValidButton(m, std::size_t(p), std::size_t(b), std::uint16_t(hexValue(text)));
    });
  showBogGrid();  // a refused value is shown as stored
  bogChosen();
}

void MenuBogsTab::bogDoubleClicked(int row, int column) {
  const int p = ctx_.page(), b = column - 1;
  if (row != 1 || bogGrid_->isEditMode() || !page() || b < 0 || b >= int(page()->bogs.size())) return;
  ctx_.document().edit(mirdal::ChangeNotice::rows(MenuPart::Bogs, std::size_t(b), 1, std::size_t(p)), [&](mirdal::IgMenu& m) {
    return mirdal::stepDefaultValidButton(m, std::size_t(p), std::size_t(b));
  });
}

void MenuBogsTab::buttonCellEdited(int row, int column, const QString& text) {
  const int p = ctx_.page(), b = ctx_.bog();
  const mirdal::Bog* g = bog();
  const std::optional<std::uint32_t> v = buttonCellValue(column, typedBytes(text));
  if (g && v && row >= 0 && row < int(g->buttons.size()))
    ctx_.document().edit(mirdal::ChangeNotice::rows(MenuPart::Buttons, std::size_t(row), 1, std::size_t(p)), [&](mirdal::IgMenu& m) {
      return mirdal::setButtonField(m, std::size_t(p), std::size_t(b), std::size_t(row), mirdal::buttonFieldOf(column), *v, soundCount_);
    });
  showButtonRow(row);  // the stored value, whether the edit was taken or not
  previewCell(column);
}

void MenuBogsTab::buttonDoubleClicked(int row, int column) {
  const mirdal::IgButton* b = button();
  if (buttonGrid_->isEditMode() || !b || row != ctx_.button()) return;
  switch (column) {
    case kBtnNStart:
    case kBtnNEnd:
      animate(b->normalStart, b->normalEnd, b->normalRepeat == 1, column == kBtnNStart ? b->normalStart : b->normalEnd);
      break;
    case kBtnSStart:
    case kBtnSEnd:
      animate(b->selectedStart, b->selectedEnd, b->selectedRepeat == 1,
              column == kBtnSStart ? b->selectedStart : b->selectedEnd);
      break;
    case kBtnAStart:
    case kBtnAEnd:
      animate(b->activatedStart, b->activatedEnd, false, column == kBtnAStart ? b->activatedStart : b->activatedEnd);
      break;
    case kBtnSSound:
    case kBtnASound: {
      const std::uint16_t id = column == kBtnSSound ? b->selectedSound : b->activatedSound;
      if (id < soundCount_) emit soundRequested(id);
      break;
    }
    default: break;
  }
}

// ---- animation of a state's object range in the preview ----

void MenuBogsTab::animate(std::uint16_t first, std::uint16_t last, bool repeat, std::uint16_t after) {
  stopAnimation();
  const mirdal::IgPage* p = page();
  const std::size_t objects = ctx_.menu().objects.size();
  if (!p || first >= objects || last >= objects || last < first) {
    showObject(after);
    return;
  }
  anim_ = Animation{first, last, first, after, repeat};
  timer_->setInterval(int(mirdal::animationIntervalMs(ctx_.menu().ics.frameRate, p->animationFrameRateCode)));
  animationStep();
  timer_->start();
  if (repeat) emit animationRunning(true);
}

void MenuBogsTab::animationStep() {
  if (anim_.next > anim_.last) {
    if (anim_.repeat) {
      anim_.next = anim_.first;
    } else {
      timer_->stop();
      showObject(anim_.after);
      return;
    }
  }
  showObject(anim_.next++);
}

bool MenuBogsTab::animating() const { return timer_->isActive(); }

void MenuBogsTab::stopAnimation() {
  if (!timer_->isActive()) return;
  timer_->stop();
  showObject(anim_.after);
  if (anim_.repeat) emit animationRunning(false);
}

// ---- the command list of the chosen button ----

void MenuBogsTab::runCommandEdit(const std::function<mirdal::EditResult(mirdal::CommandList&)>& edit) {
  const mirdal::IgButton* b = button();
  if (!b) return;
  const int p = ctx_.page(), g = ctx_.bog(), i = ctx_.button();
  mirdal::CommandList program = b->commands;
  const mirdal::EditResult r = edit(program);
  if (!r.changed) return;
  ctx_.document().edit(mirdal::ChangeNotice::resized(MenuPart::Commands, r.selection.first, std::size_t(p)), [&](mirdal::IgMenu& m) {
    return mirdal::setButtonCommands(m, std::size_t(p), std::size_t(g), std::size_t(i), program);
  });
  commands_->selectLines(int(r.selection.first), int(r.selection.last));
  showEditor();
}

void MenuBogsTab::commandKey(CommandKey key) {
  const mirdal::IgButton* b = button();
  if (!b) return;
  const mirdal::LineSelection sel = commands_->selection();
  mirdal::CommandList& buffer = ctx_.workspace().copyBuffer;
  switch (key) {
    case CommandKey::Insert:
      runCommandEdit([sel](mirdal::CommandList& prog) { return mirdal::insertCommands(prog, sel, {mirdal::NavCommand{}}); });
      break;
    case CommandKey::Paste:
      if (const std::optional<mirdal::CommandList> lines = linesToPaste(buffer))
        runCommandEdit([&](mirdal::CommandList& prog) { return mirdal::pasteCommands(prog, sel, *lines, guiReporter()); });
      break;
    case CommandKey::Copy:
      if (b->commands.empty()) break;
      mirdal::copyToBuffer(buffer, b->commands, sel, guiReporter());
      putCommandLinesOnClipboard(buffer, kButtonContext);
      break;
    case CommandKey::Cut:
      if (b->commands.empty()) break;
      runCommandEdit([&](mirdal::CommandList& prog) { return mirdal::cutCommands(buffer, prog, sel, guiReporter()); });
      putCommandLinesOnClipboard(buffer, kButtonContext);
      break;
    case CommandKey::Delete:
      runCommandEdit([sel](mirdal::CommandList& prog) { return mirdal::deleteCommands(prog, sel); });
      break;
    case CommandKey::Nop:
      runCommandEdit([sel](mirdal::CommandList& prog) { return mirdal::nopCommands(prog, sel); });
      break;
    case CommandKey::SelectAll: {
      const mirdal::LineSelection all = mirdal::selectAll(b->commands);
      commands_->selectLines(int(all.first), int(all.last));
      break;
    }
  }
}

void MenuBogsTab::editCurrentLine(const mirdal::NavCommand& c) {
  const mirdal::IgButton* b = button();
  const int line = commands_->currentRow();
  if (!b || line < 0 || line >= int(b->commands.size())) return;
  runCommandEdit([&](mirdal::CommandList& prog) { return mirdal::setCommand(prog, std::size_t(line), c); });
  commands_->selectLine(line);
  showEditor();
}

void MenuBogsTab::commandCellEdited(int row, int column, const QString& text) {
  const mirdal::IgButton* b = button();
  if (!b || b->commands.empty()) {
    commands_->setCell(row, column, QString());  // no command to store into
    return;
  }
  if (row < 0 || row >= int(b->commands.size())) return;
  if (column >= 1 && column <= 3 && text.size() == 8 && !text.contains(' ')) {
    mirdal::NavCommand c = b->commands[std::size_t(row)];
    const std::uint32_t v = hexValue(text);
    (column == 1 ? c.opcode : column == 2 ? c.dst : c.src) = v;
    runCommandEdit([&](mirdal::CommandList& prog) { return mirdal::setCommand(prog, std::size_t(row), c); });
  } else if (column == mirdal::kColLine) {
    if (const std::optional<mirdal::NavCommand> c = typedCommand(text))
      runCommandEdit([&](mirdal::CommandList& prog) { return mirdal::setCommand(prog, std::size_t(row), *c); });
  }
  // The line as stored (a refused command line shows the old one again).
  if (const mirdal::IgButton* now = button(); now && row < int(now->commands.size()))
    commands_->setRow(row, mirdal::commandRow(now->commands[std::size_t(row)], std::size_t(row), kButtonContext));
}

void MenuBogsTab::importCommands() {
  if (!button()) return;
  Interaction& ia = ctx_.interaction();
  const std::optional<mirdal::CommandList> lines = chooseProgramFile(ia, ctx_.workspace());
  const mirdal::IgButton* b = button();
  if (!lines || !b) return;
  const ImportPlace place = askImportPlace(ia, b->commands.empty());
  if (place == ImportPlace::Cancel) return;
  std::optional<std::size_t> at;
  if (place == ImportPlace::Insert) at = commands_->selection().last + 1;
  const mirdal::ProgramImport r =
      mirdal::importButtonProgram(ctx_.document(), std::size_t(ctx_.page()), std::size_t(ctx_.bog()),
                                  std::size_t(ctx_.button()), *lines, at);
  if (!r.done) {
    ia.tell(QString::fromLatin1(r.refusal));
    return;
  }
  commands_->selectLines(int(r.selection.first), int(r.selection.last));
  showEditor();
}

void MenuBogsTab::follow(int line) {
  const mirdal::IgButton* b = button();
  if (!b || line < 0 || line >= int(b->commands.size())) return;
  const mirdal::FollowAction a = mirdal::followCommand(b->commands, std::size_t(line));
  if (a.kind == mirdal::FollowAction::Kind::SelectLine) {
    if (a.line < b->commands.size()) commands_->selectLine(int(a.line));
    return;
  }
  if (a.kind != mirdal::FollowAction::Kind::SetButtonPage) return;
  if (a.selectPage && a.page < ctx_.menu().ics.pages.size()) ctx_.setPage(int(a.page));
  if (a.selectButton && a.button <= 0xFFFF) ctx_.showButton(ctx_.page(), std::uint16_t(a.button));
}

bool MenuBogsTab::eventFilter(QObject* o, QEvent* e) {
  if (e->type() == QEvent::KeyPress) {
    const auto* k = static_cast<QKeyEvent*>(e);
    const Qt::KeyboardModifiers mods = k->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier);
    if (o == bogGrid_ && mods == Qt::NoModifier && k->key() == Qt::Key_Insert) {
      insertBog();
      return true;
    }
    if (o == bogGrid_ && mods == Qt::NoModifier && k->key() == Qt::Key_Delete) {
      deleteBog();
      return true;
    }
    if (o == buttonGrid_ && mods == Qt::NoModifier && k->key() == Qt::Key_Insert) {
      insertButton();
      return true;
    }
    if (o == buttonGrid_ && mods == Qt::ShiftModifier && k->key() == Qt::Key_Delete) {
      deleteButton();
      return true;
    }
  }
  return QWidget::eventFilter(o, e);
}

}  // namespace mirdal::gui
