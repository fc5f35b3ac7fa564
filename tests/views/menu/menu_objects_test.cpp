// The menu page's files and its "Objects" tab, driven as a user does: Load
// through the file dialog, a PNG imported over an object, Save, a menu file
// dropped or named on the command line, and Shift+Delete of a used object.
#include <QCheckBox>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <algorithm>
#include <filesystem>

#include "gui_test.h"
#include "main_window_fixture.h"
#include "menu/igs_read.h"
#include "menu/menu_edit.h"
#include "menu/object_png.h"
#include "menu/object_preview.h"
#include "sample_disc.h"
#include "views/menu/menu_context.h"
#include "views/menu/menu_objects_tab.h"
#include "views/menu/menu_page.h"
#include "views/shell/page_tabs.h"
#include "views/menu/picture_view.h"
#include "views/shell/shared_controls.h"
#include "views/shell/status_bar.h"
#include "views/common/vertical_label.h"
#include "views/common/gui_reporter_access.h"

namespace mirdal::gui::test {

namespace {

std::filesystem::path sampleMenu() { return std::filesystem::path(MIRDAL_SOURCE_DIR) / "samples/disc/menu/sample.mnu"; }

QString text(const std::filesystem::path& p) { return QString::fromStdString(p.string()); }

QString menuTab(const Window& t) { return t.w->pageControl()->tabText(int(Page::Menu)); }

// A 5 x 4 palette PNG using entries 1 and 2.
mirdal::Bytes smallPng() {
  mirdal::IndexImage img;
  img.width = 5;
  img.height = 4;
  for (int i = 0; i < 20; ++i) img.pixels.push_back(std::uint8_t(1 + i % 2));
  mirdal::IgPalette pal;
  pal.colours[1] = {255, 0, 0, 255};
  pal.colours[2] = {0, 0, 255, 128};
  return mirdal::writePalettePng(img, pal, "test");
}

}  // namespace

class MenuObjectsTest : public QObject {
  Q_OBJECT

  // Loads the sample menu through "&Load" and the scripted dialog.
  static bool loadSample(Window& t, const mirdal::test::TempDir& root) {
    std::error_code ec;
    std::filesystem::copy_file(sampleMenu(), root.path() / "sample.mnu", ec);
    if (ec) return false;
    t.ia.files << text(root.path() / "sample.mnu");
    t.w->shared()->loadMenuButton()->click();
    return t.w->workspace().menu.loaded();
  }

 private slots:
  void init() {
    if (!std::filesystem::is_regular_file(sampleMenu())) QSKIP("no sample menu");
  }

  void loadFillsTheTables() {
    mirdal::test::TempDir root;
    Window t;
    QVERIFY(loadSample(t, root));
    const FileDialogRequest& r = t.ia.fileRequests.first();
    QCOMPARE(r.filter, QString("Menu|*.mnu|BD AV stream|*.m2ts|AVCHD stream|*.MTS"));
    QCOMPARE(r.fileName, QString("mymenu"));
    QCOMPARE(t.w->currentPage(), Page::Menu);

    const mirdal::IgMenu& m = t.w->workspace().menu.model();
    MenuObjectsTab* tab = t.w->menuPage()->objectsTab();
    QCOMPARE(tab->igObjectGrid()->dataRowCount(), int(m.objects.size()));
    QCOMPARE(tab->paletteGrid()->dataRowCount(), int(m.palettes.size()));
    QCOMPARE(tab->igObjectCountLabel()->text(), QString("%1 objects").arg(m.objects.size()));
    const mirdal::IgObject& last = m.objects.back();
    QCOMPARE(rowOf(tab->igObjectGrid(), int(m.objects.size()) - 1),
             (QStringList{QString("%1").arg(last.objectId, 4, 16, QChar('0')).toUpper(), QString::number(last.width),
                          QString::number(last.height),
                          QString::fromStdString(mirdal::objectUses(m, std::uint16_t(m.objects.size() - 1)))}));
    QCOMPARE(menuTab(t), QString("&Menu"));
    QVERIFY(t.w->shared()->saveButton()->isEnabled());

    // The first object is previewed, and the palette chart on request.
    t.w->menuPage()->showTab(MenuTab::Objects);
    QVERIFY(!tab->preview()->picture().isNull());
    t.w->menuPage()->context().setPaletteOnly(true);
    QCOMPARE(tab->preview()->picture().size(), QSize(350, 180));

    // The pointer over the chart names the entry under it.
    t.w->show();
    QTest::mouseMove(tab->preview(), QPoint(30, 25));
    QVERIFY2(t.w->statusLine()->panelText(1).contains("Color: 11 (17)"), qPrintable(t.w->statusLine()->panelText(1)));
    QCOMPARE(tab->preview()->cursor().shape(), Qt::PointingHandCursor);
  }

  void importReplacesTheChosenObject() {
    mirdal::test::TempDir root;
    Window t;
    QVERIFY(loadSample(t, root));
    const auto png = root.write("button.png", smallPng());
    const mirdal::IgMenu& m = t.w->workspace().menu.model();
    const std::size_t objects = m.objects.size(), palettes = m.palettes.size();
    const std::uint16_t width = m.objects[1].width;
    t.w->menuPage()->showTab(MenuTab::Objects);
    MenuObjectsTab* tab = t.w->menuPage()->objectsTab();
    clickCell(tab->igObjectGrid(), 1, 0);
    QCOMPARE(t.w->menuPage()->context().object(), 1);

    tab->replaceObjectBox()->setChecked(true);
    t.ia.files << text(png);
    tab->loadObjectButton()->click();
    QCOMPARE(t.ia.fileRequests.last().title, QString("Replace object, insert palette"));
    QCOMPARE(m.objects.size(), objects);
    QCOMPARE(m.palettes.size(), palettes + 1);
    QCOMPARE(m.objects[1].width, std::uint16_t(5));
    QCOMPARE(rowOf(tab->igObjectGrid(), 1).mid(1, 2), (QStringList{"5", "4"}));
    QCOMPARE(t.w->menuPage()->context().palette(), int(palettes));
    QVERIFY(!tab->replaceObjectBox()->isChecked());
    QCOMPARE(menuTab(t), QString("&Menu*"));
    QCOMPARE(tab->preview()->picture().size(), QSize(5, 4));

    t.w->undoEdit();
    QCOMPARE(m.objects[1].width, width);
    QCOMPARE(tab->paletteGrid()->dataRowCount(), int(palettes));
    QCOMPARE(menuTab(t), QString("&Menu"));
  }

  void aNonPalettePngChangesNothing() {
    mirdal::test::TempDir root;
    Window t;
    QVERIFY(loadSample(t, root));
    const auto bad = root.write("bad.png", std::string("not a picture"));
    const std::size_t objects = t.w->workspace().menu.model().objects.size();
    t.ia.files << text(bad);
    t.w->menuPage()->objectsTab()->loadObjectButton()->click();
    QCOMPARE(t.w->workspace().menu.model().objects.size(), objects);
    QVERIFY(!t.w->workspace().menu.modified());
    QVERIFY(t.logLines().join('\n').contains("Not supported file format!"));
  }

  void imageAndPaletteFilesRoundTrip() {
    mirdal::test::TempDir root;
    Window t;
    QVERIFY(loadSample(t, root));
    const mirdal::IgMenu& m = t.w->workspace().menu.model();
    QVERIFY(m.palettes.size() >= 2);
    MenuObjectsTab* tab = t.w->menuPage()->objectsTab();
    MenuContext& ctx = t.w->menuPage()->context();

    // Palette 1 as an Adobe colour table, loaded back over palette 0 with
    // Insert on the palette table.
    ctx.setPalette(1);
    t.ia.files << text(root.path() / "pal");
    tab->savePaletteButton()->click();
    QCOMPARE(t.ia.fileRequests.last().fileName, QString("palette_001"));
    const auto pxml = root.read("pal.pxml");
    QCOMPARE(std::count(pxml.begin(), pxml.end(), '\n'), std::ptrdiff_t(2 + 256 * 10 + 2));
    t.ia.files << text(root.path() / "pal.act");
    tab->savePaletteButton()->click();
    QCOMPARE(std::filesystem::file_size(root.path() / "pal.act"), std::uintmax_t(768));
    const std::size_t palettes = m.palettes.size();
    ctx.setPalette(0);
    tab->replacePaletteBox()->setChecked(true);
    t.ia.files << text(root.path() / "pal.act");
    QTest::keyClick(tab->paletteGrid(), Qt::Key_Insert);
    QCOMPARE(t.ia.fileRequests.last().title, QString("Replace palette"));
    QCOMPARE(m.palettes.size(), palettes);
    for (std::size_t e = 0; e < 256; ++e) {
      QCOMPARE(m.palettes[0].colours[e].r, m.palettes[1].colours[e].r);
      QCOMPARE(m.palettes[0].colours[e].b, m.palettes[1].colours[e].b);
    }
    QVERIFY(!tab->replacePaletteBox()->isChecked());
    QCOMPARE(menuTab(t), QString("&Menu*"));

    // An object saved as a PNG holds the object's pixels.
    ctx.setObject(2);
    t.ia.files << text(root.path() / "object");
    tab->saveObjectButton()->click();
    QCOMPARE(t.ia.fileRequests.last().fileName, QString("IGobject_0002_pal_00"));
    mirdal::Bytes png;
    QVERIFY(mirdal::readFileBytes((root.path() / "object.png").string(), png));
    mirdal::PalettePng decoded;
    QVERIFY(mirdal::readPalettePng(png, 1920, 1080, decoded));
    QVERIFY(decoded.image == mirdal::objectImage(m, 2));
    QCOMPARE(decoded.alpha.size(), std::size_t(256));
  }

  void saveWritesWhatLoadsBack() {
    mirdal::test::TempDir root;
    Window t;
    QVERIFY(loadSample(t, root));
    t.w->workspace().menu.edit(mirdal::ChangeNotice::everything(),
                               [](mirdal::IgMenu& m) { return mirdal::createPage(m); });
    QCOMPARE(menuTab(t), QString("&Menu*"));
    const QString out = text(root.path() / "out" / "saved");
    std::filesystem::create_directories(root.path() / "out");
    t.ia.files << out;
    t.w->saveClicked();
    const FileDialogRequest& r = t.ia.fileRequests.last();
    QCOMPARE(r.title, QString("Save Menu"));
    QCOMPARE(r.fileName, QString("sample"));
    QCOMPARE(menuTab(t), QString("&Menu"));

    mirdal::IgMenu back;
    QCOMPARE(mirdal::readMnuFile((root.path() / "out" / "saved.mnu").string(), back, mirdal::gui::guiReporter()).status, mirdal::ReadStatus::Ok);
    const mirdal::IgMenu& m = t.w->workspace().menu.model();
    QVERIFY(back.ics.pages == m.ics.pages);
    QVERIFY(back.palettes == m.palettes);
    QCOMPARE(back.objects.size(), m.objects.size());
    for (std::size_t i = 0; i < m.objects.size(); ++i)
      QVERIFY(mirdal::objectImage(back, i) == mirdal::objectImage(m, i));
  }

  void droppedOrNamedMenuFilesOpenAsMenus() {
    mirdal::test::TempDir root;
    std::filesystem::copy_file(sampleMenu(), root.path() / "drop.mnu");
    {
      Window t;
      t.w->openDroppedFiles({text(root.path() / "drop.mnu")});
      QVERIFY(t.w->workspace().menu.loaded());
      QCOMPARE(QString::fromStdString(t.w->workspace().menu.fileName()), QString("drop.mnu"));
      QCOMPARE(t.w->currentPage(), Page::Menu);
      QVERIFY(t.w->workspace().disc.folder.empty());  // no disc read

      // Over a changed menu the user is asked first; Cancel keeps it.
      t.w->workspace().menu.edit(mirdal::ChangeNotice::everything(),
                                 [](mirdal::IgMenu& m) { return mirdal::createPage(m); });
      const std::size_t pages = t.w->workspace().menu.model().ics.pages.size();
      t.ia.answers << Answer::Cancel;
      t.w->openDroppedFiles({text(root.path() / "drop.mnu")});
      QCOMPARE(t.ia.questions, QStringList{"Save the changes to drop.mnu?"});
      QCOMPARE(t.w->workspace().menu.model().ics.pages.size(), pages);
    }
    Window t;
    t.w->startUp({text(root.path() / "drop.mnu")});
    QVERIFY(t.w->workspace().menu.loaded());
    QVERIFY(!t.w->workspace().menu.model().ics.pages.empty());
  }

  void shiftDeleteRefusesAUsedObject() {
    mirdal::test::TempDir root;
    Window t;
    QVERIFY(loadSample(t, root));
    const mirdal::IgMenu& m = t.w->workspace().menu.model();
    int used = -1;
    for (std::size_t i = 0; i < m.objects.size() && used < 0; ++i)
      if (!mirdal::objectUses(m, std::uint16_t(i)).empty()) used = int(i);
    QVERIFY(used >= 0);
    const std::size_t objects = m.objects.size();
    t.w->menuPage()->showTab(MenuTab::Objects);
    StringGrid* g = t.w->menuPage()->objectsTab()->igObjectGrid();
    clickCell(g, used, 0);
    QTest::keyClick(g, Qt::Key_Delete, Qt::ShiftModifier);
    QCOMPARE(m.objects.size(), objects);
    QVERIFY(!t.w->workspace().menu.modified());
    QVERIFY(t.logLines().join('\n').contains("Cannot delete object. Remove all reference first."));
  }
};

}  // namespace mirdal::gui::test

using mirdal::gui::test::MenuObjectsTest;
MIRDAL_GUI_TEST(MenuObjectsTest)
#include "menu_objects_test.moc"
