// The options page, the display switches' mirrors, the About and Status
// pages' scrolling, the tab look, the file associations and the layout at
// the smallest window.
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QScrollBar>
#include <QStandardPaths>
#include <QTabWidget>
#include <QToolButton>
#include <QWheelEvent>
#include <QWindow>

#include "app/file_association.h"
#include "gui_test.h"
#include "main_window_fixture.h"
#include "views/shell/about_page.h"
#include "views/shell/options_page.h"
#include "views/shell/page_tabs.h"
#include "views/shell/shared_controls.h"
#include "views/shell/status_page.h"
#include "views/common/gui_reporter_access.h"

namespace mirdal::gui::test {

namespace {

QString readText(const QString& path) {
  QFile f(path);
  return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
}

}  // namespace

class OptionsTest : public QObject {
  Q_OBJECT
 private slots:
  void countryCodeIsClampedWhenLeft_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("whileTyping");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QString>("letters");
    QTest::newRow("below AA") << "3030" << "00" << "4141" << "AA";
    QTest::newRow("above ZZ") << "5b00" << "[?" << "5a5a" << "ZZ";
    QTest::newRow("FR stays") << "4652" << "FR" << "4652" << "FR";
    QTest::newRow("upper case typed, lower case shown") << "4A50" << "JP" << "4a50" << "JP";
  }

  void countryCodeIsClampedWhenLeft() {
    QFETCH(QString, typed);
    QFETCH(QString, whileTyping);
    QFETCH(QString, shown);
    QFETCH(QString, letters);
    Window t;
    auto* field = t.find<QLineEdit>("heCountryCode");
    auto* label = t.find<QLabel>("lCountry");
    field->clear();
    QTest::keyClicks(field, typed);
    QCOMPARE(label->text(), whileTyping);
    QTest::keyClick(field, Qt::Key_Return);
    QCOMPARE(field->text(), shown);
    QCOMPARE(label->text(), letters);
    QCOMPARE(t.w->workspace().options.countryCode, std::uint32_t(shown.toUInt(nullptr, 16)));
  }

  void enterLeavesTheCountryField() {
    Window t;
    t.w->startUp({});
    t.w->showPage(Page::Options);
    t.w->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(t.w.get()));
    auto* field = t.find<QLineEdit>("heCountryCode");
    field->setFocus();
    QVERIFY(field->hasFocus());
    QTest::keyClick(field, Qt::Key_Return);
    QVERIFY(!field->hasFocus());
  }

  void displaySwitchesMirrorEachOther() {
    Window t;
    for (std::size_t i = 0; i < kDisplaySwitches.size(); ++i) {
      const DisplaySwitch& s = kDisplaySwitches[i];
      auto* onMenu = t.find<QCheckBox>(s.menuName);
      auto* onOptions = t.find<QCheckBox>(s.optionsName);
      QCOMPARE(onMenu->text(), QString(s.menuText));
      QCOMPARE(onOptions->text(), QString(s.optionsText));
      const bool before = t.w->workspace().options.*s.option;
      QCOMPARE(onMenu->isChecked(), before);
      QCOMPARE(onOptions->isChecked(), before);
      onOptions->click();
      QCOMPARE(onMenu->isChecked(), !before);
      QCOMPARE(t.w->workspace().options.*s.option, !before);
      onMenu->click();
      QCOMPARE(onOptions->isChecked(), before);
      QCOMPARE(t.w->workspace().options.*s.option, before);
    }
  }

  void backupModeOnlyWithBackups() {
    Window t;
    auto* backup = t.find<QCheckBox>("cbOBackup");
    auto* mode = t.find<QWidget>("rgOBackup");
    QVERIFY(mode->isEnabled());
    backup->click();
    QVERIFY(!mode->isEnabled());
    QVERIFY(!t.w->workspace().options.backup.createBackup);
    backup->click();
    QVERIFY(mode->isEnabled());
    t.find<QAbstractButton>("rgOBackup_2")->click();
    QCOMPARE(t.w->workspace().options.backup.mode, mirdal::BackupMode::StopIfExists);
  }

  void backgroundPictureDialogStartsWhereTheLastRuleSays() {
    Window t;
    mirdal::Workspace& ws = t.w->workspace();
    ws.disc.folder = "/discs/A/BDMV/";
    auto* button = t.find<QToolButton>("bbBackPic");
    t.ia.files = {"/pictures/back.png"};
    button->click();
    QCOMPARE(t.ia.fileRequests.size(), 1);
    const FileDialogRequest r = t.ia.fileRequests.first();
    QCOMPARE(r.title, QString("Select a background picture"));
    QCOMPARE(r.filter, QString("BMP|*.bmp|PNG|*.png"));
    QCOMPARE(r.folder, QString("/discs/A/BDMV/"));
    QCOMPARE(t.find<QLineEdit>("eBackPic")->text(), QString("/pictures/back.png"));
    QCOMPARE(ws.options.backgroundPic, std::string("/pictures/back.png"));

    // With a picture chosen, its folder wins over the output folder.
    ws.options.outputFolder = "/out/";
    button->click();
    QCOMPARE(t.ia.fileRequests.last().folder, QString("/pictures"));
    ws.options.backgroundPic.clear();
    button->click();
    QCOMPARE(t.ia.fileRequests.last().folder, QString("/out/"));
  }

  void outputFolderChooser() {
    Window t;
    t.find<QLineEdit>("eWorkDir")->setText("/start");
    t.ia.folders = {"/exports"};
    t.find<QToolButton>("bbWorkDir")->click();
    QCOMPARE(t.ia.folderRequests, QStringList{"Select a directory|/start"});
    QCOMPARE(t.find<QLineEdit>("eWorkDir")->text(), QString("/exports"));
    QCOMPARE(t.w->workspace().options.outputFolder, std::string("/exports"));
  }

  void actionsOfLaterPartsAreDisabled() {
    Window t;
    QVERIFY(!t.find<QPushButton>("bCreateSound")->isEnabled());
    QVERIFY(t.find<QPushButton>("bCreateMenu")->isEnabled());  // the menu editors are built
    QVERIFY(t.find<QPushButton>("bClear")->isEnabled());
    QCOMPARE(t.find<QCheckBox>("cb83names")->toolTip(), QString("If you work with multiAVCHD output check this"));
  }

  void clearEmptiesTheLog() {
    Window t;
    mirdal::gui::guiReporter().log("one");
    QCOMPARE(t.logLines().size(), 1);
    t.find<QPushButton>("bClear")->click();
    QVERIFY(t.logLines().isEmpty());
    mirdal::gui::guiReporter().log("");
    QCOMPARE(t.logLines(), QStringList{" "});
  }

  void changeListScrollsUnderTheMouse() {
    Window t;
    t.w->showPage(Page::About);
    t.w->show();
    ChangeList* list = t.w->aboutPage()->changeList();
    list->setPlainText(QString("line\n").repeated(200));
    QCoreApplication::processEvents();
    QScrollBar* bar = list->verticalScrollBar();
    bar->setValue(50);
    const int h = list->viewport()->height();
    const auto move = [&](int y) {
      QMouseEvent e(QEvent::MouseMove, QPointF(10, y), list->viewport()->mapToGlobal(QPointF(10, y)), Qt::NoButton,
                    Qt::NoButton, Qt::NoModifier);
      QApplication::sendEvent(list->viewport(), &e);
    };
    move(h / 2 - 26);
    QCOMPARE(bar->value(), 49);
    move(h / 2);  // the middle band does not scroll
    QCOMPARE(bar->value(), 49);
    move(h / 2 + 26);
    move(h / 2 + 30);
    QCOMPARE(bar->value(), 51);

    const auto wheel = [&](int delta) {
      QWheelEvent e(QPointF(10, h / 2), list->viewport()->mapToGlobal(QPointF(10, h / 2)), QPoint(),
                    QPoint(0, delta), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
      QApplication::sendEvent(list->viewport(), &e);
    };
    wheel(-120);  // one notch down: two lines
    QCOMPARE(bar->value(), 53);
    wheel(120);
    QCOMPARE(bar->value(), 51);
    wheel(-30);  // half a line waits for the rest
    QCOMPARE(bar->value(), 51);
    wheel(-30);
    QCOMPARE(bar->value(), 52);
  }

  void wheelOnTheStatusPageScrollsTheControlUnderThePointer() {
    Window t;
    t.w->showPage(Page::Status);
    t.w->show();
    QVERIFY(QTest::qWaitForWindowExposed(t.w.get()));
    for (int i = 0; i < 300; ++i) mirdal::gui::guiReporter().log("line " + std::to_string(i));
    QCoreApplication::processEvents();
    MessageLog* log = t.w->messageLog();
    QScrollBar* bar = log->verticalScrollBar();
    bar->setValue(bar->maximum());
    const int before = bar->value();
    t.find<QPushButton>("bClear")->setFocus();
    const QPoint inLog = log->viewport()->mapTo(t.w.get(), log->viewport()->rect().center());
    QWheelEvent e(QPointF(inLog), QPointF(t.w->mapToGlobal(inLog)), QPoint(), QPoint(0, 120), Qt::NoButton,
                  Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(t.w->windowHandle(), &e);
    QVERIFY(bar->value() < before);
  }

  void tabCaptionsAndLook() {
    int acc = -2;
    QCOMPARE(PageTabBar::plainCaption("&BDMV", &acc), QString("BDMV"));
    QCOMPARE(acc, 0);
    QCOMPARE(PageTabBar::plainCaption("BD&JO", &acc), QString("BDJO"));
    QCOMPARE(acc, 2);
    QCOMPARE(PageTabBar::plainCaption("A&&B", &acc), QString("A&B"));
    QCOMPARE(acc, -1);

    Window t;
    t.w->show();
    QTabBar* bar = t.w->pageControl()->tabBar();
    const QImage img = bar->grab().toImage();
    const qreal dpr = img.devicePixelRatio();
    const auto pixel = [&](QPoint p) { return img.pixelColor(int(p.x() * dpr), int(p.y() * dpr)); };
    const QRect active = bar->tabRect(0);
    const QRect inactive = bar->tabRect(1);
    QCOMPARE(pixel(active.topLeft() + QPoint(active.width() / 2, 1)), PageTabBar::kActiveBar);
    QVERIFY(pixel(inactive.topLeft() + QPoint(inactive.width() / 2, 1)) != PageTabBar::kActiveBar);
    const auto has = [&](QRect r, QColor c) {
      for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
          if (pixel(QPoint(x, y)) == c) return true;
      return false;
    };
    QVERIFY(has(active, PageTabBar::kActiveText));
    QVERIFY(!has(active, PageTabBar::kInactiveText));
    QVERIFY(has(inactive, PageTabBar::kInactiveText));
    QVERIFY(!has(inactive, PageTabBar::kActiveText));
  }

  // Each inactive tab's accelerator letter has its line, apart from the
  // letter: the "J" of "BD&JO" reaches below the baseline and hid it.
  void everyAcceleratorLineShows() {
    Window t;
    t.w->show();
    QTabBar* bar = t.w->pageControl()->tabBar();
    for (int active : {0, 1}) {
      t.w->showPage(Page(active));
      const QImage img = bar->grab().toImage();
      const qreal dpr = img.devicePixelRatio();
      const auto isText = [&](int x, int y) {
        return img.pixelColor(int(x * dpr), int(y * dpr)) == PageTabBar::kInactiveText;
      };
      for (int tab = 0; tab < bar->count(); ++tab) {
        if (tab == active) continue;
        const QRect r = bar->tabRect(tab);
        // The line: the lowest row with the longest run of the text colour.
        int lineY = -1, from = 0, length = 0;
        for (int y = r.top(); y <= r.bottom(); ++y)
          for (int x = r.left(), run = 0; x <= r.right(); ++x) {
            run = isText(x, y) ? run + 1 : 0;
            if (run >= length) {
              lineY = y;
              length = run;
              from = x - run + 1;
            }
          }
        const QString name = bar->tabText(tab);
        QVERIFY2(length >= 4, qPrintable(name + ": no line"));
        bool gap = true;
        for (int x = from; x < from + length; ++x) gap = gap && !isText(x, lineY - 1);
        QVERIFY2(gap, qPrintable(name + ": the line touches its letter"));
      }
    }
  }

  void acceleratorKeysSwitchPages() {
    Window t;
    t.w->show();
    t.w->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(t.w.get()));
    QTest::keyClick(t.w.get(), Qt::Key_T, Qt::AltModifier);
    QCOMPARE(t.w->currentPage(), Page::Status);
    QTest::keyClick(t.w.get(), Qt::Key_J, Qt::AltModifier);
    QCOMPARE(t.w->currentPage(), Page::BDJO);
  }

  void nothingIsCutOffAtTheSmallestWindow() {
    Window t;
    t.w->show();
    t.w->resize(t.w->minimumSize());
    QVERIFY(t.w->minimumWidth() >= 897 && t.w->minimumHeight() >= 547);
    QTabWidget* pc = t.w->pageControl();
    for (int p = 0; p < pc->count(); ++p) {
      t.w->showPage(Page(p));
      QCoreApplication::processEvents();
      QWidget* page = pc->widget(p);
      const QSize need = page->minimumSizeHint();
      QVERIFY2(page->width() >= need.width() && page->height() >= need.height(),
               qPrintable(pc->tabText(p) + QString(" needs %1x%2").arg(need.width()).arg(need.height())));
      SharedControls* sc = t.w->shared();
      QVERIFY2(sc->width() >= sc->minimumSizeHint().width(), qPrintable(pc->tabText(p)));
    }
  }

  void associationFilesForTheChosenExtensions() {
    mirdal::test::TempDir d;
    const QString home = QString::fromStdString(d.path().string());
    const QStringList files = registerAssociations(home, "/opt/my \"tools\"/mirdal", true, false, false);
    QCOMPARE(files.size(), 2);
    const QString mime = readText(home + "/mime/packages/mirdal-bdmv.xml");
    QVERIFY(mime.contains("type=\"application/x-bd-movie-info\""));
    QVERIFY(mime.contains("<glob pattern=\"*.bdmv\"/>"));
    QVERIFY(!QFile::exists(home + "/mime/packages/mirdal-mnu.xml"));
    const QString desktop = readText(home + "/applications/mirdal.desktop");
    QVERIFY(desktop.contains("MimeType=application/x-bd-movie-info;\n"));
    QVERIFY(desktop.contains("Exec=\"/opt/my \\\"tools\\\"/mirdal\" %f\n"));

    registerAssociations(home, "/usr/bin/mirdal", true, true, false);
    QVERIFY(readText(home + "/applications/mirdal.desktop")
                .contains("MimeType=application/x-bd-movie-info;application/x-bd-igs-menu;\n"));
    QVERIFY(readText(home + "/mime/packages/mirdal-mnu.xml").contains("*.mnu"));
    QVERIFY(registerAssociations(home, "/usr/bin/mirdal", false, false, false).isEmpty());
    QCOMPARE(desktopExec("/a/50%/$x"), QString("\"/a/50%%/\\$x\" %f"));
  }

  void startUpRegistersTheChosenAssociations() {
    {
      Window t;
      t.w->startUp({});
      t.find<QCheckBox>("cbAssociateMNU")->click();
      t.w->close();
    }
    const QString data = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    QVERIFY(!QFile::exists(data + "/applications/mirdal.desktop"));  // takes effect at the next start
    Window t(Window::KeepSettings);
    t.w->startUp({});
    QVERIFY(readText(data + "/applications/mirdal.desktop").contains("application/x-bd-igs-menu"));
    QDir(data + "/applications").removeRecursively();
    QDir(data + "/mime").removeRecursively();
    programSettings().clear();
  }
};

}  // namespace mirdal::gui::test

using mirdal::gui::test::OptionsTest;
MIRDAL_GUI_TEST(OptionsTest)
#include "options_test.moc"
