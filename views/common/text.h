// Byte strings of the engine as texts of the GUI.
//
// Texts read from disc files are 8-bit characters (Latin-1). File and folder
// paths are in the file system's encoding. A log or status message may hold
// both; it is shown as UTF-8 when it is valid UTF-8 (every ASCII text is) and
// as Latin-1 otherwise.
#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QStringDecoder>
#include <string>
#include <string_view>

namespace mirdal::gui {

inline QString discText(std::string_view s) { return QString::fromLatin1(s.data(), qsizetype(s.size())); }

// The reverse: a text typed in the GUI as the 8-bit characters of a disc file.
inline std::string discBytes(const QString& s) { return s.toLatin1().toStdString(); }

inline QString pathText(const std::string& s) {
  return QFile::decodeName(QByteArray(s.data(), qsizetype(s.size())));
}

inline std::string pathBytes(const QString& s) { return QFile::encodeName(s).toStdString(); }

// A typed text as the presentation rules read it: one byte per character
// (a character outside Latin-1 becomes '?', which no rule accepts).
inline std::string typedBytes(const QString& s) { return s.toLatin1().toStdString(); }

inline bool isValidUtf8(std::string_view s) {
  QStringDecoder d(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
  const QString out = d(QByteArrayView(s.data(), qsizetype(s.size())));
  return !d.hasError();
}

inline QString messageText(std::string_view s, bool utf8) {
  return utf8 ? QString::fromUtf8(s.data(), qsizetype(s.size()))
              : QString::fromLatin1(s.data(), qsizetype(s.size()));
}

inline QString messageText(std::string_view s) { return messageText(s, isValidUtf8(s)); }

}  // namespace mirdal::gui
