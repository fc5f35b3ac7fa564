#include "views/common/ext_data_dialog.h"

#include <QFileInfo>
#include <QFontDatabase>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QTextCursor>
#include <QTextEdit>
#include <QVBoxLayout>

#include "views/common/interaction.h"
#include "formats/common/ext_data_edit.h"
#include "views/common/grid_rows.h"
#include "views/common/ui_metrics.h"

namespace mirdal::gui {

namespace {

const QString kFilter = QStringLiteral("ExtensionData|*.exd");

QPushButton* dialogButton(const QString& name, const QString& caption, const QString& hint, QWidget* parent) {
  auto* b = new QPushButton(caption, parent);
  b->setObjectName(name);
  if (!hint.isEmpty()) b->setToolTip(hint);
  return b;
}

// A dump line is as wide as 134 characters of the fixed font.
constexpr int kDumpColumns = 1 + 4 + 3 * 32 + 1 + 32;

}  // namespace

ExtDataDialog::ExtDataDialog(Interaction& ia, const std::string& outputFolder, QWidget* parent)
    : QDialog(parent), ia_(ia), folder_(pathText(outputFolder)) {
  setObjectName("fExtDat");
  setModal(true);

  auto* top = new QHBoxLayout;
  auto* extensionDataGroup = new QGroupBox(QStringLiteral("ExtensionData"), this);
  extensionDataGroup->setObjectName("gbExtensionData");
  auto* bl = new QVBoxLayout(extensionDataGroup);
  summary_ = new QLabel(extensionDataGroup);
  summary_->setObjectName("lExtDatSummary");
  summary_->setTextInteractionFlags(Qt::TextSelectableByMouse);
  delete_ = dialogButton("bExtDatDelete", tr("Delete"), tr("Delete"), extensionDataGroup);
  load_ = dialogButton("bExtDatLoad", tr("Load..."), tr("Load ExtensionData()"), extensionDataGroup);
  load_->setIcon(style()->standardIcon(QStyle::SP_DialogOpenButton));
  save_ = dialogButton("bExtDatSave", tr("Save..."), tr("Save ExtensionData()"), extensionDataGroup);
  save_->setIcon(style()->standardIcon(QStyle::SP_DialogSaveButton));
  ok_ = dialogButton("bExtDatOK", tr("OK"), QString(), extensionDataGroup);
  ok_->setDefault(true);
  cancel_ = dialogButton("bExtDatCancel", tr("Cancel"), QString(), extensionDataGroup);
  bl->addWidget(summary_);
  auto* fileRow = new QHBoxLayout;
  fileRow->addWidget(delete_);
  fileRow->addWidget(load_);
  fileRow->addWidget(save_);
  bl->addLayout(fileRow);
  bl->addStretch(1);
  auto* closeRow = new QHBoxLayout;
  closeRow->addStretch(1);
  closeRow->addWidget(ok_);
  closeRow->addWidget(cancel_);
  bl->addLayout(closeRow);

  auto* entriesGroup = new QGroupBox(QStringLiteral("Entries"), this);
  entriesGroup->setObjectName("gbEntries");
  auto* el = new QVBoxLayout(entriesGroup);
  grid_ = new StringGrid("sgExtDatEntry", entriesGroup);
  grid_->setColumns(gridColumns(kExtDataColumns));
  grid_->setFixedFirstColumn(true);
  grid_->setEditMode(true);
  grid_->setWidthFollowsColumns(true);
  el->addWidget(grid_);
  top->addWidget(extensionDataGroup, 0);
  top->addWidget(entriesGroup, 0);
  top->addStretch(1);

  auto* dataBlockGroup = new QGroupBox(QStringLiteral("DataBlock"), this);
  dataBlockGroup->setObjectName("gbDataBlock");
  auto* dl = new QVBoxLayout(dataBlockGroup);
  data_ = new QTextEdit(dataBlockGroup);
  data_->setObjectName("reData");
  data_->setReadOnly(true);
  data_->setLineWrapMode(QTextEdit::NoWrap);
  data_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  QFont mono = QFontDatabase::systemFont(QFontDatabase::FixedFont);
  mono.setPointSize(8);
  data_->setFont(mono);
  dl->addWidget(data_);

  auto* l = new QVBoxLayout(this);
  l->addLayout(top, 2);
  l->addWidget(dataBlockGroup, 3);

  connect(delete_, &QPushButton::clicked, this, &ExtDataDialog::deleteBlock);
  connect(load_, &QPushButton::clicked, this, &ExtDataDialog::loadBlock);
  connect(save_, &QPushButton::clicked, this, &ExtDataDialog::saveBlock);
  connect(ok_, &QPushButton::clicked, this, &QDialog::accept);
  connect(cancel_, &QPushButton::clicked, this, &QDialog::reject);
  connect(grid_, &StringGrid::cellEdited, this, &ExtDataDialog::cellEdited);
  connect(grid_, &QTableWidget::currentCellChanged, this, [this](int row, int, int previous, int) {
    if (row != previous) showEntry(grid_->isEmptyGrid() ? -1 : row);
  });

  // Wide enough for a whole dump line: the text, the view's document margins,
  // frame and scroll bar, and the margins of the group and the window.
  const QFontMetrics fm(mono);
  const int dumpWidth = fm.horizontalAdvance(QString(kDumpColumns, QLatin1Char('0'))) +
                        int(2 * data_->document()->documentMargin()) + 2 * data_->frameWidth() +
                        style()->pixelMetric(QStyle::PM_ScrollBarExtent) + 2 * 12 + 2 * 12;
  setMinimumSize(std::max(890, dumpWidth), 360);
  resize(minimumSize().width(), px(this, 400));
}

void ExtDataDialog::setBlock(const ExtensionData& ed, const QString& fileName) {
  ed_ = ed;
  fileName_ = fileName;
  refresh();
}

void ExtDataDialog::refresh() {
  setWindowTitle(fileName_ + QStringLiteral(" ExtensionData edit"));
  const bool present = extDataPresent(ed_);
  summary_->setText(discText(extDataSummary(ed_)));
  delete_->setEnabled(present);
  save_->setEnabled(present);
  const int n = present ? int(ed_.entries.size()) : 0;
  grid_->setDataRowCount(n);
  for (int i = 0; i < n; ++i) setGridRow(grid_, i, extDataRow(ed_, std::size_t(i)));
  grid_->fitColumnsToContents();
  if (n > 0) {
    const QSignalBlocker quiet(grid_);
    grid_->selectDataRow(0);
  }
  showEntry(n > 0 ? 0 : -1);
}

void ExtDataDialog::showEntry(int entry) {
  data_->clear();
  if (entry < 0) return;
  QTextCharFormat address, bytes, chars;
  address.setForeground(QColor(0, 0, 255));
  bytes.setForeground(palette().color(QPalette::WindowText));
  chars.setForeground(QColor(255, 0, 0));
  QTextCursor c(data_->document());
  bool first = true;
  for (const ExtDataDumpLine& line : extDataDump(ed_, std::size_t(entry))) {
    if (!first) c.insertBlock();
    first = false;
    c.insertText(QStringLiteral(" "), bytes);
    c.insertText(discText(line.address), address);
    c.insertText(discText(line.bytes) + QLatin1Char(' '), bytes);
    c.insertText(discText(line.chars), chars);
  }
  data_->moveCursor(QTextCursor::Start);
}

void ExtDataDialog::deleteBlock() {
  deleteExtData(ed_);
  refresh();
}

void ExtDataDialog::loadBlock() {
  FileDialogRequest r;
  r.title = tr("Load ExtensionData()");
  r.filter = kFilter;
  r.folder = folder_;
  const QString path = ia_.openFile(r);
  if (path.isEmpty()) return;
  std::string error;
  if (!loadExtDataFile(pathBytes(path), ed_, &error)) {
    ia_.tell(QFileInfo(path).fileName() + QStringLiteral(": ") + pathText(error));
    return;
  }
  refresh();
}

void ExtDataDialog::saveBlock() {
  if (!extDataPresent(ed_)) return;
  FileDialogRequest r;
  r.title = tr("Save ExtensionData()");
  r.filter = kFilter;
  // ".exd", the extension the Load filter shows.
  r.defaultExt = QStringLiteral(".exd");
  r.folder = folder_;
  const QString path = ia_.saveFile(r);
  if (path.isEmpty()) return;
  std::string error;
  if (!saveExtDataFile(pathBytes(path), ed_, &error))
    ia_.tell(QFileInfo(path).fileName() + QStringLiteral(": ") + pathText(error));
}

// Only ID1 is taken over; whatever was typed elsewhere is shown as before.
void ExtDataDialog::cellEdited(int row, int column, const QString& text) {
  if (row < 0 || std::size_t(row) >= ed_.entries.size()) return;
  if (column == 1) setExtDataId1(ed_, std::size_t(row), text.toStdString());
  setGridRow(grid_, row, extDataRow(ed_, std::size_t(row)));
}

bool editExtensionData(QWidget* parent, Interaction& ia, const std::string& outputFolder,
                       const std::string& fileName, ExtensionData& ed) {
  ExtDataDialog dialog(ia, outputFolder, parent);
  dialog.setBlock(ed, pathText(fileName));
  if (dialog.exec() != QDialog::Accepted) return false;
  ed = dialog.block();
  return true;
}

}  // namespace mirdal::gui
