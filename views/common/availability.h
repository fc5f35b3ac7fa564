// Controls whose behaviour arrives with a later part of the program.
//
// A button or field that does nothing yet must never look usable: it stays
// disabled until the code that gives it its action marks it available. Every
// rule that enables such a control goes through setEnabledIfAvailable, so
// the rules can be written now and take effect once the action exists.
#pragma once

#include <QAbstractButton>
#include <QWidget>
#include <functional>

namespace mirdal::gui {

inline constexpr const char* kAvailableProperty = "mirdalAvailable";

inline bool isAvailable(const QWidget* w) { return w->property(kAvailableProperty).toBool(); }

inline void setEnabledIfAvailable(QWidget* w, bool on) { w->setEnabled(on && isAvailable(w)); }

// Marks a control as having its behaviour; it is enabled now and follows the
// enabling rules from then on.
inline void makeAvailable(QWidget* w, bool enabledNow = true) {
  w->setProperty(kAvailableProperty, true);
  w->setEnabled(enabledNow);
}

// Gives a button its action and makes it available.
template <typename Fn>
void connectAction(QAbstractButton* b, Fn&& fn, bool enabledNow = true) {
  QObject::connect(b, &QAbstractButton::clicked, b, std::forward<Fn>(fn));
  makeAvailable(b, enabledNow);
}

// A control created without its behaviour: disabled and not available.
inline void markUnavailable(QWidget* w) {
  w->setProperty(kAvailableProperty, false);
  w->setEnabled(false);
}

}  // namespace mirdal::gui
