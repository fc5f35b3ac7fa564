#include "views/shell/options_page.h"

#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QSignalBlocker>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

#include "views/common/interaction.h"
#include "core/report.h"
#include "documents/workspace.h"
#include "menu/colour.h"
#include "present/country_code.h"
#include "views/common/availability.h"
#include "views/common/document_signals.h"
#include "views/common/hex_edit.h"
#include "views/common/number_edit.h"
#include "views/common/radio_group.h"
#include "views/common/text.h"
#include "views/common/gui_reporter_access.h"

namespace mirdal::gui {

QColor colorFromNumber(std::uint32_t n) { return QColor(int(n & 0xFF), int((n >> 8) & 0xFF), int((n >> 16) & 0xFF)); }

std::uint32_t numberFromColor(const QColor& c) {
  return std::uint32_t(c.red()) | (std::uint32_t(c.green()) << 8) | (std::uint32_t(c.blue()) << 16);
}

namespace {

QGroupBox* optionsGroup(const char* name, const QString& caption, QWidget* parent) {
  auto* g = new QGroupBox(caption, parent);
  g->setObjectName(name);
  return g;
}

QVBoxLayout* column(QWidget* w) {
  auto* l = new QVBoxLayout(w);
  l->setContentsMargins(6, 4, 6, 6);
  l->setSpacing(3);
  return l;
}

QToolButton* folderButton(const char* name, const QString& hint, QWidget* parent) {
  auto* b = new QToolButton(parent);
  b->setObjectName(name);
  b->setIcon(parent->style()->standardIcon(QStyle::SP_DirOpenIcon));
  b->setToolTip(hint);
  return b;
}

}  // namespace

OptionsPage::OptionsPage(mirdal::Workspace& ws, Interaction& ia, QWidget* parent)
    : QWidget(parent), ws_(ws), ia_(ia) {
  setObjectName("tsOptions");
  // The groups keep their natural size in the top left corner; a larger
  // window leaves the room free instead of spreading the controls apart.
  auto* page = new QVBoxLayout(this);
  page->setContentsMargins(4, 4, 4, 4);
  auto* row = new QHBoxLayout;
  row->setSpacing(6);
  auto* left = new QVBoxLayout;
  left->setSpacing(6);
  left->addWidget(buildOptionsGroup());
  left->addWidget(buildFormatGroup());
  row->addLayout(left);
  row->addWidget(buildMenuGroup(), 0, Qt::AlignTop);
  row->addStretch(1);
  page->addLayout(row);
  page->addStretch(1);
  showOptions();
}

QCheckBox* OptionsPage::check(const char* name, const QString& text, BoolField field, QWidget* parent) {
  auto* b = new QCheckBox(text, parent);
  b->setObjectName(name);
  connect(b, &QCheckBox::toggled, this, [this, field](bool on) { field(ws_.options) = on; });
  checks_.emplace_back(b, field);
  return b;
}

QWidget* OptionsPage::buildOptionsGroup() {
  QGroupBox* g = optionsGroup("gbOptions", tr("Options"), this);
  QVBoxLayout* l = column(g);
  using O = mirdal::Options;

  l->addWidget(check("cbOAutoRead", tr("Auto Read"), [](O& o) -> bool& { return o.autoRead; }, g));
  backupBox_ = check("cbOBackup", tr("Create backup files"), [](O& o) -> bool& { return o.backup.createBackup; }, g);
  l->addWidget(backupBox_);
  backupModeChoice_ = new RadioGroup("rgOBackup", QString(), {tr("Only first"), tr("Overwrite"), tr("Stop if exists")},
                                     Qt::Horizontal, g);
  backupModeChoice_->setContentsMargins(style()->pixelMetric(QStyle::PM_IndicatorWidth) + 6, 0, 0, 0);
  l->addWidget(backupModeChoice_);
  connect(backupModeChoice_, &RadioGroup::indexChosen, this,
          [this](int i) { ws_.options.backup.mode = mirdal::BackupMode(i); });
  connect(backupBox_, &QCheckBox::toggled, backupModeChoice_, &QWidget::setEnabled);
  l->addWidget(
      check("cbOSaveBACKUP", tr("Save to BACKUP dir"), [](O& o) -> bool& { return o.backup.saveToBackupDir; }, g));

  regionChoice_ = new RadioGroup("rgRegion", tr("Region code"), {"A", "B", "C"}, Qt::Horizontal, g);
  connect(regionChoice_, &RadioGroup::indexChosen, this, [this](int i) { ws_.options.region = i; });
  l->addWidget(regionChoice_);

  auto* outLabel = new QLabel(tr("Output folder"), g);
  outputFolderField_ = new QLineEdit(g);
  outputFolderField_->setObjectName("eWorkDir");
  outLabel->setBuddy(outputFolderField_);
  auto* outputFolderButton = folderButton("bbWorkDir", tr("Select a directory"), g);
  auto* out = new QHBoxLayout;
  out->addWidget(outLabel);
  out->addWidget(outputFolderField_, 1);
  out->addWidget(outputFolderButton);
  l->addLayout(out);
  connect(outputFolderField_, &QLineEdit::textEdited, this,
                    [this](const QString& t) { ws_.options.outputFolder = pathBytes(t); });
  connect(outputFolderButton, &QToolButton::clicked, this, &OptionsPage::outputFolderClicked);

  l->addWidget(check("cbForcedBeep", tr("Forced beep on invalid command"),
                     [](O& o) -> bool& { return o.forcedBeep; }, g));

  auto* country = new QHBoxLayout;
  country_ = new HexEdit(g, 4);
  country_->setObjectName("heCountryCode");
  country_->setLowerCase(true);
  countryLetters_ = new QLabel(g);
  countryLetters_->setObjectName("lCountry");
  auto* code = new QLabel(tr("code"), g);
  code->setBuddy(country_);
  country->addWidget(new QLabel(tr("Country"), g));
  country->addSpacing(8);
  country->addWidget(code);
  country->addWidget(country_);
  country->addWidget(countryLetters_);
  country->addStretch(1);
  l->addLayout(country);
  connect(country_, &QLineEdit::textChanged, this, &OptionsPage::countryEdited);
  connect(country_, &QLineEdit::editingFinished, this, &OptionsPage::countryLeft);
  connect(country_, &QLineEdit::returnPressed, this, [this] { focusNextChild(); });

  l->addWidget(check("cbAssociateBDMV", tr("Associate Mirdal to .bdmv file extension"),
                     [](O& o) -> bool& { return o.associateBdmv; }, g));
  shortNamesBox_ = check("cb83names", tr("Use 8.3 filenames"), [](O& o) -> bool& { return o.shortNames; }, g);
  shortNamesBox_->setToolTip(tr("If you work with multiAVCHD output check this"));
  connect(shortNamesBox_, &QCheckBox::toggled, this, &OptionsPage::shortNamesChanged);
  l->addWidget(shortNamesBox_);
  l->addWidget(check("cbAssociateMNU", tr("Associate Mirdal to .mnu file extension"),
                     [](O& o) -> bool& { return o.associateMnu; }, g));
  l->addStretch(1);
  return g;
}

QWidget* OptionsPage::buildFormatGroup() {
  QGroupBox* g = optionsGroup("gbFormatOptions", tr("Format options"), this);
  auto* l = new QHBoxLayout(g);
  l->setContentsMargins(6, 4, 6, 6);
  l->setSpacing(8);
  using O = mirdal::Options;
  chapterFormatChoice_ = new RadioGroup("rgChapterFormat", tr("Chapter format"), {"PTS", "Frame", "Time"},
                                        Qt::Vertical, g);
  connect(chapterFormatChoice_, &RadioGroup::indexChosen, this, [this](int i) { ws_.options.chapterFormat = i; });
  l->addWidget(chapterFormatChoice_, 0, Qt::AlignTop);

  auto* pid = new QWidget(g);
  pid->setObjectName("gbSavePID");
  auto* pl = new QVBoxLayout(pid);
  pl->setContentsMargins(0, 0, 0, 0);
  pl->setSpacing(2);
  pl->addWidget(new QLabel(tr("Save PID format"), pid));
  auto* boxes = new QVBoxLayout;
  boxes->setSpacing(2);
  boxes->setContentsMargins(style()->pixelMetric(QStyle::PM_IndicatorWidth) / 2, 0, 0, 0);
  boxes->addWidget(
      check("cbSavePES", tr("Save PES stream (not elementary)"), [](O& o) -> bool& { return o.savePes; }, pid));
  boxes->addWidget(check("cbSaveSUP", tr("Save SUP if PG stream"), [](O& o) -> bool& { return o.saveSup; }, pid));
  boxes->addWidget(check("cbSaveIG", tr("Save MNU if IG stream"), [](O& o) -> bool& { return o.saveMnu; }, pid));
  pl->addLayout(boxes);
  l->addWidget(pid, 0, Qt::AlignTop);

  programFormatChoice_ = new RadioGroup("rgProgramFormat", tr("Program format"),
                                        {tr("List (*.lst)"), tr("Binary (*.bin)")}, Qt::Vertical, g);
  connect(programFormatChoice_, &RadioGroup::indexChosen, this, [this](int i) { ws_.options.programFormat = i; });
  l->addWidget(programFormatChoice_, 0, Qt::AlignTop);
  l->addStretch(1);
  return g;
}

QToolButton* OptionsPage::colourBox(const char* name, const QString& text, std::uint32_t mirdal::MenuColours::*field,
                                    QWidget* parent) {
  auto* b = new QToolButton(parent);
  b->setObjectName(name);
  b->setText(text);
  b->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
  b->setAutoRaise(true);
  b->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
  connect(b, &QToolButton::clicked, this, [this, b, field, text] {
    const auto c = ia_.chooseColor(colorFromNumber(ws_.options.colours.*field), text);
    if (!c) return;
    ws_.options.colours.*field = numberFromColor(*c);
    showColour(b, ws_.options.colours.*field);
    emit menuColoursChanged();
  });
  colours_.emplace_back(b, field);
  return b;
}

void OptionsPage::showColour(QToolButton* b, std::uint32_t colour) {
  const int h = QFontMetrics(font()).height();
  QPixmap swatch(h * 3 / 2, h);
  swatch.fill(colorFromNumber(colour));
  QPainter p(&swatch);
  p.setPen(palette().color(QPalette::Dark));
  p.drawRect(swatch.rect().adjusted(0, 0, -1, -1));
  p.end();
  b->setIconSize(swatch.size());
  b->setIcon(swatch);
  b->setProperty("colour", QVariant(qulonglong(colour)));
}

QWidget* OptionsPage::buildMenuGroup() {
  QGroupBox* g = optionsGroup("gbMenuOptions", tr("Menu options"), this);
  auto* grid = new QGridLayout(g);
  grid->setContentsMargins(6, 4, 6, 6);
  grid->setHorizontalSpacing(8);
  grid->setVerticalSpacing(3);
  using C = mirdal::MenuColours;
  using O = mirdal::Options;

  const struct {
    const char* name;
    const char* text;
    std::uint32_t C::*field;
  } colours[] = {
      {"colBackground", "Menu background", &C::background},
      {"colObjectBackground", "Object background", &C::objectBackground},
      {"colSelectedButton", "Selected button", &C::selectedButton},
      {"colSelectedFrame", "Selected frame", &C::selectedFrame},
      {"colNormalButton", "Normal button", &C::normalButton},
      {"colNormalFrame", "Normal frame", &C::normalFrame},
      {"colInvalidButton", "Invalid button", &C::invalidButton},
      {"colInvalidFrame", "Invalid Frame", &C::invalidFrame},
      {"colWindow", "Window frame", &C::window},
  };
  auto* colourColumn = new QVBoxLayout;
  colourColumn->setSpacing(2);
  for (const auto& c : colours) colourColumn->addWidget(colourBox(c.name, tr(c.text), c.field, g));
  colourColumn->addStretch(1);
  grid->addLayout(colourColumn, 0, 0);
  int r = 1;

  // The display switches, then the options that only this page has.
  auto* checks = new QVBoxLayout;
  checks->setSpacing(3);
  for (std::size_t i = 0; i < kDisplaySwitches.size(); ++i) {
    const DisplaySwitch& s = kDisplaySwitches[i];
    const auto field = s.option;
    switches_[i] = check(s.optionsName, tr(s.optionsText), [field](O& o) -> bool& { return o.*field; }, g);
  }
  for (int i : {0, 1, 2, 3}) checks->addWidget(switches_[std::size_t(i)]);
  checks->addWidget(check("cbPreLoad", tr("Preload all bitmap of the page"), [](O& o) -> bool& { return o.preLoad; }, g));
  for (int i : {4, 5, 7, 6}) checks->addWidget(switches_[std::size_t(i)]);
  checks->addWidget(
      check("cbRealPSRs", tr("Init PSRs with 'real' values"), [](O& o) -> bool& { return o.realPsrs; }, g));
  checks->addWidget(switches_[8]);
  checks->addStretch(1);
  grid->addLayout(checks, 0, 1);

  // Background picture.
  auto* back = new QHBoxLayout;
  QCheckBox* backgroundBox = check("cbBackground", tr("Background"), [](O& o) -> bool& { return o.background; }, g);
  connect(backgroundBox, &QCheckBox::toggled, this, &OptionsPage::backgroundChanged);
  backgroundPictureField_ = new QLineEdit(g);
  backgroundPictureField_->setObjectName("eBackPic");
  backgroundPictureField_->setReadOnly(true);
  auto* backgroundPictureButton = folderButton("bbBackPic", tr("Select a background picture"), g);
  backgroundPictureButton->setIcon(style()->standardIcon(QStyle::SP_FileDialogStart));
  connect(backgroundPictureButton, &QToolButton::clicked, this, &OptionsPage::backgroundPictureClicked);
  back->addWidget(backgroundBox);
  back->addWidget(backgroundPictureField_, 1);
  back->addWidget(backgroundPictureButton);
  grid->addLayout(back, r++, 0, 1, 2);

  // Numbers.
  auto* delay = new QHBoxLayout;
  auto* gridSize = new QHBoxLayout;
  activationDelayField_ = new NumberEdit(g, 0, 10000);
  activationDelayField_->setObjectName("neActiDelay");
  gridSizeField_ = new NumberEdit(g, 0, 100);
  gridSizeField_->setObjectName("neGrid");
  auto* delayLabel = new QLabel(tr("Activate command show delay (ms)"), g);
  delayLabel->setBuddy(activationDelayField_);
  auto* gridSizeLabel = new QLabel(tr("Grid size"), g);
  gridSizeLabel->setBuddy(gridSizeField_);
  delay->addWidget(delayLabel);
  delay->addWidget(activationDelayField_);
  delay->addStretch(1);
  gridSize->addWidget(gridSizeLabel);
  gridSize->addWidget(gridSizeField_);
  gridSize->addStretch(1);
  grid->addLayout(delay, r++, 0, 1, 2);
  grid->addLayout(gridSize, r++, 0, 1, 2);
  connect(activationDelayField_, &NumberEdit::valueCommitted, this, [this](int v) {
    ws_.options.actiDelay = v;
    guiReporter().setActivationDelay(v);
  });
  connect(gridSizeField_, &NumberEdit::valueCommitted, this, [this](int v) { ws_.options.grid = v; });

  // Which matrix turns the menu's palettes into colours (players choose it
  // by the video height).
  colourMatrixLabel_ = new QLabel(g);
  colourMatrixLabel_->setObjectName("lColourMatrix");
  colourMatrixLabel_->setWordWrap(true);
  grid->addWidget(colourMatrixLabel_, r++, 0, 1, 2);
  connect(new DocumentSignals(ws_.menu, this), &DocumentSignals::changed, this, &OptionsPage::showColourMatrix);
  showColourMatrix();

  // Creating files belongs to the sound and menu editors.
  auto* create = new QHBoxLayout;
  createSoundButton_ = new QPushButton(tr("Create sound.bdmv"), g);
  createSoundButton_->setObjectName("bCreateSound");
  createMenuButton_ = new QPushButton(tr("Create Menu"), g);
  createMenuButton_->setObjectName("bCreateMenu");
  for (QPushButton* b : {createSoundButton_, createMenuButton_}) {
    b->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    b->setMinimumWidth(b->sizeHint().width() + QFontMetrics(b->font()).horizontalAdvance(QStringLiteral("MM")));
    markUnavailable(b);
  }
  create->addWidget(createSoundButton_);
  create->addWidget(createMenuButton_);
  create->addWidget(check("cbAutoMenu", tr("Auto create"), [](O& o) -> bool& { return o.autoMenu; }, g));
  create->addStretch(1);
  grid->addLayout(create, r++, 0, 1, 2);
  grid->setRowStretch(r, 1);
  return g;
}

void OptionsPage::showOptions() {
  const mirdal::Options& o = ws_.options;
  for (auto& [box, field] : checks_) {
    const QSignalBlocker block(box);
    box->setChecked(field(ws_.options));
  }
  backupModeChoice_->setCheckedIndex(int(o.backup.mode));
  backupModeChoice_->setEnabled(o.backup.createBackup);
  regionChoice_->setCheckedIndex(o.region);
  chapterFormatChoice_->setCheckedIndex(o.chapterFormat);
  programFormatChoice_->setCheckedIndex(o.programFormat);
  outputFolderField_->setText(pathText(o.outputFolder));
  backgroundPictureField_->setText(pathText(o.backgroundPic));
  {
    const QSignalBlocker block(country_);
    country_->setValue(o.countryCode);
  }
  countryEdited();
  activationDelayField_->setValue(o.actiDelay);
  gridSizeField_->setValue(o.grid);
  for (auto& [box, field] : colours_) showColour(box, o.colours.*field);
}

QString colourMatrixText(const mirdal::Document<mirdal::IgMenu>& menu) {
  if (!menu.loaded())
    return QObject::tr("Palette colours: BT.709 for menus of 720 lines and more, BT.601 below (as players convert "
                       "them)");
  const std::uint16_t h = menu.model().ics.videoHeight;
  return QObject::tr("Palette colours: %1 (the menu is %2 lines high; players use BT.709 from 720 lines, "
                     "BT.601 below)")
      .arg(QString::fromLatin1(mirdal::colourMatrixName(mirdal::colourMatrixFor(h))))
      .arg(h);
}

void OptionsPage::showColourMatrix() { colourMatrixLabel_->setText(colourMatrixText(ws_.menu)); }

void OptionsPage::countryEdited() { countryLetters_->setText(discText(countryLetters(std::uint32_t(country_->value())))); }

void OptionsPage::countryLeft() {
  const std::uint32_t code = clampCountryCode(std::uint32_t(country_->value() & 0xFFFF));
  ws_.options.countryCode = code;
  country_->setValue(code);
}

void OptionsPage::outputFolderClicked() {
  const QString chosen = ia_.chooseFolder(tr("Select a directory"), outputFolderField_->text());
  if (chosen.isEmpty()) return;
  outputFolderField_->setText(QDir::toNativeSeparators(chosen));
  ws_.options.outputFolder = pathBytes(outputFolderField_->text());
}

// The dialog starts in the disc folder, or in the output folder when one is
// set, or in the current picture's folder when there is one.
void OptionsPage::backgroundPictureClicked() {
  FileDialogRequest r;
  r.title = tr("Select a background picture");
  r.filter = QStringLiteral("BMP|*.bmp|PNG|*.png");
  r.defaultExt = QStringLiteral("*.png");
  r.folder = pathText(ws_.disc.folder);
  if (!ws_.options.outputFolder.empty()) r.folder = pathText(ws_.options.outputFolder);
  if (!ws_.options.backgroundPic.empty()) r.folder = QFileInfo(pathText(ws_.options.backgroundPic)).path();
  const QString chosen = ia_.openFile(r);
  if (chosen.isEmpty()) return;
  ws_.options.backgroundPic = pathBytes(chosen);
  backgroundPictureField_->setText(chosen);
  emit backgroundChanged();
}

}  // namespace mirdal::gui
