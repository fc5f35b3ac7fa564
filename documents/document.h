// One loaded file: its model, whether it could be loaded, its file name,
// whether it differs from the file on disc, its undo history and the change
// notices its subscribers get. Every edit of a model goes through edit(),
// which keeps a snapshot of the model as it was (these files are small), so
// that Undo and Redo give back the bytes of before.
#pragma once

#include <concepts>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <type_traits>
#include <utility>
#include <vector>

#include "core/no_row.h"
#include "documents/change_parts.h"

namespace mirdal {


// What changed in a document: which collection, which rows, and whether
// rows came or went. Views refresh what the notice names; a notice with an
// empty collection means "everything" (a load, a reset).
struct ChangeNotice {
  enum class Cause { Load, Edit, Undo, Redo };

  std::string collection;  // "titles", "objects", "commands", ...; "" everything
  std::size_t first = kNoRow;  // first row touched
  std::size_t count = 0;       // rows touched from first
  bool countChanged = false;   // rows were inserted or deleted
  std::size_t parent = kNoRow;  // the owning row of a nested collection
                                // (the object of a command list)
  Cause cause = Cause::Edit;

  static ChangeNotice everything() { return ChangeNotice{}; }
  static ChangeNotice rows(std::string collection, std::size_t first, std::size_t count = 1,
                           std::size_t parent = kNoRow) {
    ChangeNotice n;
    n.collection = std::move(collection);
    n.first = first;
    n.count = count;
    n.parent = parent;
    return n;
  }
  static ChangeNotice resized(std::string collection, std::size_t first, std::size_t parent = kNoRow) {
    ChangeNotice n = rows(std::move(collection), first, 1, parent);
    n.countChanged = true;
    return n;
  }
  template <DocumentPart P>
  static ChangeNotice rows(P part, std::size_t first, std::size_t count = 1, std::size_t parent = kNoRow) {
    return rows(std::string(partName(part)), first, count, parent);
  }
  template <DocumentPart P>
  static ChangeNotice resized(P part, std::size_t first, std::size_t parent = kNoRow) {
    return resized(std::string(partName(part)), first, parent);
  }
  bool everythingChanged() const { return collection.empty(); }
  bool is(const char* name) const { return everythingChanged() || collection == name; }
  // The part changed, or everything did.
  template <DocumentPart P>
  bool is(P part) const { return everythingChanged() || collection == partName(part); }
  // The notice names exactly this part.
  template <DocumentPart P>
  bool names(P part) const { return collection == partName(part); }
};

class EditJournal;

// The part of a document that does not depend on its model.
class DocumentBase {
 public:
  using Subscriber = std::function<void(const ChangeNotice&)>;

  explicit DocumentBase(std::string kind) : kind_(std::move(kind)) {}
  virtual ~DocumentBase() = default;
  DocumentBase(const DocumentBase&) = delete;
  DocumentBase& operator=(const DocumentBase&) = delete;

  // What the document holds ("index", "movie objects", "BD-J object", ...).
  const std::string& kind() const { return kind_; }
  // The file name as the user knows it ("index.bdmv", "00001.bdjo").
  const std::string& fileName() const { return fileName_; }
  // False after a failed or half-done read: the model is then neither
  // editable nor saved.
  bool loaded() const { return loaded_; }
  // What went wrong when the file was read ("" after a clean read): the
  // reader's error, or how many it logged. A model read with errors holds
  // guesses where the file could not be read (zeros, empty lists); its page
  // says so, and Save writes it only when the user agrees. A save clears it:
  // the file then holds what the model holds.
  const std::string& readErrors() const { return readErrors_; }
  bool readWithErrors() const { return !readErrors_.empty(); }
  // The model differs from the file on disc (Undo back to the saved state
  // makes it unmodified again).
  bool modified() const { return loaded_ && state_ != savedState_; }
  bool canUndo() const { return !undo_.empty(); }
  bool canRedo() const { return !redo_.empty(); }
  // The notice of the edit that Undo (Redo) would take back (do again).
  const ChangeNotice& undoNotice() const { return undo_.back(); }
  const ChangeNotice& redoNotice() const { return redo_.back(); }

  // Subscribers hear every change of the model and of the modified flag.
  // The returned id ends the subscription through unsubscribe().
  int subscribe(Subscriber s);
  void unsubscribe(int id);
  // Expires when the document is destroyed: a subscriber that may outlive
  // the document unsubscribes only while this has not expired.
  std::weak_ptr<const void> lifetime() const { return lifetime_; }

  // The file was written: what the model holds now is what is on disc. The
  // undo history stays.
  void markSaved();

  // Without a journal; with one, Undo and Redo go through the journal.
  bool undo() { return step(true); }
  bool redo() { return step(false); }

  // Edits of several documents that the user made as one (deleting movie
  // objects changes the titles that named them) are undone as one when the
  // documents share a journal.
  void setJournal(EditJournal* j) { journal_ = j; }

 protected:
  // The model's snapshots, kept by the derived document: the model goes to
  // the other stack and the top of this one becomes the model.
  virtual void restoreSnapshot(bool fromRedo) = 0;
  virtual void clearSnapshots() = 0;

  void recordEdit(const ChangeNotice& n);
  void resetHistory(std::string fileName, bool loaded, std::string readErrors);
  void notify(const ChangeNotice& n);

 private:
  friend class EditJournal;
  bool step(bool isUndo);

  std::string kind_;
  std::string fileName_;
  bool loaded_ = false;
  std::string readErrors_;
  std::uint64_t state_ = 0;       // the id of what the model holds now
  std::uint64_t savedState_ = 0;  // the id of what the file holds
  std::uint64_t nextState_ = 1;
  std::vector<ChangeNotice> undo_, redo_;
  std::vector<std::uint64_t> undoStates_, redoStates_;
  std::vector<std::pair<int, Subscriber>> subscribers_;
  int nextSubscriber_ = 1;
  EditJournal* journal_ = nullptr;
  std::shared_ptr<const void> lifetime_ = std::make_shared<int>(0);
};

// A document of one model type: IndexFile, MovieObjectFile, BdjoFile, ...
template <class Model>
class Document : public DocumentBase {
 public:
  using DocumentBase::DocumentBase;

  const Model& model() const { return model_; }

  // The model of a fresh read (or an empty one after a reset): the history
  // is cleared, the document is unmodified, subscribers hear "everything".
  // readErrors: what went wrong in the read ("" when nothing did).
  void load(Model m, std::string fileName, bool loaded, std::string readErrors = {}) {
    model_ = std::move(m);
    clearSnapshots();
    resetHistory(std::move(fileName), loaded, std::move(readErrors));
  }
  void reset() { load(Model{}, std::string(), false); }

  // Runs one engine edit on the model. The model as it was is kept for
  // Undo unless the edit says it changed nothing (returns false, or a
  // result whose `changed` is false); subscribers get `what`.
  template <class Edit>
  auto edit(const ChangeNotice& what, Edit&& e) {
    Model before = model_;
    if constexpr (std::is_void_v<decltype(e(model_))>) {
      e(model_);
      commit(std::move(before), what, true);
    } else {
      auto result = e(model_);
      commit(std::move(before), what, changedBy(result));
      return result;
    }
  }

 protected:
  void restoreSnapshot(bool fromRedo) override {
    auto& from = fromRedo ? redoModels_ : undoModels_;
    auto& to = fromRedo ? undoModels_ : redoModels_;
    to.push_back(std::move(model_));
    model_ = std::move(from.back());
    from.pop_back();
  }
  void clearSnapshots() override {
    undoModels_.clear();
    redoModels_.clear();
  }

 private:
  template <class R>
  static bool changedBy(const R& r) {
    if constexpr (std::is_same_v<R, bool>) return r;
    else if constexpr (requires { r.changed; }) return bool(r.changed);
    else return true;
  }

  void commit(Model before, const ChangeNotice& what, bool changed) {
    if (!changed) return;
    // An edit that leaves the model as it was (choosing the value shown) is
    // no step to undo and does not make the file modified.
    if constexpr (std::equality_comparable<Model>) {
      if (model_ == before) return;
    }
    undoModels_.push_back(std::move(before));
    redoModels_.clear();
    recordEdit(what);
  }

  Model model_{};
  std::vector<Model> undoModels_, redoModels_;
};

// The order in which the user edited a set of documents, so that Undo takes
// back the last edit whichever document it changed. Edits made between
// beginGroup() and endGroup() are one step.
class EditJournal {
 public:
  void beginGroup();
  void endGroup();

  bool canUndo() const { return !undo_.empty(); }
  bool canRedo() const { return !redo_.empty(); }
  // The documents the step changes, the first one the user acted on first.
  const std::vector<DocumentBase*>& nextUndo() const { return undo_.back(); }
  const std::vector<DocumentBase*>& nextRedo() const { return redo_.back(); }
  bool undo();
  bool redo();

  // A document was loaded again: its steps are gone from the journal.
  void forget(const DocumentBase* d);

 private:
  friend class DocumentBase;
  void recorded(DocumentBase* d);

  using Step = std::vector<DocumentBase*>;
  std::vector<Step> undo_, redo_;
  int groupDepth_ = 0;
  bool groupStarted_ = false;
};

// Edits of several documents as one step for the journal (RAII).
class JournalGroup {
 public:
  explicit JournalGroup(EditJournal& j) : j_(j) { j_.beginGroup(); }
  ~JournalGroup() { j_.endGroup(); }
  JournalGroup(const JournalGroup&) = delete;
  JournalGroup& operator=(const JournalGroup&) = delete;

 private:
  EditJournal& j_;
};

}  // namespace mirdal
