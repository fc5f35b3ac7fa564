// The per-user settings: every value with its name, type and default, kept
// with QSettings("Tervane Software", "Mirdal"). Read once at start-up (only
// values that exist; the rest keep their defaults), all written at exit.
// Integers and booleans are stored as numbers (booleans 0 or 1), colours as
// colour numbers 0x00BBGGRR, texts as texts.
#pragma once

#include <QString>

#include "core/options.h"

class QSettings;

namespace mirdal::gui {

inline constexpr const char* kSettingsOrganization = "Tervane Software";
inline constexpr const char* kSettingsApplication = "Mirdal";

// Window position (of the frame) and size (of the client area) of the last
// normal window, and its state: 0 normal, 1 minimised, 2 maximised.
struct WindowPlacement {
  int state = 0;
  int top = 203;
  int left = 172;
  int width = 897;
  int height = 547;
};

// Pane heights in pixels.
struct PaneHeights {
  int object = 75;
  int playList = 176;
  int subPath = 92;
  int playListMark = 103;
};

struct StoredSettings {
  WindowPlacement window;
  PaneHeights panes;
  QString bdmvDir;
  mirdal::Options options;
};

// Reads every value that exists, in the table's order; values out of their
// range keep the default (sizes and counts are clamped). Returns whether the
// settings existed at all.
bool readSettings(QSettings& s, StoredSettings& out);

// Writes every value, "Version" included.
void writeSettings(QSettings& s, const StoredSettings& in);

// Writes only "Version" (start-up does when settings exist).
void writeVersion(QSettings& s);

// The names of all values, in the table's order.
QStringList settingNames();

}  // namespace mirdal::gui
