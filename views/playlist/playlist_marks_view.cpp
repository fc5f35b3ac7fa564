#include "views/playlist/playlist_marks_view.h"

#include <QComboBox>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QItemSelectionModel>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>
#include <set>

#include "core/report.h"
#include "core/save.h"
#include "documents/workspace.h"
#include "formats/playlist/chapters.h"
#include "formats/common/disc_file.h"
#include "present/mpls_cells.h"
#include "formats/playlist/mpls_edit.h"
#include "present/mpls_rows.h"
#include "formats/playlist/playlist_field_edit.h"
#include "present/stream_texts.h"
#include "present/playlist_rules.h"
#include "views/common/combo_fill.h"
#include "views/common/document_signals.h"
#include "views/common/grid_rows.h"
#include "views/common/int_edit.h"
#include "views/common/interaction.h"
#include "views/common/named_controls.h"
#include "views/playlist/playlist_view_support.h"
#include "views/common/text.h"
#include "views/common/gui_reporter_access.h"

namespace mirdal::gui {

namespace {


IntEdit* numberField(const char* name, int digits, const QString& hint, QWidget* parent) {
  auto* e = new IntEdit(parent, digits);
  e->setObjectName(QString::fromLatin1(name));
  e->setMaxLength(digits);
  e->setToolTip(hint);
  return e;
}

ChapterFormat chapterFormat(const Workspace& ws) {
  switch (ws.options.chapterFormat) {
    case 1: return ChapterFormat::Frame;
    case 2: return ChapterFormat::Time;
    default: return ChapterFormat::PTS;
  }
}

// The playlist's base name: the file name without its extension.
std::string playlistBase(const Workspace& ws) {
  const std::string& f = ws.playlist.fileName();
  return f.substr(0, f.find('.'));
}

unsigned partValue(const IntEdit* e) { return clampedMarkTimePart(e->value()); }

}  // namespace

PlaylistMarksView::PlaylistMarksView(mirdal::Workspace& ws, Interaction& ia, QWidget* parent)
    : QWidget(parent), ws_(ws), ia_(ia) {
  setObjectName("vPlayListMarks");
  auto* l = new QHBoxLayout(this);
  l->setContentsMargins(0, 0, 0, 0);
  l->setSpacing(6);

  grid_ = new StringGrid("sgPlayListMark", this);
  grid_->setColumns(gridColumns(kMarkColumns));
  grid_->setFixedFirstColumn(true);
  grid_->setWidthFollowsColumns(true);
  grid_->setMultiRowSelect(true);
  grid_->setToolTip(tr("PlayListMark"));
  l->addWidget(grid_);

  // The editors and buttons scroll when the pane is lower than they are
  // (the pane may be as low as its minimum).
  auto* sideArea = new QScrollArea(this);
  // A click on a button leaves the focus where the user works (the mark
  // or PlayItem grid): "+" goes by it.
  sideArea->setFocusPolicy(Qt::NoFocus);
  sideArea->setFrameShape(QFrame::NoFrame);
  sideArea->setWidgetResizable(true);
  sideArea->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  auto* sidePane = new QWidget(sideArea);
  auto* side = new QVBoxLayout(sidePane);
  side->setContentsMargins(0, 0, 0, 0);
  side->setSpacing(2);
  type_ = namedChoice("cbMarkType", tr("Mark type"), sidePane);
  type_->addItems(itemTexts(markTypeItems()));
  pi_ = numberField("ieMarkPI", 3, tr("PlayItem the mark is on"), sidePane);
  h_ = numberField("ieMarkHours", 2, tr("Hours (0-25)"), sidePane);
  min_ = numberField("ieMarkMinutes", 2, tr("Minutes"), sidePane);
  s_ = numberField("ieMarkSeconds", 2, tr("Seconds"), sidePane);
  ms_ = numberField("ieMarkMs", 3, tr("Milliseconds"), sidePane);
  for (IntEdit* e : {h_, min_, s_}) e->setDisplayDigits(2);
  ms_->setDisplayDigits(3);
  auto* editors = new QGridLayout;
  editors->setHorizontalSpacing(2);
  editors->setVerticalSpacing(2);
  auto* playItemLabel = new QLabel(tr("PI"), this);
  playItemLabel->setBuddy(pi_);
  auto* timeLabel = new QLabel(tr("Time"), this);
  timeLabel->setBuddy(h_);
  auto* time = new QHBoxLayout;
  time->setSpacing(1);
  time->addWidget(h_);
  time->addWidget(new QLabel(QStringLiteral(":"), this));
  time->addWidget(min_);
  time->addWidget(new QLabel(QStringLiteral(":"), this));
  time->addWidget(s_);
  time->addWidget(new QLabel(QStringLiteral("."), this));
  time->addWidget(ms_);
  time->addStretch(1);
  editors->addWidget(type_, 0, 0, 1, 2, Qt::AlignLeft);
  editors->addWidget(playItemLabel, 1, 0);
  editors->addWidget(pi_, 1, 1, Qt::AlignLeft);
  editors->addWidget(timeLabel, 2, 0);
  editors->addLayout(time, 2, 1);
  side->addLayout(editors);

  auto* buttons = new QHBoxLayout;
  buttons->setSpacing(2);
  ins_ = smallButton("bMarkIns", QStringLiteral("+"), tr("Insert mark"), this);
  del_ = smallButton("bMarkDel", QStringLiteral("-"), tr("Delete the selected marks"), this);
  buttons->addWidget(ins_);
  buttons->addWidget(del_);
  buttons->addStretch(1);
  side->addLayout(buttons);
  saveChap_ = new QPushButton(tr("Save chapters"), this);
  saveChap_->setObjectName("bbSaveChap");
  saveChap_->setToolTip(tr("Save the marks as a chapter file (format: Options, \"Chapter format\")"));
  loadChap_ = new QPushButton(tr("Load chapters"), this);
  loadChap_->setObjectName("bbLoadChap");
  loadChap_->setToolTip(tr("Replace the marks by the chapters of a file (format: Options, \"Chapter format\")"));
  side->addWidget(saveChap_);
  side->addWidget(loadChap_);
  side->addStretch(1);
  sideArea->setWidget(sidePane);
  sideArea->viewport()->setAutoFillBackground(false);  // the group's own background
  sidePane->setAutoFillBackground(false);
  sideArea->setMinimumWidth(sidePane->sizeHint().width() + sideArea->verticalScrollBar()->sizeHint().width());
  l->addWidget(sideArea);
  l->addStretch(1);

  connect(grid_, &QTableWidget::currentCellChanged, this, [this](int row, int, int, int) {
    if (!showing_ && row != mark_) showMark(row);
  });
  connect(type_, &QComboBox::activated, this, &PlaylistMarksView::typeChosen);
  connect(pi_, &QLineEdit::editingFinished, this, &PlaylistMarksView::playItemEdited);
  for (IntEdit* e : {h_, min_, s_, ms_}) connect(e, &QLineEdit::editingFinished, this, &PlaylistMarksView::timeEdited);
  new EnterMovesFocus({pi_, h_, min_, s_, ms_, type_}, this);
  connect(ins_, &QToolButton::clicked, this, &PlaylistMarksView::insertMark);
  connect(del_, &QToolButton::clicked, this, &PlaylistMarksView::deleteMarks);
  connect(saveChap_, &QPushButton::clicked, this, &PlaylistMarksView::saveChaptersClicked);
  connect(loadChap_, &QPushButton::clicked, this, &PlaylistMarksView::loadChaptersClicked);
  new GridKeys(grid_, [this] { insertMark(); }, [this] { deleteMarks(); }, [this] { grid_->selectAll(); });

  connect(new DocumentSignals(ws_.playlist, this), &DocumentSignals::changed, this, [this](const ChangeNotice& n) {
    if (n.cause == ChangeNotice::Cause::Load) {
      refresh();
      return;
    }
    if (const int row = undoneRow(n, PlaylistPart::Marks); row >= 0) {
      grid_->clearSelection();
      mark_ = row;
    }
    sync();
  });
  refresh();
}

void PlaylistMarksView::refresh() {
  mark_ = -1;
  sync();
  grid_->fitColumnsToContents();
}

void PlaylistMarksView::sync() {
  const bool on = ws_.playlist.loaded();
  const Playlist& m = ws_.playlist.model();
  const int n = on ? int(m.marks.marks.size()) : 0;
  showing_ = true;
  // Several selected rows stay selected (a redraw after an edit of the first).
  const QModelIndexList kept = grid_->selectionModel()->selectedRows();
  const int row = fillRows(grid_, n, [&](int i) { setGridRow(grid_, i, markRow(m.marks, std::size_t(i))); },
                           std::max(mark_, 0));
  if (kept.size() > 1 && grid_->dataRowCount() == n)
    for (const QModelIndex& i : kept)
      if (i.row() < n) grid_->selectionModel()->select(i, QItemSelectionModel::Select | QItemSelectionModel::Rows);
  showing_ = false;
  const bool marksSection = on && m.playListMarkStartAddress != 0;
  ins_->setEnabled(marksSection && m.marks.marks.size() < kMaxMarks);
  del_->setEnabled(n > 0);
  saveChap_->setEnabled(marksSection);
  loadChap_->setEnabled(marksSection);
  showMark(row);
}

void PlaylistMarksView::selectMark(int i) {
  showing_ = true;
  grid_->selectDataRow(i);
  showing_ = false;
  showMark(i);
}

void PlaylistMarksView::showMark(int i) {
  const auto& marks = ws_.playlist.model().marks.marks;
  if (!ws_.playlist.loaded() || i < 0 || std::size_t(i) >= marks.size()) i = -1;
  mark_ = i;
  for (QWidget* w : {static_cast<QWidget*>(type_), static_cast<QWidget*>(pi_), static_cast<QWidget*>(h_),
                     static_cast<QWidget*>(min_), static_cast<QWidget*>(s_), static_cast<QWidget*>(ms_)})
    w->setEnabled(i >= 0);
  if (i < 0) {
    showComboItem(type_, -1);
    for (IntEdit* e : {pi_, h_, min_, s_, ms_}) e->clear();
    return;
  }
  const Mark& k = marks[std::size_t(i)];
  showComboItem(type_, markTypeItem(k.type));
  pi_->setValue(k.playItemRef);
  const MarkTimeParts p = markTimeParts(k.time);
  h_->setValue(p.hours);
  min_->setValue(p.minutes);
  s_->setValue(p.seconds);
  ms_->setValue(p.ms);
}

void PlaylistMarksView::typeChosen(int index) {
  const auto type = markTypeOfItem(index);
  if (mark_ < 0 || !type) return;
  const auto row = std::size_t(mark_);
  ws_.playlist.edit(ChangeNotice::rows(PlaylistPart::Marks, row), [&](Playlist& m) { return setMarkType(m, row, *type); });
}

void PlaylistMarksView::playItemEdited() {
  if (mark_ < 0) return;
  const auto row = std::size_t(mark_);
  const std::uint16_t pi = clampedMarkPlayItem(pi_->value());
  ws_.playlist.edit(ChangeNotice::rows(PlaylistPart::Marks, row), [&](Playlist& m) { return setMarkPlayItem(m, row, pi); });
  showMark(mark_);
}

// The time editors together give the mark time; values past their limits
// are brought to them and shown so.
void PlaylistMarksView::timeEdited() {
  if (mark_ < 0) return;
  const auto row = std::size_t(mark_);
  const std::uint32_t t = markTime({partValue(h_), partValue(min_), partValue(s_), partValue(ms_)});
  ws_.playlist.edit(ChangeNotice::rows(PlaylistPart::Marks, row), [&](Playlist& m) { return setMarkTime(m, row, t); });
  showMark(mark_);
}

void PlaylistMarksView::insertMark() {
  if (!ws_.playlist.loaded()) return;
  const Playlist& m = ws_.playlist.model();
  if (m.playListMarkStartAddress == 0) return;
  if (m.marks.marks.size() >= kMaxMarks) {
    guiReporter().logAndStatus("A playlist holds at most " + std::to_string(kMaxMarks) + " marks.");
    return;
  }
  // At the last selected mark, or at the selected PlayItem's IN time when
  // the user works on the PlayItems; in time order among the others.
  const int last = grid_->selectedRowRange().second;
  const bool atPlayItem = playItem_ >= 0 && playItemFocused_ && playItemFocused_();
  const std::size_t selected = atPlayItem || m.marks.marks.empty() || last < 0 ? kNoRow : std::size_t(last);
  const Mark mark = newMark(m, selected, playItem_ >= 0 ? std::size_t(playItem_) : kNoRow);
  const std::size_t row = ws_.playlist.edit(ChangeNotice::resized(PlaylistPart::Marks, markRowFor(m, mark)),
                                            [&](Playlist& mm) { return mirdal::insertMark(mm, mark); });
  if (row != kNoRow) {
    grid_->clearSelection();
    selectMark(int(row));
  }
}

void PlaylistMarksView::deleteMarks() {
  if (!ws_.playlist.loaded() || ws_.playlist.model().marks.marks.empty()) return;
  std::set<std::size_t> rows;
  for (const QModelIndex& i : grid_->selectionModel()->selectedIndexes()) rows.insert(std::size_t(i.row()));
  if (rows.empty() && mark_ >= 0) rows.insert(std::size_t(mark_));
  if (rows.empty()) return;
  const std::size_t first = *rows.begin();
  grid_->clearSelection();
  mark_ = int(first);
  ws_.playlist.edit(ChangeNotice::resized(PlaylistPart::Marks, first), [&](Playlist& m) {
    return mirdal::deleteMarks(m, std::vector<std::size_t>(rows.begin(), rows.end()));
  });
}

void PlaylistMarksView::saveChaptersClicked() {
  if (!ws_.playlist.loaded()) return;
  const ChapterFormat f = chapterFormat(ws_);
  // Nothing to save (Frame without a frame rate) is said before a file is chosen.
  const std::optional<std::string> text = exportChapters(ws_.playlist.model(), f, guiReporter());
  if (!text) return;
  FileDialogRequest r;
  r.title = tr("Save chapter file");
  r.filter = QStringLiteral("Text|*.txt");
  r.defaultExt = QStringLiteral(".txt");
  r.folder = pathText(ws_.options.outputFolder);
  r.fileName = pathText(chapterFileName(playlistBase(ws_), f));
  const QString path = ia_.saveFile(r);
  if (path.isEmpty()) return;
  std::string error;
  if (!writeFileAtomic(pathBytes(path), Bytes(text->begin(), text->end()), &error)) {
    guiReporter().logError("Cannot write " + pathBytes(QFileInfo(path).fileName()) + ": " + error);
    return;
  }
  guiReporter().log("Chapters saved to " + pathBytes(QFileInfo(path).fileName()) + ".");
}

void PlaylistMarksView::loadChaptersClicked() {
  if (!ws_.playlist.loaded()) return;
  FileDialogRequest r;
  r.title = tr("Open chapter file");
  r.filter = QStringLiteral("Text|*.txt");
  r.folder = pathText(ws_.options.outputFolder.empty() ? ws_.disc.folder : ws_.options.outputFolder);
  const QString path = ia_.openFile(r);
  if (path.isEmpty()) return;
  Bytes data;
  if (!readDiscFile(pathBytes(path), data, guiReporter())) return;
  const std::string text(data.begin(), data.end());
  const ChapterFormat f = chapterFormat(ws_);
  mark_ = 0;
  ws_.playlist.edit(ChangeNotice::resized(PlaylistPart::Marks, 0), [&](Playlist& m) { return importChapters(m, text, f, guiReporter()); });
}

}  // namespace mirdal::gui
