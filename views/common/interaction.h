// Every question the program asks and every file, folder or colour it lets
// the user choose goes through one Interaction. The main window shows Qt
// dialogs (QtInteraction); tests install a scripted one that answers from a
// list and records what was asked.
#pragma once

#include <QColor>
#include <QString>
#include <optional>

class QWidget;

namespace mirdal::gui {

enum class Answer { Yes, No, Cancel };
// SaveDiscardCancel shows Save, Discard and Cancel buttons; Save answers
// Yes, Discard No.
enum class Choices { YesNo, YesCancel, YesNoCancel, SaveDiscardCancel };

struct FileDialogRequest {
  QString title;
  // Pairs of description and pattern joined by "|": "BMP|*.bmp|PNG|*.png".
  QString filter;
  int filterIndex = 0;  // the pair chosen when the dialog opens
  QString defaultExt;   // added to a typed name that has no extension (".png")
  QString folder;       // where the dialog starts; empty: the dialog's choice
  QString fileName;     // the name proposed
};

class Interaction {
 public:
  virtual ~Interaction() = default;
  virtual Answer ask(const QString& question, Choices choices) = 0;
  // The chosen path, or an empty text when the user cancelled.
  virtual QString openFile(const FileDialogRequest& r) = 0;
  virtual QString saveFile(const FileDialogRequest& r) = 0;
  virtual QString chooseFolder(const QString& title, const QString& startFolder) = 0;
  virtual std::optional<QColor> chooseColor(const QColor& initial, const QString& title) = 0;
  // A message the user has to see before going on (a side file that cannot
  // be opened, ...).
  virtual void tell(const QString& message) = 0;
  // The program stops for `ms` milliseconds so that the user can read what
  // it shows (an error before it goes on, a status text for the activation
  // delay).
  virtual void pause(int ms);
};

class QtInteraction final : public Interaction {
 public:
  explicit QtInteraction(QWidget* dialogParent = nullptr) : parent_(dialogParent) {}
  void setDialogParent(QWidget* w) { parent_ = w; }

  Answer ask(const QString& question, Choices choices) override;
  QString openFile(const FileDialogRequest& r) override;
  QString saveFile(const FileDialogRequest& r) override;
  QString chooseFolder(const QString& title, const QString& startFolder) override;
  std::optional<QColor> chooseColor(const QColor& initial, const QString& title) override;
  void tell(const QString& message) override;

 private:
  QWidget* parent_;
};

// "BMP|*.bmp|PNG|*.png" as Qt's "BMP (*.bmp);;PNG (*.png)", one entry each.
QStringList qtFilters(const QString& pairs);

// A saved file name with the default extension added when it has none.
QString withDefaultExtension(const QString& path, const QString& defaultExt);

}  // namespace mirdal::gui
