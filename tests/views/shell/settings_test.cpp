// Settings: defaults at the first start, the round trip through the store,
// the window geometry, values out of range, clean-up at exit.
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QSettings>
#include <QToolButton>

#include "app/settings.h"
#include "app/window_fit.h"
#include "core/temp_files.h"
#include "gui_test.h"
#include "main_window_fixture.h"
#include "views/bdmv/bdmv_page.h"
#include "views/shell/options_page.h"
#include "views/shell/status_bar.h"

namespace mirdal::gui::test {

class SettingsTest : public QObject {
  Q_OBJECT
 private slots:
  void firstStartHasEveryDefault() {
    Window t;
    t.w->startUp({});
    const mirdal::Options defaults;
    const mirdal::Options& o = t.w->workspace().options;
    QCOMPARE(o.autoRead, true);
    QCOMPARE(o.backup.createBackup, true);
    QCOMPARE(o.backup.mode, mirdal::BackupMode::OnlyFirst);
    QCOMPARE(o.countryCode, 0x5553u);
    QCOMPARE(o.colours.background, 0x800000u);
    QCOMPARE(o.actiDelay, 500);
    QCOMPARE(o.grid, 15);

    // The options page shows them.
    QVERIFY(t.find<QCheckBox>("cbOAutoRead")->isChecked());
    QVERIFY(t.find<QCheckBox>("cbOBackup")->isChecked());
    QVERIFY(t.find<QRadioButton>("rgOBackup_0")->isChecked());
    QVERIFY(!t.find<QCheckBox>("cbOSaveBACKUP")->isChecked());
    QVERIFY(t.find<QRadioButton>("rgRegion_0")->isChecked());
    QVERIFY(t.find<QRadioButton>("rgChapterFormat_0")->isChecked());
    QVERIFY(t.find<QRadioButton>("rgProgramFormat_0")->isChecked());
    QVERIFY(!t.find<QCheckBox>("cbSavePES")->isChecked());
    QVERIFY(t.find<QCheckBox>("cbSaveSUP")->isChecked());
    QVERIFY(t.find<QCheckBox>("cbSaveIG")->isChecked());
    QVERIFY(t.find<QCheckBox>("cbForcedBeep")->isChecked());
    QVERIFY(t.find<QCheckBox>("cbPreLoad")->isChecked());
    QVERIFY(t.find<QCheckBox>("cbInEffect")->isChecked());
    QVERIFY(t.find<QCheckBox>("cbOInEffect")->isChecked());
    QVERIFY(!t.find<QCheckBox>("cbAnimate")->isChecked());
    QVERIFY(!t.find<QCheckBox>("cb83names")->isChecked());
    QCOMPARE(t.find<QLineEdit>("heCountryCode")->text(), QString("5553"));
    QCOMPARE(t.find<QLabel>("lCountry")->text(), QString("US"));
    QCOMPARE(t.find<QLineEdit>("neActiDelay")->text(), QString("500"));
    QCOMPARE(t.find<QLineEdit>("neGrid")->text(), QString("15"));
    QCOMPARE(t.find<QToolButton>("colWindow")->property("colour").toULongLong(), 0x00FF00ull);
    QCOMPARE(t.find<QLineEdit>("eWorkDir")->text(), QString());
    QCOMPARE(t.w->size(), QSize(897, 547));

    // Auto Read has no folder to read: nothing is checked (see
    // firstStartShowsWhereToBegin).
    QVERIFY(t.logLines().isEmpty());
    // Nothing is written before the program ends.
    QVERIFY(programSettings().allKeys().isEmpty());
  }

  void everyValueSurvivesARestart() {
    mirdal::test::TempDir root;
    const std::string disc = makeDisc(root);
    {
      Window t;
      t.w->startUp({});
      t.w->setDiscFolder(disc);
      t.find<QCheckBox>("cbOAutoRead")->click();
      t.find<QCheckBox>("cbOBackup")->click();
      t.find<QCheckBox>("cbOSaveBACKUP")->click();
      t.find<QRadioButton>("rgRegion_2")->click();
      t.find<QRadioButton>("rgChapterFormat_1")->click();
      t.find<QRadioButton>("rgProgramFormat_1")->click();
      t.find<QCheckBox>("cbSavePES")->click();
      t.find<QCheckBox>("cbAnimate")->click();  // the menu page's switch
      t.find<QCheckBox>("cb83names")->click();
      t.find<QCheckBox>("cbAutoMenu")->click();
      auto* grid = t.find<QLineEdit>("neGrid");
      grid->setText("42");
      emit grid->editingFinished();
      auto* country = t.find<QLineEdit>("heCountryCode");
      country->setText("4652");
      emit country->editingFinished();
      t.ia.colors = {QColor(1, 2, 3)};
      t.find<QToolButton>("colSelectedFrame")->click();
      t.w->bdmvPage()->setObjectHeight(60);
      t.find<QLineEdit>("eWorkDir")->setText("/not/stored");
      t.w->close();
    }
    QSettings s = programSettings();
    QCOMPARE(s.value("Version").toString(), QString("0.34b"));
    QCOMPARE(s.value("AutoRead").toInt(), 0);
    QCOMPARE(s.value("Region").toInt(), 2);
    QCOMPARE(s.value("8.3names").toInt(), 1);
    QCOMPARE(s.value("colSelectedFrame").toLongLong(), 0x030201ll);  // 0x00BBGGRR
    QCOMPARE(s.value("CountryCode").toLongLong(), 0x4652ll);
    QCOMPARE(s.value("BDMVdir").toString(), QString::fromStdString(disc));
    QCOMPARE(s.value("ObjectHeight").toInt(), 60);
    QStringList stored = s.allKeys();
    QStringList all = settingNames();
    stored.sort();
    all.sort();
    QCOMPARE(stored, all);

    Window t(Window::KeepSettings);
    t.w->startUp({});
    const mirdal::Options& o = t.w->workspace().options;
    QVERIFY(!o.autoRead && !o.backup.createBackup && o.backup.saveToBackupDir);
    QCOMPARE(o.region, 2);
    QCOMPARE(o.chapterFormat, 1);
    QCOMPARE(o.programFormat, 1);
    QVERIFY(o.savePes && o.showButtonAnimation && o.shortNames && o.autoMenu);
    QCOMPARE(o.grid, 42);
    QCOMPARE(o.countryCode, 0x4652u);
    QCOMPARE(o.colours.selectedFrame, 0x030201u);
    QVERIFY(o.outputFolder.empty());
    QCOMPARE(t.w->workspace().disc.folder, disc);
    QCOMPARE(t.w->bdmvPage()->objectHeight(), 60);
    QVERIFY(t.find<QCheckBox>("cbOAnimate")->isChecked());
    QVERIFY(!t.find<QWidget>("rgOBackup")->isEnabled());
    QCOMPARE(t.find<QLabel>("lCountry")->text(), QString("FR"));
    QVERIFY(t.logLines().isEmpty());  // Auto Read is off
  }

  void maximisedWindowKeepsTheLastNormalGeometry() {
    {
      Window t;
      t.w->startUp({});
      t.w->setGeometry(QRect(300, 200, 1000, 700));
      QCoreApplication::processEvents();
      t.w->showMaximized();
      QCoreApplication::processEvents();
      t.w->close();
    }
    QSettings s = programSettings();
    QCOMPARE(s.value("WindowState").toInt(), 2);
    QCOMPARE(s.value("Width").toInt(), 1000);
    QCOMPARE(s.value("Height").toInt(), 700);

    Window t(Window::KeepSettings);
    t.w->startUp({});
    QVERIFY(t.w->isMaximized());
    t.w->close();
    QCOMPARE(programSettings().value("Width").toInt(), 1000);
    QCOMPARE(programSettings().value("Height").toInt(), 700);
  }

  void valuesOutOfRangeKeepDefaults() {
    QSettings s = programSettings();
    s.clear();
    s.setValue("BackupMode", 7);
    s.setValue("Region", -1);
    s.setValue("ChapterFormat", "x");
    s.setValue("Grid", 500);
    s.setValue("Width", 10);
    s.setValue("AutoRead", "false");
    s.setValue("colWindow", "0xFF123456");
    s.setValue("CountryCode", 0x123456);
    s.sync();
    StoredSettings st;
    QVERIFY(readSettings(s, st));
    QCOMPARE(st.options.backup.mode, mirdal::BackupMode::OnlyFirst);
    QCOMPARE(st.options.region, 0);
    QCOMPARE(st.options.chapterFormat, 0);
    QCOMPARE(st.options.grid, 100);
    QCOMPARE(st.window.width, 897);
    QCOMPARE(st.options.autoRead, false);
    QCOMPARE(st.options.colours.window, 0x123456u);
    QCOMPARE(st.options.countryCode, 0x3456u);
    s.clear();
  }

  void tableOrderAndVersion() {
    const QStringList names = settingNames();
    QCOMPARE(names.mid(0, 6), (QStringList{"WindowState", "Top", "Left", "Width", "Height", "BDMVdir"}));
    QCOMPARE(names.last(), QString("CountryCode"));
    QCOMPARE(names.size(), 52);
    QSettings s = programSettings();
    s.clear();
    StoredSettings st;
    QVERIFY(!readSettings(s, st));  // no settings: nothing read
    s.setValue("Grid", 7);
    QVERIFY(readSettings(s, st));
    QCOMPARE(st.options.grid, 7);
    s.clear();
  }

  void startUpWritesTheVersionOnlyWhenSettingsExist() {
    {
      Window t;
      t.w->startUp({});
      QVERIFY(!programSettings().contains("Version"));
    }
    programSettings().setValue("Grid", 3);
    Window t(Window::KeepSettings);
    t.w->startUp({});
    QCOMPARE(programSettings().value("Version").toString(), QString("0.34b"));
    programSettings().clear();
  }

  // Settings from a larger screen put the window inside the screen it is
  // shown on, frame and all.
  void storedGeometryIsFittedToTheScreen_data() {
    QTest::addColumn<QRect>("stored");
    QTest::addColumn<QRect>("fitted");
    const QRect screen(0, 0, 1280, 800);  // frame 8 + 8 wide, 30 + 8 high
    QTest::newRow("fits already") << QRect(100, 50, 900, 600) << QRect(100, 50, 900, 600);
    QTest::newRow("too large") << QRect(0, 0, 2500, 1400) << QRect(0, 0, 1264, 762);
    QTest::newRow("off to the right and below") << QRect(1500, 900, 900, 600) << QRect(364, 162, 900, 600);
    QTest::newRow("above and left of the screen") << QRect(-300, -100, 900, 600) << QRect(0, 0, 900, 600);
    QTest::newRow("second screen") << QRect(1400, 100, 900, 600) << QRect(1400, 100, 900, 600);
  }

  void storedGeometryIsFittedToTheScreen() {
    QFETCH(QRect, stored);
    QFETCH(QRect, fitted);
    const bool second = QString(QTest::currentDataTag()) == "second screen";
    const QRect screen = second ? QRect(1280, 0, 1920, 1200) : QRect(0, 0, 1280, 800);
    QCOMPARE(fitWindowRect(stored, screen), fitted);
  }

  // A first start reads nothing: the page says where to begin, no check
  // fails for the working folder.
  void firstStartShowsWhereToBegin() {
    Window t;
    t.w->startUp({});
    QVERIFY(!t.find<QLabel>("lStartHint")->isHidden());
    QVERIFY(t.logLines().isEmpty());
    QVERIFY(!t.w->statusLine()->errorMark());
    QVERIFY(t.w->statusLine()->panelText(1).contains("Choose a disc folder"));
    QCOMPARE(t.w->focusWidget(), t.find<QWidget>("eBDMVdir"));
    mirdal::test::TempDir root;
    t.w->setDiscFolder(makeDisc(root));
    QVERIFY(t.find<QLabel>("lStartHint")->isHidden());
  }

  // A folder whose check failed is not read again at the next start; the
  // last folder that passed is kept.
  void failedFolderIsNotRemembered() {
    mirdal::test::TempDir root;
    const std::string good = makeDisc(root);
    const std::string gone = root.folder() + "Gone/BDMV/";
    const struct {
      QStringList reads;
      QString stored;
    } cases[] = {
        {{QString::fromStdString(good)}, QString::fromStdString(good)},
        {{QString::fromStdString(gone)}, QString()},
        {{QString::fromStdString(good), QString::fromStdString(gone)}, QString::fromStdString(good)},
    };
    for (const auto& c : cases) {
      {
        Window t;
        t.w->startUp({});
        for (const QString& folder : c.reads) {
          t.w->setDiscFolder(folder.toStdString());
          t.w->readDiscClicked();
        }
        t.w->close();
      }
      QCOMPARE(programSettings().value("BDMVdir").toString(), c.stored);
    }
    programSettings().setValue("BDMVdir", QString::fromStdString(gone));
    Window t(Window::KeepSettings);
    t.w->startUp({});
    t.w->close();
    QCOMPARE(programSettings().value("BDMVdir").toString(), QString());
    programSettings().clear();
  }

  void temporaryFilesGoAtExit() {
    const std::string tmp = mirdal::tempFolder();
    mirdal::test::TempDir probe;  // lies in the same temporary folder
    for (const char* name : {"Mirdal_MENU.tmp", "Mirdal_menu_resource.tmp", "Other.tmp"}) {
      QFile f(QString::fromStdString(tmp) + name);
      QVERIFY(f.open(QIODevice::WriteOnly));
    }
    Window t;
    t.w->startUp({});
    t.w->close();
    QVERIFY(!QFile::exists(QString::fromStdString(tmp) + "Mirdal_MENU.tmp"));
    QVERIFY(!QFile::exists(QString::fromStdString(tmp) + "Mirdal_menu_resource.tmp"));
    QVERIFY(QFile::exists(QString::fromStdString(tmp) + "Other.tmp"));
    QVERIFY(std::filesystem::exists(probe.path()));
    QFile::remove(QString::fromStdString(tmp) + "Other.tmp");
  }
};

}  // namespace mirdal::gui::test

using mirdal::gui::test::SettingsTest;
MIRDAL_GUI_TEST(SettingsTest)
#include "settings_test.moc"
