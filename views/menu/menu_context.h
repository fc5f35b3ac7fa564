// What the views of the "&Menu" page share: the menu document, the
// question and file dialogs, and the current choices (page, BOG, button,
// object, palette). A view changes a choice through the setters, which
// tell the other views; none of them knows its siblings.
#pragma once

#include <QObject>

#include "documents/workspace.h"

namespace mirdal::gui {

class Interaction;
class DocumentSignals;

class MenuContext : public QObject {
  Q_OBJECT
 public:
  MenuContext(mirdal::Workspace& ws, Interaction& ia, QObject* parent = nullptr);

  mirdal::Workspace& workspace() const { return ws_; }
  mirdal::Document<mirdal::IgMenu>& document() const { return ws_.menu; }
  const mirdal::IgMenu& menu() const { return ws_.menu.model(); }
  bool loaded() const { return ws_.menu.loaded(); }
  Interaction& interaction() const { return ia_; }
  // Change notices of the menu document.
  DocumentSignals& changes() const { return *changes_; }

  // -1 when nothing is chosen.
  int page() const { return page_; }
  int bog() const { return bog_; }
  int button() const { return button_; }
  int object() const { return object_; }
  int palette() const { return palette_; }

  void setPage(int page);
  void setBog(int bog);
  void setButton(int button);
  void setObject(int object);
  void setPalette(int palette);
  // Chooses the BOG and button of the page's button `id`; false (and only
  // the page chosen) when the page has no such button.
  bool showButton(int page, std::uint16_t id);

  // "View palette only": the previews show the chosen palette's chart
  // instead of the object.
  bool paletteOnly() const { return paletteOnly_; }
  void setPaletteOnly(bool on);

 signals:
  void pageChanged(int page);
  void bogChanged(int bog);
  void buttonChanged(int button);
  void objectChanged(int object);
  void paletteChanged(int palette);
  void paletteOnlyChanged(bool on);

 private:
  mirdal::Workspace& ws_;
  Interaction& ia_;
  DocumentSignals* changes_;
  int page_ = -1, bog_ = -1, button_ = -1, object_ = -1, palette_ = -1;
  bool paletteOnly_ = false;
};

// Before Save or Mux writes a menu whose stream held more display sets than
// the one loaded: asks whether to write it and drop the others. True when
// there is nothing to drop or the user agreed.
bool mayDropDisplaySets(Interaction& ia, const mirdal::IgMenu& m);

}  // namespace mirdal::gui
