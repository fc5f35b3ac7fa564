#include "views/menu/menu_objects_tab.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLocale>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>
#include <set>

#include "core/disc_folder.h"
#include "core/report.h"
#include "core/save.h"
#include "menu/menu_edit.h"
#include "menu/object_png.h"
#include "menu/object_preview.h"
#include "menu/palette_files.h"
#include "menu/palette_import.h"
#include "views/common/availability.h"
#include "views/common/document_signals.h"
#include "views/common/interaction.h"
#include "views/menu/menu_context.h"
#include "views/menu/picture_view.h"
#include "views/common/string_grid.h"
#include "views/common/text.h"
#include "views/common/vertical_label.h"
#include "views/common/gui_reporter_access.h"
#include "views/menu/menu_values.h"

namespace mirdal::gui {

namespace {

// Colour numbers of the options are 0x00BBGGRR.
QColor optionColour(std::uint32_t c) { return QColor(int(c & 0xFF), int(c >> 8 & 0xFF), int(c >> 16 & 0xFF)); }

QPushButton* objectsButton(const char* name, const QString& caption, QWidget* parent) {
  auto* b = new QPushButton(caption, parent);
  b->setObjectName(QString::fromLatin1(name));
  return b;
}

QCheckBox* check(const char* name, const QString& caption, QWidget* parent) {
  auto* b = new QCheckBox(caption, parent);
  b->setObjectName(QString::fromLatin1(name));
  return b;
}

void alignRight(StringGrid* g, int row) {
  for (int c = 0; c < g->columnCount(); ++c)
    if (QTableWidgetItem* it = g->item(row, c)) it->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
}

}  // namespace

MenuObjectsTab::MenuObjectsTab(MenuContext& ctx, QWidget* parent) : QWidget(parent), ctx_(ctx) {
  setObjectName("tsObjects");
  auto* row = new QHBoxLayout(this);
  row->setContentsMargins(4, 4, 4, 4);
  row->setSpacing(4);

  objects_ = new StringGrid("sgIGObjects", this);
  objects_->setColumns({{QStringLiteral("   id"), 40}, {tr("width"), 40}, {tr("height"), 40}, {tr("referenced"), 110}});
  objects_->setMultiRowSelect(true);
  objects_->setWidthFollowsColumns(true);
  objects_->setToolTip(tr("Objects"));
  count_ = new VerticalLabel("lIGObjects", this);
  palettes_ = new StringGrid("sgPalettes", this);
  palettes_->setColumns({{QStringLiteral(" id"), 30}, {tr("refer."), 70}});
  palettes_->setMultiRowSelect(true);
  palettes_->setWidthFollowsColumns(true);
  palettes_->setToolTip(tr("Palettes"));
  row->addWidget(objects_);
  row->addWidget(count_);

  // The palettes above the file buttons: the preview keeps the width.
  auto* buttons = new QVBoxLayout;
  buttons->addWidget(palettes_, 1, Qt::AlignLeft);
  buttons->setSpacing(2);
  loadObj_ = objectsButton("bbLoadIGObj", tr("Load object image"), this);
  replaceObj_ = check("cbReplaceObj", tr("Replace the selected object"), this);
  saveObj_ = objectsButton("bbSaveIGObj", tr("Save object image"), this);
  loadPal_ = objectsButton("bbLoadPale", tr("Load palette"), this);
  replacePal_ = check("cbReplacePal", tr("Replace the selected palette"), this);
  savePal_ = objectsButton("bbSavePale", tr("Save palette"), this);
  loadObj_->setToolTip(tr("Insert or replace an object and its palette from an 8-bit palette PNG image"));
  saveObj_->setToolTip(tr("Save the selected object through the selected palette as a PNG image"));
  savePal_->setToolTip(tr("Save the selected palette as .pxml or .act"));
  loadPal_->setToolTip(tr("Insert or replace a palette from a .pxml or .act file"));
  for (QWidget* w : {static_cast<QWidget*>(loadObj_), static_cast<QWidget*>(replaceObj_),
                     static_cast<QWidget*>(saveObj_)})
    buttons->addWidget(w);
  buttons->addSpacing(12);
  for (QWidget* w : {static_cast<QWidget*>(loadPal_), static_cast<QWidget*>(replacePal_),
                     static_cast<QWidget*>(savePal_)})
    buttons->addWidget(w);
  row->addLayout(buttons);

  scroll_ = new QScrollArea(this);
  scroll_->setObjectName("sbObject");
  preview_ = new PictureView(scroll_);
  preview_->setObjectName("iObject");
  connect(preview_, &PictureView::pointerMoved, this, &MenuObjectsTab::inspectPalette);
  scroll_->setWidget(preview_);
  scroll_->setWidgetResizable(true);
  row->addWidget(scroll_, 1);

  connectAction(loadObj_, [this] { loadObjectClicked(); }, false);
  connectAction(saveObj_, [this] { saveObjectClicked(); }, false);
  connectAction(savePal_, [this] { savePaletteClicked(); }, false);
  connectAction(loadPal_, [this] { loadPaletteClicked(); }, false);
  connect(objects_, &QTableWidget::cellClicked, this, [this](int r, int) { objectClicked(r); });
  connect(objects_, &QTableWidget::currentCellChanged, this, [this](int r, int, int previous, int) {
    if (!showing_ && r != previous) objectClicked(r);
  });
  connect(palettes_, &QTableWidget::cellClicked, this, [this](int r, int) { paletteClicked(r); });
  connect(palettes_, &QTableWidget::currentCellChanged, this, [this](int r, int, int previous, int) {
    if (!showing_ && r != previous) paletteClicked(r);
  });
  objects_->installEventFilter(this);
  palettes_->installEventFilter(this);

  connect(&ctx_.changes(), &DocumentSignals::changed, this, [this](const mirdal::ChangeNotice& n) {
    if (n.cause == mirdal::ChangeNotice::Cause::Load) {
      replaceObj_->setChecked(false);
      replacePal_->setChecked(false);
    }
    // Button ranges and effects name objects, pages name palettes: any
    // change of the menu may change the reference texts.
    refresh();
  });
  connect(&ctx_, &MenuContext::objectChanged, this, [this] { showChoices(); });
  connect(&ctx_, &MenuContext::paletteChanged, this, [this] { showChoices(); });
  connect(&ctx_, &MenuContext::paletteOnlyChanged, this, [this] { showPreview(); });
  refresh();
}

void MenuObjectsTab::refresh() {
  fillObjects();
  fillPalettes();
  enableControls();
  showChoices();
}

void MenuObjectsTab::fillObjects() {
  showing_ = true;
  const mirdal::IgMenu& m = ctx_.menu();
  const int n = ctx_.loaded() ? int(m.objects.size()) : 0;
  objects_->setDataRowCount(n);
  for (int i = 0; i < n; ++i) {
    const mirdal::IgObject& o = m.objects[std::size_t(i)];
    objects_->setRowTexts(i, {hex(o.objectId, 4), QString::number(o.width), QString::number(o.height),
                              discText(mirdal::objectUses(m, std::uint16_t(i)))});
    alignRight(objects_, i);
  }
  objects_->fitColumnsToContents();
  count_->setText(tr("%1 objects").arg(n));
  showing_ = false;
}

void MenuObjectsTab::fillPalettes() {
  showing_ = true;
  const mirdal::IgMenu& m = ctx_.menu();
  const int n = ctx_.loaded() ? int(m.palettes.size()) : 0;
  palettes_->setDataRowCount(n);
  for (int i = 0; i < n; ++i) {
    palettes_->setRowTexts(i, {hex(unsigned(i), 2), discText(mirdal::paletteUses(m, std::uint16_t(i)))});
    alignRight(palettes_, i);
  }
  palettes_->fitColumnsToContents();
  showing_ = false;
}

void MenuObjectsTab::enableControls() {
  const mirdal::IgMenu& m = ctx_.menu();
  const bool loaded = ctx_.loaded();
  const bool objects = loaded && !m.objects.empty();
  const bool palettes = loaded && !m.palettes.empty();
  setEnabledIfAvailable(loadObj_, loaded);
  setEnabledIfAvailable(loadPal_, loaded);
  setEnabledIfAvailable(saveObj_, objects && palettes);
  setEnabledIfAvailable(savePal_, palettes);
  // Replacing needs something to replace; a load clears the boxes.
  replaceObj_->setEnabled(objects);
  replacePal_->setEnabled(palettes);
  if (!objects) replaceObj_->setChecked(false);
  if (!palettes) replacePal_->setChecked(false);
}

// The rows of the context's choices selected, the preview redrawn.
void MenuObjectsTab::showChoices() {
  showing_ = true;
  const int o = ctx_.object(), p = ctx_.palette();
  // A choice inside a selection of several rows keeps that selection.
  for (auto [g, row] : {std::pair{objects_, o}, std::pair{palettes_, p}})
    if (row >= 0 && row < g->dataRowCount() && !g->selectionModel()->isRowSelected(row, QModelIndex()))
      g->selectDataRow(row);
  showing_ = false;
  showPreview();
}

void MenuObjectsTab::objectClicked(int row) {
  const mirdal::IgMenu& m = ctx_.menu();
  if (row < 0 || std::size_t(row) >= m.objects.size()) return;
  const std::string ref = mirdal::objectUses(m, std::uint16_t(row));
  objects_->setToolTip(tr("Objects\nRef: ") + discText(ref));
  ctx_.setObject(row);
  if (const auto pal = mirdal::referencePalette(m, std::uint16_t(row))) ctx_.setPalette(int(*pal));
  showPreview();
}

void MenuObjectsTab::paletteClicked(int row) {
  const mirdal::IgMenu& m = ctx_.menu();
  if (row < 0 || std::size_t(row) >= m.palettes.size()) return;
  const std::string ref = mirdal::paletteUses(m, std::uint16_t(row));
  palettes_->setToolTip(ref.empty() ? tr("Palettes") : tr("Palettes\nRef: ") + discText(ref));
  ctx_.setPalette(row);
  showPreview();
}

void MenuObjectsTab::showEvent(QShowEvent* e) {
  QWidget::showEvent(e);
  showPreview();
}

// With "View palette only" the pointer over the chart names the palette
// entry under it; a hand marks that there is one.
void MenuObjectsTab::inspectPalette(QPoint at) {
  const int p = ctx_.palette();
  const mirdal::IgMenu& m = ctx_.menu();
  if (!ctx_.paletteOnly() || !ctx_.loaded() || p < 0 || std::size_t(p) >= m.palettes.size()) {
    preview_->unsetCursor();
    return;
  }
  const int entry = mirdal::paletteChartEntry(at.x(), at.y());
  if (entry >= 0) preview_->setCursor(Qt::PointingHandCursor);
  else preview_->unsetCursor();
  guiReporter().setStatusPanel(mirdal::paletteInspectionText(std::size_t(p), mirdal::paletteColours(m, std::size_t(p)), entry), 1);
}

void MenuObjectsTab::showPreview() {
  const mirdal::IgMenu& m = ctx_.menu();
  const auto& colours = ctx_.workspace().options.colours;
  preview_->setBackground(optionColour(colours.objectBackground));
  const int o = ctx_.object(), p = ctx_.palette();
  const bool palette = ctx_.loaded() && p >= 0 && std::size_t(p) < m.palettes.size();
  // The status line speaks for the tab the user looks at.
  const bool speak = isVisible() && !guiReporter().progress().visible;
  if (ctx_.paletteOnly()) {
    if (!palette) return clearPreview();
    const std::uint32_t bg = colours.objectBackground;
    const mirdal::Canvas chart = mirdal::paletteChart(
        mirdal::paletteColours(m, std::size_t(p)),
        mirdal::Colour{std::uint8_t(bg), std::uint8_t(bg >> 8), std::uint8_t(bg >> 16)});
    preview_->setPicture(toQImage(chart));
    preview_->setMinimumSize(preview_->picture().size());
    if (speak) guiReporter().setStatusPanel("Palette: " + hex(unsigned(p), 2).toStdString() + " (" + std::to_string(p) + ")", 1);
    return;
  }
  if (!palette || o < 0 || std::size_t(o) >= m.objects.size()) return clearPreview();
  const mirdal::IgObject& obj = m.objects[std::size_t(o)];
  const mirdal::RgbaPicture pic = mirdal::objectPicture(m, std::size_t(o), std::size_t(p));
  if (pic.width == 0 || pic.height == 0) return clearPreview();
  preview_->setPicture(toQImage(pic));
  preview_->setMinimumSize(preview_->picture().size());
  if (speak) {
    const QLocale here;
    const QString text = QStringLiteral("Size: %1x%2,  Object: %3,  Palette: %4,  RLE pixel data: %5 (%6)")
                             .arg(obj.width)
                             .arg(obj.height)
                             .arg(hex(unsigned(o), 4), hex(unsigned(p), 2), here.toString(qulonglong(obj.rleLength)),
                                  here.toString(qulonglong(obj.width) * obj.height));
    guiReporter().setStatusPanel(text.toStdString(), 1);
  }
}

void MenuObjectsTab::clearPreview() {
  preview_->clear();
  preview_->setMinimumSize(0, 0);
}

std::vector<std::size_t> MenuObjectsTab::selectedRows(const StringGrid* g) const {
  std::set<std::size_t> rows;
  for (const QModelIndex& i : g->selectionModel()->selectedIndexes())
    if (i.row() >= 0 && i.row() < g->dataRowCount()) rows.insert(std::size_t(i.row()));
  return {rows.begin(), rows.end()};
}

QString MenuObjectsTab::startFolder() const { return pathText(ctx_.workspace().options.outputFolder); }

bool MenuObjectsTab::eventFilter(QObject* watched, QEvent* e) {
  if (e->type() == QEvent::KeyPress && (watched == objects_ || watched == palettes_)) {
    auto* k = static_cast<QKeyEvent*>(e);
    const auto mods = k->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier);
    const bool objects = watched == objects_;
    if (k->key() == Qt::Key_Insert && mods == Qt::NoModifier) {
      QPushButton* b = objects ? loadObj_ : loadPal_;
      if (b->isEnabled()) b->click();
      return true;
    }
    if (k->key() == Qt::Key_Delete && mods == Qt::ShiftModifier) {
      if (objects) deleteChosenObjects();
      else deleteChosenPalettes();
      return true;
    }
  }
  return QWidget::eventFilter(watched, e);
}

void MenuObjectsTab::loadObjectClicked() {
  mirdal::Document<mirdal::IgMenu>& doc = ctx_.document();
  if (!doc.loaded()) return;
  const mirdal::IgMenu& m = doc.model();
  const bool replaceObject = replaceObj_->isChecked() && ctx_.object() >= 0 && std::size_t(ctx_.object()) < m.objects.size();
  const bool replacePalette =
      replacePal_->isChecked() && ctx_.palette() >= 0 && std::size_t(ctx_.palette()) < m.palettes.size();
  FileDialogRequest r;
  r.title = (replaceObj_->isChecked() ? tr("Replace object, ") : tr("Insert object, ")) +
            (replacePal_->isChecked() ? tr("replace palette") : tr("insert palette"));
  r.filter = QStringLiteral("PNG|*.png");
  r.defaultExt = QStringLiteral(".png");
  r.folder = startFolder();
  const QString path = ctx_.interaction().openFile(r);
  // Whatever the dialog gave, the replace boxes are cleared again.
  const auto done = [this] {
    replaceObj_->setChecked(false);
    replacePal_->setChecked(false);
    enableControls();
  };
  if (path.isEmpty()) return done();
  mirdal::Bytes png;
  std::string error;
  if (!mirdal::readFileBytes(pathBytes(path), png, &error)) {
    guiReporter().logError("Cannot read " + pathBytes(path) + " (" + error + ")");
    return done();
  }
  mirdal::ObjectImport where;
  if (replaceObject) where.replaceObject = std::size_t(ctx_.object());
  if (replacePalette) where.replacePalette = std::size_t(ctx_.palette());
  std::optional<mirdal::ImportResult> result;
  doc.edit(mirdal::ChangeNotice::everything(), [&](mirdal::IgMenu& menu) {
    result = mirdal::importObjectPng(menu, png, where, guiReporter());
    return result.has_value();
  });
  done();
  if (!result) return;
  ctx_.setObject(int(result->object));
  ctx_.setPalette(int(result->palette));
  showChoices();
}

void MenuObjectsTab::saveObjectClicked() {
  const mirdal::IgMenu& m = ctx_.menu();
  const int o = ctx_.object(), p = ctx_.palette();
  if (o < 0 || p < 0 || std::size_t(o) >= m.objects.size() || std::size_t(p) >= m.palettes.size()) return;
  FileDialogRequest r;
  r.title = tr("Save image");
  r.filter = QStringLiteral("PNG|*.png");
  r.defaultExt = QStringLiteral(".png");
  r.folder = startFolder();
  r.fileName = QStringLiteral("IGobject_%1_pal_%2").arg(hex(unsigned(o), 4), hex(unsigned(p), 2));
  const QString path = ctx_.interaction().saveFile(r);
  if (path.isEmpty()) return;
  const mirdal::IndexImage img = mirdal::objectImage(m, std::size_t(o));
  if (img.pixels.empty()) {
    guiReporter().logError("Object " + hex(unsigned(o), 4).toStdString() + " has no pixels: no image written.");
    return;
  }
  const mirdal::Bytes bytes = mirdal::writePalettePng(img, m.palettes[std::size_t(p)], mirdal::baseCaption());
  std::string error;
  if (!mirdal::writeFileAtomic(pathBytes(path), bytes, &error))
    guiReporter().logError("Cannot write " + pathBytes(path) + " (" + error + ")");
  else
    guiReporter().log("Object " + hex(unsigned(o), 4).toStdString() + " saved as " + pathBytes(path));
}

void MenuObjectsTab::loadPaletteClicked() {
  mirdal::Document<mirdal::IgMenu>& doc = ctx_.document();
  if (!doc.loaded()) return;
  const int chosen = ctx_.palette();
  const bool replace = replacePal_->isChecked() && chosen >= 0 && std::size_t(chosen) < doc.model().palettes.size();
  FileDialogRequest r;
  r.title = replacePal_->isChecked() ? tr("Replace palette") : tr("Insert palette");
  r.filter = QStringLiteral("Scenarist Designer|*.pxml|Adobe ACT (colors only)|*.act");
  r.defaultExt = QStringLiteral(".pxml");
  r.folder = startFolder();
  const QString path = ctx_.interaction().openFile(r);
  replacePal_->setChecked(false);
  enableControls();
  if (path.isEmpty()) return;
  const std::string file = pathBytes(path);
  mirdal::Bytes data;
  std::string error;
  if (!mirdal::readFileBytes(file, data, &error)) return guiReporter().logError("Cannot read " + file + " (" + error + ")");
  mirdal::IgPalette pal;
  if (!mirdal::readPaletteFile(data, file, mirdal::colourMatrixOf(doc.model()), pal, &error)) return guiReporter().logError("Not a palette: " + error + ".");
  std::optional<std::size_t> at;
  doc.edit(mirdal::ChangeNotice::everything(), [&](mirdal::IgMenu& m) {
    at = mirdal::putPalette(m, pal, replace ? std::optional<std::size_t>(std::size_t(chosen)) : std::nullopt);
    return at.has_value();
  });
  if (!at) return guiReporter().logError("A menu holds at most 256 palettes; the palette was not added.");
  ctx_.setPalette(int(*at));
  showChoices();
}

void MenuObjectsTab::savePaletteClicked() {
  const mirdal::IgMenu& m = ctx_.menu();
  const int p = ctx_.palette();
  if (p < 0 || std::size_t(p) >= m.palettes.size()) return;
  FileDialogRequest r;
  r.title = tr("Save palette");
  r.filter = QStringLiteral("Scenarist Designer|*.pxml|Adobe ACT (colors only)|*.act");
  r.defaultExt = QStringLiteral(".pxml");
  r.folder = startFolder();
  r.fileName = QStringLiteral("palette_%1").arg(p, 3, 10, QLatin1Char('0'));
  const QString path = ctx_.interaction().saveFile(r);
  if (path.isEmpty()) return;
  const std::string file = pathBytes(path);
  const mirdal::Bytes bytes = mirdal::paletteFile(m.palettes[std::size_t(p)], file);
  std::string error;
  if (!mirdal::writeFileAtomic(file, bytes, &error)) guiReporter().logError("Cannot write " + file + " (" + error + ")");
  else if (bytes.empty()) guiReporter().logError(file + ": a palette is saved as .pxml or .act; the file is left empty.");
  else guiReporter().log("Palette " + hex(unsigned(p), 2).toStdString() + " saved as " + file);
}

void MenuObjectsTab::deleteChosenObjects() {
  mirdal::Document<mirdal::IgMenu>& doc = ctx_.document();
  std::vector<std::size_t> rows = selectedRows(objects_);
  if (!doc.loaded() || rows.empty()) return;
  std::string refused;
  doc.edit(mirdal::ChangeNotice::everything(), [&](mirdal::IgMenu& m) {
    refused = mirdal::deleteObjects(m, rows);
    return refused.empty();
  });
  if (!refused.empty()) {
    guiReporter().logError(refused);
    guiReporter().setStatusError(refused);
    return;
  }
  const int n = int(doc.model().objects.size());
  ctx_.setObject(n == 0 ? -1 : std::min(int(rows.front()), n - 1));
  showChoices();
}

void MenuObjectsTab::deleteChosenPalettes() {
  mirdal::Document<mirdal::IgMenu>& doc = ctx_.document();
  std::vector<std::size_t> rows = selectedRows(palettes_);
  if (!doc.loaded() || rows.empty()) return;
  std::string refused;
  doc.edit(mirdal::ChangeNotice::everything(), [&](mirdal::IgMenu& m) {
    refused = mirdal::deletePalettes(m, rows);
    return refused.empty();
  });
  if (!refused.empty()) {
    guiReporter().logError(refused);
    guiReporter().setStatusError(refused);
    return;
  }
  const int n = int(doc.model().palettes.size());
  ctx_.setPalette(n == 0 ? -1 : std::min(int(rows.front()), n - 1));
  showChoices();
}

}  // namespace mirdal::gui
