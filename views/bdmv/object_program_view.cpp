#include "views/bdmv/object_program_view.h"

#include <QFileInfo>
#include <QToolButton>
#include <QVBoxLayout>

#include "views/common/interaction.h"
#include "core/report.h"
#include "documents/program_import.h"
#include "documents/workspace.h"
#include "nav/command_follow.h"
#include "formats/bdmv/object_program.h"
#include "nav/program_export.h"
#include "present/bdmv_rules.h"
#include "views/common/command_field_editor.h"
#include "views/common/command_text_io.h"
#include "views/common/text.h"
#include "views/common/gui_reporter_access.h"

namespace mirdal::gui {

namespace {
constexpr auto kObjectContext = mirdal::CommandContext::MovieObject;
}

ObjectProgramView::ObjectProgramView(mirdal::Workspace& ws, Interaction& ia, QWidget* parent)
    : QWidget(parent), ws_(ws), ia_(ia) {
  setObjectName("vObjectProgram");
  auto* l = new QVBoxLayout(this);
  l->setContentsMargins(0, 0, 0, 0);
  l->setSpacing(3);
  grid_ = new CommandGrid(QStringLiteral("sgCommands"), this);
  grid_->setToolTip(tr("Navigation commands"));
  grid_->setBeepOnInvalidLine(true);
  editor_ = new CommandFieldEditor(this);
  l->addWidget(grid_, 1);
  l->addWidget(editor_);

  connect(grid_, &CommandGrid::keyPressed, this, [](int code) { guiReporter().setStatusPanel(std::to_string(code), 1); });
  connect(grid_, &CommandGrid::commandKey, this, &ObjectProgramView::commandKey);
  connect(grid_, &QTableWidget::currentCellChanged, this, [this] { showEditor(); });
  connect(grid_, &QTableWidget::cellDoubleClicked, this, [this](int row) { follow(row); });
  connect(grid_, &QTableWidget::cellClicked, this, [this](int row) {
    const mirdal::CommandList* p = program();
    if (p && row < int(p->size())) emit lineClicked(row);
  });
  connect(editor_, &CommandFieldEditor::commandEdited, this, &ObjectProgramView::editCurrentLine);
  connect(editor_, &CommandFieldEditor::gridHintChanged, grid_, &QWidget::setToolTip);
  connect(editor_, &CommandFieldEditor::backToGrid, grid_, [this] { grid_->setFocus(); });
  connect(editor_->insertCommandButton(), &QToolButton::clicked, this, [this] { commandKey(CommandKey::Insert); });
  connect(editor_->deleteCommandButton(), &QToolButton::clicked, this, [this] { commandKey(CommandKey::Delete); });
  connect(editor_->saveCommandsButton(), &QToolButton::clicked, this, &ObjectProgramView::saveCommandsClicked);
  connect(editor_->loadCommandsButton(), &QToolButton::clicked, this, &ObjectProgramView::loadCommandsClicked);
  connect(grid_, &StringGrid::cellEdited, this, &ObjectProgramView::commandLineTyped);
  updateButtons();
}

namespace {

// The program of object `object`, when the file is loaded and has it.
const mirdal::CommandList* programOf(const mirdal::Workspace& ws, int object) {
  const auto& objects = ws.mobj.model().movieObjects.objects;
  if (!ws.mobj.loaded() || object < 0 || object >= int(objects.size())) return nullptr;
  return &objects[std::size_t(object)].commands;
}

}  // namespace

const mirdal::CommandList* ObjectProgramView::program() const { return programOf(ws_, object_); }

bool ObjectProgramView::canStart() const {
  const mirdal::CommandList* p = program();
  return p && !p->empty();
}

void ObjectProgramView::refresh() {
  // After a Read the object shown may be gone; the objects view selects
  // what the new disc has. The status line keeps what the Read left there
  // (an error mark).
  if (!program()) object_ = -1;
  showRows();
  updateButtons();
  grid_->selectLine(0);
  showEditor();
  emit startableChanged();
}

void ObjectProgramView::showObject(int object) {
  object_ = object;
  const mirdal::CommandList* p = program();
  if (!p) {
    refresh();
    return;
  }
  if (quiet_) {
    showRows();
  } else if (p->empty()) {
    grid_->clearGrid();
    guiReporter().setStatusReady();
  } else {
    grid_->setRows(mirdal::renderProgram(*p, kObjectContext, guiReporter()));  // ends with setStatusReady
  }
  // An object without commands keeps its blank row usable: Ins and Ctrl+V
  // give it its first lines.
  grid_->setEnabled(true);
  updateButtons();
  grid_->selectLine(0);
  showEditor();
  emit startableChanged();
}

void ObjectProgramView::selectLine(int line) { grid_->selectLine(line); }

void ObjectProgramView::updateButtons() {
  const mirdal::CommandList* p = program();
  editor_->insertCommandButton()->setEnabled(p != nullptr);
  editor_->deleteCommandButton()->setEnabled(p && !p->empty());
  editor_->saveCommandsButton()->setEnabled(p && !p->empty());
  editor_->loadCommandsButton()->setEnabled(p != nullptr);
}

void ObjectProgramView::showRows() {
  const mirdal::CommandList* p = program();
  std::vector<mirdal::CommandRow> rows;
  if (p) {
    rows.reserve(p->size());
    for (std::size_t i = 0; i < p->size(); ++i) rows.push_back(mirdal::commandRow((*p)[i], i, kObjectContext));
  }
  grid_->setRows(rows);
  grid_->setEnabled(p != nullptr);
}

void ObjectProgramView::showEditor() {
  const mirdal::CommandList* p = program();
  const int row = grid_->currentRow();
  editor_->showCommand(p && row >= 0 && row < int(p->size()) ? &(*p)[std::size_t(row)] : nullptr);
}

void ObjectProgramView::runEdit(const std::function<mirdal::EditResult(mirdal::CommandList&)>& edit) {
  if (!program()) return;
  const std::size_t object = std::size_t(object_);
  const mirdal::LineSelection sel = grid_->selection();
  const mirdal::EditResult r =
      ws_.mobj.edit(mirdal::ChangeNotice::resized(MovieObjectPart::Commands, sel.first, object),
                    [&](mirdal::MovieObjectFile& m) { return mirdal::editObjectProgram(m, object, edit); });
  if (!r.changed) return;
  showRows();
  updateButtons();
  grid_->selectLines(int(r.selection.first), int(r.selection.last));
  showEditor();
  if (r.delta != 0) {
    emit commandCountChanged(object_);
    emit startableChanged();
  }
}

void ObjectProgramView::commandKey(CommandKey key) {
  const mirdal::CommandList* p = program();
  if (!p) return;
  const mirdal::LineSelection sel = grid_->selection();
  switch (key) {
    case CommandKey::Insert:
      runEdit([sel](mirdal::CommandList& prog) { return mirdal::insertCommands(prog, sel, {mirdal::NavCommand{}}); });
      break;
    case CommandKey::Paste:
      if (const std::optional<mirdal::CommandList> lines = linesToPaste(ws_.copyBuffer))
        runEdit([&](mirdal::CommandList& prog) { return mirdal::pasteCommands(prog, sel, *lines, guiReporter()); });
      break;
    case CommandKey::Copy:
      if (p->empty()) break;
      mirdal::copyToBuffer(ws_.copyBuffer, *p, sel, guiReporter());
      putCommandLinesOnClipboard(ws_.copyBuffer, kObjectContext);
      break;
    case CommandKey::Cut:
      if (p->empty()) break;
      runEdit([&](mirdal::CommandList& prog) { return mirdal::cutCommands(ws_.copyBuffer, prog, sel, guiReporter()); });
      putCommandLinesOnClipboard(ws_.copyBuffer, kObjectContext);
      break;
    case CommandKey::Delete:
      runEdit([sel](mirdal::CommandList& prog) { return mirdal::deleteCommands(prog, sel); });
      break;
    case CommandKey::Nop:
      runEdit([sel](mirdal::CommandList& prog) { return mirdal::nopCommands(prog, sel); });
      break;
    case CommandKey::SelectAll: {
      const mirdal::LineSelection all = mirdal::selectAll(*p);
      grid_->selectLines(int(all.first), int(all.last));
      break;
    }
  }
}

void ObjectProgramView::editCurrentLine(const mirdal::NavCommand& c) {
  const mirdal::CommandList* p = program();
  const int line = grid_->currentRow();
  if (!p || line < 0 || line >= int(p->size())) return;
  const std::size_t object = std::size_t(object_);
  ws_.mobj.edit(mirdal::ChangeNotice::rows(MovieObjectPart::Commands, std::size_t(line), 1, object), [&](mirdal::MovieObjectFile& m) {
    return mirdal::editObjectProgram(m, object, [&](mirdal::CommandList& prog) { return mirdal::setCommand(prog, std::size_t(line), c); });
  });
  grid_->setRow(line, mirdal::commandRow(c, std::size_t(line), kObjectContext));
  showEditor();
}

void ObjectProgramView::commandLineTyped(int row, int column, const QString& text) {
  const mirdal::CommandList* p = program();
  if (column != mirdal::kColLine || !p || row < 0 || row >= int(p->size())) return;
  if (const std::optional<mirdal::NavCommand> c = typedCommand(text)) {
    grid_->selectLine(row);
    editCurrentLine(*c);
  }
}

void ObjectProgramView::follow(int line) {
  const mirdal::CommandList* p = program();
  if (!p || line < 0 || line >= int(p->size())) return;
  const mirdal::FollowAction a = mirdal::followCommand(*p, std::size_t(line));
  switch (a.kind) {
    case mirdal::FollowAction::Kind::SelectLine:
      if (a.line < p->size()) grid_->selectLine(int(a.line));
      break;
    case mirdal::FollowAction::Kind::ShowTitle:
      emit titleRequested(mirdal::followedTitle(a.title));
      break;
    case mirdal::FollowAction::Kind::SelectPlaylist:
      emit playlistRequested(QString::fromLatin1(a.playlist.data(), qsizetype(a.playlist.size())));
      break;
    case mirdal::FollowAction::Kind::SetButtonPage:
      emit buttonPageRequested(a.selectPage, int(a.page), a.selectButton, int(a.button));
      break;
    case mirdal::FollowAction::Kind::None:
      break;
  }
}

void ObjectProgramView::saveCommandsClicked() {
  const mirdal::CommandList* p = program();
  if (!p || p->empty()) return;
  const bool binaryOption = ws_.options.programFormat == 1;
  FileDialogRequest r;
  r.title = tr("Save program list");
  r.filter = QStringLiteral("List|*.lst|Binary|*.bin");
  r.filterIndex = binaryOption ? 1 : 0;
  r.defaultExt = binaryOption ? QStringLiteral(".bin") : QStringLiteral(".lst");
  if (!ws_.options.outputFolder.empty()) r.folder = pathText(ws_.options.outputFolder);
  r.fileName = QStringLiteral("program_") + QString::number(object_).rightJustified(3, QLatin1Char('0'));
  const QString path = ia_.saveFile(r);
  if (path.isEmpty()) return;
  // The name's extension says which form the user chose; another extension
  // gets the form of the "Program format" option.
  const bool binary = mirdal::binaryProgramFor(pathBytes(QFileInfo(path).fileName()), binaryOption);
  mirdal::saveProgram(pathBytes(path), *p, binary, guiReporter());
}

void ObjectProgramView::loadCommandsClicked() {
  const mirdal::CommandList* p = program();
  if (!p) return;
  const std::optional<mirdal::CommandList> lines = chooseProgramFile(ia_, ws_);
  if (!lines) return;
  const ImportPlace place = askImportPlace(ia_, program()->empty());
  if (place == ImportPlace::Cancel) return;
  std::optional<std::size_t> at;
  if (place == ImportPlace::Insert) at = grid_->selection().last + 1;
  const mirdal::ProgramImport r = mirdal::importObjectProgram(ws_.mobj, std::size_t(object_), *lines, at);
  if (!r.done) {
    ia_.tell(QString::fromLatin1(r.refusal));
    return;
  }
  showImport(r.selection);
}

void ObjectProgramView::showImport(const mirdal::LineSelection& imported) {
  showRows();
  updateButtons();
  grid_->selectLines(int(imported.first), int(imported.last));
  showEditor();
  emit commandCountChanged(object_);
  emit startableChanged();
}

}  // namespace mirdal::gui
