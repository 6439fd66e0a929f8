#include "dialogs/PrintLayout.h"

#include <algorithm>
#include <utility>

namespace tvn {

namespace {

class TSeitenBauer {
 public:
  TSeitenBauer(int lineWidth, int linesPerPage, const TTextBreite& breite)
      : FWidth(std::max(lineWidth, 1)), FLines(std::max(linesPerPage, 1)), FBreite(breite) {
    FSeiten.emplace_back();
  }

  void NeueSeite() { FSeiten.emplace_back(); }

  // One paragraph (a line of the text without its break), wrapped.
  void Absatz(std::u16string_view absatz) {
    if (absatz.empty()) return Zeile(u"");
    std::u16string zeile;
    size_t pos = 0;
    while (pos < absatz.size()) {
      // A word with the spaces before it, so that spaces at a break are kept on the left.
      size_t ende = absatz.find_first_not_of(u' ', pos);
      if (ende == std::u16string_view::npos) ende = absatz.size();
      ende = std::min(absatz.find(u' ', ende), absatz.size());
      const std::u16string_view wort = absatz.substr(pos, ende - pos);
      pos = ende;
      if (Passt(zeile + std::u16string(wort))) {
        zeile += wort;
        continue;
      }
      // Spaces at a wrap are dropped; those that open the paragraph stay (indentation).
      std::u16string_view rest = wort;
      if (!zeile.empty()) {
        Zeile(std::exchange(zeile, {}));
        rest = rest.substr(std::min(rest.find_first_not_of(u' '), rest.size()));
      }
      while (!rest.empty() && !Passt(std::u16string(rest))) {
        const size_t n = Hineinpassend(rest);
        Zeile(std::u16string(rest.substr(0, n)));
        rest = rest.substr(n);
      }
      zeile = rest;
    }
    Zeile(std::move(zeile));
  }

  std::vector<TDruckSeite> Fertig() {
    if (FSeiten.size() > 1 && FSeiten.back().empty()) FSeiten.pop_back();
    return std::move(FSeiten);
  }

 private:
  bool Passt(const std::u16string& s) const { return FBreite(s) <= FWidth; }

  // How many leading characters fit on a line; at least one, so that every line advances.
  size_t Hineinpassend(std::u16string_view s) const {
    size_t lo = 1, hi = s.size();
    while (lo < hi) {
      const size_t mid = (lo + hi + 1) / 2;
      if (FBreite(s.substr(0, mid)) <= FWidth)
        lo = mid;
      else
        hi = mid - 1;
    }
    return lo;
  }

  void Zeile(std::u16string zeile) {
    if (static_cast<int>(FSeiten.back().size()) >= FLines) NeueSeite();
    FSeiten.back().push_back(std::move(zeile));
  }

  int FWidth;
  int FLines;
  const TTextBreite& FBreite;
  std::vector<TDruckSeite> FSeiten;
};

}  // namespace

std::vector<TDruckSeite> DruckSeiten(std::u16string_view text, int lineWidth, int linesPerPage,
                                     const TTextBreite& breite) {
  TSeitenBauer bauer(lineWidth, linesPerPage, breite);
  std::u16string absatz;
  bool absatzOffen = false;         // text since the last break or page break
  bool nachUmbruchZeichen = false;  // a page break ended the line, its break follows
  for (size_t i = 0; i < text.size(); ++i) {
    const char16_t c = text[i];
    if (c == u'\r' || c == u'\n') {
      if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') ++i;
      if (absatzOffen || !nachUmbruchZeichen) bauer.Absatz(absatz);
      absatz.clear();
      absatzOffen = false;
      nachUmbruchZeichen = false;
    } else if (c == u'\f') {
      if (absatzOffen) bauer.Absatz(absatz);
      absatz.clear();
      absatzOffen = false;
      nachUmbruchZeichen = true;
      bauer.NeueSeite();
    } else {
      absatz += c == u'\t' ? std::u16string(4, u' ') : std::u16string(1, c);
      absatzOffen = true;
      nachUmbruchZeichen = false;
    }
  }
  if (absatzOffen) bauer.Absatz(absatz);
  return bauer.Fertig();
}

}  // namespace tvn
