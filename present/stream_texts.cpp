#include "present/stream_texts.h"

#include <algorithm>
#include <utility>

namespace mirdal {

namespace {

// A text per value of a small code; values past the table share `other`.
template <std::size_t N>
std::string_view pick(const std::array<std::string_view, N>& texts, std::size_t v,
                      std::string_view other = "") {
  return v < N ? texts[v] : other;
}

constexpr std::array<std::string_view, 9> kVideoFormats{"-",     "480i",  "576i",  "480p", "1080i",
                                                        "720p",  "1080p", "576p",  "2160p"};
constexpr std::array<std::string_view, 8> kFrameRates{"-",     "23.976", "24", "25",
                                                      "29.97", "-",      "50", "59.94"};
constexpr std::array<std::string_view, 13> kPresentationTypes{
    "-", "Mono", "-", "Stereo", "-", "-", "Multi-ch.", "-", "-", "-", "-", "-", "St.+M-ch."};
constexpr std::array<std::string_view, 15> kSamplingFrequencies{
    "-", "48 kHz", "-", "-", "96 kHz", "192 kHz", "-", "-", "-", "-", "-", "-",
    "c:48/96, e:192 kHz", "-", "c:48, e:192 kHz"};
constexpr std::array<std::string_view, 8> kSubPathTypes{
    "-", "-", "p. Audio", "IG menu", "Text sub", "OoM Sync", "OoM Async", "IM Sync"};
constexpr std::array<std::string_view, 3> kMarkTypes{"", "entry-mark", "link point"};
constexpr std::array<std::string_view, 4> kPlaybackTypes{"", "Sequential", "Random", "Shuffle"};
constexpr std::array<std::string_view, 4> kEntryTypes{"", "PlayItem", "SubPath", "IM PIP"};

constexpr std::array<std::string_view, 4> kEntryTypeHints{
    "",
    "Identify an elementary stream of the Clip used by the PlayItem.",
    "Identify an elementary stream of the Clip used by a SubPath with SubPath_type set to 2,3,4,5 or "
    "6 associated with the PlayItem.",
    "Identify an elementary stream of the Clip used by a SubPath with SubPath_type set to 7 (IM "
    "Sync) associated with the PlayItem."};
constexpr std::array<std::string_view, 4> kVideoCodingHints{
    "MPEG-2 video stream for Primary / Secondary video",
    "MPEG-4 AVC video stream for Primary / Secondary video",
    "SMPTE VC-1 video stream for Primary / Secondary video",
    "HEVC video stream for Primary video (Ultra HD)"};
constexpr std::array<std::string_view, 9> kAudioCodingHints{
    "HDMV LPCM audio stream for Primary audio",
    "Dolby Digital (AC-3) audio stream for Primary audio",
    "DTS audio stream for Primary audio",
    "Dolby Lossless audio stream for Primary audio",
    "Dolby Digital Plus audio stream for Primary audio",
    "DTS-HD audio stream except XLL for Primary audio",
    "DTS-HD audio stream XLL for Primary audio",
    "Dolby Digital Plus audio stream for Secondary audio",
    "DTS-HD audio stream for Secondary audio stream"};
constexpr std::array<std::string_view, 8> kSubPathTypeHints{
    "reserved",
    "reserved",
    "Primary audio presentation path of the Browsable slideshow",
    "Interactive Graphics presentation menu",
    "Text subtitle presentation path",
    "Out-of-mux and Synchronous type of one or more elementary streams path",
    "Out-of-mux and Asynchronous type of Picture-in-Picture presentation path",
    "In-mux and Synchronous type of Picture-in-Picture presentation path"};

constexpr std::array<std::string_view, kLanguageCount> kLanguages{
    "eng", "aar", "abk", "ace", "ach", "ada", "afa", "afh", "afr", "aka", "akk", "ale", "alg",
    "amh", "ang", "apa", "ara", "arc", "arn", "arp", "art", "arw", "asm", "ath", "aus", "ava",
    "ave", "awa", "aym", "aze", "bad", "bai", "bak", "bal", "bam", "ban", "bas", "bat", "bej",
    "bel", "bem", "ben", "ber", "bho", "bih", "bik", "bin", "bis", "bla", "bnt", "bod", "bra",
    "bre", "btk", "bua", "bug", "bul", "cad", "cai", "car", "cat", "cau", "ceb", "cel", "ces",
    "cha", "chb", "che", "chg", "chk", "chm", "chn", "cho", "chp", "chr", "chu", "chv", "chy",
    "cmc", "cop", "cor", "cos", "cpe", "cpf", "cpp", "cre", "crp", "cus", "cym", "dak", "dan",
    "day", "del", "den", "deu", "dgr", "din", "div", "doi", "dra", "dua", "dum", "dyu", "dzo",
    "efi", "egy", "eka", "ell", "elx", "eng", "enm", "epo", "est", "eus", "ewe", "ewo", "fan",
    "fao", "fas", "fat", "fij", "fin", "fiu", "fon", "fra", "frm", "fro", "fry", "ful", "fur",
    "gaa", "gay", "gba", "gem", "gez", "gil", "gla", "gle", "glg", "glv", "gmh", "goh", "gon",
    "gor", "got", "grb", "grc", "grn", "guj", "gwi", "hai", "hau", "haw", "heb", "her", "hil",
    "him", "hin", "hit", "hmn", "hmo", "hrv", "hun", "hup", "hye", "iba", "ibo", "ijo", "iku",
    "ile", "ilo", "ina", "inc", "ind", "ine", "ipk", "ira", "iro", "isl", "ita", "jaw", "jpn",
    "jpr", "jrb", "kaa", "kab", "kac", "kal", "kam", "kan", "kar", "kas", "kat", "kau", "kaw",
    "kaz", "kha", "khi", "khm", "kho", "kik", "kin", "kir", "kmb", "kok", "kom", "kon", "kor",
    "kos", "kpe", "kro", "kru", "kua", "kum", "kur", "kut", "lad", "lah", "lam", "lao", "lat",
    "lav", "lez", "lin", "lit", "lol", "loz", "ltz", "lua", "lub", "lug", "lui", "lun", "luo",
    "lus", "mad", "mag", "mah", "mai", "mak", "mal", "man", "map", "mar", "mas", "mdr", "men",
    "mga", "mic", "min", "mis", "mkd", "mkh", "mlg", "mlt", "mni", "mno", "moh", "mol", "mon",
    "mos", "mri", "msa", "mul", "mun", "mus", "mwr", "mya", "myn", "nah", "nai", "nau", "nav",
    "nbl", "nde", "ndo", "nep", "new", "nia", "nic", "niu", "nld", "non", "nor", "nso", "nub",
    "nzi", "nya", "nym", "nyn", "nyo", "oci", "oji", "ori", "orm", "osa", "oss", "ota", "oto",
    "paa", "pag", "pal", "pam", "pan", "pap", "pau", "peo", "phi", "phn", "pli", "pol", "pon",
    "por", "pra", "pro", "pus", "que", "raj", "rap", "rar", "roa", "roh", "rom", "ron", "run",
    "rus", "sad", "sag", "sah", "sai", "sal", "sam", "san", "sas", "sat", "sco", "sel", "sem",
    "sga", "shn", "sid", "sin", "sio", "sit", "sla", "slk", "slv", "smi", "smo", "sna", "snd",
    "snk", "sog", "som", "son", "sot", "spa", "sqi", "srd", "srp", "srr", "ssa", "ssw", "suk",
    "sun", "sus", "sux", "swa", "swe", "syr", "tah", "tai", "tam", "tat", "tel", "tem", "ter",
    "tet", "tgk", "tgl", "tha", "tig", "tir", "tiv", "tkl", "tli", "tmh", "tog", "ton", "tpi",
    "tsi", "tsn", "tso", "tuk", "tum", "tur", "tut", "tvl", "twi", "tyv", "uga", "uig", "ukr",
    "umb", "und", "urd", "uzb", "vai", "ven", "vie", "vol", "vot", "wak", "wal", "war", "was",
    "wen", "wol", "xho", "yao", "yap", "yid", "yor", "ypk", "zap", "zen", "zha", "zho", "znd",
    "zul", "zun",
};

}  // namespace

std::string_view codingTypeText(std::uint8_t coding) {
  using enum CodingType;
  switch (CodingType(coding)) {
    case MPEG2: return "MPEG-2";
    case AVC: return "AVC";
    case VC1: return "VC1";
    case HEVC: return "HEVC";
    case LPCM: return "LPCM";
    case DD: return "DD";
    case DTS: return "DTS";
    case DolbyLossless: return "Dolby Lossless";
    case DDPlus: return "DD+";
    case DTSHD: return "DTS-HD ex. XLL";
    case DTSHDXLL: return "DTS-HD XLL";
    case DDPlusSecondary: return "DD+";
    case DTSHDSecondary: return "DTS-HD";
    case PG: return "PG";
    case IG: return "IG";
    case TextSubtitle: return "Text";
  }
  return "";
}

std::string_view videoFormatText(std::uint8_t v) { return pick(kVideoFormats, v, "res."); }
std::string_view frameRateText(std::uint8_t v) { return pick(kFrameRates, v, "res."); }
std::string_view presentationTypeText(std::uint8_t v) { return pick(kPresentationTypes, v, "res."); }
std::string_view samplingFrequencyText(std::uint8_t v) { return pick(kSamplingFrequencies, v, "res."); }
std::string_view subPathTypeText(std::uint8_t v) { return pick(kSubPathTypes, v); }
std::string_view markTypeText(std::uint8_t v) { return pick(kMarkTypes, v); }
std::string_view playbackTypeText(std::uint8_t v) { return pick(kPlaybackTypes, v); }
std::string_view streamEntryTypeText(std::uint8_t v) { return pick(kEntryTypes, v); }

namespace {

std::vector<std::string> itemsOf(int first, int last, std::string_view (*text)(std::uint8_t)) {
  std::vector<std::string> out;
  for (int v = first; v <= last; ++v) out.emplace_back(text(std::uint8_t(v)));
  return out;
}

}  // namespace

std::vector<std::string> entryTypeItems() {
  std::vector<std::string> out{"---"};
  for (std::string& t : itemsOf(int(StreamEntryType::PlayItem), int(StreamEntryType::IMPiP), streamEntryTypeText))
    out.push_back(std::move(t));
  return out;
}

std::vector<std::string> subPathTypeItems() { return itemsOf(0, int(SubPathType::InMuxSync), subPathTypeText); }

std::vector<std::string> markTypeItems() {
  return itemsOf(int(MarkType::EntryMark), int(MarkType::LinkPoint), markTypeText);
}

std::vector<std::string> playlistPlaybackTypeItems() {
  return itemsOf(int(PlaylistPlaybackType::Sequential), int(PlaylistPlaybackType::Shuffle), playbackTypeText);
}

std::vector<std::string> videoFormatItems() { return itemsOf(0, int(VideoFormat::p2160), videoFormatText); }
std::vector<std::string> frameRateItems() { return itemsOf(0, int(FrameRate::Fps5994), frameRateText); }

std::vector<std::string> presentationTypeItems() {
  return itemsOf(0, int(AudioPresentation::StereoAndMultiChannel), presentationTypeText);
}

std::vector<std::string> samplingFrequencyItems() {
  return itemsOf(0, int(SamplingFrequency::Khz192Core48), samplingFrequencyText);
}

std::vector<std::string> fourBitItems(std::string_view (*text)(std::uint8_t)) {
  std::vector<std::string> out;
  for (int v = 0; v < 16; ++v) {
    const std::string_view t = text(std::uint8_t(v));
    const bool named = v == 0 || (t != "-" && t != "res.");
    out.push_back(named ? std::string(t) : std::to_string(v));
  }
  return out;
}

int videoCodingIndex(std::uint8_t coding) {
  const auto* it = std::find(kVideoCodingChoices.begin(), kVideoCodingChoices.end(), coding);
  return it == kVideoCodingChoices.end() ? -1 : int(it - kVideoCodingChoices.begin());
}

int audioCodingIndex(std::uint8_t coding) {
  const auto* it = std::find(kAudioCodingChoices.begin(), kAudioCodingChoices.end(), coding);
  return it == kAudioCodingChoices.end() ? -1 : int(it - kAudioCodingChoices.begin());
}

std::string_view entryTypeHint(std::uint8_t type) { return pick(kEntryTypeHints, type); }
std::string_view videoCodingHint(std::size_t index) { return pick(kVideoCodingHints, index); }
std::string_view audioCodingHint(std::size_t index) { return pick(kAudioCodingHints, index); }

std::string_view presentationTypeHint(std::uint8_t type) {
  switch (AudioPresentation(type)) {
    case AudioPresentation::Mono: return "single mono channel";
    case AudioPresentation::Stereo: return "stereo (2-channel)";
    case AudioPresentation::MultiChannel: return "multi-channel";
    case AudioPresentation::StereoAndMultiChannel:
      return "stereo (2-channel) and multi-channel for the DTS-HD/Dolby Lossless";
    case AudioPresentation::None: break;
  }
  return "";
}

std::string_view subPathTypeHint(std::uint8_t type) { return pick(kSubPathTypeHints, type); }

const std::array<std::string_view, kLanguageCount>& languageCodes() { return kLanguages; }

int languageIndex(std::string_view code) {
  const auto it = std::find(kLanguages.begin(), kLanguages.end(), code);
  return it == kLanguages.end() ? -1 : int(it - kLanguages.begin());
}

}  // namespace mirdal
