#include "mainwindow/DetailsText.h"

#include <algorithm>

#include "data/ResConst.h"
#include "mainwindow/ListViewRows.h"
#include "mainwindow/StatusZeile.h"

namespace tvn {

namespace {

// Positions in ResConst::FieldCaptions.
enum TFeld {
  fdAutor,
  fdTitel,
  fdKatalogNr,
  fdQuelle,
  fdGelesen,
  fdBewertung,
  fdErhalten,
  fdRetour,
  fdErstellt,
  fdInfos
};

bool HatSichtbaresZeichen(const std::u16string& text) {
  return std::any_of(text.begin(), text.end(), [](char16_t c) { return c > u' '; });
}

// Continuation lines of the info text are indented by two spaces.
std::u16string EingerueckteInfos(const std::u16string& infos) {
  std::u16string result;
  result.reserve(infos.size());
  for (size_t i = 0; i < infos.size(); ++i) {
    result += infos[i];
    if (infos[i] == u'\r' && i + 1 < infos.size() && infos[i + 1] == u'\n') {
      result += u"\n  ";
      ++i;
    }
  }
  return result;
}

class TDetailsBuilder {
 public:
  TDetailsBuilder(bool captions, const TWeekdayNames& weekdays)
      : FCaptions(captions), FWeekdays(weekdays) {}

  void AddLine(std::u16string_view line) {
    FText.append(line);
    FText += u"\r\n";
  }

  // A value line; an empty value adds nothing.
  void AddDetailLine(TFeld field, const std::u16string& value) {
    if (value.empty()) return;
    if (FCaptions) {
      FText.append(ResConst::FieldCaptions[static_cast<size_t>(field)]);
      FText += u": ";
    }
    AddLine(value);
  }

  void AddEntry(const TDatenRec& rec) {
    AddDetailLine(fdAutor, rec.Autor);
    AddDetailLine(fdTitel, rec.Titel);
    AddDetailLine(fdKatalogNr, rec.KatalogNr);
    AddDetailLine(fdQuelle, rec.Quelle);
    AddDetailLine(fdGelesen, std::u16string(ResConst::YesNoTexts[rec.GelesenS ? 1 : 0]));
    AddDetailLine(fdBewertung,
                  std::u16string(ResConst::RatingNames[static_cast<size_t>(rec.Bewertung)]));
    if (rec.ErhaltenS) AddDetailLine(fdErhalten, DatumMitWochentag(rec.ErhaltenDatum, FWeekdays));
    if (rec.RetourS) AddDetailLine(fdRetour, DatumMitWochentag(rec.RetourDatum, FWeekdays));
    AddDetailLine(fdErstellt, DatumMitWochentag(rec.ErstelltDatum, FWeekdays));
    if (HatSichtbaresZeichen(rec.Infos)) AddDetailLine(fdInfos, EingerueckteInfos(rec.Infos));
  }

  std::u16string Finish() {
    while (!FText.empty() && FText.back() <= u' ') FText.pop_back();
    FText += u"\r\n";
    return std::move(FText);
  }

 private:
  bool FCaptions;
  const TWeekdayNames& FWeekdays;
  std::u16string FText;
};

}  // namespace

std::u16string DetailsText(const std::vector<const TDatenRec*>& entries, bool DetailNamenS,
                           const TWeekdayNames& weekdays) {
  if (entries.empty()) return {};
  TDetailsBuilder builder(DetailNamenS, weekdays);
  const bool numbered = entries.size() > 1;
  long long number = 0;
  for (const TDatenRec* rec : entries) {
    if (numbered) builder.AddLine(GroupThousands(++number) + u". markierter Eintrag:");
    builder.AddEntry(*rec);
    builder.AddLine(u"");
  }
  return builder.Finish();
}

std::u16string DetailsCaption(long long markedCount) {
  if (markedCount == 1) return std::u16string(ResConst::DetailsCaptions[1]);
  std::u16string caption(ResConst::DetailsCaptions[0]);
  const size_t at = caption.find(u"%s");
  return caption.replace(at, 2, GroupThousands(markedCount));
}

std::vector<const TDatenRec*> AlleEintraege(const TDaten& daten) {
  std::vector<const TDatenRec*> entries;
  entries.reserve(daten.Liste.size());
  for (const TDatenRec& rec : daten.Liste) entries.push_back(&rec);
  return entries;
}

}  // namespace tvn
