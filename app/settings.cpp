#include "app/settings.h"

#include <QSettings>
#include <algorithm>
#include <functional>
#include <vector>

#include "core/version.h"

namespace mirdal::gui {

namespace {

enum class Kind { Integer, Boolean, String, Version };

// One stored value: how to take it from a QVariant into the settings and
// how to give it back.
struct Entry {
  const char* name;
  Kind kind;
  std::function<void(StoredSettings&, const QVariant&)> read;
  std::function<QVariant(StoredSettings&)> write;  // given a copy of the settings
};

std::optional<qint64> asInteger(const QVariant& v) {
  bool ok = false;
  const qint64 n = v.toLongLong(&ok);
  if (ok) return n;
  // A hexadecimal text ("0x800000") from a hand-edited file.
  const QString t = v.toString().trimmed();
  if (t.startsWith(QStringLiteral("0x"), Qt::CaseInsensitive)) {
    const qint64 h = t.mid(2).toLongLong(&ok, 16);
    if (ok) return h;
  }
  return std::nullopt;
}

std::optional<bool> asBoolean(const QVariant& v) {
  if (const auto n = asInteger(v)) return *n != 0;
  const QString t = v.toString().trimmed().toLower();
  if (t == QStringLiteral("true")) return true;
  if (t == QStringLiteral("false")) return false;
  return std::nullopt;
}

Entry integer(const char* name, std::function<int&(StoredSettings&)> field, int lo, int hi, bool clamp) {
  return {name, Kind::Integer,
          [field, lo, hi, clamp](StoredSettings& s, const QVariant& v) {
            const auto n = asInteger(v);
            if (!n) return;
            if (*n >= lo && *n <= hi) field(s) = int(*n);
            else if (clamp) field(s) = int(std::clamp<qint64>(*n, lo, hi));
          },
          [field](StoredSettings& s) { return QVariant(field(s)); }};
}

Entry number32(const char* name, std::function<std::uint32_t&(StoredSettings&)> field, std::uint32_t mask) {
  return {name, Kind::Integer,
          [field, mask](StoredSettings& s, const QVariant& v) {
            if (const auto n = asInteger(v)) field(s) = std::uint32_t(*n) & mask;
          },
          [field](StoredSettings& s) { return QVariant(qint64(field(s))); }};
}

Entry boolean(const char* name, std::function<bool&(StoredSettings&)> field) {
  return {name, Kind::Boolean,
          [field](StoredSettings& s, const QVariant& v) {
            if (const auto b = asBoolean(v)) field(s) = *b;
          },
          [field](StoredSettings& s) { return QVariant(field(s) ? 1 : 0); }};
}

Entry text(const char* name, std::function<QString&(StoredSettings&)> field) {
  return {name, Kind::String, [field](StoredSettings& s, const QVariant& v) { field(s) = v.toString(); },
          [field](StoredSettings& s) { return QVariant(field(s)); }};
}

Entry stdText(const char* name, std::function<std::string&(StoredSettings&)> field) {
  return {name, Kind::String,
          [field](StoredSettings& s, const QVariant& v) { field(s) = v.toString().toStdString(); },
          [field](StoredSettings& s) {
            return QVariant(QString::fromStdString(field(s)));
          }};
}

constexpr int kBig = 1 << 20;

// The table, in the order of reading and writing.
const std::vector<Entry>& table() {
  using S = StoredSettings;
  static const std::vector<Entry> t = {
      integer("WindowState", [](S& s) -> int& { return s.window.state; }, 0, 2, false),
      integer("Top", [](S& s) -> int& { return s.window.top; }, -kBig, kBig, false),
      integer("Left", [](S& s) -> int& { return s.window.left; }, -kBig, kBig, false),
      integer("Width", [](S& s) -> int& { return s.window.width; }, 897, kBig, true),
      integer("Height", [](S& s) -> int& { return s.window.height; }, 547, kBig, true),
      text("BDMVdir", [](S& s) -> QString& { return s.bdmvDir; }),
      stdText("BackgroundPic", [](S& s) -> std::string& { return s.options.backgroundPic; }),
      boolean("AutoRead", [](S& s) -> bool& { return s.options.autoRead; }),
      boolean("Backup", [](S& s) -> bool& { return s.options.backup.createBackup; }),
      boolean("SaveBACKUP", [](S& s) -> bool& { return s.options.backup.saveToBackupDir; }),
      {"BackupMode", Kind::Integer,
       [](S& s, const QVariant& v) {
         const auto n = asInteger(v);
         if (n && *n >= 0 && *n <= 2) s.options.backup.mode = mirdal::BackupMode(*n);
       },
       [](S& s) { return QVariant(int(s.options.backup.mode)); }},
      integer("Region", [](S& s) -> int& { return s.options.region; }, 0, 2, false),
      integer("ObjectHeight", [](S& s) -> int& { return s.panes.object; }, 0, kBig, true),
      integer("PlayListHeight", [](S& s) -> int& { return s.panes.playList; }, 0, kBig, true),
      integer("SubPathHeight", [](S& s) -> int& { return s.panes.subPath; }, 0, kBig, true),
      integer("PlayListMarkHeight", [](S& s) -> int& { return s.panes.playListMark; }, 0, kBig, true),
      integer("ChapterFormat", [](S& s) -> int& { return s.options.chapterFormat; }, 0, 2, false),
      integer("ProgramFormat", [](S& s) -> int& { return s.options.programFormat; }, 0, 1, false),
      {"Version", Kind::Version, {}, [](S&) { return QVariant(QString::fromLatin1(mirdal::kVersion)); }},
      boolean("SavePES", [](S& s) -> bool& { return s.options.savePes; }),
      boolean("SaveSUP", [](S& s) -> bool& { return s.options.saveSup; }),
      boolean("SaveMNU", [](S& s) -> bool& { return s.options.saveMnu; }),
      stdText("SavePIDFolder", [](S& s) -> std::string& { return s.options.savePidFolder; }),
      boolean("ButtonId", [](S& s) -> bool& { return s.options.buttonId; }),
      boolean("ObjectId", [](S& s) -> bool& { return s.options.objectId; }),
      boolean("ButtonFrame", [](S& s) -> bool& { return s.options.buttonFrame; }),
      boolean("WindowFrame", [](S& s) -> bool& { return s.options.windowFrame; }),
      boolean("ForcedBeep", [](S& s) -> bool& { return s.options.forcedBeep; }),
      boolean("PreLoad", [](S& s) -> bool& { return s.options.preLoad; }),
      boolean("ShowInEffects", [](S& s) -> bool& { return s.options.showInEffects; }),
      boolean("ShowOutEffects", [](S& s) -> bool& { return s.options.showOutEffects; }),
      boolean("ShowButtonAnimation", [](S& s) -> bool& { return s.options.showButtonAnimation; }),
      boolean("ShowFullScreen", [](S& s) -> bool& { return s.options.showFullScreen; }),
      boolean("Background", [](S& s) -> bool& { return s.options.background; }),
      boolean("RealPSRs", [](S& s) -> bool& { return s.options.realPsrs; }),
      boolean("PlaySound", [](S& s) -> bool& { return s.options.playSound; }),
      boolean("AssociateBDMV", [](S& s) -> bool& { return s.options.associateBdmv; }),
      boolean("AssociateMNU", [](S& s) -> bool& { return s.options.associateMnu; }),
      boolean("8.3names", [](S& s) -> bool& { return s.options.shortNames; }),
      boolean("AutoMenu", [](S& s) -> bool& { return s.options.autoMenu; }),
      integer("ActiDelay", [](S& s) -> int& { return s.options.actiDelay; }, 0, 10000, true),
      integer("Grid", [](S& s) -> int& { return s.options.grid; }, 0, 100, true),
      number32("colBackground", [](S& s) -> std::uint32_t& { return s.options.colours.background; }, 0xFFFFFF),
      number32("colObjectBackground", [](S& s) -> std::uint32_t& { return s.options.colours.objectBackground; },
               0xFFFFFF),
      number32("colSelectedButton", [](S& s) -> std::uint32_t& { return s.options.colours.selectedButton; },
               0xFFFFFF),
      number32("colSelectedFrame", [](S& s) -> std::uint32_t& { return s.options.colours.selectedFrame; },
               0xFFFFFF),
      number32("colNormalButton", [](S& s) -> std::uint32_t& { return s.options.colours.normalButton; }, 0xFFFFFF),
      number32("colNormalFrame", [](S& s) -> std::uint32_t& { return s.options.colours.normalFrame; }, 0xFFFFFF),
      number32("colInvalidButton", [](S& s) -> std::uint32_t& { return s.options.colours.invalidButton; },
               0xFFFFFF),
      number32("colInvalidFrame", [](S& s) -> std::uint32_t& { return s.options.colours.invalidFrame; }, 0xFFFFFF),
      number32("colWindow", [](S& s) -> std::uint32_t& { return s.options.colours.window; }, 0xFFFFFF),
      number32("CountryCode", [](S& s) -> std::uint32_t& { return s.options.countryCode; }, 0xFFFF),
  };
  return t;
}

}  // namespace

bool readSettings(QSettings& s, StoredSettings& out) {
  if (s.allKeys().isEmpty()) return false;
  for (const Entry& e : table()) {
    if (e.kind == Kind::Version) continue;  // written, never read
    const QVariant v = s.value(QString::fromLatin1(e.name));
    if (v.isValid()) e.read(out, v);
  }
  return true;
}

void writeSettings(QSettings& s, const StoredSettings& in) {
  StoredSettings copy = in;
  for (const Entry& e : table()) s.setValue(QString::fromLatin1(e.name), e.write(copy));
  s.sync();
}

void writeVersion(QSettings& s) {
  s.setValue(QStringLiteral("Version"), QString::fromLatin1(mirdal::kVersion));
  s.sync();
}

QStringList settingNames() {
  QStringList names;
  for (const Entry& e : table()) names << QString::fromLatin1(e.name);
  return names;
}

}  // namespace mirdal::gui
