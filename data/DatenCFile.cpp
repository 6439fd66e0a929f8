// The binary audiobook format "TVN01"/"TVN02" and the tab-separated text document.
#include <cstdint>
#include <cstring>
#include <new>
#include <stdexcept>

#include "data/DatenC.h"
#include "platform/Platform.h"
#include "platform/Utf16.h"

namespace tvn {
namespace {

TDatenMeldung* g_meldung = nullptr;

constexpr std::u16string_view kTagV1 = u"TVN01";
constexpr std::u16string_view kTagV2 = u"TVN02";
constexpr int kMinRecordV1 = 25;
constexpr int kMinRecordV2 = 29;
constexpr int32_t kMinDay = 2;
constexpr int32_t kMaxDay = 219512;

// A failed check ends the parse with the text the user may be shown.
struct LoadError {
  std::u16string_view text;
};
constexpr std::u16string_view kStreamReadError = u"Stream-Lesefehler";
constexpr std::u16string_view kStreamWriteError = u"Stream-Schreibfehler";
constexpr std::u16string_view kOutOfMemory = u"Zu wenig Arbeitsspeicher";

// A text field the checking pass steps over.
struct TSkippedText {};

// What the checking pass reads a record into: every field checked, no text copied.
struct TCheckedRecord {
  bool Akt;
  TDateTime ErstelltDatum, ErhaltenDatum, RetourDatum;
  TSkippedText Autor, Titel, KatalogNr, Quelle, Infos;
  bool ErhaltenS, RetourS, GelesenS;
  TBewertung Bewertung;
};

class Reader {
 public:
  Reader(std::string_view bytes, platform::TFileBuffer* buffer)
      : begin_(reinterpret_cast<const unsigned char*>(bytes.data())),
        p_(begin_),
        end_(p_ + bytes.size()),
        buffer_(buffer) {}

  size_t Left() const { return static_cast<size_t>(end_ - p_); }

  // Called between records: hands back what has been parsed, in large steps.
  void ReleaseParsed() {
    constexpr size_t kStep = 4 << 20;
    const size_t done = static_cast<size_t>(p_ - begin_);
    if (buffer_ && done >= released_ + kStep) {
      buffer_->ReleaseBefore(done);
      released_ = done;
    }
  }

  // Low byte first, then the other three from the most significant down.
  int32_t Number() {
    Need(4);
    uint32_t v = p_[0] | (uint32_t{p_[3]} << 8) | (uint32_t{p_[2]} << 16) | (uint32_t{p_[1]} << 24);
    p_ += 4;
    return static_cast<int32_t>(v);
  }

  void Text(std::u16string& out) {
    const size_t n = TextLength();
    out.assign(p_, p_ + n);  // ISO 8859-1: byte value = code point
    p_ += n;
  }
  void Text(TSkippedText&) { p_ += TextLength(); }

  bool Flag() {
    Need(1);
    const unsigned char b = *p_++;
    if (b != '0' && b != '1') throw LoadError{u"Ungültiger Ja/Nein-Wert."};
    return b == '1';
  }

  TDateTime Date() {
    const int32_t day = Number();
    if (day < kMinDay || day > kMaxDay) throw LoadError{u"Ungültiges Datum."};
    return day;
  }

 private:
  void Need(size_t n) const {
    if (Left() < n) throw LoadError{kStreamReadError};
  }
  // The length of a text field; its characters are all there.
  size_t TextLength() {
    Need(2);
    const size_t n = (size_t{p_[0]} << 8) | p_[1];
    p_ += 2;
    if (Left() < n) throw LoadError{u"Unvollständiges Datenfeld."};
    return n;
  }
  const unsigned char* begin_;
  const unsigned char* p_;
  const unsigned char* end_;
  platform::TFileBuffer* buffer_;
  size_t released_ = 0;
};

// One record, field by field in the file order, into a TDatenRec or a TCheckedRecord.
template <class TRecord>
void ReadRecord(Reader& in, bool v2, TRecord& r) {
  r.Akt = true;
  r.ErstelltDatum = in.Date();
  in.Text(r.Autor);
  in.Text(r.Titel);
  in.Text(r.KatalogNr);
  in.Text(r.Quelle);
  r.ErhaltenS = in.Flag();
  r.ErhaltenDatum = in.Date();
  r.RetourS = in.Flag();
  r.RetourDatum = in.Date();
  r.GelesenS = in.Flag();
  r.Bewertung = btKeine;
  if (v2) {
    const int32_t rating = in.Number();
    if (rating < 0 || rating >= kBewertungCount) throw LoadError{u"Ungültige Bewertung."};
    r.Bewertung = static_cast<TBewertung>(rating);
  }
  in.Text(r.Infos);
}

struct EncodeError {
  std::u16string_view text;
};

class Writer {
 public:
  explicit Writer(std::string& out) : out_(out) {}

  void Number(int32_t value) {
    const uint32_t v = static_cast<uint32_t>(value);
    const char b[4] = {static_cast<char>(v & 0xFF), static_cast<char>(v >> 24),
                       static_cast<char>((v >> 16) & 0xFF), static_cast<char>((v >> 8) & 0xFF)};
    out_.append(b, 4);
  }

  void Text(const std::u16string& s) {
    if (s.size() > 65535) throw EncodeError{u"Ein Feld ist länger als 65535 Zeichen."};
    out_ += static_cast<char>(s.size() >> 8);
    out_ += static_cast<char>(s.size() & 0xFF);
    const size_t at = out_.size();
    out_.resize(at + s.size());
    char* dst = out_.data() + at;
    char16_t any = 0;
    for (size_t i = 0; i < s.size(); ++i) {
      any |= s[i];
      dst[i] = static_cast<char>(s[i]);
    }
    if (any > 0xFF) throw EncodeError{u"Ein Zeichen ist im bisherigen Dateiformat nicht darstellbar."};
  }

  void Flag(bool b) { out_ += b ? '1' : '0'; }
  void Date(TDateTime d) { Number(static_cast<int32_t>(d)); }

 private:
  std::string& out_;
};

size_t EstimatedSize(const TDaten& daten) {
  size_t n = 32 + daten.HbName.size();
  for (const TDatenRec& r : daten.Liste) {
    n += kMinRecordV2 + r.Autor.size() + r.Titel.size() + r.KatalogNr.size() + r.Quelle.size() +
         r.Infos.size();
  }
  return n;
}

// Line breaks become "|" and tabs a space, so each entry stays one line of columns.
void AppendColumn(std::string& out, std::u16string_view s) {
  std::u16string clean;
  clean.reserve(s.size());
  for (size_t i = 0; i < s.size(); ++i) {
    const char16_t c = s[i];
    if (c == u'\r' && i + 1 < s.size() && s[i + 1] == u'\n') {
      clean += u'|';
      ++i;
    } else if (c == u'\r' || c == u'\n') {
      clean += u'|';
    } else {
      clean += c == u'\t' ? u' ' : c;
    }
  }
  AppendUtf8(out, clean);
}

// The text of the exception being handled; a failure to store it leaves the text empty.
void SetFailure(std::u16string& error, std::u16string_view otherwise) noexcept {
  try {
    try {
      throw;
    } catch (const std::bad_alloc&) {
      error = kOutOfMemory;
    } catch (const std::length_error&) {
      error = kOutOfMemory;
    } catch (...) {
      error = otherwise;
    }
  } catch (...) {
    error.clear();
  }
}

}  // namespace

void SetDatenMeldung(TDatenMeldung* meldung) { g_meldung = meldung; }

bool TDaten::LoadFromBytes(std::string_view bytes) { return Parse(bytes, nullptr); }

bool TDaten::Parse(std::string_view bytes, platform::TFileBuffer* buffer) {
  FLastError.clear();
  try {
    Reader in(bytes, buffer);
    std::u16string tag, name;
    in.Text(tag);
    if (tag != kTagV1 && tag != kTagV2) throw LoadError{u"Unbekanntes Dateiformat."};
    const bool v2 = tag == kTagV2;
    in.Text(name);
    const int32_t count = in.Number();
    // Bounds what is reserved before a single record has been read.
    const size_t maxCount = in.Left() / (v2 ? kMinRecordV2 : kMinRecordV1);
    if (count < 0 || static_cast<size_t>(count) > maxCount) {
      throw LoadError{u"Ungültige Anzahl von Einträgen."};
    }
    // Every byte is checked before the entries take any memory: a few bytes must not
    // make the loader reserve many times the size of the file.
    Reader check = in;
    TCheckedRecord checked;
    for (int32_t i = 0; i < count; ++i) ReadRecord(check, v2, checked);
    if (check.Left() != 0) throw LoadError{u"Unerwartete Daten am Dateiende."};
    // Room for entries added later: a million entries are not moved for the first one.
    // Reserved memory is not touched until used.
    TListe records;
    records.reserve(static_cast<size_t>(count) + static_cast<size_t>(count) / 64 + 64);
    for (int32_t i = 0; i < count; ++i) {
      ReadRecord(in, v2, records.emplace_back());
      in.ReleaseParsed();
    }
    ListeErsetzen(std::move(records));
    HbName.swap(name);
    return true;
  } catch (const LoadError& e) {
    FLastError = e.text;
  } catch (...) {
    SetFailure(FLastError, kStreamReadError);
  }
  return false;
}

bool TDaten::LoadFromFile(const std::u16string& AFilename, bool FehlerMeldungS) {
  FLastError.clear();
  bool ok = false;
  try {
    platform::TFileBuffer buffer;
    std::u16string error;
    if (buffer.Read(AFilename, error)) {
      ok = Parse(buffer.View(), &buffer);
    } else {
      FLastError = std::move(error);
    }
  } catch (...) {
    SetFailure(FLastError, kStreamReadError);
  }
  if (!ok && FehlerMeldungS && g_meldung) {
    try {
      g_meldung->ShowError(
          u"Die Datei \"" + AFilename + u"\" konnte nicht geöffnet werden!\r\n" +
          u"Die Datei ist nicht lesbar, beschädigt oder hat ein unbekanntes Format.");
    } catch (...) {
      // Not even the message fits into memory any more; the result still says it failed.
    }
  }
  return ok;
}

bool TDaten::EncodeBinary(std::string& out) {
  FLastError.clear();
  out.clear();
  try {
    out.reserve(EstimatedSize(*this));
    Writer w(out);
    w.Text(std::u16string(kTagV2));
    w.Text(HbName);
    w.Number(Count());
    for (const TDatenRec& r : Liste) {
      w.Date(r.ErstelltDatum);
      w.Text(r.Autor);
      w.Text(r.Titel);
      w.Text(r.KatalogNr);
      w.Text(r.Quelle);
      w.Flag(r.ErhaltenS);
      w.Date(r.ErhaltenDatum);
      w.Flag(r.RetourS);
      w.Date(r.RetourDatum);
      w.Flag(r.GelesenS);
      w.Number(r.Bewertung);
      w.Text(r.Infos);
    }
    return true;
  } catch (const EncodeError& e) {
    FLastError = e.text;
  } catch (...) {
    SetFailure(FLastError, kStreamWriteError);
  }
  std::string().swap(out);
  return false;
}

std::string TDaten::EncodeText() const {
  std::string out = "\xEF\xBB\xBF";
  out.reserve(EstimatedSize(*this) * 11 / 10 + 64);
  for (size_t i = 0; i < ResConst::FieldCaptions.size(); ++i) {
    if (i) out += '\t';
    AppendUtf8(out, ResConst::FieldCaptions[i]);
  }
  out += "\r\n";
  for (const TDatenRec& r : Liste) {
    AppendColumn(out, r.Autor);
    out += '\t';
    AppendColumn(out, r.Titel);
    out += '\t';
    AppendColumn(out, r.KatalogNr);
    out += '\t';
    AppendColumn(out, r.Quelle);
    out += '\t';
    AppendUtf8(out, ResConst::YesNoTexts[r.GelesenS]);
    out += '\t';
    AppendUtf8(out, ResConst::RatingNames[r.Bewertung]);
    out += '\t';
    if (r.ErhaltenS) AppendUtf8(out, DatumText(r.ErhaltenDatum));
    out += '\t';
    if (r.RetourS) AppendUtf8(out, DatumText(r.RetourDatum));
    out += '\t';
    AppendUtf8(out, DatumText(r.ErstelltDatum));
    out += '\t';
    AppendColumn(out, r.Infos);
    out += "\r\n";
  }
  return out;
}

bool TDaten::SaveToFile(const std::u16string& AFilename, bool TxtS) {
  FLastError.clear();
  if (AFilename.empty()) {
    FLastError = u"Es wurde kein Dateiname angegeben.";
    return false;
  }
  try {
    std::string content;
    if (TxtS) {
      content = EncodeText();
    } else if (!EncodeBinary(content)) {
      return false;
    }
    std::u16string error;
    if (!platform::ReplaceFileAtomically(AFilename, content, error)) {
      FLastError = std::move(error);
      return false;
    }
    return true;
  } catch (...) {
    SetFailure(FLastError, kStreamWriteError);
    return false;
  }
}

}  // namespace tvn
