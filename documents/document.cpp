#include "documents/document.h"

#include <algorithm>

namespace mirdal {

int DocumentBase::subscribe(Subscriber s) {
  const int id = nextSubscriber_++;
  subscribers_.emplace_back(id, std::move(s));
  return id;
}

void DocumentBase::unsubscribe(int id) {
  std::erase_if(subscribers_, [id](const auto& s) { return s.first == id; });
}

void DocumentBase::notify(const ChangeNotice& n) {
  // A subscriber may subscribe or unsubscribe others while it is told.
  const auto subscribers = subscribers_;
  for (const auto& s : subscribers) s.second(n);
}

void DocumentBase::markSaved() {
  if (savedState_ == state_ && readErrors_.empty()) return;
  savedState_ = state_;
  readErrors_.clear();
  ChangeNotice n = ChangeNotice::rows("modified", kNoRow, 0);
  n.cause = ChangeNotice::Cause::Edit;
  notify(n);
}

void DocumentBase::recordEdit(const ChangeNotice& n) {
  undoStates_.push_back(state_);
  state_ = nextState_++;
  undo_.push_back(n);
  undo_.back().cause = ChangeNotice::Cause::Edit;
  redo_.clear();
  redoStates_.clear();
  if (journal_) journal_->recorded(this);
  notify(undo_.back());
}

void DocumentBase::resetHistory(std::string fileName, bool loaded, std::string readErrors) {
  fileName_ = std::move(fileName);
  loaded_ = loaded;
  readErrors_ = loaded ? std::move(readErrors) : std::string();
  undo_.clear();
  redo_.clear();
  undoStates_.clear();
  redoStates_.clear();
  state_ = savedState_ = nextState_++;
  if (journal_) journal_->forget(this);
  ChangeNotice n;
  n.cause = ChangeNotice::Cause::Load;
  notify(n);
}

bool DocumentBase::step(bool isUndo) {
  auto& from = isUndo ? undo_ : redo_;
  auto& to = isUndo ? redo_ : undo_;
  auto& fromStates = isUndo ? undoStates_ : redoStates_;
  auto& toStates = isUndo ? redoStates_ : undoStates_;
  if (from.empty()) return false;
  restoreSnapshot(!isUndo);
  toStates.push_back(state_);
  state_ = fromStates.back();
  fromStates.pop_back();
  ChangeNotice n = std::move(from.back());
  from.pop_back();
  n.cause = isUndo ? ChangeNotice::Cause::Undo : ChangeNotice::Cause::Redo;
  to.push_back(n);
  notify(n);
  return true;
}

void EditJournal::beginGroup() {
  if (groupDepth_++ == 0) groupStarted_ = false;
}

void EditJournal::endGroup() {
  if (groupDepth_ > 0) --groupDepth_;
}

void EditJournal::recorded(DocumentBase* d) {
  redo_.clear();
  if (groupDepth_ > 0 && groupStarted_) {
    undo_.back().push_back(d);
    return;
  }
  undo_.push_back(Step{d});
  groupStarted_ = groupDepth_ > 0;
}

bool EditJournal::undo() {
  if (undo_.empty()) return false;
  Step s = std::move(undo_.back());
  undo_.pop_back();
  for (auto it = s.rbegin(); it != s.rend(); ++it) (*it)->step(true);
  redo_.push_back(std::move(s));
  return true;
}

bool EditJournal::redo() {
  if (redo_.empty()) return false;
  Step s = std::move(redo_.back());
  redo_.pop_back();
  for (DocumentBase* d : s) d->step(false);
  undo_.push_back(std::move(s));
  return true;
}

void EditJournal::forget(const DocumentBase* d) {
  for (auto* stack : {&undo_, &redo_}) {
    for (Step& s : *stack) std::erase(s, d);
    std::erase_if(*stack, [](const Step& s) { return s.empty(); });
  }
}

}  // namespace mirdal
