// TForm1: the menu "&Suchen" (the search dialog, F3 and Shift+F3 searching again) and the
// search itself, which marks and focuses the entry it finds.
#include "data/ResConst.h"
#include "dialogs/Suchen.h"
#include "mainwindow/Haupt.h"
#include "mainwindow/Suche.h"
#include "winui/Prompt.h"

namespace tvn {

void TForm1::BuildSuchen() {
  MenuSuchen.Add(MenuSuchenSuchen);
  MenuSuchen.Add(MenuSuchenWeiter);
  MenuSuchen.OnPopup = [this] { SuchenEnablingSetzen(); };
  MenuSuchenSuchen.OnClick = [this] { MenuSuchenSuchenClick(); };
  MenuSuchenWeiter.OnClick = [this] { MenuSuchenWeiterClick(); };
}

void TForm1::SuchenEnablingSetzen() {
  const bool rows = ListView1.ItemCount() > 0;
  MenuSuchenSuchen.SetEnabled(rows);
  MenuSuchenWeiter.SetEnabled(SchonGesuchtS && rows);
}

void TForm1::MenuSuchenSuchenClick() {
  SuchenForm->SchriftartZuweisen();
  if (SuchenForm->ShowModal() != winui::mrOk) return;
  SchonGesuchtS = true;
  SuchenStarten(false, false);
}

void TForm1::MenuSuchenWeiterClick() {
  if (SchonGesuchtS) SuchenStarten(true, false);
}

void TForm1::SuchenStarten(bool WeiterS, bool RueckwaertsS) {
  const std::optional<TSuchErgebnis> result =
      SucheEintrag(Daten, SuchenForm->Einstellungen(), ItemIndex(), WeiterS, RueckwaertsS);
  if (!result) return;
  if (result->Index < 0) {
    winui::MessageDlg(std::u16string(ResConst::SearchEndTexts[result->AmEnde ? 1 : 0]),
                      winui::TMsgKind::Information, winui::mbOK);
    return;
  }
  SetItemIndex(result->Index);
  Timer0Timer();
}

}  // namespace tvn
