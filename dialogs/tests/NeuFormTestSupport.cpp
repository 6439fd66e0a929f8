#include "dialogs/tests/NeuFormTestSupport.h"

#include "layout/tests/WinTestSupport.h"

namespace tvn::test {

TDatenRec FullEntry() {
  TDatenRec r;
  r.Autor = u"mann";
  r.Titel = u"zauberberg";
  r.KatalogNr = u"K-17";
  r.Quelle = u"Bibliothek";
  r.ErhaltenS = true;
  r.ErhaltenDatum = D(2024, 5, 10);
  r.RetourS = true;
  r.RetourDatum = D(2024, 6, 1);
  r.GelesenS = true;
  r.Bewertung = btGut;
  r.ErstelltDatum = D(2024, 3, 1);
  r.Infos = u"Teil 1\r\nTeil 2";
  return r;
}

void NeuFormTest::SetUp() {
  DialogKeysTest::SetUp();
  form.Create();
  form.SetText(u"Neuer Eintrag");
  form.SchriftartZuweisen();
  form.ClearText();
  form.DatenRef = &Daten;
  form.EditIndex = -1;
}

winui::TModalResult NeuFormTest::Run(const std::function<void()>& script) {
  return RunDialog(form, form.Window, form.Edit1, script);
}

}  // namespace tvn::test
