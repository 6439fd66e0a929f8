// TReAnsichtForm: the details viewer. Shows the details text of the marked entries in an
// editable plain-text field that the user can read, change, print and save; nothing done
// here flows back into the list. The main window creates it once:
//   viewer.Create();
//   viewer.ShowDetails(u"Details des markierten Eintrags", text);
// Edits are dropped when the dialog closes; the next ShowDetails shows its own text.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "dialogs/ReAnsichtRegeln.h"
#include "layout/TvnLayout.h"
#include "winui/Controls.h"
#include "winui/Form.h"
#include "winui/Menu.h"
#include "winui/Prompt.h"

namespace tvn {

class TReAnsichtForm : public winui::TDialogForm {
 public:
  explicit TReAnsichtForm(winui::TCustomForm* AOwner);
  ~TReAnsichtForm() override;

  // Caption and text, then shown modally until closed.
  void ShowDetails(const std::u16string& ACaption, const std::u16string& AText);

  void CaptionZuweisen();
  void SchriftartZuweisen();
  void SchalterEinrichten();

  void FormCreate() override;
  void FormShow() override;
  void FormClose() override;
  bool IsShortCut(winui::TShortCut key) override;

  winui::TRichEdit RichEdit1{this};
  winui::TButton Button1{this};
  winui::TButton Button2{this};
  winui::TButton Button3{this};

  winui::TPopupMenu PopupMenu1;
  winui::TMenuItem PuSeitenumbruch;
  winui::TMenuItem PuSeitenumbruchEntfernen;
  winui::TMenuItem PuKopieren;
  winui::TMenuItem PuAusschneiden;
  winui::TMenuItem PuEinfuegen;
  winui::TMenuItem PuAllesMarkieren;
  winui::TMenuItem PuRueck;
  winui::TMenuItem PuDrucken;
  winui::TMenuItem PuSpeichern;

  winui::TFileDialog SaveDialog1;

  std::unique_ptr<winui::TScrollBox> FContent;
  std::unique_ptr<TButtonScrollBox> FButtonArea;

  std::vector<winui::TButton*> Buttons() { return {&Button1, &Button2, &Button3}; }

 private:
  void SetStandardData();
  void RichEdit1Change();
  void RichEdit1Enter();
  TReAnsichtMenu MenuState() const;
  // withoutShortCut: also the items that have no shortcut.
  void ApplyMenuState(const TReAnsichtMenu& menu, bool withoutShortCut);
  void PopupMenu1Popup();
  void UpdateShortCutItems();
  void PuSeitenumbruchClick();
  void PuSeitenumbruchEntfernenClick();
  void Button1Click();
  void PuSpeichernClick();
  void SaveDialog1TypeChange(winui::TFileDialog& dialog);
  void GiveFocusBack();

  std::u16string FDetailText;
  bool FDetailsPending = false;
  winui::TControl* MerkActiveControl = nullptr;
};

}  // namespace tvn
