// The conversions the Qt dialogs need.
#include "views/common/interaction.h"
#include "gui_test.h"

namespace mirdal::gui::test {

class InteractionTest : public QObject {
  Q_OBJECT
 private slots:
  void filtersBecomeQtEntries() {
    QCOMPARE(qtFilters("BMP|*.bmp|PNG|*.png"), (QStringList{"BMP (*.bmp)", "PNG (*.png)"}));
    QCOMPARE(qtFilters("Menu|*.mnu|BD AV stream|*.m2ts"),
             (QStringList{"Menu (*.mnu)", "BD AV stream (*.m2ts)"}));
    QCOMPARE(qtFilters("Images|*.bmp;*.png"), QStringList{"Images (*.bmp *.png)"});
    QCOMPARE(qtFilters(""), QStringList{});
  }

  void defaultExtensionOnlyWhenNameHasNone() {
    QCOMPARE(withDefaultExtension("/x/program_001", ".lst"), QString("/x/program_001.lst"));
    QCOMPARE(withDefaultExtension("/x/pic", "*.png"), QString("/x/pic.png"));
    QCOMPARE(withDefaultExtension("/x/pic.bmp", ".png"), QString("/x/pic.bmp"));
    QCOMPARE(withDefaultExtension("", ".png"), QString());
  }
};

}  // namespace mirdal::gui::test

using mirdal::gui::test::InteractionTest;
MIRDAL_GUI_TEST(InteractionTest)
#include "interaction_test.moc"
